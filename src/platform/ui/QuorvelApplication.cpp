#include "platform/ui/QuorvelApplication.h"

#include "platform/db/DatabaseError.h"
#include "platform/ui/MessageBox.h"

TQuorvelApplication::TQuorvelApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool TQuorvelApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ReportError(error);
    }
    return false;
}

void ReportError(const std::exception &error)
{
    const auto *engineError = dynamic_cast<const EDatabaseError *>(&error);
    const QString message = engineError ? engineError->message() : QString::fromUtf8(error.what());
    ShowMessageBox(message, MessageIcon::Error);
}
