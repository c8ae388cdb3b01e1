// The whole-number spin box: values set by the program are clamped at once, typed values only
// when the box loses the focus; text that is not a number counts as the minimum.

#include "platform/ui/SpinEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A spin box with a range in a shown, active window, and somewhere else to move the focus.
class Box
{
public:
    Box(int minimum, int maximum, int increment)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(spin);
        layout->addWidget(elsewhere);
        spin->SetMinValue(minimum);
        spin->SetMaxValue(maximum);
        spin->SetIncrement(increment);
        spin->SetValue(minimum);
        window.show();
        QApplication::setActiveWindow(&window);
        spin->setFocus();
    }

    void type(const QString &text)
    {
        spin->selectAll();
        QTest::keyClicks(spin, text);
    }

    QWidget window;
    TSpinEdit *spin = new TSpinEdit;
    QLineEdit *elsewhere = new QLineEdit;
};

} // namespace

class TestSpinEdit : public QObject
{
    Q_OBJECT

private slots:
    void valuesSetByTheProgramAreClamped_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("value");
        QTest::newRow("days above the range") << 1 << 31 << 40 << 31;
        QTest::newRow("days below the range") << 1 << 31 << -5 << 1;
        QTest::newRow("font size below the range") << 6 << 100 << 3 << 6;
        QTest::newRow("duration within") << 30 << 1440 << 90 << 90;
        QTest::newRow("duration of a short booking") << 30 << 1440 << 10 << 30;
        QTest::newRow("no range: capacity") << 0 << 0 << 2500 << 2500;
        QTest::newRow("no range: negative") << 0 << 0 << -3 << -3;
    }

    void valuesSetByTheProgramAreClamped()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, set);
        QFETCH(int, value);
        Box box(minimum, maximum, 1);
        box.spin->SetValue(set);
        QCOMPARE(box.spin->Value(), value);
        QCOMPARE(box.spin->text(), QString::number(value));
    }

    void typedValuesAreClampedWhenTheFocusLeaves_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("whileTyping");
        QTest::addColumn<int>("afterLeaving");
        QTest::newRow("days too many") << 1 << 31 << "40" << 40 << 31;
        QTest::newRow("font size too small") << 6 << 100 << "3" << 3 << 6;
        QTest::newRow("duration past a day") << 30 << 1440 << "2000" << 2000 << 1440;
        QTest::newRow("duration within") << 30 << 1440 << "45" << 45 << 45;
        QTest::newRow("emptied counts as the minimum") << 30 << 1440 << "\b" << 30 << 30;
        QTest::newRow("letters are refused") << 1 << 31 << "ab" << 1 << 1;
        QTest::newRow("a lone sign counts as the minimum") << 1 << 31 << "-" << 1 << 1;
        QTest::newRow("capacity: no range") << 0 << 0 << "250000" << 250000 << 250000;
        QTest::newRow("capacity: not a number is 0") << 0 << 0 << "+" << 0 << 0;
    }

    void typedValuesAreClampedWhenTheFocusLeaves()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(QString, typed);
        QFETCH(int, whileTyping);
        QFETCH(int, afterLeaving);
        Box box(minimum, maximum, 1);
        box.type(typed);
        QCOMPARE(box.spin->Value(), whileTyping);
        box.elsewhere->setFocus();
        QCOMPARE(box.spin->Value(), afterLeaving);
        QCOMPARE(box.spin->text(), QString::number(afterLeaving));
    }

    void arrowsStepByTheIncrementWithinTheRange_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("value");
        QTest::newRow("up") << 60 << int(Qt::Key_Up) << 90;
        QTest::newRow("down") << 60 << int(Qt::Key_Down) << 30;
        QTest::newRow("up at the maximum") << 1440 << int(Qt::Key_Up) << 1440;
        QTest::newRow("down at the minimum") << 30 << int(Qt::Key_Down) << 30;
        QTest::newRow("up near the maximum") << 1430 << int(Qt::Key_Up) << 1440;
    }

    void arrowsStepByTheIncrementWithinTheRange()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, value);
        Box box(30, 1440, 30);
        box.spin->SetValue(start);
        QTest::keyClick(box.spin, Qt::Key(key));
        QCOMPARE(box.spin->Value(), value);
    }

    void changeIsSignalledWhenTheTextChanges()
    {
        Box box(30, 1440, 30);
        box.spin->SetValue(30);
        QSignalSpy changes(box.spin, &TSpinEdit::changed);
        box.spin->SetValue(30);
        box.spin->SetValue(10);
        QCOMPARE(changes.count(), 0);
        box.spin->SetValue(60);
        QCOMPARE(changes.count(), 1);
        box.type("75");
        QCOMPARE(changes.count(), 3);
    }

    void theBoxIsWideEnoughForItsNumbers()
    {
        Box box(30, 1440, 30);
        box.spin->SetValue(1440);
        box.window.adjustSize();
        QVERIFY(box.spin->findChild<QLineEdit *>()->width() >= box.spin->fontMetrics().horizontalAdvance("1440"));
    }
};

QTEST_MAIN(TestSpinEdit)
#include "tst_spinedit.moc"
