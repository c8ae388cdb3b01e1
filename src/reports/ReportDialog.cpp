#include "reports/ReportDialog.h"

#include "data/ProgramConst.h"
#include "platform/db/DataSource.h"
#include "platform/db/FieldValue.h"
#include "platform/db/Table.h"
#include "platform/print/ProgramPrinter.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/HelpForm.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/WindowDisplay.h"
#include "reports/ReportPreviewFrm.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>
#include <memory>

namespace {

// Room for a long resource description and a sentence of footer, without the dialog growing with
// its text.
constexpr int ChoiceCharacters = 36;
constexpr int FooterCharacters = 56;

} // namespace

TReportDialog::TReportDialog(QWidget *owner, const QString &caption, const QString &footerCaption,
                             const QString &gridCaption)
    : QDialog(owner),
      Footer(new QLineEdit(this)),
      PrintGrid(new QCheckBox(gridCaption, this)),
      HelpBtn(new QPushButton(QStringLiteral("&Help"), this)),
      PreviewBtn(new QPushButton(QStringLiteral("Preview"), this)),
      PrintBtn(new QPushButton(QStringLiteral("Print"), this)),
      BitBtn1(new QPushButton(QStringLiteral("Cancel"), this)),
      m_footerCaption(footerCaption)
{
    setWindowTitle(caption);
    Footer->setObjectName(QStringLiteral("Footer"));
    PrintGrid->setObjectName(QStringLiteral("PrintGrid"));
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    PreviewBtn->setObjectName(QStringLiteral("PreviewBtn"));
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    Footer->setMinimumWidth(Footer->fontMetrics().averageCharWidth() * FooterCharacters);
    PreviewBtn->setDefault(true);
    ConnectHandler(PreviewBtn, &QPushButton::clicked, this, &TReportDialog::PreviewBtnClick);
    ConnectHandler(PrintBtn, &QPushButton::clicked, this, &TReportDialog::PrintBtnClick);
    ConnectHandler(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    // Every report dialog shares one page of the manual.
    ConnectHandler(HelpBtn, &QPushButton::clicked, this, [this] { ShowHelp(this, QStringLiteral("TReportDialog")); });
}

void TReportDialog::LayOut(const QList<QPair<QString, QWidget *>> &selections)
{
    auto *fields = new QFormLayout;
    for (const auto &[caption, control] : selections)
        fields->addRow(caption, control);
    fields->addRow(m_footerCaption, Footer);
    fields->addRow(QString(), PrintGrid);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(HelpBtn);
    buttons->addStretch(1);
    buttons->addWidget(PreviewBtn);
    buttons->addWidget(PrintBtn);
    buttons->addWidget(BitBtn1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(fields->verticalSpacing());
    layout->addLayout(buttons);
    FixToLayoutSize(*this);
    CentreOnScreen(*this);
    // Each report makes its selections after the shared controls, which puts them last in the
    // tab order; opening on the first of them makes Tab go down the window and round again.
    if (!selections.isEmpty())
        selections.first().second->setFocus();
}

TDBLookupComboBox *TReportDialog::NewLookup(TDataSource &source, const QString &keyField, const char *objectName)
{
    auto *lookup = new TDBLookupComboBox(this);
    lookup->setObjectName(QLatin1String(objectName));
    lookup->setMinimumWidth(lookup->fontMetrics().averageCharWidth() * ChoiceCharacters);
    lookup->SetListSource(&source);
    lookup->SetKeyField(keyField);
    lookup->SetListField(QStringLiteral("Description"));
    const TTable *table = source.DataSet();
    if (table && table->Active() && !table->IsEmpty())
        lookup->SetKeyValue(table->FieldValue(keyField));
    return lookup;
}

void TReportDialog::SetDefaults()
{
    HelpBtn->setVisible(HelpFilePresent);
    Footer->setText(SystemSettings.DefaultFooter);
    PrintGrid->setChecked(false);
}

bool TReportDialog::CheckChosen(const TDBLookupComboBox &lookup, const QString &message)
{
    if (!FieldValue::isNull(lookup.KeyValue()))
        return true;
    ShowMessageBox(message, MessageIcon::Error, MessageButtons::Ok, this);
    return false;
}

bool TReportDialog::CheckDateOrder(const TDateTimePicker &start, const TDateTimePicker &end)
{
    if (end.Date() >= start.Date())
        return true;
    ShowMessageBox(QStringLiteral("Error: The Starting Date is Before The Ending Date"), MessageIcon::Error,
                   MessageButtons::Ok, this);
    return false;
}

void TReportDialog::PreviewBtnClick()
{
    RunReports(rtPreview);
}

void TReportDialog::PrintBtnClick()
{
    if (RunReports(rtPrinter))
        accept();
}

bool TReportDialog::RunReports(int target)
{
    if (!CheckSelection() || (target == rtPrinter && !PrinterChosen()))
        return false;
    const QList<int> resources = ResourcesToReport();
    auto surface = std::make_unique<TReportPreviewForm>(this);
    ReportPreviewForm = surface.get();
    const auto forgetSurface = qScopeGuard([] { ReportPreviewForm = nullptr; });
    // Grid reports are always portrait.
    surface->BeginReport(target, !PrintGrid->isChecked() && SystemSettings.Landscape);
    for (qsizetype i = 0; i < resources.size(); ++i) {
        if (i > 0)
            surface->NewPage();
        RunReportFor(resources.at(i));
    }
    surface->EndReport();
    return true;
}

bool TReportDialog::PrinterChosen()
{
    QPrintDialog PrintDialog1(&ProgramPrinter(), this);
    PrintDialog1.setObjectName(QStringLiteral("PrintDialog1"));
    return RunModal(PrintDialog1) == QDialog::Accepted;
}
