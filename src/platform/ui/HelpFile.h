#pragma once

#include <QString>

// Whether the help file "Quorvel.hlp" lay in the current working directory at start-up. Every Help
// button is visible, and the help command enabled, only when it did.
extern bool HelpFilePresent;

constexpr const char *HelpFileName = "Quorvel.hlp";

// Looks for the help file in the current working directory and sets HelpFilePresent.
void LocateHelpFile();

// Where the help file was looked for at start-up, as an absolute path: the help window reads it
// from there even when the working directory changes later.
QString HelpFilePath();
