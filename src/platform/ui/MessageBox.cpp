#include "platform/ui/MessageBox.h"

#include <QMessageBox>
#include <utility>

namespace {

const QString Title = QStringLiteral("Quorvel");

QMessageBox::Icon platformIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

MessageResult showPlatformBox(const MessageRequest &request)
{
    QMessageBox box(platformIcon(request.icon), request.title, request.text, QMessageBox::NoButton, request.parent);
    switch (request.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    default:
        return MessageResult::Ok;
    }
}

MessageBoxFunction &currentFunction()
{
    static MessageBoxFunction function;
    return function;
}

} // namespace

MessageResult ShowMessageBox(const QString &text, MessageIcon icon, MessageButtons buttons, QWidget *parent)
{
    return ShowTitledMessageBox(Title, text, icon, buttons, parent);
}

MessageResult ShowTitledMessageBox(const QString &title, const QString &text, MessageIcon icon,
                                   MessageButtons buttons, QWidget *parent)
{
    const MessageRequest request{title, text, icon, buttons, parent};
    const MessageBoxFunction &function = currentFunction();
    return function ? function(request) : showPlatformBox(request);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function)
{
    return std::exchange(currentFunction(), std::move(function));
}
