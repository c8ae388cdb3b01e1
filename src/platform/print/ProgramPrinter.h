#pragma once

class QPrinter;

// The printer of this run: chosen and set up from the main window, used by every report. Created
// on first use; it lives until the application object ends.
QPrinter &ProgramPrinter();
