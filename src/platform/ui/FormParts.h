#pragma once

#include <QString>
#include <Qt>

class QDialog;
class QPushButton;
class QTableView;
class QWidget;

// The parts every window of the program is built from, so that all of them look and behave alike.

// A dialog with a title and a close box, and no help or maximise button.
constexpr Qt::WindowFlags DialogWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Gives a control the object name that the window's code and the tests know it by.
template <class Control>
Control *Named(Control *control, const char *name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// A push button that leaves Enter to the window's default button.
QPushButton *NewButton(const QString &caption, const char *name, QWidget *parent);

// The standard buttons, with their usual icons. OK accepts the window, Cancel and Close reject it;
// Help is visible only when the help file is present.
enum class StandardButton { Ok, Cancel, Close, Help };
QPushButton *NewStandardButton(StandardButton kind, const char *name, QDialog *window);

// Makes a grid wide enough for all of its columns and tall enough for the given number of lines.
void SizeGridFor(QTableView &grid, int lines);
