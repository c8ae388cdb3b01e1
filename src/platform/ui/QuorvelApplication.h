#pragma once

#include <QApplication>
#include <exception>

// The application object. Handlers report their own errors (RunHandler); its notify is the last net
// for an error that escapes anything else Qt calls: it is shown in the same message box, with the
// engine's own message, the operation that raised it is abandoned, and the program goes on.
class TQuorvelApplication : public QApplication
{
    Q_OBJECT

public:
    TQuorvelApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

// The general error report: shows an error in a message box with the engine's own message.
void ReportError(const std::exception &error);
