// The cell strings of the schedule grid, the time column, the colour rule and the painting of a
// cell, checked on the pixels of a painted image.

#include "data/ProgramConst.h"
#include "platform/db/TimeValue.h"
#include "schedule/ProgramConst.h"

#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPalette>
#include <QTest>

namespace {

double clock(int h, int m) { return (h * 60 + m) / 1440.0; }
double day(int y, int m, int d) { return TimeValue::fromDate(QDate(y, m, d)); }

const double Wednesday = day(2024, 1, 10);
const double Saturday = day(2024, 1, 13);
const double Sunday = day(2024, 1, 14);

// Distinct colours for every member, so that a wrong pick cannot pass by accident.
constexpr int InUse = 0x000000FF;
constexpr int Free = 0x0000FF00;
constexpr int NoWork = 0x00FF0000;
constexpr int PrintInUse = 0x00000080;
constexpr int PrintFree = 0x00008000;
constexpr int PrintNoWork = 0x00800000;

void useColors(int interval, double workStart, double workEnd)
{
    SystemSettings = TSystemInfo();
    SystemSettings.TimeInterval = interval;
    SystemSettings.WorkHoursStart = workStart;
    SystemSettings.WorkHoursEnd = workEnd;
    SystemSettings.InUseColor = InUse;
    SystemSettings.FreeColor = Free;
    SystemSettings.NoWorkColor = NoWork;
    SystemSettings.PrintInUseColor = PrintInUse;
    SystemSettings.PrintFreeColor = PrintFree;
    SystemSettings.PrintNoWorkColor = PrintNoWork;
}

QColor buttonFace() { return QGuiApplication::palette().color(QPalette::Button); }

// A cell painted alone on a canvas of a colour no cell uses.
struct PaintedCell
{
    static constexpr int Width = 120;
    static constexpr int Height = 20;
    static inline const QColor Canvas = QColor(1, 2, 3);
    QImage image{Width + 20, Height + 20, QImage::Format_RGB32};
    QRect rect{10, 10, Width, Height};

    PaintedCell(const ScheduleGrid &grid, int column, int row)
    {
        image.fill(Canvas);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        DrawScheduleCell(row, column, grid, rect, painter);
    }

    QColor at(int x, int y) const { return image.pixelColor(x, y); }
    // Pixels of the cell that differ from its fill colour: the text.
    int inkPixels(const QColor &fill) const
    {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                count += at(x, y) != fill;
        return count;
    }
    bool marginIsFill(const QColor &fill) const
    {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if ((x < rect.left() + 4 || y < rect.top() + 2) && at(x, y) != fill)
                    return false;
        return true;
    }
    bool outsideUntouched() const
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!rect.contains(x, y) && at(x, y) != Canvas)
                    return false;
        return true;
    }
};

} // namespace

class TestScheduleCell : public QObject
{
    Q_OBJECT

private slots:
    void makeCellText()
    {
        QCOMPARE(MakeCellText(12, 3, "Alice Martin", day(2004, 3, 5)), QStringLiteral("03/05/2004;12;3;Alice Martin"));
        QCOMPARE(MakeCellText(-1, -1, "Time", 1.0), QStringLiteral("12/31/1899;-1;-1;Time"));
    }

    void cellFieldsRoundTrip_data()
    {
        QTest::addColumn<int>("sequence");
        QTest::addColumn<int>("resourceID");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("date");
        QTest::newRow("name") << 12 << 3 << "Alice Martin" << day(2004, 3, 5);
        QTest::newRow("notes holding ;") << 7 << 40 << "Agenda; budget;; close;" << day(2026, 12, 31);
        QTest::newRow("free slot") << -1 << 5 << "" << Wednesday;
        QTest::newRow("continuation") << 99999 << 5 << "%*%" << Wednesday;
        QTest::newRow("time column") << -1 << -1 << "10:00:00" << 1.0;
    }

