// The data-aware edit box, memo, check box and lookup list, bound to the data module's tables:
// typing writes the edit buffer, moves of the table show in the controls.

#include "data/ProgramDataFrm.h"
#include "platform/db/FieldValue.h"
#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/DBMemo.h"
#include "support/TestDatabase.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Three types and two resources, the resource table on "Projector" (Equipment, capacity 5),
// and a shown, active window for the controls under test with a second control to move the
// focus to.
class Fixture
{
public:
    Fixture()
    {
        vehicles = addType("Vehicles");
        rooms = addType("Rooms");
        equipment = addType("Equipment");
        addResource("Projector", equipment, 5, "Bulb replaced in May");
        addResource("Van", vehicles, 8, QString());
        data.ResourceTable.First();
        new QVBoxLayout(&window);
        window.layout()->addWidget(&elsewhere);
    }

    template <class Control>
    Control *place(Control *control)
    {
        window.layout()->addWidget(control);
        window.show();
        QApplication::setActiveWindow(&window);
        control->setFocus();
        return control;
    }

    int addType(const QString &description)
    {
        data.TypeTable.Append();
        data.TypeTable.SetFieldValue("Description", description);
        data.TypeTable.Post();
        return data.TypeTable.FieldValue("TypeID").toInt();
    }

    void addResource(const QString &description, int type, int capacity, const QString &notes)
    {
        TTable &resources = data.ResourceTable;
        resources.Append();
        resources.SetFieldValue("Description", description);
        resources.SetFieldValue("TypeID", type);
        resources.SetFieldValue("Capacity", capacity);
        resources.SetFieldValue("Notes", notes);
        resources.Post();
    }

    QVariant storedResourceField(const QString &field)
    {
        data.ResourceTable.Refresh();
        return data.ResourceTable.FieldValue(field);
    }

    TestSite site;
    TProgramDataForm &data = site.data();
    int vehicles = 0;
    int rooms = 0;
    int equipment = 0;
    QWidget window;
    QLineEdit elsewhere;
};

void bind(TDBLookupComboBox &types, TProgramDataForm &data)
{
    types.SetListSource(&data.TypeSource);
    types.SetKeyField("TypeID");
    types.SetListField("Description");
}

QStringList items(const QComboBox &combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

} // namespace

