#include "platform/ui/MessageFrm.h"

#include "platform/ui/Animate.h"
#include "platform/ui/WindowDisplay.h"

#include <QLabel>
#include <QVBoxLayout>

TMessageForm *MessageForm = nullptr;

namespace {

// Room for the longest messages the program shows ("Please Wait Building Schedule Table").
constexpr int MessageCharacters = 40;

} // namespace

TMessageForm::TMessageForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Label2(new QLabel(QStringLiteral("Quorvel"), this)),
      Animate1(new TAnimate(this)),
      Label1(new QLabel(this))
{
    setObjectName(QStringLiteral("MessageForm"));
    setWindowTitle(QStringLiteral("Quorvel"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Label1->setObjectName(QStringLiteral("Label1"));

    QFont large = Label2->font();
    large.setPointSizeF(large.pointSizeF() * 2.0);
    large.setBold(true);
    Label2->setFont(large);
    Label2->setAlignment(Qt::AlignCenter);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumWidth(Label1->fontMetrics().averageCharWidth() * MessageCharacters);

    // The animation keeps its place while hidden, so showing it does not resize the notice.
    QSizePolicy policy = Animate1->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    Animate1->setSizePolicy(policy);
    Animate1->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(layout->spacing() * 2);
    layout->addWidget(Label2);
    layout->addWidget(Animate1, 0, Qt::AlignHCenter);
    layout->addWidget(Label1);
    FixToLayoutSize(*this);
    CentreOnScreen(*this);
}

namespace {

const char *const InUse = "noticeInUse";

// A notice taken down is kept, hidden, by its owner, so that the next one the owner puts up (a view
// puts one up for every rebuild of its grid) shows at once instead of being made anew.
TMessageForm *noticeFor(QWidget *owner)
{
    if (owner)
        for (TMessageForm *kept : owner->findChildren<TMessageForm *>(QString(), Qt::FindDirectChildrenOnly))
            if (!kept->property(InUse).toBool()) {
                kept->setWindowTitle(QStringLiteral("Quorvel"));
                return kept;
            }
    return new TMessageForm(owner);
}

} // namespace

TProgressNotice::TProgressNotice(QWidget *owner, const QString &message)
    : m_form(noticeFor(owner)),
      m_replaced(MessageForm)
{
    if (m_replaced)
        m_replaced->hide();
    MessageForm = m_form;
    m_form->setProperty(InUse, true);
    m_form->Animate1->SetActive(true);
    m_form->Animate1->setVisible(true);
    m_form->Label1->setText(message);
    ShowAndPaintNow(*m_form);
}

TProgressNotice::~TProgressNotice()
{
    if (m_form && m_form->parentWidget()) {
        m_form->hide();
        m_form->Animate1->SetActive(false);
        m_form->setProperty(InUse, false);
    } else {
        delete m_form;
    }
    MessageForm = m_replaced;
    if (m_replaced) {
        m_replaced->show();
        m_replaced->repaint();
    }
}

void TProgressNotice::SetMessage(const QString &message)
{
    if (!m_form)
        return;
    m_form->Label1->setText(message);
    m_form->repaint();
}
