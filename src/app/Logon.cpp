#include "app/Logon.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "data/ResourceAccess.h"
#include "platform/db/FieldValue.h"
#include "platform/db/QuerySteps.h"

#include <optional>

namespace {

const QString SelectUsers = QStringLiteral("Select * From \"User.db\"");
const QString MatchUserID = QStringLiteral("Where Upper(userid) = Upper(:UserID)");
// A password never set is stored as null; it is the empty password.
const QString MatchPassword = QStringLiteral("and Coalesce(UserPassword, '') = Coalesce(:Password, '')");

// Capitals for the letters a to z only, as account IDs are compared.
QString capitals(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    return result;
}

bool accountExists(const QString &userID, const std::optional<QString> &password)
{
    TQuery &query = ProgramDataForm->UserSettingsQuery;
    QStringList lines = {SelectUsers, MatchUserID};
    QueryParams params = {{QStringLiteral("UserID"), userID}};
    if (password) {
        lines << MatchPassword;
        params << qMakePair(QStringLiteral("Password"), QVariant(*password));
    }
    OpenQuery(query, lines, params);
    const bool found = !query.Eof();
    CloseQuery(query);
    return found;
}

int accountCount()
{
    TQuery &query = ProgramDataForm->UserSettingsQuery;
    OpenQuery(query, {QStringLiteral("Select Count(*) As Accounts From \"User.db\"")}, {});
    const int count = FieldValue::asInteger(query.FieldValue(QStringLiteral("Accounts")));
    CloseQuery(query);
    return count;
}

} // namespace

bool CheckAccount(const QString &userName, const QString &password, bool testPassword)
{
    const QString userID = capitals(userName);
    CurrentUser.SecurityID = -1;
    CurrentUser.UserName.clear();
    if (!accountExists(userID, testPassword ? std::optional<QString>(password) : std::nullopt))
        return false;
    LookupUser(userID, CurrentUser);
    LoadSecurityProfile(CurrentUser.SecurityID);
    LoadAllowedResources(userID);
    return true;
}

bool OnlyDefaultSupervisor()
{
    return accountCount() == 1 && accountExists(capitals(QString::fromLatin1(DefaultSupervisor)), QString());
}