class TestDataAware : public QObject
{
    Q_OBJECT

private slots:
    void editWritesWhatIsTypedWithoutMovingTheCursor()
    {
        Fixture f;
        auto *edit = f.place(new TDBEdit);
        edit->SetDataSource(&f.data.ResourceSource);
        edit->SetDataField("Description");
        QCOMPARE(edit->text(), QStringLiteral("Projector"));
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, "Old ");
        QCOMPARE(edit->text(), QStringLiteral("Old Projector"));
        QCOMPARE(edit->cursorPosition(), 4);
        QCOMPARE(f.data.ResourceTable.state(), TTable::State::Edit);
        QCOMPARE(f.data.ResourceTable.FieldValue("Description").toString(), QStringLiteral("Old Projector"));
        f.data.ResourceTable.Post();
        QCOMPARE(f.storedResourceField("Description").toString(), QStringLiteral("Old Projector"));
        QCOMPARE(edit->text(), QStringLiteral("Old Projector"));
    }

    void editFollowsTheTable()
    {
        Fixture f;
        auto *edit = f.place(new TDBEdit);
        edit->SetDataSource(&f.data.ResourceSource);
        edit->SetDataField("Capacity");
        QSignalSpy changes(edit, &QLineEdit::textChanged);
        f.data.ResourceTable.Next();
        QCOMPARE(edit->text(), QStringLiteral("8"));
        f.data.ResourceTable.Insert();
        QCOMPARE(edit->text(), QString());
        f.data.ResourceTable.Cancel();
        QCOMPARE(edit->text(), QStringLiteral("8"));
        QCOMPARE(changes.count(), 3);
        f.data.ResourceTable.Close();
        QCOMPARE(edit->text(), QString());
        QTest::keyClicks(edit, "4");
        QCOMPARE(edit->text(), QString());
    }

    void editTakesOnlyWholeNumbersIntoANumberField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shownAfterLeaving");
        QTest::addColumn<QVariant>("field");
        QTest::newRow("number") << "12" << "12" << QVariant(12);
        QTest::newRow("negative") << "-7" << "-7" << QVariant(-7);
        QTest::newRow("letters refused") << "1x2" << "12" << QVariant(12);
        QTest::newRow("only letters") << "abc" << "5" << QVariant(5);
        QTest::newRow("emptied") << "\b" << "" << QVariant();
        QTest::newRow("a sign alone is not written") << "-" << "5" << QVariant(5);
        QTest::newRow("tenth digit refused") << "1234567890" << "123456789" << QVariant(123456789);
    }

    void editTakesOnlyWholeNumbersIntoANumberField()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shownAfterLeaving);
        QFETCH(QVariant, field);
        Fixture f;
        auto *edit = f.place(new TDBEdit);
        edit->SetDataSource(&f.data.ResourceSource);
        edit->SetDataField("Capacity");
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        f.elsewhere.setFocus();
        QCOMPARE(edit->text(), shownAfterLeaving);
        QCOMPARE(f.data.ResourceTable.FieldValue("Capacity"), field);
    }

    void editStopsAtTheFieldWidth()
    {
        Fixture f;
        auto *edit = f.place(new TDBEdit);
        edit->SetDataSource(&f.data.ResourceSource);
        edit->SetDataField("Description");
        edit->clear();
        QTest::keyClicks(edit, QString(45, QLatin1Char('x')));
        QCOMPARE(edit->text(), QString(40, QLatin1Char('x')));
        f.data.ResourceTable.Post();
        QCOMPARE(f.storedResourceField("Description").toString(), QString(40, QLatin1Char('x')));
    }

    void memoWritesChangesUpToItsLimit()
    {
        Fixture f;
        auto *memo = f.place(new TDBMemo);
        memo->SetDataSource(&f.data.ResourceSource);
        memo->SetDataField("Notes");
        memo->SetMaxLength(24);
        QCOMPARE(memo->toPlainText(), QStringLiteral("Bulb replaced in May"));
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, " 2004");
        QCOMPARE(memo->toPlainText(), QStringLiteral("Bulb replaced in May 200"));
        QCOMPARE(f.data.ResourceTable.state(), TTable::State::Edit);
        QCOMPARE(f.data.ResourceTable.FieldValue("Notes").toString(), QStringLiteral("Bulb replaced in May 200"));
        f.data.ResourceTable.Cancel();
        QCOMPARE(memo->toPlainText(), QStringLiteral("Bulb replaced in May"));
        f.data.ResourceTable.Next();
        QCOMPARE(memo->toPlainText(), QString());
    }

    void checkBoxStoresTrueAndFalse()
    {
        Fixture f;
        auto *box = f.place(new TDBCheckBox("Restricted Access"));
        box->SetDataSource(&f.data.ResourceSource);
        box->SetDataField("Restricted");
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(f.data.ResourceTable.state(), TTable::State::Edit);
        QCOMPARE(f.data.ResourceTable.FieldValue("Restricted"), QVariant(true));
        f.data.ResourceTable.Post();
        QCOMPARE(f.storedResourceField("Restricted"), QVariant(true));
        QVERIFY(box->isChecked());
        f.data.ScheduleDatabase.exec("UPDATE \"Resource\" SET \"Restricted\" = NULL WHERE \"Description\" = 'Van'");
        f.data.ResourceTable.Next();
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(f.data.ResourceTable.FieldValue("Restricted"), QVariant(false));
        f.data.ResourceTable.Prior();
        QVERIFY(box->isChecked());
        QCOMPARE(f.storedResourceField("Restricted"), QVariant(true));
    }

    void boundLookupShowsTheKeyAndWritesTheChoice()
    {
        Fixture f;
        auto *types = f.place(new TDBLookupComboBox);
        bind(*types, f.data);
        types->SetDataSource(&f.data.ResourceSource);
        types->SetDataField("TypeID");
        QCOMPARE(items(*types), (QStringList{"Equipment", "Rooms", "Vehicles"}));
        QCOMPARE(types->currentText(), QStringLiteral("Equipment"));
        QCOMPARE(types->KeyValue(), QVariant(f.equipment));
        QSignalSpy keyChanges(types, &TDBLookupComboBox::keyValueChanged);

        QTest::keyClick(types, Qt::Key_Down);
        QCOMPARE(types->currentText(), QStringLiteral("Rooms"));
        QCOMPARE(f.data.ResourceTable.state(), TTable::State::Edit);
        QCOMPARE(f.data.ResourceTable.FieldValue("TypeID"), QVariant(f.rooms));
        QCOMPARE(f.data.TypeTable.FieldValue("Description").toString(), QStringLiteral("Rooms"));
        QCOMPARE(keyChanges.count(), 1);

        f.data.ResourceTable.Cancel();
        QCOMPARE(types->currentText(), QStringLiteral("Equipment"));
        f.data.ResourceTable.Next();
        QCOMPARE(types->currentText(), QStringLiteral("Vehicles"));
        QCOMPARE(f.data.TypeTable.FieldValue("Description").toString(), QStringLiteral("Vehicles"));
        QCOMPARE(keyChanges.count(), 3);
    }

    void unboundLookupKeepsAKeyItDoesNotList()
    {
        Fixture f;
        auto *types = f.place(new TDBLookupComboBox);
        bind(*types, f.data);
        QCOMPARE(types->currentIndex(), -1);
        QVERIFY(FieldValue::isNull(types->KeyValue()));
        types->SetKeyValue(f.vehicles);
        QCOMPARE(types->currentText(), QStringLiteral("Vehicles"));
        QCOMPARE(f.data.TypeTable.FieldValue("TypeID"), QVariant(f.vehicles));
        types->SetKeyValue(999);
        QCOMPARE(types->currentIndex(), -1);
        QCOMPARE(types->KeyValue(), QVariant(999));
        QCOMPARE(f.data.TypeTable.FieldValue("TypeID"), QVariant(f.vehicles));
    }

    void lookupListsThroughTheFilterAndRereadsChangedRows()
    {
        Fixture f;
        f.data.TypeTable.SetFilter([](const TRecord &row) { return row.FieldValue("Description") != "Rooms"; });
        f.data.TypeTable.SetFiltered(true);
        auto *types = f.place(new TDBLookupComboBox);
        bind(*types, f.data);
        types->SetKeyValue(f.vehicles);
        QCOMPARE(items(*types), (QStringList{"Equipment", "Vehicles"}));
        f.addType("Aircraft");
        QCOMPARE(items(*types), (QStringList{"Aircraft", "Equipment", "Vehicles"}));
        QCOMPARE(types->currentText(), QStringLiteral("Vehicles"));
        f.data.TypeTable.SetFiltered(false);
        QCOMPARE(items(*types), (QStringList{"Aircraft", "Equipment", "Rooms", "Vehicles"}));
    }

    void readOnlyLookupDoesNotChange()
    {
        Fixture f;
        auto *types = f.place(new TDBLookupComboBox);
        bind(*types, f.data);
        types->SetKeyValue(f.equipment);
        types->SetReadOnly(true);
        QTest::keyClick(types, Qt::Key_Down);
        types->showPopup();
        QVERIFY(!types->view()->isVisible());
        QCOMPARE(types->KeyValue(), QVariant(f.equipment));
    }

    void closeUpComesAfterTheChoiceIsTaken()
    {
        Fixture f;
        auto *types = f.place(new TDBLookupComboBox);
        bind(*types, f.data);
        types->SetKeyValue(f.equipment);
        QVariant keyAtCloseUp;
        connect(types, &TDBLookupComboBox::closeUp, types, [&] { keyAtCloseUp = types->KeyValue(); });
        types->showPopup();
        QVERIFY(types->view()->isVisible());
        types->view()->setCurrentIndex(types->model()->index(2, 0));
        QTest::keyClick(types->view(), Qt::Key_Return);
        QVERIFY(!types->view()->isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(keyAtCloseUp, QVariant(f.vehicles));
        QCOMPARE(f.data.TypeTable.FieldValue("Description").toString(), QStringLiteral("Vehicles"));
    }
};

QTEST_MAIN(TestDataAware)
#include "tst_dataaware.moc"