    void cellFieldsRoundTrip()
    {
        QFETCH(int, sequence);
        QFETCH(int, resourceID);
        QFETCH(QString, text);
        QFETCH(double, date);
        const QString cell = MakeCellText(sequence, resourceID, text, date);
        QCOMPARE(CellSequence(cell), sequence);
        QCOMPARE(CellResourceID(cell), resourceID);
        QCOMPARE(CellText(cell), text);
        QCOMPARE(CellDate(cell), date);
    }

    void emptyCell()
    {
        QCOMPARE(CellText(QString()), QString());
        QCOMPARE(CellSequence(QString()), -1);
        QCOMPARE(CellResourceID(QString()), -1);
        QCOMPARE(CellDate(QString()), 0.0);
    }

    void nextCellField_data()
    {
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("restAfter");
        QTest::newRow("field and separator taken") << "a;b;c" << "a" << "b;c";
        QTest::newRow("separator first") << ";b" << "" << "b";
        QTest::newRow("last separator") << "a;" << "a" << "";
        QTest::newRow("no separator leaves rest") << "abc" << "abc" << "abc";
        QTest::newRow("empty") << "" << "" << "";
    }

    void nextCellField()
    {
        QFETCH(QString, rest);
        QFETCH(QString, field);
        QFETCH(QString, restAfter);
        QCOMPARE(NextCellField(rest), field);
        QCOMPARE(rest, restAfter);
    }

    void gridKeepsCellsOutsideItsSize()
    {
        ScheduleGrid grid(3, 5);
        QCOMPARE(grid.Cell(2, 4), QString());
        grid.SetCell(2, 4, "kept");
        grid.SetColCount(2);
        QCOMPARE(grid.ColCount(), 2);
        grid.SetColCount(3);
        QCOMPARE(grid.Cell(2, 4), QStringLiteral("kept"));
        QCOMPARE(grid.Cell(7, 70), QString());
    }

    void timeColumn()
    {
        useColors(30, clock(8, 0), clock(17, 0));
        QLocale::setDefault(QLocale::c());
        ScheduleGrid grid(2, SlotRowCount());
        FillTimeColumn(grid);
        QCOMPARE(grid.Cell(0, 0), QStringLiteral("12/31/1899;-1;-1;Time"));
        QCOMPARE(grid.Cell(0, 1), QStringLiteral("12/31/1899;-1;-1;00:00:00"));
        QCOMPARE(grid.Cell(0, 21), QStringLiteral("12/31/1899;-1;-1;10:00:00"));
        QCOMPARE(grid.Cell(0, 48), QStringLiteral("12/31/1899;-1;-1;23:30:00"));
        QCOMPARE(grid.Cell(0, 49), QString());
        QCOMPARE(grid.Cell(1, 21), QString());
    }

