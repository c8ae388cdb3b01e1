// The progress notice and its animation, as long operations use them: put up, repainted by hand
// while no events are processed, taken down again.

#include "platform/ui/Animate.h"
#include "platform/ui/MessageFrm.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The animation's picture once it has moved on from the given one (or a second has passed),
// without processing events.
QImage repaintedAfterChangeOf(TAnimate &animation, const QImage &before)
{
    QElapsedTimer clock;
    clock.start();
    QImage now;
    do
        now = animation.grab().toImage();
    while (now == before && clock.elapsed() < 1000);
    return now;
}

} // namespace

class TestProgressNotice : public QObject
{
    Q_OBJECT

private slots:
    void newNoticeShowsTheProductNameAndNothingElse()
    {
        TMessageForm notice;
        QCOMPARE(notice.windowTitle(), QStringLiteral("Quorvel"));
        QCOMPARE(notice.Label2->text(), QStringLiteral("Quorvel"));
        QVERIFY(notice.Label1->text().isEmpty());
        QVERIFY(notice.Animate1->isHidden());
        QVERIFY(!notice.Animate1->Active());
        QCOMPARE(notice.Animate1->Phase(), 0.0);
        QVERIFY(!notice.isModal());
    }

    void noticeIsUpWithItsMessageUntilTheOperationEnds()
    {
        QVERIFY(!MessageForm);
        {
            TProgressNotice notice(nullptr, QStringLiteral("Please Wait Building Schedule Table"));
            QVERIFY(MessageForm);
            QVERIFY(MessageForm->isVisible());
            QVERIFY(MessageForm->Animate1->isVisible());
            QVERIFY(MessageForm->Animate1->Active());
            QCOMPARE(MessageForm->Label1->text(), QStringLiteral("Please Wait Building Schedule Table"));
            const QSize size = MessageForm->size();
            notice.SetMessage(QStringLiteral("Packing Schedule Table"));
            QCOMPARE(MessageForm->Label1->text(), QStringLiteral("Packing Schedule Table"));
            QCOMPARE(MessageForm->size(), size);
            // The whole message fits on the notice.
            QVERIFY(MessageForm->Label1->width() >= MessageForm->Label1->sizeHint().width());
        }
        QVERIFY(!MessageForm);
    }

    void noticeGoesWhenTheOperationFails()
    {
        QPointer<TMessageForm> shown;
        try {
            TProgressNotice notice(nullptr, QStringLiteral("Packing User Table"));
            shown = MessageForm;
            throw std::runtime_error("table in use");
        } catch (const std::runtime_error &) {
        }
        QVERIFY(!shown);
        QVERIFY(!MessageForm);
    }

    void noticeWithinANoticeGivesTheOuterOneBack()
    {
        TProgressNotice outer(nullptr, QStringLiteral("Starting Print Job"));
        TMessageForm *first = MessageForm;
        {
            TProgressNotice inner(nullptr, QStringLiteral("Please Wait Building Schedule Table"));
            QVERIFY(MessageForm != first);
            QVERIFY(!first->isVisible());
        }
        QCOMPARE(MessageForm, first);
        QVERIFY(first->isVisible());
        outer.SetMessage(QStringLiteral("Sending Page: 1 To Printer."));
        QCOMPARE(first->Label1->text(), QStringLiteral("Sending Page: 1 To Printer."));
    }

    // A window that puts a notice up on every rebuild keeps it, hidden, for the next time.
    void ownerKeepsItsNoticeForTheNextOperation()
    {
        QWidget owner;
        QPointer<TMessageForm> first;
        {
            TProgressNotice notice(&owner, QStringLiteral("Starting Print Job"));
            first = MessageForm;
            first->setWindowTitle(QStringLiteral("Print Reports"));
        }
        QVERIFY(first);
        QVERIFY(first->isHidden());
        QVERIFY(!first->Animate1->Active());
        QVERIFY(!MessageForm);
        {
            TProgressNotice again(&owner, QStringLiteral("Please Wait Building Schedule Table"));
            QCOMPARE(MessageForm, first.data());
            QVERIFY(first->isVisible());
            QVERIFY(first->Animate1->Active());
            QCOMPARE(first->windowTitle(), QStringLiteral("Quorvel"));
            QCOMPARE(first->Label1->text(), QStringLiteral("Please Wait Building Schedule Table"));
            // The notice in use is not taken for one put up within it.
            TProgressNotice inner(&owner, QStringLiteral("Packing User Table"));
            QVERIFY(MessageForm != first.data());
            QVERIFY(first->isHidden());
        }
        QVERIFY(!MessageForm);
        QCOMPARE(owner.findChildren<TMessageForm *>().size(), 2);
    }

    void animationMovesWhenTheNoticeIsRepaintedWithoutEvents()
    {
        TProgressNotice notice(nullptr, QStringLiteral("Please Wait Building Schedule Table"));
        PaintCounter counter;
        MessageForm->Animate1->installEventFilter(&counter);
        const QImage first = MessageForm->Animate1->grab().toImage();
        QVERIFY(repaintedAfterChangeOf(*MessageForm->Animate1, first) != first);
        // The caller's repaint reaches the animation at once.
        const int paintsBefore = counter.paints;
        MessageForm->repaint();
        QVERIFY(counter.paints > paintsBefore);
        MessageForm->Animate1->removeEventFilter(&counter);
    }

    void stoppedAnimationGoesBackToItsFirstPicture()
    {
        TAnimate animation;
        animation.resize(animation.sizeHint());
        const QImage still = animation.grab().toImage();
        animation.SetActive(true);
        QVERIFY(repaintedAfterChangeOf(animation, still) != still);
        animation.SetActive(false);
        QCOMPARE(animation.Phase(), 0.0);
        QCOMPARE(animation.grab().toImage(), still);
    }
};

QTEST_MAIN(TestProgressNotice)
#include "tst_progress_notice.moc"
