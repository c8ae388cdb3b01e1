// quorvel-bench: measures what the program does on a large site against the least work that gives
// the same data, and prints both times and their ratio. Not a test: it asserts nothing and runs
// only when asked to (scripts/bench.sh).
//
// Usage: quorvel-bench LOCATION [NAME...]
//   LOCATION  a large site made by `quorvel-db demo LOCATION --scale 1`
//   NAME      the benchmarks to run (B1 ... B6); all of them when none is named

#include "app/StartUp.h"
#include "data/DatabaseSetup.h"
#include "data/LargeSite.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/print/JpegFile.h"
#include "platform/print/PageBitmap.h"
#include "platform/sys/NetworkIdentity.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/QuorvelApplication.h"
#include "reports/DetailListDaysReport.h"
#include "reports/ReportPreviewFrm.h"
#include "support/ScriptedDialogs.h"
#include "views/DisplayAllSchedulesFrm.h"
#include "views/DisplayScheduleFrm.h"
#include "views/SchedulesByTypeFrm.h"
#include "views/SearchResultsFrm.h"

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <map>

namespace {

QTextStream out(stdout);

// The median of a few runs, in milliseconds: one slow run (a cold cache, another process) does not
// decide the figure.
double medianMilliseconds(const std::function<void()> &work, int runs = 5)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

void report(const char *name, const QString &what, double program, double baseline, double target)
{
    const double ratio = program / std::max(baseline, 0.001);
    out << QStringLiteral("%1  %2\n    program %3 ms, baseline %4 ms, ratio %5 (target <= %6) %7\n")
               .arg(QLatin1String(name), what)
               .arg(program, 0, 'f', 1)
               .arg(baseline, 0, 'f', 1)
               .arg(ratio, 0, 'f', 2)
               .arg(target, 0, 'f', 1)
               .arg(ratio <= target ? QStringLiteral("met") : QStringLiteral("NOT MET"));
    out.flush();
}

// The data module open on the site, installed where the windows look for it, with the settings
// loaded and the person running the benchmark logged on.
class OpenSite
{
public:
    explicit OpenSite(const DatabaseLocation &location) : m_data(location)
    {
        ProgramDataForm = &m_data;
        m_data.DataModuleCreate();
        LoadSystemSettings();
        CurrentUser.UserID = QStringLiteral("Supervisor");
        LoadSecurityProfile(0);
    }
    ~OpenSite() { ProgramDataForm = nullptr; }
    TProgramDataForm &data() { return m_data; }

private:
    TProgramDataForm m_data;
};

// The bookings of one resource over some days with the reserved-by names, walked into memory: the
// least work that gives a schedule grid its data.
struct BookingRow
{
    double date, start, end;
    QString reservedBy, name, notes;
};

QList<BookingRow> bookingsBetween(TDatabase &database, const QString &where, const QVariantList &values)
{
    QSqlQuery query = database.exec(
        QStringLiteral("SELECT s.\"ScheduleDate\", s.\"StartTime\", s.\"EndTime\", s.\"ReservedBy\", u.\"UserName\", "
                       "s.\"Notes\" FROM \"Schedule\" s LEFT JOIN \"User\" u ON u.\"UserID\" = s.\"ReservedBy\" WHERE ")
            + where + QStringLiteral(" ORDER BY s.\"ResourceID\", s.\"ScheduleDate\", s.\"StartTime\", s.\"Sequence\""),
        values);
    QList<BookingRow> rows;
    while (query.next())
        rows << BookingRow{FieldValue::fromStorage(FieldKind::Date, query.value(0)).toDouble(),
                           FieldValue::fromStorage(FieldKind::Time, query.value(1)).toDouble(),
                           FieldValue::fromStorage(FieldKind::Time, query.value(2)).toDouble(),
                           query.value(3).toString(), query.value(4).toString(), query.value(5).toString()};
    return rows;
}

QVariant storedDate(TDatabase &database, const QDate &date)
{
    return FieldValue::toStorage(database.engine(), FieldKind::Date, TimeValue::fromDate(date));
}

int typeNamed(TDatabase &database, const QString &description)
{
    QSqlQuery query = database.exec(QStringLiteral("SELECT \"TypeID\" FROM \"Type\" WHERE \"Description\" = ?"), {description});
    if (!query.next())
        throw EDatabaseError(QStringLiteral("the site has no type %1: make it with quorvel-db demo --scale").arg(description));
    return query.value(0).toInt();
}

// The bookings of a day for the resources of a type, with the names: what a type's grid shows.
QList<BookingRow> typeBookings(TDatabase &database, int typeID, const QDate &day)
{
    return bookingsBetween(database,
                           QStringLiteral("s.\"ScheduleDate\" = ? AND s.\"ResourceID\" IN "
                                          "(SELECT \"ResourceID\" FROM \"Resource\" WHERE \"TypeID\" = ?)"),
                           {storedDate(database, day), typeID});
}

// B1: the type view of the 500-resource type on its busy day vs one query for those bookings.
void typeView(TDatabase &database)
{
    const int type = typeNamed(database, LargeSite::BigTypeName());
    const QDate day = LargeSite::BusyDay();
    TSchedulesByTypeForm view(nullptr);
    view.DisplayedDate->SetDateTime(TimeValue::fromDate(day));
    view.TypeIDDisplay->SetKeyValue(type);
    const double program = medianMilliseconds([&] { view.BuildScheduleTable(); });
    const double baseline = medianMilliseconds([&] { typeBookings(database, type, day); });
    report("B1", QStringLiteral("type view, %1 columns: BuildScheduleTable vs one query")
                     .arg(view.Schedule().ColCount() - 1),
           program, baseline, 2.0);
}

// B2: a search over the 1,000-resource type vs one query for the candidates' bookings of the day.
void findAvailable(TDatabase &database)
{
    const int type = typeNamed(database, LargeSite::HugeTypeName());
    const double day = TimeValue::fromDate(LargeSite::BusyDay());
    TSearchResultsForm results(nullptr);
    const double program = medianMilliseconds([&] { results.RunSearch(type, 0, day, 10.0 / 24, 11.0 / 24); });
    const double baseline = medianMilliseconds([&] { typeBookings(database, type, LargeSite::BusyDay()); });
    report("B2", QStringLiteral("find available, %1 free of the type: RunSearch vs one query")
                     .arg(results.Schedule().ColCount() - 1),
           program, baseline, 2.0);
}

// Resident memory of this process, in megabytes.
double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toDouble() * 4096 / (1024 * 1024);
}

