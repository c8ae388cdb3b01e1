#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The splash window shown while the program's main objects are created.
class TSplashForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSplashForm(QWidget *owner = nullptr);

    QLabel *Image1;
    QLabel *ProductName;
    QLabel *Version;
    QLabel *Image2;
    QProgressBar *Gauge1;
};

// False when the command line asked for a start without splash; the splash operations below do
// nothing then.
extern bool ShowSplash;

// Puts up the splash with a bar of the given number of steps (none shown for 0 or less), closing
// any splash already up.
void OpenSplash(int steps);
// Moves the bar one step on.
void AdvanceSplash();
void CloseSplash();
// The splash up now, or none.
TSplashForm *OpenedSplash();
