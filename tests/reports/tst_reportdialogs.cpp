// The four report dialogs: their defaults, their checks, and the jobs their Preview and Print
// buttons produce.

#include "ReportJobs.h"
#include "ReportSite.h"

#include "app/MainFrm.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "reports/PrintResourceFrm.h"
#include "reports/PrintScheduleDateRangeFrm.h"
#include "reports/ResourceByTypeDetailFrm.h"
#include "reports/ResourceByTypeRangeFrm.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using namespace PageGeometry;

namespace {

const QString NoResource = QStringLiteral("Error: Please Select A Resource to Print");
const QString NoType = QStringLiteral("Error: Please Select A Type to Print");
const QString WrongOrder = QStringLiteral("Error: The Starting Date is Before The Ending Date");

std::unique_ptr<TReportDialog> newDialog(const QString &kind)
{
    if (kind == QLatin1String("resource"))
        return std::make_unique<TPrintResourceForm>(nullptr);
    if (kind == QLatin1String("resource range"))
        return std::make_unique<TPrintScheduleDateRangeForm>(nullptr);
    if (kind == QLatin1String("type"))
        return std::make_unique<TResourceByTypeDetailForm>(nullptr);
    return std::make_unique<TResourceByTypeRangeForm>(nullptr);
}

TDBLookupComboBox *lookupOf(TReportDialog &dialog)
{
    auto *lookup = dialog.findChild<TDBLookupComboBox *>(QStringLiteral("DBLookupComboBox1"));
    return lookup ? lookup : dialog.findChild<TDBLookupComboBox *>(QStringLiteral("TypeToPrint"));
}

TDateTimePicker *startOf(TReportDialog &dialog)
{
    auto *picker = dialog.findChild<TDateTimePicker *>(QStringLiteral("DateTimePicker1"));
    return picker ? picker : dialog.findChild<TDateTimePicker *>(QStringLiteral("DateToPrint"));
}

TDateTimePicker *endOf(TReportDialog &dialog)
{
    return dialog.findChild<TDateTimePicker *>(QStringLiteral("DateTimePicker2"));
}

// A site whose logged-on user has no rights, with a type of three rooms the user may see, one
// that is hidden from them, and a van of another type.
struct RoomsSite
{
    ReportSite site;
    int rooms = 0;
    int vans = 0;
    QList<int> visibleRooms;

    RoomsSite()
    {
        CurrentSecurity = TSecurityData();
        CurrentUser.UserID = QStringLiteral("BOB");
        rooms = site.addType(QStringLiteral("Rooms"));
        vans = site.addType(QStringLiteral("Vans"));
        visibleRooms << site.addResource(QStringLiteral("Room 1"), QStringLiteral("Meeting Room One"), rooms);
        site.addResource(QStringLiteral("Boardroom"), QStringLiteral("The Boardroom"), rooms, true, false);
        visibleRooms << site.addResource(QStringLiteral("Room 2"), QStringLiteral("Meeting Room Two"), rooms, true, true);
        visibleRooms << site.addResource(QStringLiteral("Room 3"), QStringLiteral("Meeting Room Three"), rooms);
        site.addResource(QStringLiteral("Van"), QStringLiteral("Transit Van"), vans);
        for (const int room : std::as_const(visibleRooms))
            site.book(room, Wednesday, Clock(9), Clock(10), QStringLiteral("ALICE"));
    }
};

} // namespace

