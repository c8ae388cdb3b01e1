// Finding a free resource: the criteria dialog, the search the main window runs from it, the
// results, and booking from them.

#include "ViewSite.h"
#include "app/MainFrm.h"
#include "editors/ScheduleFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DrawGrid.h"
#include "platform/ui/SpinEdit.h"
#include "schedule/ProgramConst.h"
#include "support/ScriptedDialogs.h"
#include "views/FindAvailableResourceFrm.h"
#include "views/SearchResultsFrm.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace {

const double Tuesday = TimeValue::fromDate(QDate(2030, 3, 5));

QStringList headings(const TSearchResultsForm &results)
{
    QStringList texts;
    if (results.DrawGrid1->isHidden())
        return texts;
    for (int col = 1; col < results.DrawGrid1->ColCount(); ++col)
        texts << CellText(results.Schedule().Cell(col, 0));
    return texts;
}

// A type of rooms searched on Tuesday from 10:00 to 11:00: rooms of every size, a room busy up to
// the start, one busy from the start, one anyone may see but only listed users book, one only they
// see, and a van of another type.
struct SearchSite : ViewSite
{
    SearchSite()
    {
        rooms = addType(QStringLiteral("Rooms"));
        const int vans = addType(QStringLiteral("Vans"));
        addResource(QStringLiteral("Empty"), rooms, 0);
        addResource(QStringLiteral("Small"), rooms, 4);
        endsAtStart = addResource(QStringLiteral("Before"), rooms, 12);
        const int startsAtStart = addResource(QStringLiteral("At"), rooms, 12);
        viewable = addResource(QStringLiteral("Viewable"), rooms, 12, true, true);
        hidden = addResource(QStringLiteral("Hidden"), rooms, 12, true, false);
        addResource(QStringLiteral("Van"), vans, 12);
        addBooking(endsAtStart, Tuesday, at(9, 0), at(10, 0));
        addBooking(endsAtStart, Tuesday, at(14, 0), at(15, 0));
        addBooking(startsAtStart, Tuesday, at(10, 0), at(10, 30));
        standOnType(rooms);
    }

    void search(TSearchResultsForm &results, int capacity = 0)
    {
        results.RunSearch(rooms, capacity, Tuesday, at(10, 0), at(11, 0));
    }

    int rooms = 0;
    int endsAtStart = 0;
    int viewable = 0;
    int hidden = 0;
};

// What the booking editor was opened with.
struct Proposal
{
    int resource = -1;
    double date = 0;
    double start = 0;
    bool canSave = false;
};

Proposal proposalOf(const TScheduleForm &editor)
{
    return {FieldValue::asInteger(editor.ResourceLookup->KeyValue(), 0), editor.EventDatePicker->Date(),
            TruncToMinute(editor.SchStartTime->Time()), editor.SaveBtn->isEnabled()};
}

} // namespace

class TestSearchResults : public QObject
{
    Q_OBJECT

private slots:
    void criteriaDialogOpensOnTheSlotOfNow()
    {
        SearchSite site;
        const double before = RangeInitialStart(TimeValue::now());
        TFindAvailableResourceForm criteria;
        const double after = RangeInitialStart(TimeValue::now());
        QCOMPARE(criteria.windowTitle(), QStringLiteral("Find Available Schedule"));
        QCOMPARE(criteria.ResourceType->currentText(), QStringLiteral("Rooms"));
        QCOMPARE(criteria.Capacity->Value(), 0);
        QCOMPARE(criteria.EventDate->Date(), TimeValue::today());
        const double start = criteria.StartTime->Time();
        QVERIFY(start == before || start == after);
        QCOMPARE(criteria.StopTime->Time(), EndTimeFor(start, 30));
        QVERIFY(!criteria.StopTime->isEnabled());
        QCOMPARE(criteria.Duration->Value(), 30);
        QCOMPARE(criteria.Duration->MinValue(), 30);
        QCOMPARE(criteria.Duration->MaxValue(), 1440);
        QCOMPARE(criteria.Duration->Increment(), 30);
    }

