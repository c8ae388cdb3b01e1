#include "support/ScriptedDialogs.h"

#include <QDialog>

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous = SetMessageBoxFunction([this](const MessageRequest &request) {
        shown << request;
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        switch (request.buttons) {
        case MessageButtons::YesNo:
            return MessageResult::No;
        case MessageButtons::OkCancel:
            return MessageResult::Cancel;
        case MessageButtons::Ok:
            break;
        }
        return MessageResult::Ok;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    SetMessageBoxFunction(std::move(m_previous));
}

QStringList MessageBoxRecorder::texts() const
{
    QStringList result;
    for (const MessageRequest &request : shown)
        result << request.text;
    return result;
}

ModalScript::ModalScript(ModalRunnerFunction run)
{
    m_previous = SetModalRunner([this, run = std::move(run)](QDialog &dialog) {
        shown << QString::fromLatin1(dialog.metaObject()->className());
        return run(dialog);
    });
}

ModalScript::~ModalScript()
{
    SetModalRunner(std::move(m_previous));
}