class TestReportDialogs : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTodayTheCurrentRowAndTheDefaultFooter_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("gridCaption");
        QTest::newRow("resource") << "resource" << "Print Resource Schedule" << "Print In Grid Format";
        QTest::newRow("resource range") << "resource range" << "Print Schedule Date Range" << "Print In Grid Format";
        QTest::newRow("type") << "type" << "Resource By Type Detail" << "Print Grid Format";
        QTest::newRow("type range") << "type range" << "Resource By Type Range" << "Print Grid Format";
    }

    void opensOnTodayTheCurrentRowAndTheDefaultFooter()
    {
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(QString, gridCaption);
        RoomsSite rooms;
        SystemSettings.DefaultFooter = QStringLiteral("Keys at reception");
        SystemSettings.DefaultDays = 5;
        // The tables stand on their second rows.
        for (TTable *table : {&rooms.site.data().ResourceTable, &rooms.site.data().TypeTable}) {
            table->First();
            table->Next();
        }

        const auto dialog = newDialog(kind);
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(dialog->PrintGrid->text(), gridCaption);
        QVERIFY(!dialog->PrintGrid->isChecked());
        QCOMPARE(dialog->Footer->text(), QStringLiteral("Keys at reception"));
        QVERIFY(dialog->HelpBtn->isHidden());
        const bool byType = kind.startsWith(QLatin1String("type"));
        const QVariant current = byType ? rooms.site.data().TypeTable.FieldValue("TypeID")
                                        : rooms.site.data().ResourceTable.FieldValue("ResourceID");
        QCOMPARE(lookupOf(*dialog)->KeyValue().toInt(), current.toInt());
        QCOMPARE(startOf(*dialog)->Date(), TimeValue::today());
        if (TDateTimePicker *end = endOf(*dialog))
            QCOMPARE(end->Date(), TimeValue::today() + 5);
    }

    void startDateMovesTheEndDateOnlyForOneResource_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("follows");
        QTest::newRow("resource range") << "resource range" << true;
        QTest::newRow("type range") << "type range" << false;
    }

    void startDateMovesTheEndDateOnlyForOneResource()
    {
        QFETCH(QString, kind);
        QFETCH(bool, follows);
        ReportSite site;
        const auto dialog = newDialog(kind);
        const double end = endOf(*dialog)->Date();
        const QDate tenth = QDate::currentDate().addMonths(1);
        startOf(*dialog)->setDate(QDate(tenth.year(), tenth.month(), 10));   // as the user picks it
        QCOMPARE(TimeValue::toDate(startOf(*dialog)->Date()).day(), 10);
        if (follows)
            QCOMPARE(TimeValue::toDate(endOf(*dialog)->Date()), QDate(tenth.year(), tenth.month(), 17));
        else
            QCOMPARE(endOf(*dialog)->Date(), end);
    }

    void missingOrWrongChoicesAreReportedAndNothingRuns_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<int>("endDays");   // end date in days after the start
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("no resource") << "resource" << false << 0 << QStringList{NoResource};
        QTest::newRow("range: no resource, dates reversed") << "resource range" << false << -1 << QStringList{NoResource, WrongOrder};
        QTest::newRow("range: dates reversed") << "resource range" << true << -1 << QStringList{WrongOrder};
        QTest::newRow("range: one day") << "resource range" << true << 0 << QStringList{};
        QTest::newRow("no type") << "type" << false << 0 << QStringList{NoType};
        QTest::newRow("type range: no type, dates reversed") << "type range" << false << -3 << QStringList{NoType, WrongOrder};
    }

    void missingOrWrongChoicesAreReportedAndNothingRuns()
    {
        QFETCH(QString, kind);
        QFETCH(bool, chosen);
        QFETCH(int, endDays);
        QFETCH(QStringList, messages);
        RoomsSite rooms;
        MessageBoxRecorder boxes;
        PreviewCapture capture;
        const auto dialog = newDialog(kind);
        if (!chosen)
            lookupOf(*dialog)->SetKeyValue(QVariant());
        startOf(*dialog)->SetDateTime(Wednesday);
        if (TDateTimePicker *end = endOf(*dialog))
            end->SetDateTime(Wednesday + endDays);

        dialog->PreviewBtn->click();
        QCOMPARE(boxes.texts(), messages);
        for (const MessageRequest &box : std::as_const(boxes.shown))
            QCOMPARE(box.icon, MessageIcon::Error);
        QCOMPARE(capture.jobs.size(), messages.isEmpty() ? 1 : 0);
        if (messages.isEmpty())
            QCOMPARE(capture.jobs.at(0).pageCount, 1);
    }

    void typeReportGivesEachVisibleResourceItsOwnPages_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("grid");
        QTest::newRow("list") << "type" << false;
        QTest::newRow("grid") << "type" << true;
        QTest::newRow("one-day range") << "type range" << false;
    }

    void typeReportGivesEachVisibleResourceItsOwnPages()
    {
        QFETCH(QString, kind);
        QFETCH(bool, grid);
        RoomsSite rooms;
        const auto dialog = newDialog(kind);
        lookupOf(*dialog)->SetKeyValue(rooms.rooms);
        startOf(*dialog)->SetDateTime(Wednesday);
        if (TDateTimePicker *end = endOf(*dialog))
            end->SetDateTime(Wednesday);
        dialog->PrintGrid->setChecked(grid);

        PreviewCapture capture;
        dialog->PreviewBtn->click();
        QCOMPARE(capture.jobs.size(), 1);
        QCOMPARE(capture.jobs.at(0).pageCount, 3);
        auto &byType = dynamic_cast<TTypeReportDialog &>(*dialog);
        QCOMPARE(byType.ReportResources.size(), 3);
        for (qsizetype i = 0; i < 3; ++i)
            QCOMPARE(byType.ReportResources.at(i), QString::number(rooms.visibleRooms.at(i)));
        QVERIFY(dialog->result() != QDialog::Accepted);   // a preview leaves the dialog open

        QTemporaryDir folder;
        PrintToPdf(folder.filePath(QStringLiteral("type.pdf")));
        dialog->PrintBtn->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        const PrintedJob printed = ReadPdf(folder.filePath(QStringLiteral("type.pdf")));
        QCOMPARE(printed.pageCount, 3);
        const QStringList titles = {QStringLiteral("Meeting Room One"), QStringLiteral("Meeting Room Two"),
                                    QStringLiteral("Meeting Room Three")};
        for (int page = 0; page < 3; ++page) {
            const QString text = printed.pageTexts.value(page);
            QVERIFY2(text.startsWith(titles.at(page)), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Page: %1").arg(page + 1)), qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Alice Martin")));
            QVERIFY(!text.contains(QStringLiteral("Boardroom")) && !text.contains(QStringLiteral("Transit Van")));
        }
    }

    void typeWithNothingVisibleGivesOneBlankPage()
    {
        RoomsSite rooms;
        const int hidden = rooms.site.addType(QStringLiteral("Directors' cars"));
        rooms.site.addResource(QStringLiteral("Car 1"), QStringLiteral("Director's Car"), hidden, true, false);
        const auto dialog = newDialog(QStringLiteral("type range"));
        lookupOf(*dialog)->SetKeyValue(hidden);
        PreviewCapture capture;
        dialog->PreviewBtn->click();

        QCOMPARE(capture.jobs.size(), 1);
        QCOMPARE(capture.jobs.at(0).files, QStringList{QStringLiteral("1.jpg")});
        QVERIFY(IsBlank(capture.jobs.at(0).pages.at(0)));
        QVERIFY(dynamic_cast<TTypeReportDialog &>(*dialog).ReportResources.isEmpty());
    }

    void gridReportsArePortraitWhateverTheLandscapeSetting_data()
    {
        QTest::addColumn<bool>("grid");
        QTest::addColumn<QSize>("pageSize");
        QTest::newRow("list") << false << QSize(1056, 816);
        QTest::newRow("grid") << true << QSize(816, 1056);
    }

    void gridReportsArePortraitWhateverTheLandscapeSetting()
    {
        QFETCH(bool, grid);
        QFETCH(QSize, pageSize);
        RoomsSite rooms;
        SystemSettings.Landscape = true;
        const auto dialog = newDialog(QStringLiteral("resource"));
        lookupOf(*dialog)->SetKeyValue(rooms.visibleRooms.first());
        dialog->PrintGrid->setChecked(grid);
        PreviewCapture capture;
        dialog->PreviewBtn->click();
        QCOMPARE(capture.jobs.value(0).pages.value(0).size(), pageSize);
    }

    void reportsMenuOpensTheDialogs()
    {
        ReportSite site;
        TMainForm main;
        ModalScript script([](QDialog &) { return int(QDialog::Rejected); });
        for (QAction *command : {main.SingeResourceDetail1, main.SingleResourceWeek1, main.ResourceByTypeDetail1,
                                 main.ResourceByTypeWeek1})
            command->trigger();
        QCOMPARE(script.shown, (QStringList{QStringLiteral("TPrintResourceForm"), QStringLiteral("TPrintScheduleDateRangeForm"),
                                            QStringLiteral("TResourceByTypeDetailForm"), QStringLiteral("TResourceByTypeRangeForm")}));
    }

    void printGoesToThePrinterOnlyWhenThePrintDialogIsAccepted_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("cancelled") << "resource" << false;
        QTest::newRow("resource") << "resource" << true;
        QTest::newRow("resource range") << "resource range" << true;
        QTest::newRow("type range, list layout") << "type range" << true;
    }

    void printGoesToThePrinterOnlyWhenThePrintDialogIsAccepted()
    {
        QFETCH(QString, kind);
        QFETCH(bool, accepted);
        RoomsSite rooms;
        const auto dialog = newDialog(kind);
        lookupOf(*dialog)->SetKeyValue(kind.startsWith(QLatin1String("type")) ? rooms.rooms : rooms.visibleRooms.first());
        startOf(*dialog)->SetDateTime(Wednesday);
        if (TDateTimePicker *end = endOf(*dialog))
            end->SetDateTime(Wednesday + 1);

        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("printed.pdf"));
        PrintToPdf(file);
        PreviewCapture capture;
        capture.printAnswer = accepted ? QDialog::Accepted : QDialog::Rejected;
        dialog->PrintBtn->click();

        QCOMPARE(capture.shown().value(0), QStringLiteral("QPrintDialog"));
        QCOMPARE(capture.shown().size(), 1);   // no preview
        QCOMPARE(QFile::exists(file), accepted);
        QCOMPARE(dialog->result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        if (accepted)
            QVERIFY(ReadPdf(file).pageTexts.join(QLatin1Char(' ')).contains(QStringLiteral("Alice Martin")));
    }
};

QTEST_MAIN(TestReportDialogs)
#include "tst_reportdialogs.moc"
