// The help window: Application Help and the Help buttons open the manual at their window's page,
// and the manual has a page for every window, with pictures and links that resolve.

#include "admin/DeleteOldFrm.h"
#include "admin/TypesFrm.h"
#include "app/MainFrm.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/HelpForm.h"
#include "reports/PrintResourceFrm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <functional>
#include <memory>

namespace {

QString manualText()
{
    QFile manual(QStringLiteral(QUORVEL_MANUAL));
    return manual.open(QIODevice::ReadOnly) ? QString::fromUtf8(manual.readAll()) : QString();
}

QStringList captures(const QString &text, const QString &pattern)
{
    QStringList found;
    for (const QRegularExpressionMatch &match : QRegularExpression(pattern).globalMatch(text))
        found << match.captured(1);
    return found;
}

// A site's working directory holding the manual, located there as at start-up, for as long as it
// lives.
class HelpSite
{
public:
    HelpSite()
    {
        QFile::copy(QStringLiteral(QUORVEL_MANUAL), m_dir.filePath(QString::fromLatin1(HelpFileName)));
        QDir::setCurrent(m_dir.path());
        LocateHelpFile();
    }
    ~HelpSite()
    {
        QDir::setCurrent(m_previous);
        HelpFilePresent = false;
    }
    QString helpFile() const { return m_dir.filePath(QString::fromLatin1(HelpFileName)); }

private:
    QString m_previous = QDir::currentPath();
    QTemporaryDir m_dir;
};

// What the help window showed when it opened.
struct Opened
{
    QString page;
    QString title;
    int scrolledTo = -1;
};

using NewWindow = std::function<QWidget *()>;

} // namespace

Q_DECLARE_METATYPE(NewWindow)

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void helpOpensTheManualAtTheWindowsPage_data()
    {
        QTest::addColumn<NewWindow>("newWindow");
        QTest::addColumn<QString>("page");
        QTest::newRow("Application Help") << NewWindow([] { return new TMainForm; }) << "TMainForm";
        QTest::newRow("a window's Help button") << NewWindow([] { return new TDeleteOldForm; }) << "TDeleteOldForm";
        QTest::newRow("a data window's Help button") << NewWindow([] { return new TTypesForm; }) << "TTypesForm";
        QTest::newRow("a report dialog's Help button")
            << NewWindow([] { return new TPrintResourceForm(nullptr); }) << "TReportDialog";
    }

    void helpOpensTheManualAtTheWindowsPage()
    {
        QFETCH(NewWindow, newWindow);
        QFETCH(QString, page);
        TestSite site;
        HelpSite help;
        QList<Opened> opened;
        ModalScript windows([&](QDialog &dialog) {
            auto &form = static_cast<THelpForm &>(dialog);
            form.show();
            if (!QTest::qWaitForWindowExposed(&form))
                return int(QDialog::Rejected);
            opened << Opened{form.HelpViewer->source().fragment(), form.HelpViewer->documentTitle(),
                             form.HelpViewer->verticalScrollBar()->value()};
            return int(QDialog::Rejected);
        });
        const std::unique_ptr<QWidget> window(newWindow());
        if (auto *main = qobject_cast<TMainForm *>(window.get())) {
            QVERIFY(main->ProdcutHelp1->isEnabled());
            main->ProdcutHelp1->trigger();
        } else {
            auto *button = window->findChild<QPushButton *>(QStringLiteral("HelpBtn"));
            QVERIFY(button->isVisibleTo(window.get()));
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(windows.shown, QStringList{"THelpForm"});
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].page, page);
        QCOMPARE(opened[0].title, QStringLiteral("Quorvel User Manual"));
        // The main window's page is the start of the manual; every other page lies further down.
        if (page != QStringLiteral("TMainForm"))
            QVERIFY(opened[0].scrolledTo > 0);
    }

    void helpFileGoneSinceStartUpIsSaidInTheWindow()
    {
        HelpSite help;
        QFile::remove(help.helpFile());
        THelpForm form(nullptr);
        form.ShowPage(QStringLiteral("TTypesForm"));
        QCOMPARE(form.HelpViewer->toPlainText(),
                 QStringLiteral("The help file cannot be read: ") + help.helpFile());
    }

    // Every window the user can reach has its page; the windows with a Help button open theirs.
    void manualHasAPageForEveryWindow_data()
    {
        QTest::addColumn<QString>("page");
        for (const char *page :
             {"TMainForm", "TDisplaySchedulesForm", "TSchedulesByTypeForm", "TFindAvailableResourceForm",
              "TSearchResultsForm", "TDisplayAllSchedulesForm", "TScheduleForm", "TScheduleRangeForm",
              "TTypesForm", "TResourceForm", "TResourceInformationForm", "TSetupUsersForm", "TUserForm",
              "TLoggedInUsersForm", "TSecurityForm", "TSystemSettingsForm", "TInformationForm",
              "TDeleteOldForm", "TReportDialog", "TReportPreviewForm"})
            QTest::newRow(page) << QString::fromLatin1(page);
    }

    void manualHasAPageForEveryWindow()
    {
        QFETCH(QString, page);
        QVERIFY(captures(manualText(), QStringLiteral("<a name=\"([^\"]+)\">")).contains(page));
    }

    void manualPicturesAndLinksResolve()
    {
        const QString text = manualText();
        QVERIFY(!text.isEmpty());
        const QDir docs = QFileInfo(QStringLiteral(QUORVEL_MANUAL)).dir();
        const QStringList pictures = captures(text, QStringLiteral("<img src=\"([^\"]+)\""));
        QVERIFY(!pictures.isEmpty());
        for (const QString &picture : pictures)
            QVERIFY2(docs.exists(picture), qPrintable(picture));
        const QStringList anchors = captures(text, QStringLiteral("<a name=\"([^\"]+)\">"));
        for (const QString &link : captures(text, QStringLiteral("<a href=\"#([^\"]+)\">")))
            QVERIFY2(anchors.contains(link), qPrintable(link));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
