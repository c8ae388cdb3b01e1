#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class TAnimate;

// The progress notice: a please-wait window that long operations put up while they work without
// processing events. It is not modal; whoever changes its message repaints it.
class TMessageForm : public QDialog
{
    Q_OBJECT

public:
    explicit TMessageForm(QWidget *owner = nullptr);

    QLabel *Label2;      // the product name
    TAnimate *Animate1;  // hidden and stopped until the caller starts it
    QLabel *Label1;      // the message line
};

// The progress notice currently up, or none. There is never more than one.
extern TMessageForm *MessageForm;

// Puts the progress notice up in MessageForm for the life of this object, with the animation
// running, and takes it down again even when the operation ends with an error. A notice put up
// while another is up replaces it on screen until it goes.
class TProgressNotice
{
public:
    explicit TProgressNotice(QWidget *owner, const QString &message = QString());
    ~TProgressNotice();
    TProgressNotice(const TProgressNotice &) = delete;
    TProgressNotice &operator=(const TProgressNotice &) = delete;

    // Changes the message line and repaints the notice at once.
    void SetMessage(const QString &message);

private:
    QPointer<TMessageForm> m_form;
    QPointer<TMessageForm> m_replaced;
};
