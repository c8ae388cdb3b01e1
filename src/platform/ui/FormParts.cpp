#include "platform/ui/FormParts.h"

#include "platform/ui/DBCheckBox.h"
#include "platform/ui/DBLookupComboBox.h"
#include "platform/ui/Handlers.h"
#include "platform/ui/HelpFile.h"
#include "platform/ui/HelpForm.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

TDBCheckBox *NewBoundCheckBox(const QString &caption, const char *name, TDataSource *source, const char *field,
                              QWidget *parent)
{
    auto *checkBox = Named(new TDBCheckBox(caption, parent), name);
    checkBox->SetDataSource(source);
    checkBox->SetDataField(QString::fromLatin1(field));
    return checkBox;
}

TDBLookupComboBox *NewBoundLookup(const char *name, TDataSource *source, const char *field, const LookupList &list,
                                  QWidget *parent)
{
    auto *lookup = NewBound<TDBLookupComboBox>(name, source, field, parent);
    lookup->SetListSource(list.source);
    lookup->SetKeyField(QString::fromLatin1(list.keyField));
    lookup->SetListField(QString::fromLatin1(list.listField));
    return lookup;
}

QPushButton *NewButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = Named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

QPushButton *NewStandardButton(StandardButton kind, const char *name, QDialog *window)
{
    struct Look
    {
        const char *caption;
        QStyle::StandardPixmap icon;
    };
    static const Look looks[] = {{"OK", QStyle::SP_DialogOkButton},
                                 {"Cancel", QStyle::SP_DialogCancelButton},
                                 {"Close", QStyle::SP_DialogCloseButton},
                                 {"&Help", QStyle::SP_DialogHelpButton}};
    const Look &look = looks[int(kind)];
    QPushButton *button = NewButton(QString::fromLatin1(look.caption), name, window);
    button->setIcon(window->style()->standardIcon(look.icon));
    switch (kind) {
    case StandardButton::Ok:
        ConnectHandler(button, &QPushButton::clicked, window, &QDialog::accept);
        break;
    case StandardButton::Cancel:
    case StandardButton::Close:
        ConnectHandler(button, &QPushButton::clicked, window, &QDialog::reject);
        break;
    case StandardButton::Help:
        button->setVisible(HelpFilePresent);
        // The manual's page for a window is named after its class.
        ConnectHandler(button, &QPushButton::clicked, window,
                         [window] { ShowHelp(window, QString::fromLatin1(window->metaObject()->className())); });
        break;
    }
    return button;
}

void SizeGridFor(QTableView &grid, int lines)
{
    int width = 2 * grid.frameWidth() + grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
    for (int column = 0; column < grid.model()->columnCount(); ++column)
        width += grid.columnWidth(column);
    const int height = 2 * grid.frameWidth() + grid.horizontalHeader()->sizeHint().height()
        + grid.verticalHeader()->defaultSectionSize() * lines;
    grid.setMinimumSize(width, height);
}

void WidenForCharacters(QWidget &control, int characters)
{
    control.setMinimumWidth(control.fontMetrics().averageCharWidth() * characters);
}

void SizeMemoFor(QPlainTextEdit &memo, int lines)
{
    const int margins = 2 * memo.frameWidth() + 2 * int(memo.document()->documentMargin());
    memo.setFixedHeight(memo.fontMetrics().lineSpacing() * lines + margins);
    memo.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ShowAsButtonFace(std::initializer_list<QWidget *> controls, bool buttonFace)
{
    const QPalette &standard = QApplication::palette();
    for (QWidget *control : controls) {
        QPalette palette = control->palette();
        palette.setColor(QPalette::Base, standard.color(buttonFace ? QPalette::Button : QPalette::Base));
        control->setPalette(palette);
    }
}
