#pragma once

#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalRunner.h"

#include <QList>
#include <QStringList>

// While it lives, every message box is recorded instead of shown and answered from a script; once
// the script is used up, questions get the cautious answer (No, Cancel) and notices Ok.
class MessageBoxRecorder
{
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder &) = delete;
    MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;

    void answerNext(MessageResult answer) { m_answers << answer; }
    QStringList texts() const;

    QList<MessageRequest> shown;

private:
    QList<MessageResult> m_answers;
    MessageBoxFunction m_previous;
};

// While it lives, modal windows are run by the given function instead of an event loop, and the
// class name of each window run is recorded. The function's answer is the window's result.
class ModalScript
{
public:
    explicit ModalScript(ModalRunnerFunction run);
    ~ModalScript();
    ModalScript(const ModalScript &) = delete;
    ModalScript &operator=(const ModalScript &) = delete;

    QStringList shown;

private:
    ModalRunnerFunction m_previous;
};
