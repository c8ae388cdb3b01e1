// quorvel-settings-screenshots: opens the security profiles, system settings and range-of-dates
// booking windows from the main window's commands on an existing database, without a display, and
// saves them as PNG files for the documentation.
//
//   quorvel-settings-screenshots DATABASE [DIRECTORY]     (default directory: docs)
//
// DATABASE is a location as quorvel-db takes it, best a demo site (quorvel-db demo DATABASE).

#include "admin/SecurityFrm.h"
#include "admin/SystemSettingsFrm.h"
#include "app/Logon.h"
#include "app/MainFrm.h"
#include "ShotTool.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "editors/ScheduleRangeFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/QuorvelApplication.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>

namespace {

void save(QWidget &window, const QDir &directory, const char *name)
{
    const QString path = directory.filePath(QLatin1String(name));
    if (!window.grab().save(path))
        throw EDatabaseError(QStringLiteral("Could not write %1").arg(path));
    QTextStream(stdout) << "Wrote " << QDir::toNativeSeparators(path) << "\n";
}

class SettingsShots
{
public:
    explicit SettingsShots(const QString &directory) : m_directory(directory)
    {
        m_directory.mkpath(QStringLiteral("."));
        SetModalRunner([this](QDialog &dialog) { return take(dialog); });
    }
    ~SettingsShots() { SetModalRunner({}); }

private:
    int take(QDialog &dialog)
    {
        dialog.show();
        if (qobject_cast<TSecurityForm *>(&dialog))
            save(dialog, m_directory, "security.png");
        else if (auto *settings = qobject_cast<TSystemSettingsForm *>(&dialog))
            takeSettings(*settings);
        else if (auto *range = qobject_cast<TScheduleRangeForm *>(&dialog))
            takeRange(*range);
        return QDialog::Rejected;
    }

    void takeSettings(TSystemSettingsForm &settings)
    {
        save(settings, m_directory, "system-settings-general.png");
        settings.PageControl1->setCurrentIndex(1);
        save(settings, m_directory, "system-settings-reports.png");
    }

    // A week of Monday mornings for the training room.
    void takeRange(TScheduleRangeForm &range)
    {
        TTable &resources = ProgramDataForm->ResourceTable;
        if (resources.FindKey({QStringLiteral("Training Room")}))
            range.ResourceLookup->SetKeyValue(resources.FieldValue(QStringLiteral("ResourceID")));
        range.SchStartTime->SetDateTime(9.0 / 24.0);
        range.UpdateEndTime();
        range.Memo1->setPlainText(QStringLiteral("First-aid course"));
        const QDate today = QDate::currentDate();
        const QDate monday = today.addDays(8 - today.dayOfWeek());
        for (int week = 0; week < 4; ++week) {
            range.EventDatePicker->SetDateTime(TimeValue::fromDate(monday.addDays(7 * week)));
            range.AddBtn->click();
        }
        save(range, m_directory, "schedule-range.png");
    }

    QDir m_directory;
};

void takeAll(const QString &database, const QString &directory)
{
    // The holder of the master profile sees every window with its controls in use.
    ShotSite site(database, QStringLiteral("Supervisor"), QString(), false);
    TProgramDataForm &data = site.data;
    TMainForm main;
    main.FormActivate();
    data.SecurityTable.FindKey({3});   // a profile that can be changed

    SettingsShots shots(directory);
    main.Security1->trigger();
    main.SystemSettings1->trigger();
    main.RangeofDates1->trigger();
}

} // namespace

int main(int argc, char *argv[])
{
    return RunScreenshotTool(argc, argv, "quorvel-settings-screenshots", takeAll);
}