    void cellColor_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("workStart");
        QTest::addColumn<double>("workEnd");
        QTest::addColumn<bool>("forPrint");
        QTest::addColumn<double>("slot");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("date");
        QTest::addColumn<int>("color");
        const double eight = clock(8, 0);
        const double five = clock(17, 0);
        QTest::newRow("before work") << 60 << eight << five << false << clock(7, 0) << "" << Wednesday << NoWork;
        QTest::newRow("start of work") << 60 << eight << five << false << clock(8, 0) << "" << Wednesday << Free;
        QTest::newRow("last working slot") << 60 << eight << five << false << clock(16, 0) << "" << Wednesday << Free;
        QTest::newRow("end of work") << 60 << eight << five << false << clock(17, 0) << "" << Wednesday << NoWork;
        QTest::newRow("slot starting before a half-hour start") << 60 << clock(8, 30) << five << false << clock(8, 0) << "" << Wednesday << NoWork;
        QTest::newRow("slot running past the end") << 30 << eight << clock(16, 45) << false << clock(16, 30) << "" << Wednesday << Free;
        QTest::newRow("booked outside work") << 60 << eight << five << false << clock(7, 0) << "Alice" << Wednesday << InUse;
        QTest::newRow("continuation is booked") << 60 << eight << five << false << clock(10, 0) << "%*%" << Wednesday << InUse;
        QTest::newRow("Saturday free") << 60 << eight << five << false << clock(10, 0) << "" << Saturday << NoWork;
        QTest::newRow("Sunday free") << 60 << eight << five << false << clock(10, 0) << "" << Sunday << NoWork;
        QTest::newRow("Saturday booked") << 60 << eight << five << false << clock(10, 0) << "Alice" << Saturday << InUse;
        QTest::newRow("no date is a Saturday") << 60 << eight << five << false << clock(10, 0) << "" << 0.0 << NoWork;
        QTest::newRow("print free") << 60 << eight << five << true << clock(10, 0) << "" << Wednesday << PrintFree;
        QTest::newRow("print booked") << 60 << eight << five << true << clock(10, 0) << "Alice" << Wednesday << PrintInUse;
        QTest::newRow("print weekend") << 60 << eight << five << true << clock(10, 0) << "" << Sunday << PrintNoWork;
        QTest::newRow("print before work") << 60 << eight << five << true << clock(7, 0) << "" << Wednesday << PrintNoWork;
    }

    void cellColor()
    {
        QFETCH(int, interval);
        QFETCH(double, workStart);
        QFETCH(double, workEnd);
        QFETCH(bool, forPrint);
        QFETCH(double, slot);
        QFETCH(QString, text);
        QFETCH(double, date);
        QFETCH(int, color);
        useColors(interval, workStart, workEnd);
        QCOMPARE(ScheduleCellColor(forPrint, SlotOfTime(slot), text, date), color);
    }

    void platformColor_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QColor>("color");
        QTest::newRow("red is the low byte") << 0x000000FF << QColor(255, 0, 0);
        QTest::newRow("green") << 0x0000FF00 << QColor(0, 255, 0);
        QTest::newRow("blue is the third byte") << 0x00FF0000 << QColor(0, 0, 255);
        QTest::newRow("yellow") << 0x0000FFFF << QColor(255, 255, 0);
        QTest::newRow("mixed") << 0x00123456 << QColor(0x56, 0x34, 0x12);
        QTest::newRow("button face") << ButtonFaceColor << buttonFace();
    }

    void platformColor()
    {
        QFETCH(int, value);
        QFETCH(QColor, color);
        QCOMPARE(PlatformColor(value), color);
    }

    void paintedCells_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("fill");
        QTest::addColumn<bool>("showsText");
        QTest::newRow("heading") << 1 << 0 << buttonFace() << true;
        QTest::newRow("time column") << 0 << 11 << buttonFace() << true;
        QTest::newRow("free working slot") << 1 << 11 << QColor(255, 255, 255) << false;
        QTest::newRow("free early slot") << 1 << 3 << buttonFace() << false;
        QTest::newRow("booking's first slot") << 1 << 12 << QColor(255, 255, 0) << true;
        QTest::newRow("continuation shows nothing") << 1 << 13 << QColor(255, 255, 0) << false;
        QTest::newRow("empty notes show nothing") << 2 << 12 << QColor(255, 255, 0) << false;
        QTest::newRow("long notes clipped") << 2 << 14 << QColor(255, 255, 0) << true;
        QTest::newRow("never written") << 3 << 11 << buttonFace() << false;
    }

    // Default screen colours: booked yellow, free white, outside work the button face.
    void paintedCells()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QColor, fill);
        QFETCH(bool, showsText);
        SystemSettings = TSystemInfo();
        ScheduleGrid grid(4, SlotRowCount());
        FillTimeColumn(grid);
        grid.SetCell(1, 0, MakeCellText(-1, 5, "01/10/2024", Wednesday));
        for (int r = 1; r < grid.RowCount(); ++r)
            grid.SetCell(1, r, MakeCellText(-1, 5, "", Wednesday));
        grid.SetCell(1, 12, MakeCellText(8, 5, "Alice Martin", Wednesday));
        grid.SetCell(1, 13, MakeCellText(8, 5, ContinuationMarker, Wednesday));
        grid.SetCell(2, 12, MakeCellText(8, 5, ContinuationMarker, Wednesday));
        grid.SetCell(2, 14, MakeCellText(9, 5, QString(200, QLatin1Char('W')), Wednesday));

        const PaintedCell cell(grid, column, row);
        QCOMPARE(cell.at(cell.rect.right(), cell.rect.bottom()), fill);
        QVERIFY(cell.marginIsFill(fill));
        QVERIFY(cell.outsideUntouched());
        QCOMPARE(cell.inkPixels(fill) > 0, showsText);
    }
    // The words a screen reader gives follow the same rule as the colour, and a continuation cell
    // names the booking it belongs to, not its neighbour above or below.
    void cellWords_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("heading") << 1 << 0 << "01/10/2024" << "column heading";
        QTest::newRow("time") << 0 << 21 << "10:00:00" << "slot start time";
        QTest::newRow("first slot of a booking") << 1 << 19 << "01/10/2024, 09:00:00" << "booked by Alice Martin";
        QTest::newRow("continuation") << 1 << 21 << "01/10/2024, 10:00:00" << "booked by Alice Martin";
        QTest::newRow("next booking right after") << 1 << 22 << "01/10/2024, 10:30:00" << "booked by Bob Stone";
        QTest::newRow("continuation of the next") << 1 << 23 << "01/10/2024, 11:00:00" << "booked by Bob Stone";
        QTest::newRow("free working slot") << 1 << 24 << "01/10/2024, 11:30:00" << "free";
        QTest::newRow("before work") << 1 << 15 << "01/10/2024, 07:00:00" << "outside working hours";
        QTest::newRow("end of work") << 1 << 35 << "01/10/2024, 17:00:00" << "outside working hours";
        QTest::newRow("weekend") << 3 << 21 << "01/13/2024, 10:00:00" << "outside working hours";
        QTest::newRow("notes of a booking") << 2 << 20 << "Notes, 09:30:00" << "booked by Alice Martin, notes: Agenda; budget";
        QTest::newRow("booking without notes") << 2 << 23 << "Notes, 11:00:00" << "booked by Bob Stone";
        QTest::newRow("notes beside a free slot") << 2 << 24 << "Notes, 11:30:00" << "free";
    }

    void cellWords()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(QString, description);
        useColors(30, clock(8, 0), clock(17, 0));
        QLocale::setDefault(QLocale::c());
        ScheduleGrid grid(4, SlotRowCount());
        FillTimeColumn(grid);
        const auto fillColumn = [&grid](int col, const QString &heading, double date) {
            grid.SetCell(col, 0, MakeCellText(-1, 5, heading, date));
            for (int r = 1; r < grid.RowCount(); ++r)
                grid.SetCell(col, r, MakeCellText(-1, 5, "", date));
        };
        fillColumn(1, "01/10/2024", Wednesday);
        fillColumn(2, "Notes", Wednesday);
        fillColumn(3, "01/13/2024", Saturday);
        const auto book = [&grid](int sequence, int first, int last, const QString &user, const QString &notes) {
            grid.SetCell(1, first, MakeCellText(sequence, 5, user, Wednesday));
            grid.SetCell(2, first, MakeCellText(sequence, 5, notes.isEmpty() ? ContinuationMarker : notes, Wednesday));
            for (int r = first + 1; r <= last; ++r) {
                grid.SetCell(1, r, MakeCellText(sequence, 5, ContinuationMarker, Wednesday));
                grid.SetCell(2, r, MakeCellText(sequence, 5, ContinuationMarker, Wednesday));
            }
        };
        book(8, 19, 21, "Alice Martin", "Agenda; budget");
        book(9, 22, 23, "Bob Stone", QString());

        const ScheduleCellWords words = DescribeScheduleCell(row, column, grid, 2);
        QCOMPARE(words.name, name);
        QCOMPARE(words.description, description);
    }
};

QTEST_MAIN(TestScheduleCell)
#include "tst_schedulecell.moc"