// B3: the list of every booking, opened and painted, vs fetching the first 100 rows by Sequence.
void allSchedules(TDatabase &database)
{
    const double before = residentMegabytes();
    const double program = medianMilliseconds([] {
        TDisplayAllSchedulesForm list(nullptr);
        list.show();
        list.grab();
    });
    const double grown = residentMegabytes() - before;
    const double baseline = medianMilliseconds([&] {
        QSqlQuery query = database.exec(QStringLiteral("SELECT * FROM \"Schedule\" ORDER BY \"Sequence\" LIMIT 100"));
        QList<QVariantList> rows;
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i);
            rows << row;
        }
    });
    report("B3", QStringLiteral("all-schedules list: open and paint the first screen vs the first 100 rows"), program,
           baseline, 10.0);
    out << QStringLiteral("    resident memory grew by %1 MB (target <= 64)\n").arg(grown, 0, 'f', 1);
}

// B4: the start-up sequence up to the main window on screen, on the large site and on an empty one.
void startUp(const DatabaseLocation &large)
{
    QTemporaryDir emptyFolder;
    DatabaseLocation empty = DatabaseLocation::parse(emptyFolder.path());
    if (large.engine == EngineKind::PostgreSQL) {
        empty = large;
        empty.url.setPath(large.url.path() + QStringLiteral("_empty"));
    }
    DatabaseSetup::Init(empty, true);
    {
        TDatabase database(empty);
        database.Open();
        DatabaseSetup::AdmitWorkstation(database, NetworkIdentity::OperatingSystemUserName());
    }
    auto timeStartUp = [](const DatabaseLocation &site) {
        const QString alias = site.engine == EngineKind::SQLite ? site.directory : site.url.toString();
        qputenv(DatabaseLocation::EnvironmentVariable, alias.toUtf8());
        return medianMilliseconds([] {
            StartUp startUp({QStringLiteral("-S")});
            startUp.wait = [](int) {};
            startUp.messageLoop = [] {
                QCoreApplication::processEvents();
                return 0;
            };
            if (startUp.Run() != 0 || startUp.Outcome() != StartUpOutcome::Ran)
                throw EDatabaseError(QStringLiteral("the start-up did not reach the main window"));
        });
    };
    const double program = timeStartUp(large);
    const double baseline = timeStartUp(empty);
    report("B4", QStringLiteral("start-up to the main window, large site vs empty site"), program, baseline, 1.5);
}

