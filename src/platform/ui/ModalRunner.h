#pragma once

#include <functional>

class QDialog;

// The program's one way to show a window modally: returns the dialog's result (QDialog::Accepted
// or Rejected, or whatever the dialog ended with).
int RunModal(QDialog &dialog);

// Replaces how modal windows are run, so that tests can drive them without an event loop. Returns
// the function in place before; an empty function brings back QDialog::exec.
using ModalRunnerFunction = std::function<int(QDialog &)>;
ModalRunnerFunction SetModalRunner(ModalRunnerFunction function);
