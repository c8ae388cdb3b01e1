#pragma once

#include <QDialog>

class QPushButton;
class QTextBrowser;

// The program's help window: the user manual in the help file, opened at the page of the window the
// user asked from. Each window's page is the anchor named after its class, e.g. "TTypesForm".
class THelpForm : public QDialog
{
    Q_OBJECT

public:
    explicit THelpForm(QWidget *owner);

    // Loads the manual from where the help file was found at start-up and scrolls to the page; a
    // page the manual lacks shows its start. A file that cannot be read shows why instead.
    void ShowPage(const QString &page);

    QTextBrowser *HelpViewer;
    QPushButton *BackBtn;
    QPushButton *BitBtn1;
};

// Opens the help window modally at the page.
void ShowHelp(QWidget *owner, const QString &page);
