#include "admin/LoggedInUsersFrm.h"

#include "data/ProgramConst.h"
#include "data/ProgramDataFrm.h"
#include "platform/db/DatabaseError.h"
#include "platform/ui/FormParts.h"
#include "platform/ui/WindowDisplay.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int NameLength = 15;
constexpr int ListLines = 10;
constexpr int ListCharacters = 40;
const QString LinePrefix = QStringLiteral("User name: ");

} // namespace

TLoggedInUsersForm::TLoggedInUsersForm(QWidget *owner) : QDialog(owner, DialogWindowFlags)
{
    setObjectName(QStringLiteral("LoggedInUsersForm"));
    setWindowTitle(QStringLiteral("Logged In Users"));
    UserList = Named(new QPlainTextEdit(this), "UserList");
    UserList->setReadOnly(true);
    UserList->setLineWrapMode(QPlainTextEdit::NoWrap);
    UserList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BitBtn1 = NewStandardButton(StandardButton::Ok, "BitBtn1", this);
    BitBtn1->setDefault(true);
    layOut();
    FormCreate();
}

void TLoggedInUsersForm::layOut()
{
    SizeMemoFor(*UserList, ListLines);
    WidenForCharacters(*UserList, ListCharacters);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(UserList);
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
}

// An entry whose name belongs to no account shows that name: the record would otherwise still
// hold the account of the line before.
void TLoggedInUsersForm::FormCreate()
{
    QStringList lines = connectedUserLines();
    TLoginData record;
    for (QString &line : lines) {
        const QString name = line.mid(LinePrefix.size());
        record.UserID = name;
        LookupUser(name, record);
        if (!record.UserName.isEmpty())
            line = record.UserID + QStringLiteral(" (") + record.UserName + QLatin1Char(')');
    }
    UserList->setPlainText(lines.join(QLatin1Char('\n')));
}

// When the database cannot say who is connected, the list stays empty.
QStringList TLoggedInUsersForm::connectedUserLines() const
{
    QStringList lines;
    try {
        for (const TSessions::Entry &entry : ProgramDataForm->Sessions.Connected()) {
            const QString name = entry.UserName.left(NameLength);
            lines << LinePrefix + (name.isEmpty() ? QStringLiteral("Unknown") : name);
        }
    } catch (const EDatabaseError &) {
        lines.clear();
    }
    return lines;
}