    void endTimeFollowsStartAndDuration_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<int>("duration");
        QTest::addColumn<double>("end");
        QTest::newRow("within the day") << QTime(10, 0) << 90 << at(11, 30);
        QTest::newRow("past midnight") << QTime(23, 0) << 120 << EndOfDayTime;
        QTest::newRow("a whole day") << QTime(22, 0) << 1440 << at(22, 0);
    }

    void endTimeFollowsStartAndDuration()
    {
        QFETCH(QTime, start);
        QFETCH(int, duration);
        QFETCH(double, end);
        SearchSite site;
        TFindAvailableResourceForm criteria;
        criteria.StartTime->setTime(start);   // as the user sets them
        criteria.Duration->SetValue(duration);
        QCOMPARE(criteria.StopTime->Time(), end);
        criteria.Duration->SetValue(30);
        criteria.StartTime->setTime(start);
        criteria.Duration->SetValue(duration);
        QCOMPARE(criteria.StopTime->Time(), end);
    }

    void searchAcceptsOnlyATypeAndAnEndNotBeforeTheStart_data()
    {
        QTest::addColumn<bool>("typeChosen");
        QTest::addColumn<double>("stop");
        QTest::addColumn<QString>("message");
        QTest::newRow("valid") << true << at(11, 0) << QString();
        QTest::newRow("end equal to the start") << true << at(10, 0, 40) << QString();
        QTest::newRow("no type") << false << at(11, 0) << "Error: Please Select A Resource Type";
        QTest::newRow("end before the start") << true << at(9, 59) << "Error: End Time Cannot Be Before Start Time";
    }

    void searchAcceptsOnlyATypeAndAnEndNotBeforeTheStart()
    {
        QFETCH(bool, typeChosen);
        QFETCH(double, stop);
        QFETCH(QString, message);
        SearchSite site;
        TFindAvailableResourceForm criteria;
        if (!typeChosen)
            criteria.ResourceType->SetKeyValue(QVariant());
        criteria.StartTime->SetDateTime(at(10, 0));
        criteria.StopTime->SetDateTime(stop);
        MessageBoxRecorder boxes;
        criteria.SearchBtnClick();
        QCOMPARE(criteria.result(), message.isEmpty() ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(boxes.shown.first().icon, MessageIcon::Error);
    }

    void mainWindowSearchesOnlyAfterSearch_data()
    {
        QTest::addColumn<bool>("search");
        QTest::newRow("Search") << true;
        QTest::newRow("Cancel") << false;
    }

    void mainWindowSearchesOnlyAfterSearch()
    {
        QFETCH(bool, search);
        SearchSite site;
        TMainForm main;
        QString searched;
        ModalScript windows([&](QDialog &dialog) {
            if (auto *criteria = qobject_cast<TFindAvailableResourceForm *>(&dialog)) {
                criteria->Capacity->SetValue(10);
                criteria->EventDate->SetDateTime(Tuesday);
                criteria->StartTime->setTime(QTime(10, 0));
                criteria->Duration->SetValue(60);
                if (search)
                    criteria->SearchBtnClick();
                else
                    criteria->reject();
                return criteria->result();
            }
            const auto &results = static_cast<TSearchResultsForm &>(dialog);
            searched = results.Label1->text() + QLatin1Char(' ') + headings(results).join(QLatin1Char(','));
            return int(QDialog::Rejected);
        });
        main.findChild<QAction *>(QStringLiteral("FindAvailableResource1"))->trigger();
        if (search) {
            QCOMPARE(windows.shown, (QStringList{"TFindAvailableResourceForm", "TSearchResultsForm"}));
            QCOMPARE(searched, QStringLiteral("03/05/2030 Before,Viewable"));
        } else {
            QCOMPARE(windows.shown, QStringList{"TFindAvailableResourceForm"});
        }
    }

    void listsTheFreeVisibleResourcesLargeEnough_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<bool>("supervisor");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("any size") << 0 << false << false << QStringList{"Empty", "Small", "Before", "Viewable"};
        QTest::newRow("at least 5") << 5 << false << false << QStringList{"Before", "Viewable"};
        QTest::newRow("listed for the hidden room") << 5 << false << true << QStringList{"Before", "Viewable", "Hidden"};
        QTest::newRow("supervisor") << 5 << true << false << QStringList{"Before", "Viewable", "Hidden"};
    }

    void listsTheFreeVisibleResourcesLargeEnough()
    {
        QFETCH(int, capacity);
        QFETCH(bool, supervisor);
        QFETCH(bool, listed);
        QFETCH(QStringList, columns);
        SearchSite site;
        CurrentSecurity.Supervisor = supervisor;
        if (listed)
            site.data.AllowedResources << QString::number(site.hidden);
        TSearchResultsForm results;
        site.search(results, capacity);
        QCOMPARE(results.windowTitle(), QStringLiteral("Search Results"));
        QCOMPARE(results.Label1->text(), QStringLiteral("03/05/2030"));
        QCOMPARE(headings(results), columns);
        // Each column holds all of its resource's bookings of the day.
        const int before = int(columns.indexOf(QStringLiteral("Before"))) + 1;
        QCOMPARE(CellText(results.Schedule().Cell(before, 19)), QStringLiteral("Me Myself"));
        QCOMPARE(CellText(results.Schedule().Cell(before, 29)), QStringLiteral("Me Myself"));
        QCOMPARE(CellText(results.Schedule().Cell(before, 21)), QString());
        // It opens on the requested start in the first result column.
        QCOMPARE(results.DrawGrid1->Row(), 21);
        QCOMPARE(results.DrawGrid1->Col(), 1);
    }

    void lateSearchEndsAtTheEndOfTheDay()
    {
        SearchSite site;
        const int late = site.addResource(QStringLiteral("Late"), site.rooms, 12);
        const int evening = site.addResource(QStringLiteral("Evening"), site.rooms, 12);
        site.addBooking(late, Tuesday, at(23, 50), at(23, 59));
        site.addBooking(evening, Tuesday, at(22, 0), at(23, 0));
        TFindAvailableResourceForm criteria;
        criteria.StartTime->setTime(QTime(23, 0));
        criteria.Duration->SetValue(120);
        TSearchResultsForm results;
        results.RunSearch(site.rooms, 12, Tuesday, criteria.SearchStart(), criteria.SearchStop());
        QCOMPARE(headings(results), (QStringList{"Before", "At", "Viewable", "Evening"}));
        QCOMPARE(results.DrawGrid1->Row(), 47);
    }

    void noFreeResourceShowsTheMessageAndAddStartsABookingOfNoResource()
    {
        SearchSite site;
        TSearchResultsForm results;
        results.RunSearch(site.rooms, 100, Tuesday, at(10, 0), at(11, 0));
        QVERIFY(results.DrawGrid1->isHidden());
        QVERIFY(results.Label2->isVisibleTo(&results));
        QCOMPARE(results.Label2->text(), QStringLiteral("No Resource Are Available For The Specified Time"));

        Proposal proposal;
        ModalScript windows([&](QDialog &dialog) {
            proposal = proposalOf(static_cast<TScheduleForm &>(dialog));
            return int(QDialog::Rejected);
        });
        const double before = SlotStartTime(ShownRowOfTime(TimeOfDayNow(), 49));
        results.AddBtnClick();
        const double after = SlotStartTime(ShownRowOfTime(TimeOfDayNow(), 49));
        QCOMPARE(windows.shown, QStringList{"TScheduleForm"});
        QCOMPARE(proposal.resource, 0);
        QCOMPARE(proposal.date, Tuesday);
        QVERIFY(qAbs(proposal.start - before) < 1e-9 || qAbs(proposal.start - after) < 1e-9);
        QCOMPARE(results.result(), int(QDialog::Rejected));
    }

    void addBooksTheFirstFreeResourceAtTheStartAndCloses()
    {
        SearchSite site;
        TSearchResultsForm results;
        site.search(results, 5);
        showActive(results);
        Proposal proposal;
        ModalScript windows([&](QDialog &dialog) {
            auto &editor = static_cast<TScheduleForm &>(dialog);
            proposal = proposalOf(editor);
            editor.SaveBtnClick();
            return editor.result();
        });
        QTest::mouseClick(results.AddBtn, Qt::LeftButton);
        QCOMPARE(proposal.resource, site.endsAtStart);
        QCOMPARE(proposal.date, Tuesday);
        QCOMPARE(proposal.start, at(10, 0));
        QVERIFY(!results.isVisible());
        QCOMPARE(results.result(), int(QDialog::Accepted));
        QVERIFY(!ScheduleIsFree(-1, site.endsAtStart, Tuesday, at(10, 0), at(10, 30)));
    }

    void aViewableRoomOpensReadOnlyAndCancelKeepsTheResults()
    {
        SearchSite site;
        TSearchResultsForm results;
        site.search(results, 5);
        showActive(results);
        Proposal proposal;
        ModalScript windows([&](QDialog &dialog) {
            proposal = proposalOf(static_cast<TScheduleForm &>(dialog));
            return int(QDialog::Rejected);
        });
        const QRect viewableAtTen = results.DrawGrid1->CellRect(2, 21);
        QTest::mouseDClick(results.DrawGrid1->viewport(), Qt::LeftButton, {}, viewableAtTen.center());
        QCOMPARE(windows.shown, QStringList{"TScheduleForm"});
        QCOMPARE(proposal.resource, site.viewable);
        QVERIFY(!proposal.canSave);
        QVERIFY(results.isVisible());

        results.DrawGrid1DblClick(0, 21);   // the time column opens nothing
        QCOMPARE(windows.shown.size(), 1);
    }
};

QTEST_MAIN(TestSearchResults)
#include "tst_searchresults.moc"
