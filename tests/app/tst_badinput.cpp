// Hostile and unusual text in every box a user types into: quotes of both kinds, backslashes, SQL
// fragments, right-to-left script, emoji and combining marks are stored and found again exactly,
// text longer than its field is refused with a message and stores nothing, and none of it ever
// changes anything else. Also a damaged database at start-up: the message names what is wrong.

#include "admin/AdmSettings.h"
#include "admin/ResourceFrm.h"
#include "admin/SecurityFrm.h"
#include "admin/TypesFrm.h"
#include "app/LogonFrm.h"
#include "app/StartUp.h"
#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Schema.h"
#include "platform/ui/QuorvelApplication.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QList<QPair<const char *, QString>> HostileTexts = {
    {"quotes", QStringLiteral("O'Brien \"Ed\" `x`")},
    {"backslashes", QStringLiteral("C:\\new\\table\\")},
    {"statement end and comment", QStringLiteral("a; --b /* c")},
    {"always true", QStringLiteral("' OR '1'='1")},
    {"drop table", QStringLiteral("x'); DROP TABLE")},
    {"right to left", QStringLiteral("שלום עולם مرحبا")},
    {"emoji", QStringLiteral("📅 🚐 👩‍🔧")},
    {"combining marks", QStringLiteral("e\u0301te\u0301 n\u0303")},
    {"percent and underscore", QStringLiteral("100%_off")},
};

// The fields a user fills in by typing, table by table.
const QList<QPair<const char *, const char *>> TypedFields = {
    {"User", "UserID"},         {"User", "UserName"},       {"User", "UserPassword"}, {"User", "UserPhone"},
    {"Security", "Description"}, {"Settings", "DefaultFooter"}, {"Type", "Description"}, {"Resource", "Description"},
    {"Resource", "DescriptionL"}, {"Resource", "Notes"},      {"Schedule", "Notes"},
};

// The boxes of the administration windows, with the field each one fills.
struct WindowBox
{
    const char *window;
    const char *box;
    const char *table;
    const char *field;
};

const QList<WindowBox> WindowBoxes = {
    {"Types", "DBEdit2", "Type", "Description"},         {"Resources", "DBEdit2", "Resource", "Description"},
    {"Resources", "DBEdit5", "Resource", "DescriptionL"}, {"Resources", "DBMemo1", "Resource", "Notes"},
    {"Security", "DBEdit1", "Security", "Description"},  {"Users", "DBEdit1", "User", "UserID"},
    {"Users", "DBEdit3", "User", "UserName"},            {"Users", "DBEdit2", "User", "UserPassword"},
    {"Users", "DBEdit4", "User", "UserPhone"},
};

std::unique_ptr<QDialog> openWindow(const QString &name)
{
    std::unique_ptr<QDialog> window;
    if (name == QLatin1String("Types"))
        window = std::make_unique<TTypesForm>();
    else if (name == QLatin1String("Resources"))
        window = std::make_unique<TResourceForm>();
    else if (name == QLatin1String("Security"))
        window = std::make_unique<TSecurityForm>();
    else
        window = std::make_unique<TSetupUsersForm>();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("The %s window did not become active", qPrintable(name));
    return window;
}

// The windows name their buttons "InsertBtn" or "InsertB", "SaveBtn" or "SaveB".
void press(QDialog &window, const QString &button)
{
    auto *found = window.findChild<QPushButton *>(button + QStringLiteral("Btn"));
    if (!found)
        found = window.findChild<QPushButton *>(button + QStringLiteral("B"));
    QVERIFY2(found, qPrintable(button));
    QTest::mouseClick(found, Qt::LeftButton);
}

// Text entered the way an input method delivers it: right-to-left script, emoji and combining
// marks cannot be typed as single Latin-1 key presses.
void typeInto(QWidget *box, const QString &text)
{
    QVERIFY2(box && box->isEnabled(), "the box cannot be typed into");
    box->setFocus();
    QInputMethodEvent entry;
    entry.setCommitString(text);
    QApplication::sendEvent(box, &entry);
}

QMap<QString, int> rowCounts(TDatabase &database)
{
    QMap<QString, int> counts;
    for (const TableDef &table : Schema::tables()) {
        TTable rows(database, table.name);
        rows.Open();
        counts.insert(table.name, rows.RecordCount());
    }
    return counts;
}

