#pragma once

#include "reports/ReportDialog.h"

#include <QStringList>

// A report dialog for every resource of a type that the user may see, each on its own pages.
class TTypeReportDialog : public TReportDialog
{
    Q_OBJECT

public:
    TDBLookupComboBox *TypeToPrint;
    // The ResourceIDs of the last report, as decimal text.
    QStringList ReportResources;

protected:
    TTypeReportDialog(QWidget *owner, const QString &caption, const QString &footerCaption);

    bool CheckTypeChosen();
    // Fills ReportResources with the chosen type's resources that the user may see.
    void BuildResourceList();
    QList<int> ResourcesToReport() override;
};
