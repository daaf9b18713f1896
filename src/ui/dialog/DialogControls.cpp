// The new-puzzle dialog's controls: how they are made, laid out, wired, captioned and
// kept within the screen. The rest of Dialog is in Dialog.cpp.
#include "dialog/Dialog.h"

#include "dialog/ControlNames.h"
#include "dialog/FolderBrowser.h"
#include "dialog/PuzzleOptions.h"
#include "dialog/SaveMode.h"
#include "settings/ModuloIdioma.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

QString caption(qint16 language, const char *source)
{
    return ModuloIdioma::text(language, "Dialog", source);
}

} // namespace

// Created in the order the player tabs through them.
void Dialog::buildControls()
{
    Frame1 = named(new QGroupBox(this), "Frame1");
    m_browser = new FolderBrowser(Frame1);
    Image1 = named(new QLabel(Frame1), "Image1");
    CheckMostrarImagen = named(new QCheckBox(Frame1), "CheckMostrarImagen");
    CheckRecordardir = named(new QCheckBox(Frame1), "CheckRecordardir");
    LabArchivo = named(new QLabel(Frame1), "LabArchivo");
    m_options = new PuzzleOptions(this);
    m_save = new SaveMode(this);
    OKButton = named(new QPushButton(this), "OKButton");
    CancelButton = named(new QPushButton(this), "CancelButton");

    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::StyledPanel);
    LabArchivo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    OKButton->setDefault(true);
}

// Every control stays within 800 x 470 pixels, what a 1600 x 1000 screen at scale 2 leaves
// a dialog: the lists and the tree give up height and width before anything is hidden.
void Dialog::layOutControls()
{
    Image1->setFixedSize(200, 150);
    // A long file name or file-type list is cut rather than widening the dialog.
    LabArchivo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (QComboBox *list : {m_browser->Drive1, m_browser->Combo1}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(12);
    }
    for (QWidget *view : std::initializer_list<QWidget *>{m_browser->Dir1, m_browser->File1})
        view->setMinimumSize(120, 80);
    m_browser->Dir1->setMinimumWidth(160);
    for (QLabel *label : {m_options->Label2, m_options->Label3})
        label->setMaximumWidth(190);

    auto *frame1Layout = new QGridLayout(Frame1);
    auto *driveRow = new QHBoxLayout;
    driveRow->addWidget(m_browser->LabelDrive1);
    driveRow->addWidget(m_browser->Drive1, 1);
    frame1Layout->addLayout(driveRow, 0, 0);
    frame1Layout->addWidget(m_browser->Dir1, 1, 0, 3, 1);
    frame1Layout->addWidget(m_browser->File1, 0, 1, 2, 1);
    frame1Layout->addWidget(m_browser->Label5, 2, 1);
    frame1Layout->addWidget(m_browser->Combo1, 3, 1);
    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(Image1);
    for (QWidget *widget : std::initializer_list<QWidget *>{LabArchivo, CheckMostrarImagen, CheckRecordardir})
        previewColumn->addWidget(widget);
    previewColumn->addStretch();
    frame1Layout->addLayout(previewColumn, 0, 2, 4, 1);
    frame1Layout->setColumnStretch(0, 3);
    frame1Layout->setColumnStretch(1, 2);
    frame1Layout->setRowStretch(1, 1);

    auto *counts = new QGridLayout;
    counts->addWidget(m_options->LabelColumns, 0, 0);
    counts->addWidget(m_options->LabelRows, 0, 1);
    counts->addWidget(m_options->ListX, 1, 0);
    counts->addWidget(m_options->ListY, 1, 1);
    counts->setRowStretch(1, 1);
    auto *optionsColumn = new QVBoxLayout;
    optionsColumn->addLayout(counts, 1);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_options->Label2, m_options->Frame2,
                                                            m_save->LabelSalvarComo, m_save->TextSalvarComo})
        optionsColumn->addWidget(widget);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    optionsColumn->addLayout(buttons);

    auto *top = new QHBoxLayout(this);
    top->addWidget(Frame1, 1);
    top->addLayout(optionsColumn);
}

void Dialog::connectControls()
{
    connect(m_browser, &FolderBrowser::folderChanged, this, &Dialog::folderChanged);
    connect(m_browser, &FolderBrowser::fileClicked, this, &Dialog::File1_Click);
    connect(m_browser, &FolderBrowser::choiceGone, this, &Dialog::folderChanged);
    connect(CheckMostrarImagen, &QCheckBox::toggled, this, [this] { CheckMostrarImagen_Click(); });
    connect(m_save->TextSalvarComo, &QLineEdit::textChanged, this, [this] { TextSalvarComo_Change(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void Dialog::setCaptions(qint16 language)
{
    Frame1->setTitle(caption(language, QT_TRANSLATE_NOOP("Dialog", "Select an image")));
    CheckMostrarImagen->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Preview image")));
    m_options->setCaptions(language);
    CheckRecordardir->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Remember this folder")));
    m_browser->LabelDrive1->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Drive:")));
    m_browser->Label5->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "File type:")));
    m_save->LabelSalvarComo->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Save as:")));
    OKButton->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "OK")));
    CancelButton->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Cancel")));
    setAccessibleNames(language);
}

// The names assistive technology reads for the controls that show no caption of their own.
// The drop-down lists are named by the captions beside them, their buddies.
void Dialog::setAccessibleNames(qint16 language)
{
    const std::pair<QWidget *, const char *> names[] = {
        {m_browser->Dir1, QT_TRANSLATE_NOOP("AccessibleNames", "Folders")},
        {m_browser->File1, QT_TRANSLATE_NOOP("AccessibleNames", "Files")},
        {Image1, QT_TRANSLATE_NOOP("AccessibleNames", "Preview")},
        {m_options->ListX, QT_TRANSLATE_NOOP("AccessibleNames", "Columns")},
        {m_options->ListY, QT_TRANSLATE_NOOP("AccessibleNames", "Rows")},
        {m_save->TextSalvarComo, QT_TRANSLATE_NOOP("AccessibleNames", "Save as")},
    };
    for (const auto &[control, name] : names)
        control->setAccessibleName(ModuloIdioma::text(language, "AccessibleNames", name));
}

void Dialog::applyLanguage()
{
    const qint16 language = ModuloIdioma::idioma();
    if (language != ModuloIdioma::English && language != ModuloIdioma::Spanish)
        return;
    setCaptions(language);
    // The fixed captions describe 4 by 4 and the Normal style; once the player has chosen,
    // the labels describe the choice instead.
    m_options->describeChoice();
}

// The size the layout would like can be taller than a small or scaled screen; the layout
// still fits in less, so the dialog is brought within the screen's free area, leaving
// room for the window's title bar.
void Dialog::fitIntoScreen()
{
    if (!screen())
        return;
    const QRect available = screen()->availableGeometry();
    const int titleBar = 40;
    const QSize room(available.width(), available.height() - titleBar);
    if (width() > room.width() || height() > room.height())
        resize(size().boundedTo(room).expandedTo(minimumSizeHint()));
    QRect placed = geometry();
    placed.moveRight(std::min(placed.right(), available.right()));
    placed.moveBottom(std::min(placed.bottom(), available.bottom()));
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top() + titleBar));
    if (placed.topLeft() != geometry().topLeft())
        move(pos() + placed.topLeft() - geometry().topLeft());
}