// B5: a 200-page list report into the preview vs compressing 200 blank pages of that size.
void listReportPreview()
{
    const QDate first = LargeSite::BusyDay().addDays(-100);
    ModalScript closePreview([](QDialog &) { return int(QDialog::Rejected); });
    QSize pageSize;
    const double program = medianMilliseconds([&] {
        TReportPreviewForm surface(nullptr);
        ReportPreviewForm = &surface;
        surface.BeginReport(rtPreview, false);
        TDetailListDaysReport(1, TimeValue::fromDate(first), TimeValue::fromDate(first.addDays(199)), QStringLiteral("Footer"))
            .Execute();
        pageSize = LoadJpeg(surface.PageFileName(1)).size();
        if (surface.PageCount < 200)
            throw EDatabaseError(QStringLiteral("the report has %1 pages, not 200").arg(surface.PageCount));
        surface.EndReport();
        ReportPreviewForm = nullptr;
    }, 3);
    const double baseline = medianMilliseconds([&] {
        QTemporaryDir folder;
        const QImage blank = NewPageBitmap(pageSize.width(), pageSize.height());
        for (int page = 1; page <= 200; ++page)
            SaveJpeg(folder.filePath(QStringLiteral("%1.jpg").arg(page)), blank);
    }, 3);
    report("B5", QStringLiteral("200-page list report into the preview vs 200 blank pages through libjpeg"), program,
           baseline, 4.0);
}

// B6: the resource view over 31 days vs one query for those days' bookings.
void rangeView(TDatabase &database)
{
    const QDate first = LargeSite::BusyDay().addDays(-15);
    SystemSettings.DefaultDays = 31;
    ProgramDataForm->ResourceTable.FindKey({1});
    TDisplaySchedulesForm view(nullptr, false);
    view.DisplayedDate->SetDateTime(TimeValue::fromDate(first));
    const double program = medianMilliseconds([&] { view.BuildScheduleTable(); });
    const double baseline = medianMilliseconds([&] {
        bookingsBetween(database, QStringLiteral("s.\"ResourceID\" = ? AND s.\"ScheduleDate\" BETWEEN ? AND ?"),
                        {1, storedDate(database, first), storedDate(database, first.addDays(30))});
    });
    report("B6", QStringLiteral("resource view, 31 days: BuildScheduleTable vs one query"), program, baseline, 2.0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TQuorvelApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        QTextStream(stderr) << "Usage: quorvel-bench LOCATION [B1 ... B6]\n";
        return 2;
    }
    const DatabaseLocation location = DatabaseLocation::parse(arguments.first());
    const QStringList wanted = arguments.mid(1);
    auto runs = [&](const char *name) { return wanted.isEmpty() || wanted.contains(QLatin1String(name)); };
    try {
        out << "Quorvel benchmarks on " << location.describe() << "\n";
        {
            OpenSite site(location);
            TDatabase &database = site.data().ScheduleDatabase;
            if (runs("B1"))
                typeView(database);
            if (runs("B2"))
                findAvailable(database);
            if (runs("B3"))
                allSchedules(database);
            if (runs("B5"))
                listReportPreview();
            if (runs("B6"))
                rangeView(database);
        }
        if (runs("B4"))
            startUp(location);
    } catch (const std::exception &error) {
        QTextStream(stderr) << "quorvel-bench: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
