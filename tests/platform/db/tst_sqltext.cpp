// The program's SQL brought into the one dialect both engines accept.

#include "platform/db/DatabaseError.h"
#include "platform/db/SqlText.h"

#include <QTest>

class TestSqlText : public QObject
{
    Q_OBJECT

private slots:
    void namesBecomeCanonicalQuotedNames_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::newRow("quoted .db name") << "Select * From \"User.db\""
                                         << "Select * From \"User\"";
        QTest::newRow("resource.DB") << "Select * From \"resource.DB\"" << "Select * From \"Resource\"";
        QTest::newRow("Resource.Db") << "Select * From \"Resource.Db\"" << "Select * From \"Resource\"";
        QTest::newRow("unquoted with extension") << "Delete From Schedule.db Where Sequence = 1"
                                                 << "Delete From \"Schedule\" Where \"Sequence\" = 1";
        QTest::newRow("bare name after Update") << "Update restrict Set userid = ?"
                                                << "Update \"Restrict\" Set \"UserID\" = ?";
        QTest::newRow("Insert Into") << "Insert Into type (description) Values (?)"
                                     << "Insert Into \"Type\" (\"Description\") Values (?)";
        QTest::newRow("field in any case") << "Select USERNAME, userphone From \"User.db\" Order By username"
                                           << "Select \"UserName\", \"UserPhone\" From \"User\" Order By \"UserName\"";
        QTest::newRow("quoted field") << "Select \"descriptionl\" From \"resource.DB\""
                                      << "Select \"DescriptionL\" From \"Resource\"";
        QTest::newRow("function around a field") << "Where Upper(userid) = Upper(?)"
                                                 << "Where Upper(\"UserID\") = Upper(?)";
        QTest::newRow("qualified field") << "Select s.starttime From Schedule s"
                                         << "Select s.\"StartTime\" From \"Schedule\" s";
        QTest::newRow("a table name elsewhere is a plain word") << "Select Type From x"
                                                                << "Select Type From x";
        QTest::newRow("unknown quoted name stays") << "Select \"Other\" From x" << "Select \"Other\" From x";
    }

    void namesBecomeCanonicalQuotedNames()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        const SqlText::Translated translated = SqlText::translate(sql);
        QCOMPARE(translated.sql, expected);
    }

    void lineBreaksAreSpacesAndLiteralsAreLeftAlone()
    {
        const SqlText::Translated translated = SqlText::translate(
            QStringLiteral("Select * From \"Schedule.db\"\nWhere Notes = 'userid: :not ''a'' param'\r\nOrder By StartTime"));
        QCOMPARE(translated.sql, QStringLiteral("Select * From \"Schedule\" Where \"Notes\" = 'userid: :not ''a'' param'  Order By \"StartTime\""));
        QVERIFY(translated.parameterNames.isEmpty());
    }

    void namedParametersBecomePositionalInOrder()
    {
        const SqlText::Translated translated = SqlText::translate(
            QStringLiteral("Select * From Schedule Where ResourceID = :Res and ScheduleDate >= :From and ScheduleDate <= :from::date and ReservedBy = ?"));
        QCOMPARE(translated.sql, QStringLiteral("Select * From \"Schedule\" Where \"ResourceID\" = ? and \"ScheduleDate\" >= ? "
                                                "and \"ScheduleDate\" <= ?::date and \"ReservedBy\" = ?"));
        QCOMPARE(translated.parameterNames, (QStringList{"Res", "From", "from", "3"}));
    }

    void unterminatedQuotationIsAnError_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("single") << "Select * From Type Where Description = 'x";
        QTest::newRow("double") << "Select * From \"Type.db";
    }

    void unterminatedQuotationIsAnError()
    {
        QFETCH(QString, sql);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, SqlText::translate(sql));
    }
};

QTEST_GUILESS_MAIN(TestSqlText)
#include "tst_sqltext.moc"