// Puts the text into the field of a new row (of the one settings row), ready to post. Returns the
// table object, which stands on that row.
std::unique_ptr<TTable> rowWith(TDatabase &database, const QString &tableName, const QString &field,
                                const QString &text)
{
    auto table = std::make_unique<TTable>(database, tableName);
    table->Open();
    if (tableName == QLatin1String("Settings")) {
        table->First();
        table->Edit();
    } else {
        table->Append();
    }
    if (tableName == QLatin1String("User") && field != QLatin1String("UserID"))
        table->SetFieldValue(QStringLiteral("UserID"), QStringLiteral("TYPIST"));
    table->SetFieldValue(field, text);
    return table;
}

QString storedText(TDatabase &database, const QString &tableName, const QString &field, const QVariant &key)
{
    TTable fresh(database, tableName);
    fresh.Open();
    if (!fresh.FindKey({key}))
        return QStringLiteral("<row not found>");
    return FieldValue::asString(fresh.FieldValue(field));
}

int rowsMatching(TDatabase &database, const QString &tableName, const QString &field, const QString &text)
{
    TQuery query(database);
    query.Add(QStringLiteral("Select Count(*) As Total From \"%1\" Where %2 = :Text").arg(tableName, field));
    query.SetParam(QStringLiteral("Text"), text);
    query.Open();
    const int total = FieldValue::asInteger(query.FieldValue(QStringLiteral("Total")));
    query.Close();
    return total;
}

QByteArray aliasOf(const DatabaseLocation &location)
{
    return (location.engine == EngineKind::SQLite ? location.directory : location.url.toString()).toUtf8();
}

