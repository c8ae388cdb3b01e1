#pragma once

#include <QString>
#include <functional>

class QWidget;

// The program's one way to show a message box: titled "Quorvel" unless a caller names the title.
enum class MessageIcon {
    None,
    Error,
    Stop = Error,   // the stop sign is the error icon
    Warning,
    Information,
    Question,
};

enum class MessageButtons { Ok, OkCancel, YesNo };

enum class MessageResult { Ok, Cancel, Yes, No };

struct MessageRequest
{
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    QWidget *parent = nullptr;
};

// Shows the box modally and returns the button pressed; closing the box counts as Cancel or No.
MessageResult ShowMessageBox(const QString &text, MessageIcon icon, MessageButtons buttons = MessageButtons::Ok,
                             QWidget *parent = nullptr);

// The same with a title of the caller's own.
MessageResult ShowTitledMessageBox(const QString &title, const QString &text, MessageIcon icon,
                                   MessageButtons buttons = MessageButtons::Ok, QWidget *parent = nullptr);

// Replaces how boxes are shown, so that tests can record them and script the answers. Returns the
// function in place before; an empty function brings back the standard box.
using MessageBoxFunction = std::function<MessageResult(const MessageRequest &)>;
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
