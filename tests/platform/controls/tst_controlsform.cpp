// The controls laid out as the windows use them, in the platform's own font: nothing cut off.
// With QUORVEL_SCREENSHOT_DIR set, the form is also saved there as controls.png.

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/TimeValue.h"
#include "platform/ui/ColorSample.h"
#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DBMemo.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DrawGrid.h"
#include "platform/ui/SpinEdit.h"
#include "schedule/ScheduleCell.h"
#include "schedule/ScheduleColumns.h"
#include "schedule/ScheduleGrid.h"
#include "schedule/TimeSlots.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTest>

namespace {

void addResource(TProgramDataForm &data)
{
    data.TypeTable.Append();
    data.TypeTable.SetFieldValue("Description", "Meeting Rooms");
    data.TypeTable.Post();
    data.ResourceTable.Append();
    data.ResourceTable.SetFieldValue("Description", "Board Room");
    data.ResourceTable.SetFieldValue("TypeID", data.TypeTable.FieldValue("TypeID"));
    data.ResourceTable.SetFieldValue("Capacity", 12);
    data.ResourceTable.SetFieldValue("Notes", "Seats twelve; video link on request.");
    data.ResourceTable.Post();
}

// The resource's fields, as the resources window shows them.
QGroupBox *resourceFields(TProgramDataForm &data)
{
    auto *group = new QGroupBox("Resource Information");
    auto *form = new QFormLayout(group);
    auto field = [&](const QString &label, const QString &name) {
        auto *edit = new TDBEdit;
        edit->SetDataSource(&data.ResourceSource);
        edit->SetDataField(name);
        form->addRow(label, edit);
    };
    field("ID:", "ResourceID");
    field("Short", "Description");
    auto *type = new TDBLookupComboBox;
    type->SetListSource(&data.TypeSource);
    type->SetKeyField("TypeID");
    type->SetListField("Description");
    type->SetDataSource(&data.ResourceSource);
    type->SetDataField("TypeID");
    form->addRow("Type:", type);
    field("Capacity", "Capacity");
    auto *notes = new TDBMemo;
    notes->SetDataSource(&data.ResourceSource);
    notes->SetDataField("Notes");
    form->addRow("Notes:", notes);
    auto *restricted = new TDBCheckBox("Restricted Access");
    restricted->SetDataSource(&data.ResourceSource);
    restricted->SetDataField("Restricted");
    form->addRow(restricted);
    return group;
}

// The booking's times and colour, as the search dialog and the settings window show them.
QGroupBox *bookingFields()
{
    auto *group = new QGroupBox("Search Criteria");
    auto *form = new QFormLayout(group);
    auto *date = new TDateTimePicker(TDateTimePicker::Kind::Date);
    date->SetDateTime(TimeValue::fromDate(QDate(2004, 12, 31)));
    form->addRow("Date:", date);
    auto *start = new TDateTimePicker(TDateTimePicker::Kind::Time);
    start->SetDateTime(23 / 24.0 + 59 / 1440.0);
    form->addRow("Start Time:", start);
    auto *duration = new TSpinEdit;
    duration->SetMinValue(30);
    duration->SetMaxValue(1440);
    duration->SetValue(1440);
    form->addRow("Duration: (Minutes)", duration);
    auto *colour = new TColorSample;
    colour->SetColor(0x0000FFFF);
    form->addRow("In Use Color", colour);
    return group;
}

TDBGrid *typesGrid(TProgramDataForm &data)
{
    auto *grid = new TDBGrid;
    grid->SetDataSource(&data.TypeSource);
    grid->AddColumn("TypeID", "ID");
    grid->AddColumn("Description", "Description");
    return grid;
}

TDrawGrid *scheduleGrid(ScheduleGrid &schedule)
{
    const double date = TimeValue::fromDate(QDate(2004, 3, 3));
    schedule.SetColCount(3);
    schedule.SetRowCount(SlotRowCount());
    FillTimeColumn(schedule);
    schedule.SetCell(1, 0, MakeCellText(-1, 1, TimeValue::toShortDateText(date), date));
    schedule.SetCell(2, 0, MakeCellText(-1, 1, "Notes", date));
    for (int row = 1; row < schedule.RowCount(); ++row)
        schedule.SetCell(1, row, MakeCellText(-1, 1, "", date));
    schedule.SetCell(1, 11, MakeCellText(7, 1, "Supervisor", date));
    schedule.SetCell(2, 11, MakeCellText(7, 1, "Budget review", date));
    auto *grid = new TDrawGrid;
    grid->SetColCount(3);
    grid->SetRowCount(schedule.RowCount());
    grid->SetColWidth(1, 144);
    grid->SetColWidth(2, 297);
    grid->SetOnDrawCell([&schedule](int col, int row, const QRect &rect, QPainter &painter) {
        DrawScheduleCell(row, col, schedule, rect, painter);
    });
    grid->SetTopRow(SlotOfTime(8 / 24.0));
    return grid;
}

void checkNothingIsCutOff(QWidget &form)
{
    for (QLabel *label : form.findChildren<QLabel *>())
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    for (QWidget *control : form.findChildren<QWidget *>()) {
        const bool laidOut = qobject_cast<QGroupBox *>(control->parentWidget()) || control->parentWidget() == &form;
        if (!laidOut || qobject_cast<QLabel *>(control))
            continue;
        QVERIFY2(control->width() >= control->minimumSizeHint().width(), control->metaObject()->className());
        QVERIFY2(control->height() >= control->minimumSizeHint().height(), control->metaObject()->className());
    }
}

} // namespace

class TestControlsForm : public QObject
{
    Q_OBJECT

private slots:
    void controlsShowTheirTextWhole()
    {
        TestSite site;
        LoadSystemSettings();
        addResource(site.data());
        ScheduleGrid schedule;
        QWidget form;
        auto *columns = new QHBoxLayout(&form);
        auto *left = new QVBoxLayout;
        left->addWidget(resourceFields(site.data()));
        left->addWidget(bookingFields());
        columns->addLayout(left);
        auto *right = new QVBoxLayout;
        right->addWidget(typesGrid(site.data()));
        TDrawGrid *slotGrid = scheduleGrid(schedule);
        right->addWidget(slotGrid, 1);
        columns->addLayout(right, 1);
        form.resize(form.sizeHint().width() + 200, 560);
        form.show();

        checkNothingIsCutOff(form);
        const QFontMetrics metrics = slotGrid->fontMetrics();
        const QRect timeCell = slotGrid->CellRect(0, 11);
        QVERIFY(timeCell.height() >= metrics.height() + 2);
        QVERIFY2(timeCell.width() >= 4 + metrics.horizontalAdvance(CellText(schedule.Cell(0, 11))),
                 qPrintable(CellText(schedule.Cell(0, 11))));

        const QString directory = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
        if (!directory.isEmpty())
            QVERIFY(form.grab().save(QDir(directory).filePath("controls.png")));
    }
};

QTEST_MAIN(TestControlsForm)
#include "tst_controlsform.moc"
