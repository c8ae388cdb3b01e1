#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: product name, version and picture.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *owner = nullptr);

    QLabel *Image1;
    QLabel *ProductName;
    QLabel *Version;
    QPushButton *OKButton;
};
