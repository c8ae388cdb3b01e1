#pragma once

#include <QString>
#include <Qt>
#include <initializer_list>

class QDialog;
class TDataSource;
class TDBCheckBox;
class TDBLookupComboBox;
class QPlainTextEdit;
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

// A data-aware edit box or memo bound to a field of the table behind the data source.
template <class Control>
Control *NewBound(const char *name, TDataSource *source, const char *field, QWidget *parent)
{
    auto *control = Named(new Control(parent), name);
    control->SetDataSource(source);
    control->SetDataField(QString::fromLatin1(field));
    return control;
}

// A data-aware check box bound likewise.
TDBCheckBox *NewBoundCheckBox(const QString &caption, const char *name, TDataSource *source, const char *field,
                              QWidget *parent);

// Where a lookup list takes its choices from: the rows of a data source, shown by one field and
// standing for another.
struct LookupList
{
    TDataSource *source;
    const char *keyField;
    const char *listField;
};

// A lookup list bound to a field of the table behind the data source.
TDBLookupComboBox *NewBoundLookup(const char *name, TDataSource *source, const char *field, const LookupList &list,
                                  QWidget *parent);

// A push button that leaves Enter to the window's default button.
QPushButton *NewButton(const QString &caption, const char *name, QWidget *parent);

// The standard buttons, with their usual icons. OK accepts the window, Cancel and Close reject it;
// Help is visible only when the help file is present.
enum class StandardButton { Ok, Cancel, Close, Help };
QPushButton *NewStandardButton(StandardButton kind, const char *name, QDialog *window);

// Makes a grid wide enough for all of its columns and tall enough for the given number of lines.
void SizeGridFor(QTableView &grid, int lines);

// Makes a text box wide enough for about the given number of characters.
void WidenForCharacters(QWidget &control, int characters);

// Makes a memo as tall as the given number of lines; its text wraps, so it never scrolls sideways.
void SizeMemoFor(QPlainTextEdit &memo, int lines);

// Controls the user may not change are shown in the button face; the others in the window colour.
void ShowAsButtonFace(std::initializer_list<QWidget *> controls, bool buttonFace);
