// The message box, the modal runner, the handlers' error report and its last net.

#include "platform/db/DatabaseError.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/QuorvelApplication.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageResult)

namespace {

// Presses a button of the message box that is about to open, once it is up.
void pressWhenShown(QMessageBox::StandardButton button, QString *title, int *icon)
{
    QTimer::singleShot(0, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        *title = box->windowTitle();
        *icon = box->icon();
        if (button == QMessageBox::Escape)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(button)->click();
    });
}

// A window whose events fail with an error.
class FailingObject : public QObject
{
public:
    std::function<void()> fail;
    int handled = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++handled;
        fail();
        return true;
    }
};

// A window whose handler fails with an error each time it runs.
class FailingHandler : public QObject
{
public:
    int runs = 0;
    void SaveBtnClick()
    {
        ++runs;
        throw EDatabaseError(QStringLiteral("Record locked by another user: Schedule"));
    }
};

} // namespace

class TestWindowServices : public QObject
{
    Q_OBJECT

private slots:
    void platformBoxReturnsThePressedButton_data()
    {
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<MessageResult>("result");
        QTest::newRow("ok") << MessageButtons::Ok << int(QMessageBox::Ok) << MessageResult::Ok;
        QTest::newRow("ok of ok/cancel") << MessageButtons::OkCancel << int(QMessageBox::Ok) << MessageResult::Ok;
        QTest::newRow("cancel") << MessageButtons::OkCancel << int(QMessageBox::Cancel) << MessageResult::Cancel;
        QTest::newRow("escape on ok/cancel") << MessageButtons::OkCancel << int(QMessageBox::Escape) << MessageResult::Cancel;
        QTest::newRow("yes") << MessageButtons::YesNo << int(QMessageBox::Yes) << MessageResult::Yes;
        QTest::newRow("no") << MessageButtons::YesNo << int(QMessageBox::No) << MessageResult::No;
        QTest::newRow("escape on yes/no") << MessageButtons::YesNo << int(QMessageBox::Escape) << MessageResult::No;
    }

    void platformBoxReturnsThePressedButton()
    {
        QFETCH(MessageButtons, buttons);
        QFETCH(int, press);
        QFETCH(MessageResult, result);
        QString title;
        int icon = -1;
        pressWhenShown(QMessageBox::StandardButton(press), &title, &icon);
        QCOMPARE(ShowMessageBox(QStringLiteral("Delete it?"), MessageIcon::Question, buttons), result);
        QCOMPARE(title, QStringLiteral("Quorvel"));
        QCOMPARE(icon, int(QMessageBox::Question));
    }

