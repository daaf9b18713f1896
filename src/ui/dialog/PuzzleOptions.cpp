#include "dialog/PuzzleOptions.h"
#include "dialog/ControlNames.h"

#include "board/GridRange.h"
#include "dialog/DialogRules.h"
#include "settings/ModuloIdioma.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

QString caption(qint16 language, const char *source)
{
    return ModuloIdioma::text(language, "Dialog", source);
}

} // namespace

PuzzleOptions::PuzzleOptions(QWidget *dialog) : QObject(dialog)
{
    LabelColumns = named(new QLabel(dialog), "LabelColumns");
    LabelRows = named(new QLabel(dialog), "LabelRows");
    ListX = named(new QListWidget(dialog), "ListX");
    ListY = named(new QListWidget(dialog), "ListY");
    Label2 = named(new QLabel(dialog), "Label2");
    Frame2 = named(new QGroupBox(dialog), "Frame2");
    OptionNormal = named(new QRadioButton(Frame2), "OptionNormal");
    OptionDificil = named(new QRadioButton(Frame2), "OptionDificil");
    Label3 = named(new QLabel(Frame2), "Label3");
    for (QListWidget *list : {ListX, ListY}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setFixedWidth(60);
        list->setMinimumHeight(60);
    }
    LabelColumns->setBuddy(ListX);
    LabelRows->setBuddy(ListY);
    Label2->setWordWrap(true);
    Label3->setWordWrap(true);
    auto *frame2Layout = new QVBoxLayout(Frame2);
    frame2Layout->addWidget(OptionNormal);
    frame2Layout->addWidget(OptionDificil);
    frame2Layout->addWidget(Label3);

    connect(ListX, &QListWidget::currentRowChanged, this, [this] { ListX_Click(); });
    connect(ListY, &QListWidget::currentRowChanged, this, [this] { ListX_Click(); });
    for (QRadioButton *option : {OptionNormal, OptionDificil}) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                styleExplanation();
        });
    }
}

void PuzzleOptions::setCaptions(qint16 language)
{
    LabelColumns->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Columns")));
    LabelRows->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Rows")));
    Frame2->setTitle(caption(language, QT_TRANSLATE_NOOP("Dialog", "Puzzle style")));
    OptionNormal->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Normal")));
    OptionDificil->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Difficult")));
    Label2->setText(DialogRules::piecesSummary(language, 4, 4).value_or(QString()));
    Label3->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Any piece can be moved to any place.")));
}

void PuzzleOptions::describeChoice()
{
    ListX_Click();
    styleExplanation();
}

void PuzzleOptions::fillCounts()
{
    for (int count = GridRange::Min; count <= GridRange::Max; ++count) {
        ListX->addItem(QString::number(count));
        ListY->addItem(QString::number(count));
    }
}

void PuzzleOptions::selectCount(QListWidget *list, int count)
{
    list->setCurrentRow(std::clamp(count, int(GridRange::Min), int(GridRange::Max)) - GridRange::Min);
    ListX_Click();
}

int PuzzleOptions::selectedCount(const QListWidget *list) const
{
    const QListWidgetItem *item = list->currentItem();
    return item ? item->text().toInt() : 0;
}

void PuzzleOptions::ListX_Click()
{
    const int x = selectedCount(ListX);
    const int y = selectedCount(ListY);
    if (x == 0 || y == 0)
        return;
    if (const auto text = DialogRules::piecesSummary(ModuloIdioma::idioma(), x, y))
        Label2->setText(*text);
}

void PuzzleOptions::setOptions(bool dificil)
{
    (dificil ? OptionDificil : OptionNormal)->setChecked(true);
    styleExplanation();
}

void PuzzleOptions::styleExplanation()
{
    if (!OptionNormal->isChecked() && !OptionDificil->isChecked())
        return;
    if (const auto text = DialogRules::styleExplanation(ModuloIdioma::idioma(), OptionDificil->isChecked()))
        Label3->setText(*text);
}

bool PuzzleOptions::dificil() const
{
    return OptionDificil->isChecked();
}

void PuzzleOptions::setEnabled(bool enabled)
{
    for (QWidget *control : {static_cast<QWidget *>(ListX), static_cast<QWidget *>(ListY),
                             static_cast<QWidget *>(OptionNormal), static_cast<QWidget *>(OptionDificil)})
        control->setEnabled(enabled);
}
