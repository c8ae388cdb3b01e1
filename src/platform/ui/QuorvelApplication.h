#pragma once

#include <QApplication>
#include <exception>

// The application object. Its notify is the program's general error report: an engine or platform
// error that escapes an event handler is shown in a message box with the engine's own message, the
// operation that raised it is abandoned, and the program goes on.
class TQuorvelApplication : public QApplication
{
    Q_OBJECT

public:
    TQuorvelApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

// Shows an error in the general error report's box.
void ReportError(const std::exception &error);