QString footer(TDatabase &database)
{
    TTable settings(database, QStringLiteral("Settings"));
    settings.Open();
    settings.First();
    return FieldValue::asString(settings.FieldValue(QStringLiteral("DefaultFooter")));
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void typedTextIsStoredAndFoundExactly_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        for (const auto &[table, field] : TypedFields)
            for (const auto &[kind, text] : HostileTexts)
                QTest::addRow("%s.%s, %s", table, field, kind) << table << field << text;
    }

    void typedTextIsStoredAndFoundExactly()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(QString, text);
        TestDatabase site;
        site.init();
        TDatabase database(site.location());
        database.Open();
        QMap<QString, int> expected = rowCounts(database);
        if (table != QLatin1String("Settings"))
            ++expected[table];

        auto row = rowWith(database, table, field, text);
        row->Post();
        const QVariant key = row->FieldValue(Schema::table(table).primaryKey);

        QCOMPARE(storedText(database, table, field, key), text);
        if (Schema::table(table).field(field)->kind == FieldKind::String)
            QCOMPARE(rowsMatching(database, table, field, text), 1);
        QCOMPARE(rowCounts(database), expected);
    }

    void textLongerThanItsFieldIsRefused_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        for (const auto &[table, field] : TypedFields)
            if (Schema::table(QString::fromLatin1(table)).field(QString::fromLatin1(field))->kind == FieldKind::String)
                QTest::addRow("%s.%s", table, field) << table << field;
    }

    void textLongerThanItsFieldIsRefused()
    {
        QFETCH(QString, table);
        QFETCH(QString, field);
        TestDatabase site;
        site.init();
        TDatabase database(site.location());
        database.Open();
        const QMap<QString, int> before = rowCounts(database);
        const QString footerBefore = footer(database);
        const int width = Schema::table(table).field(field)->width;
        // Right-to-left letters and quotes, exactly as wide as the field.
        const QString full = QStringLiteral("'ש\"").repeated(width).left(width);

        auto tooWide = rowWith(database, table, field, full + QLatin1Char('x'));
        try {
            tooWide->Post();
            QFAIL("text wider than the field was stored");
        } catch (const EDatabaseError &error) {
            QCOMPARE(error.message(), QStringLiteral("%1 holds at most %2 characters").arg(field).arg(width));
        }
        tooWide->Cancel();
        QCOMPARE(rowCounts(database), before);
        QCOMPARE(footer(database), footerBefore);

        auto fits = rowWith(database, table, field, full);
        fits->Post();
        QCOMPARE(storedText(database, table, field, fits->FieldValue(Schema::table(table).primaryKey)), full);
    }

    void windowsStoreTypedTextExactly_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        for (const WindowBox &entry : WindowBoxes)
            QTest::addRow("%s %s", entry.window, entry.field) << entry.window << entry.box << entry.table << entry.field;
    }

    // For each text, a new row made in its window, the text typed into the box and saved with the
    // Save button.
    void windowsStoreTypedTextExactly()
    {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(QString, table);
        QFETCH(QString, field);
        TestSite site;
        CurrentUser = TLoginData{QStringLiteral("Supervisor"), 0, QStringLiteral("Supervisor"), QString()};
        LoadSecurityProfile(CurrentUser.SecurityID);
        TDatabase &database = site.data().ScheduleDatabase;
        QMap<QString, int> expected = rowCounts(database);
        MessageBoxRecorder messages;
        const auto form = openWindow(window);

        for (const auto &[kind, text] : HostileTexts) {
            press(*form, QStringLiteral("Insert"));
            if (table == QLatin1String("User") && field != QLatin1String("UserID"))
                typeInto(form->findChild<QWidget *>(QStringLiteral("DBEdit1")), QString::fromLatin1(kind).left(20));
            typeInto(form->findChild<QWidget *>(box), text);
            press(*form, QStringLiteral("Save"));
            ++expected[table];
            QVERIFY2(messages.texts().isEmpty(), kind);
            QVERIFY2(rowsMatching(database, table, field, text) == 1, kind);
        }
        QCOMPARE(rowCounts(database), expected);
    }

    // Accounts whose ID and password are hostile text open with exactly that text in the log-on
    // window, and with nothing else.
    void logOnWindowMatchesTypedTextExactly_data()
    {
        QTest::addColumn<QString>("text");
        for (const auto &[kind, text] : HostileTexts)
            QTest::newRow(kind) << text;
    }

    void logOnWindowMatchesTypedTextExactly()
    {
        QFETCH(QString, text);
        TestSite site;
        TTable &users = site.data().UserSettingsTable;
        users.Append();
        users.SetFieldValue("UserID", text.left(20));
        users.SetFieldValue("UserName", QStringLiteral("Hostile"));
        users.SetFieldValue("UserPassword", text);
        users.SetFieldValue("SecurityID", 1);
        users.Post();
        const QMap<QString, int> before = rowCounts(site.data().ScheduleDatabase);

        const auto logsOn = [](const QString &user, const QString &password) {
            TLogonForm form;
            form.Edit1->setText(user);
            form.Edit2->setText(password);
            form.CheckLogin();
            return form.LoggedOn;
        };
        QVERIFY(logsOn(text.left(20), text));
        QCOMPARE(CurrentUser.UserName, QStringLiteral("Hostile"));
        QVERIFY(!logsOn(text.left(20), QStringLiteral("' OR '1'='1' --")));
        QVERIFY(!logsOn(text.left(20), text + QLatin1Char(' ')));
        if (text != QLatin1String("' OR '1'='1"))
            QVERIFY(!logsOn(QStringLiteral("' OR '1'='1"), QStringLiteral("' OR '1'='1")));
        QCOMPARE(rowCounts(site.data().ScheduleDatabase), before);
    }

    // A database damaged from outside: the start ends with one error box that names what is wrong.
    void damagedDatabaseIsNamedAtStartUp_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("named");
        QTest::newRow("missing table") << QStringLiteral("DROP TABLE \"Schedule\"") << QStringLiteral("Schedule");
        QTest::newRow("missing column") << QStringLiteral("ALTER TABLE \"Resource\" DROP COLUMN \"Notes\"")
                                        << QStringLiteral("Notes");
        QTest::newRow("not a database") << QString() << QStringLiteral("not a database");
    }

    void damagedDatabaseIsNamedAtStartUp()
    {
        QFETCH(QString, damage);
        QFETCH(QString, named);
        TestDatabase site;
        site.init();
        if (damage.isEmpty()) {
            if (site.location().engine != EngineKind::SQLite)
                QSKIP("only a file can be something other than a database");
            QFile file(site.location().sqliteFilePath());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray("Quarterly figures, not a database\n").repeated(200));
        } else {
            TDatabase database(site.location());
            database.Open();
            database.exec(damage);
        }
        qputenv(DatabaseLocation::EnvironmentVariable, aliasOf(site.location()));
        MessageBoxRecorder messages;
        ModalScript logOn([](QDialog &dialog) { return dialog.result(); });
        StartUp startUp({});
        startUp.networkPresent = [] { return true; };
        startUp.wait = [](int) {};
        startUp.messageLoop = [] { return 0; };
        startUp.Run();
        qunsetenv(DatabaseLocation::EnvironmentVariable);

        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).icon, MessageIcon::Error);
        QVERIFY2(messages.shown.at(0).text.contains(named), qPrintable(messages.shown.at(0).text));
    }
};

int main(int argc, char *argv[])
{
    TQuorvelApplication application(argc, argv);
    TestBadInput test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_badinput.moc"