    void iconsMapOntoThePlatformIcons_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("platformIcon");
        QTest::newRow("error") << int(MessageIcon::Error) << int(QMessageBox::Critical);
        QTest::newRow("stop") << int(MessageIcon::Stop) << int(QMessageBox::Critical);
        QTest::newRow("warning") << int(MessageIcon::Warning) << int(QMessageBox::Warning);
        QTest::newRow("information") << int(MessageIcon::Information) << int(QMessageBox::Information);
        QTest::newRow("none") << int(MessageIcon::None) << int(QMessageBox::NoIcon);
    }

    void iconsMapOntoThePlatformIcons()
    {
        QFETCH(int, icon);
        QFETCH(int, platformIcon);
        QString title;
        int shownIcon = -1;
        pressWhenShown(QMessageBox::Ok, &title, &shownIcon);
        ShowMessageBox(QStringLiteral("Done"), MessageIcon(icon));
        QCOMPARE(shownIcon, platformIcon);
    }

    void replacedBoxIsAskedInsteadAndRestored()
    {
        {
            MessageBoxRecorder recorder;
            recorder.answerNext(MessageResult::Yes);
            QCOMPARE(ShowMessageBox(QStringLiteral("Pack?"), MessageIcon::Stop, MessageButtons::YesNo), MessageResult::Yes);
            QCOMPARE(ShowMessageBox(QStringLiteral("Again?"), MessageIcon::Stop, MessageButtons::YesNo), MessageResult::No);
            QCOMPARE(recorder.shown.size(), 2);
            QCOMPARE(recorder.shown.at(0).title, QStringLiteral("Quorvel"));
            QCOMPARE(recorder.shown.at(0).text, QStringLiteral("Pack?"));
            QCOMPARE(recorder.shown.at(0).icon, MessageIcon::Stop);
            QCOMPARE(recorder.shown.at(0).buttons, MessageButtons::YesNo);
        }
        // Gone with the recorder: the real box is back.
        QString title;
        int icon = -1;
        pressWhenShown(QMessageBox::Ok, &title, &icon);
        QCOMPARE(ShowMessageBox(QStringLiteral("Real"), MessageIcon::Information), MessageResult::Ok);
        QCOMPARE(title, QStringLiteral("Quorvel"));
    }

    void modalRunnerShowsTheDialogModally()
    {
        QDialog dialog;
        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            wasModal = QApplication::activeModalWidget() == &dialog;
            dialog.done(7);
        });
        QCOMPARE(RunModal(dialog), 7);
        QVERIFY(wasModal);
    }

    void replacedModalRunnerDrivesTheDialog()
    {
        QDialog dialog;
        {
            ModalScript script([](QDialog &shown) {
                shown.setWindowTitle(QStringLiteral("driven"));
                return int(QDialog::Accepted);
            });
            QCOMPARE(RunModal(dialog), int(QDialog::Accepted));
            QCOMPARE(script.shown, QStringList{QStringLiteral("QDialog")});
        }
        QCOMPARE(dialog.windowTitle(), QStringLiteral("driven"));
        QTimer::singleShot(0, &dialog, &QDialog::reject);
        QCOMPARE(RunModal(dialog), int(QDialog::Rejected));
    }

    // The button's click() returns normally: the error stops in the handler's own frame, before
    // it could unwind through Qt's signal code into the caller.
    void connectedHandlersReportTheirErrorsWithoutUnwindingThroughQt()
    {
        MessageBoxRecorder recorder;
        QPushButton button;
        button.setCheckable(true);
        FailingHandler window;
        QList<bool> lambdaSaw;
        ConnectHandler(&button, &QPushButton::clicked, &window, &FailingHandler::SaveBtnClick);
        ConnectHandler(&button, &QPushButton::clicked, &window, [&](bool checked) {
            lambdaSaw << checked;
            throw std::runtime_error("out of paper");
        });
        button.click();
        button.click();
        QCOMPARE(window.runs, 2);
        QCOMPARE(lambdaSaw, QList<bool>({true, false}));
        const QString locked = QStringLiteral("Record locked by another user: Schedule");
        const QString paper = QStringLiteral("out of paper");
        QCOMPARE(recorder.texts(), QStringList({locked, paper, locked, paper}));
        QCOMPARE(recorder.shown.at(0).icon, MessageIcon::Error);
    }

    void errorsEscapingAnEventHandlerAreReportedAndTheProgramGoesOn_data()
    {
        QTest::addColumn<bool>("engineError");
        QTest::newRow("engine error") << true;
        QTest::newRow("other error") << false;
    }

    void errorsEscapingAnEventHandlerAreReportedAndTheProgramGoesOn()
    {
        QFETCH(bool, engineError);
        MessageBoxRecorder recorder;
        FailingObject object;
        object.fail = [engineError] {
            if (engineError)
                throw EDatabaseError(QStringLiteral("Record locked by another user: Schedule"));
            throw std::runtime_error("out of paper");
        };
        const QString expected = engineError ? QStringLiteral("Record locked by another user: Schedule")
                                             : QStringLiteral("out of paper");
        QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&object, QEvent::User);
        QCOMPARE(object.handled, 2);
        QCOMPARE(recorder.texts(), QStringList({expected, expected}));
        QCOMPARE(recorder.shown.at(0).icon, MessageIcon::Error);
        QCOMPARE(recorder.shown.at(0).title, QStringLiteral("Quorvel"));
    }
};

int main(int argc, char *argv[])
{
    TQuorvelApplication application(argc, argv);
    TestWindowServices test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_services.moc"
