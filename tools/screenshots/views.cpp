// quorvel-view-screenshots: opens the schedule views, the search for a free resource and its
// results, the list of all bookings, the booking editor, the resource information, resources and
// types windows from the main window's commands on an existing database, without a
// display, and saves them as PNG files for the documentation.
//
//   quorvel-view-screenshots DATABASE [DIRECTORY]     (default directory: docs)
//
// DATABASE is a location as quorvel-db takes it, best a demo site (quorvel-db demo DATABASE).

#include "admin/ResourceFrm.h"
#include "admin/TypesFrm.h"
#include "app/Logon.h"
#include "app/MainFrm.h"
#include "common/ResourceInformationFrm.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DrawGrid.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/QuorvelApplication.h"
#include "platform/ui/SpinEdit.h"
#include "schedule/ProgramConst.h"
#include "ShotTool.h"
#include "views/DisplayAllSchedulesFrm.h"
#include "views/DisplayScheduleFrm.h"
#include "views/FindAvailableResourceFrm.h"
#include "views/SchedulesByTypeFrm.h"
#include "views/SearchResultsFrm.h"

#include <QAction>
#include <QDir>
#include <QTextStream>

namespace {

constexpr double ShownFrom = 7.5 / 24.0;   // the morning, just before working hours

void save(QWidget &window, const QDir &directory, const char *name)
{
    const QString path = directory.filePath(QLatin1String(name));
    if (!window.grab().save(path))
        throw EDatabaseError(QStringLiteral("Could not write %1").arg(path));
    QTextStream(stdout) << "Wrote " << QDir::toNativeSeparators(path) << "\n";
}

// The Monday of this week: the demo site books this week and the next, Monday to Friday.
double thisMonday()
{
    const QDate today = QDate::currentDate();
    return TimeValue::fromDate(today.addDays(1 - today.dayOfWeek()));
}

// The first booked slot of the view's first day, from the morning on.
QPoint firstBookedCell(const TDisplaySchedulesForm &view)
{
    for (int row = SlotOfTime(ShownFrom); row < view.Schedule().RowCount(); ++row)
        if (!CellText(view.Schedule().Cell(1, row)).isEmpty())
            return QPoint(1, row);
    return QPoint(1, SlotOfTime(ShownFrom));
}

class ViewShots
{
public:
    explicit ViewShots(const QString &directory) : m_directory(directory)
    {
        m_directory.mkpath(QStringLiteral("."));
        SetModalRunner([this](QDialog &dialog) { return take(dialog); });
    }
    ~ViewShots() { SetModalRunner({}); }

private:
    int take(QDialog &dialog)
    {
        dialog.show();
        if (auto *view = qobject_cast<TDisplaySchedulesForm *>(&dialog))
            takeView(*view);
        else if (auto *editor = qobject_cast<TScheduleForm *>(&dialog))
            takeEditor(*editor);
        else if (qobject_cast<TResourceInformationForm *>(&dialog))
            save(dialog, m_directory, "resource-information.png");
        else if (qobject_cast<TResourceForm *>(&dialog))
            save(dialog, m_directory, "resources.png");
        else if (qobject_cast<TTypesForm *>(&dialog))
            save(dialog, m_directory, "types.png");
        else if (auto *byType = qobject_cast<TSchedulesByTypeForm *>(&dialog))
            takeTypeView(*byType);
        else if (auto *criteria = qobject_cast<TFindAvailableResourceForm *>(&dialog))
            return takeCriteria(*criteria);
        else if (qobject_cast<TSearchResultsForm *>(&dialog))
            save(dialog, m_directory, "search-results.png");
        else if (qobject_cast<TDisplayAllSchedulesForm *>(&dialog))
            save(dialog, m_directory, "all-schedules.png");
        return QDialog::Rejected;
    }

    void takeTypeView(TSchedulesByTypeForm &view)
    {
        view.DisplayedDate->setDate(TimeValue::toDate(thisMonday() + 2));
        view.ShowTimeOfDay(ShownFrom);
        save(view, m_directory, "types-view.png");
    }

    // A room for at least four people on Wednesday from 10:00 for an hour; the search goes on to
    // the results.
    int takeCriteria(TFindAvailableResourceForm &criteria)
    {
        criteria.Capacity->SetValue(4);
        criteria.EventDate->SetDateTime(thisMonday() + 2);
        criteria.StartTime->setTime(QTime(10, 0));
        criteria.Duration->SetValue(60);
        save(criteria, m_directory, "find-available.png");
        criteria.SearchBtnClick();
        return criteria.result();
    }

    // The detail view shows Wednesday and opens the editor on its first booking; the range
    // starts on Monday, so that the week's end shows too.
    void takeView(TDisplaySchedulesForm &view)
    {
        view.DisplayedDate->setDate(TimeValue::toDate(thisMonday() + (view.DetailMode() ? 2 : 0)));
        view.ShowTimeOfDay(ShownFrom);
        save(view, m_directory, view.DetailMode() ? "resource-detail.png" : "resource-range.png");
        if (view.DetailMode()) {
            const QPoint booked = firstBookedCell(view);
            view.DrawGrid1DblClick(booked.x(), booked.y());
        }
    }

    void takeEditor(TScheduleForm &editor)
    {
        save(editor, m_directory, "booking-editor.png");
        editor.InfoBtnClick();
    }

    QDir m_directory;
};

void takeAll(const QString &database, const QString &directory)
{
    ShotSite site(database, QStringLiteral("ADMIN"), QStringLiteral("admin"), true);
    TProgramDataForm &data = site.data;
    TMainForm main;
    main.FormActivate();
    data.ResourceTable.FindKey({QStringLiteral("Room 101")});

    ViewShots shots(directory);
    main.DisplayResourceDetail1->trigger();
    main.DisplayRangeOfDate1->trigger();
    data.ResourceTable.FindKey({QStringLiteral("Board Room")});   // restricted to a few users
    main.Resources1->trigger();
    main.Types1->trigger();
    data.TypeTable.FindKey({QStringLiteral("Meeting Rooms")});
    main.DisplayByResourceType1->trigger();
    main.FindAvailableResource1->trigger();
    data.ScheduleTable.First();
    main.DisplayAllSchedules1->trigger();
}

} // namespace

int main(int argc, char *argv[])
{
    return RunScreenshotTool(argc, argv, "quorvel-view-screenshots", takeAll);
}
