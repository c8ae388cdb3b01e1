// quorvel-report-screenshots: previews a list report and a grid report of the demo site, without a
// display, and saves the preview windows as PNG files for the documentation.
//
//   quorvel-report-screenshots [DIRECTORY]     (default: docs)

#include "data/DatabaseSetup.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/QuorvelApplication.h"
#include "reports/PrintResourceFrm.h"
#include "reports/PrintScheduleDateRangeFrm.h"
#include "reports/ReportPreviewFrm.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// Large enough to show a whole portrait page and the button bar.
const QSize PreviewWindowSize(860, 1120);
const QString DoorFooter = QStringLiteral("Book through Quorvel or at reception, extension 150");

// Saves pictures in the directory; runs every preview by grabbing it into the file named next.
class PreviewGrabber
{
public:
    explicit PreviewGrabber(const QString &directory) : m_directory(directory)
    {
        m_directory.mkpath(QStringLiteral("."));
        SetModalRunner([this](QDialog &dialog) { return grab(dialog); });
    }
    ~PreviewGrabber() { SetModalRunner({}); }

    QString next;

    void save(const QPixmap &picture, const QString &name)
    {
        const QString path = m_directory.filePath(name);
        if (!picture.save(path))
            throw EDatabaseError(QStringLiteral("Could not write %1").arg(path));
        QTextStream(stdout) << "Wrote " << QDir::toNativeSeparators(path) << Qt::endl;
    }

private:
    int grab(QDialog &dialog)
    {
        dialog.resize(PreviewWindowSize);
        dialog.show();
        save(dialog.grab(), next);
        dialog.reject();
        return QDialog::Rejected;
    }

    QDir m_directory;
};

// The demo resource with the most bookings on the day, so that the pictures show a busy page.
int busiestResource(double day)
{
    TQuery &query = ProgramDataForm->ScheduleQuery;
    query.Close();
    query.Clear();
    query.Add(QStringLiteral("Select ResourceID, Count(*) As Bookings From \"Schedule.db\""));
    query.Add(QStringLiteral("Where ScheduleDate = :ScheduleDate"));
    query.Add(QStringLiteral("Group By ResourceID Order By Count(*) Desc, ResourceID"));
    query.SetParam(QStringLiteral("ScheduleDate"), FieldValue::date(day));
    query.Prepare();
    query.Open();
    query.First();
    const int resourceID = query.Eof() ? 1 : FieldValue::asInteger(query.FieldValue(QStringLiteral("ResourceID")), 1);
    query.Close();
    query.Unprepare();
    return resourceID;
}

void takeAll(PreviewGrabber &grabber)
{
    QTemporaryDir site;
    const DatabaseLocation location = DatabaseLocation::parse(site.path());
    DatabaseSetup::Init(location);
    {
        TDatabase database(location, QStringLiteral("quorvel-report-screenshots"));
        database.Open();
        DatabaseSetup::SeedDemo(database, QString());
    }
    TProgramDataForm data(location);
    ProgramDataForm = &data;
    data.DataModuleCreate();
    LoadSystemSettings();
    CurrentSecurity.Supervisor = true;

    // The demo bookings fill the working days of this week and the next.
    const QDate today = QDate::currentDate();
    const double monday = TimeValue::fromDate(today.addDays(1 - today.dayOfWeek()));
    const int resourceID = busiestResource(monday);

    TPrintResourceForm single(nullptr);
    single.DBLookupComboBox1->SetKeyValue(resourceID);
    single.DateTimePicker1->SetDateTime(monday);
    single.Footer->setText(DoorFooter);
    grabber.next = QStringLiteral("report-list.png");
    single.PreviewBtn->click();

    TPrintScheduleDateRangeForm range(nullptr);
    range.DBLookupComboBox1->SetKeyValue(resourceID);
    range.DateTimePicker1->SetDateTime(monday);
    range.DateTimePicker2->SetDateTime(monday + 2);
    range.Footer->setText(DoorFooter);
    range.PrintGrid->setChecked(true);
    range.Footer->home(false);
    range.show();
    grabber.save(range.grab(), QStringLiteral("report-dialog.png"));
    grabber.next = QStringLiteral("report-grid.png");
    range.PreviewBtn->click();
    ProgramDataForm = nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TQuorvelApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    PreviewGrabber grabber(QApplication::arguments().value(1, QStringLiteral("docs")));
    try {
        takeAll(grabber);
    } catch (const std::exception &error) {
        QTextStream(stderr) << "quorvel-report-screenshots: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
