#include "dialog/Dialog.h"

#include "board/TableroClass.h"
#include "changeSizeImage.h"
#include "dialog/DialogRules.h"
#include "dialog/SalvarLeerPuzzle2.h"
#include "io/RunTimeError.h"
#include "platform/Messages.h"
#include "settings/ConfigFileHandler.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCollator>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace
{

const char *const Ctx = "Dialog";
const QString RootDrive = QStringLiteral("/");
constexpr int MinCount = 2;
constexpr int MaxCount = 30;

QString caption(qint16 language, const char *source)
{
    return ModuloIdioma::text(language, Ctx, source);
}

bool listable(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

// A drive can be used when it is still mounted where the list says and can be listed.
bool volumeReady(const QString &root)
{
    const QStorageInfo volume(root);
    return volume.isValid() && volume.isReady() &&
           QDir::cleanPath(volume.rootPath()) == QDir::cleanPath(root) && listable(root);
}

QStringList volumeRoots()
{
    QStringList roots{RootDrive};
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir())
            roots << volume.rootPath();
    }
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    return roots;
}

// Sorts as the file list shows names, so "first file" means the same in both.
void sortLikeFileList(QStringList &names)
{
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(),
              [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
}

} // namespace

Dialog::Dialog(const DialogHost &host, QWidget *parent)
    : QDialog(parent), m_host(host), m_pendingBoard(std::make_unique<TableroClass>())
{
    setObjectName(QStringLiteral("Dialog"));
    buildControls();
    setCaptions(ModuloIdioma::Spanish);
    Form_Load();
}

Dialog::~Dialog() = default;

void Dialog::buildControls()
{
    auto named = [](auto *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };

    Frame1 = named(new QGroupBox(this), "Frame1");
    Drive1 = named(new QComboBox(Frame1), "Drive1");
    Dir1 = named(new QTreeView(Frame1), "Dir1");
    File1 = named(new QListView(Frame1), "File1");
    Label5 = named(new QLabel(Frame1), "Label5");
    Combo1 = named(new QComboBox(Frame1), "Combo1");
    Image1 = named(new QLabel(Frame1), "Image1");
    CheckMostrarImagen = named(new QCheckBox(Frame1), "CheckMostrarImagen");
    CheckRecordardir = named(new QCheckBox(Frame1), "CheckRecordardir");
    LabArchivo = named(new QLabel(Frame1), "LabArchivo");
    ListX = named(new QListWidget(this), "ListX");
    ListY = named(new QListWidget(this), "ListY");
    Label2 = named(new QLabel(this), "Label2");
    Frame2 = named(new QGroupBox(this), "Frame2");
    OptionNormal = named(new QRadioButton(Frame2), "OptionNormal");
    OptionDificil = named(new QRadioButton(Frame2), "OptionDificil");
    Label3 = named(new QLabel(Frame2), "Label3");
    LabelSalvarComo = named(new QLabel(this), "LabelSalvarComo");
    TextSalvarComo = named(new QLineEdit(this), "TextSalvarComo");
    OKButton = named(new QPushButton(this), "OKButton");
    CancelButton = named(new QPushButton(this), "CancelButton");

    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_dirModel->setRootPath(RootDrive);
    // A view moves its current row when that row is removed; such moves are not the
    // player's choice, so the reactions skip them and the views are put back afterwards.
    connect(m_dirModel, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { m_tidying = true; });
    Dir1->setModel(m_dirModel);
    // Folders arrive from a background thread; keep the current one in sight as its
    // ancestors fill in.
    connect(m_dirModel, &QFileSystemModel::directoryLoaded, this, [this](const QString &path) {
        if (m_folder.startsWith(path))
            revealFolder();
    });
    connect(m_dirModel, &QAbstractItemModel::rowsRemoved, this, [this] {
        m_tidying = false;
        const QModelIndex folder = m_dirModel->index(m_folder);
        if (Dir1->currentIndex() != folder) {
            m_quiet = true;
            Dir1->setCurrentIndex(folder);
            m_quiet = false;
        }
    });
    Dir1->setHeaderHidden(true);
    for (int column = 1; column < m_dirModel->columnCount(); ++column)
        Dir1->hideColumn(column);

    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_fileModel->setNameFilterDisables(false);
    connect(m_fileModel, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { m_tidying = true; });
    File1->setModel(m_fileModel);
    connect(m_fileModel, &QAbstractItemModel::rowsRemoved, this, [this] {
        m_tidying = false;
        if (File1->currentIndex().data().toString() != m_selectedName) {
            m_quiet = true;
            File1->selectionModel()->clear();
            m_quiet = false;
        }
    });
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    Combo1->setEditable(false);
    Image1->setFixedSize(220, 165);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::StyledPanel);
    LabArchivo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QListWidget *list : {ListX, ListY}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setFixedWidth(60);
    }
    Label2->setWordWrap(true);
    Label3->setWordWrap(true);
    OKButton->setDefault(true);

    auto *frame1Layout = new QGridLayout(Frame1);
    frame1Layout->addWidget(Drive1, 0, 0);
    frame1Layout->addWidget(Dir1, 1, 0, 3, 1);
    frame1Layout->addWidget(File1, 0, 1, 2, 1);
    frame1Layout->addWidget(Label5, 2, 1);
    frame1Layout->addWidget(Combo1, 3, 1);
    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(Image1);
    previewColumn->addWidget(LabArchivo);
    previewColumn->addWidget(CheckMostrarImagen);
    previewColumn->addWidget(CheckRecordardir);
    previewColumn->addStretch();
    frame1Layout->addLayout(previewColumn, 0, 2, 4, 1);

    auto *frame2Layout = new QVBoxLayout(Frame2);
    frame2Layout->addWidget(OptionNormal);
    frame2Layout->addWidget(OptionDificil);
    frame2Layout->addWidget(Label3);

    auto *countsRow = new QHBoxLayout;
    countsRow->addWidget(ListX);
    countsRow->addWidget(ListY);
    auto *optionsColumn = new QVBoxLayout;
    optionsColumn->addLayout(countsRow);
    optionsColumn->addWidget(Label2);
    optionsColumn->addWidget(Frame2);
    optionsColumn->addWidget(LabelSalvarComo);
    optionsColumn->addWidget(TextSalvarComo);
    optionsColumn->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    optionsColumn->addLayout(buttons);

    auto *top = new QHBoxLayout(this);
    top->addWidget(Frame1, 1);
    top->addLayout(optionsColumn);

    connect(Drive1, &QComboBox::currentIndexChanged, this, [this] { Drive1_Change(); });
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!m_quiet && !m_tidying && current.isValid())
                    playerChoseFolder(m_dirModel->filePath(current));
            });
    connect(File1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!m_quiet && !m_tidying && current.isValid())
                    File1_Click(m_fileModel->fileName(current));
            });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_quiet)
            Combo1_Click();
    });
    connect(CheckMostrarImagen, &QCheckBox::toggled, this, [this] { CheckMostrarImagen_Click(); });
    connect(ListX, &QListWidget::currentRowChanged, this, [this] { ListX_Click(); });
    connect(ListY, &QListWidget::currentRowChanged, this, [this] { ListX_Click(); });
    connect(OptionNormal, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            styleExplanation();
    });
    connect(OptionDificil, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            styleExplanation();
    });
    connect(TextSalvarComo, &QLineEdit::textChanged, this, [this] { TextSalvarComo_Change(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void Dialog::setCaptions(qint16 language)
{
    Frame1->setTitle(caption(language, QT_TRANSLATE_NOOP("Dialog", "Select an image")));
    CheckMostrarImagen->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Preview image")));
    Frame2->setTitle(caption(language, QT_TRANSLATE_NOOP("Dialog", "Puzzle style")));
    OptionNormal->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Normal")));
    OptionDificil->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Difficult")));
    Label2->setText(DialogRules::piecesSummary(language, 4, 4).value_or(QString()));
    Label3->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Any piece can be moved to any place.")));
    CheckRecordardir->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Remember this folder")));
    Label5->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "File type:")));
    LabelSalvarComo->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Save as:")));
    OKButton->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "OK")));
    CancelButton->setText(caption(language, QT_TRANSLATE_NOOP("Dialog", "Cancel")));
}

void Dialog::applyLanguage()
{
    const qint16 language = ModuloIdioma::idioma();
    if (language != ModuloIdioma::English && language != ModuloIdioma::Spanish)
        return;
    setCaptions(language);
    // The fixed captions describe 4 by 4 and the Normal style; once the player has chosen,
    // the labels describe the choice instead.
    ListX_Click();
    styleExplanation();
}

// ---- loading ----

void Dialog::Form_Load()
{
    setWindowTitle(QStringLiteral("Tesselon"));
    loadDialogIcon();
    Archivo.clear();
    ArchivoSinPath.clear();
    PartesX = 1;
    PartesY = 1;
    LabelSalvarComo->hide();
    TextSalvarComo->hide();
    Ok = false;
    saveMode = false;

    const std::vector<std::function<void()>> steps = {
        [this] { applyLanguage(); },
        [this] {
            for (int count = MinCount; count <= MaxCount; ++count) {
                ListX->addItem(QString::number(count));
                ListY->addItem(QString::number(count));
            }
        },
        [this] {
            CheckMostrarImagen->setChecked(m_host.config().getMostrarImagen() != 0);
            CheckMostrarImagen_Click();
        },
        [this] { CheckRecordardir->setChecked(m_host.config().getRecordardir() != 0); },
        [this] {
            selectCount(ListX, m_host.config().getListX());
            selectCount(ListY, m_host.config().getListY());
        },
        [this] { setOptions(m_host.config().getOptionDificil()); },
        [this] {
            setDrive(m_host.config().getDialogDrive());
            setDir(m_host.config().getDialogPath());
        },
        [this] {
            {
                const QSignalBlocker blocker(Combo1);
                Combo1->addItems(DialogRules::fileTypePatterns());
            }
            selectFileType(0);
        },
        [this] { selectCommandLineFile(); },
    };

    for (const auto &step : steps) {
        try {
            step();
        } catch (const RunTimeError &e) {
            if (e.number() == RunTimeError::PathNotFound || e.number() == RunTimeError::DeviceUnavailable ||
                e.number() == RunTimeError::PermissionDenied) {
                useProgramFolder();
                continue;
            }
            Messages::show(this, DialogRules::errorMessage(e.number(), e.description()));
            if (m_host.endProgram)
                m_host.endProgram();
            else
                QMetaObject::invokeMethod(
                    qApp, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
            return;
        }
    }
}

void Dialog::loadDialogIcon()
{
    const QIcon icon(comun::programFolder() + QStringLiteral("/icons/Atom.ico"));
    if (!icon.isNull() && !icon.availableSizes().isEmpty())
        setWindowIcon(icon);
}

void Dialog::useProgramFolder()
{
    const QString folder = comun::programFolder();
    try {
        setDrive(comun::driveOf(folder));
        setDir(folder);
    } catch (const RunTimeError &) {
        // The program's own folder is always there; should it not be, the root stays.
    }
}

// ---- browsing ----

QString Dialog::drive() const
{
    return Drive1->currentText();
}

void Dialog::fillDrives()
{
    const QString current = Drive1->currentText();
    QStringList roots = volumeRoots();
    if (!current.isEmpty() && !roots.contains(current))
        roots << current;
    const QSignalBlocker blocker(Drive1);
    Drive1->clear();
    Drive1->addItems(roots);
    Drive1->setCurrentIndex(current.isEmpty() ? Drive1->findText(RootDrive) : Drive1->findText(current));
}

void Dialog::setDrive(const QString &root)
{
    int index = Drive1->findText(root);
    if (index < 0) {
        fillDrives();
        index = Drive1->findText(root);
    }
    if (index < 0 || root.isEmpty())
        throw RunTimeError(RunTimeError::DeviceUnavailable, QStringLiteral("Device unavailable"));
    if (index != Drive1->currentIndex())
        Drive1->setCurrentIndex(index);
}

void Dialog::showDriveOf(const QString &folder)
{
    const QString root = comun::driveOf(folder);
    int index = Drive1->findText(root);
    const QSignalBlocker blocker(Drive1);
    if (index < 0) {
        Drive1->addItem(root);
        index = Drive1->count() - 1;
    }
    Drive1->setCurrentIndex(index);
}

void Dialog::Drive1_Change()
{
    const QString root = Drive1->currentText();
    if (volumeReady(root)) {
        try {
            setDir(root);
            m_selectedName.clear();
            LabArchivo->clear();
            clearPicture();
            return;
        } catch (const RunTimeError &) {
            // Gone between the check and the listing: the same as a drive that is not ready.
        }
    }
    if (const auto text = DialogRules::notReadyMessage(ModuloIdioma::idioma()))
        Messages::show(this, *text);
    if (root == RootDrive)
        return;
    int index = Drive1->findText(RootDrive);
    if (index < 0) {
        const QSignalBlocker blocker(Drive1);
        Drive1->addItem(RootDrive);
        index = Drive1->count() - 1;
    }
    Drive1->setCurrentIndex(index);
}

void Dialog::setDir(const QString &folder)
{
    if (folder.isEmpty())
        throw RunTimeError(RunTimeError::PathNotFound, QStringLiteral("Path not found"));
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!QFileInfo(clean).isDir())
        throw RunTimeError(RunTimeError::PathNotFound, QStringLiteral("Path not found"));
    if (!listable(clean))
        throw RunTimeError(RunTimeError::PermissionDenied, QStringLiteral("Permission denied"));
    showDriveOf(clean);
    if (clean == m_folder)
        return;
    m_folder = clean;
    const QModelIndex index = m_dirModel->index(clean);
    if (index.isValid()) {
        m_quiet = true;
        Dir1->setCurrentIndex(index);
        m_quiet = false;
        Dir1->scrollTo(index);
        Dir1->expand(index);
    }
    Dir1_Change();
}

void Dialog::playerChoseFolder(const QString &folder)
{
    try {
        setDir(folder);
    } catch (const RunTimeError &) {
        Messages::show(this, DialogRules::unreadableFolderMessage(ModuloIdioma::idioma(), folder));
        m_quiet = true;
        Dir1->setCurrentIndex(m_dirModel->index(m_folder));
        m_quiet = false;
    }
}

void Dialog::Dir1_Change()
{
    m_fileModel->setRootPath(m_folder);
    m_quiet = true;
    File1->setRootIndex(m_fileModel->index(m_folder));
    File1->selectionModel()->clear();
    m_quiet = false;
    m_selectedName.clear();
    LabArchivo->clear();
    clearPicture();
}

void Dialog::selectFileType(int entry)
{
    m_quiet = true;
    Combo1->setCurrentIndex(entry);
    m_quiet = false;
    Combo1_Click();
}

void Dialog::Combo1_Click()
{
    m_fileModel->setNameFilters(DialogRules::nameFilters(Combo1->currentText()));
}

void Dialog::CheckMostrarImagen_Click()
{
    Image1->setVisible(CheckMostrarImagen->isChecked());
}

QString Dialog::filePath(const QString &name) const
{
    return QDir(m_folder).filePath(name);
}

QStringList Dialog::listFiles(const QString &folder) const
{
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::NoDotAndDotDot);
    dir.setNameFilters(DialogRules::nameFilters(Combo1->currentText()));
    QStringList names = dir.entryList();
    sortLikeFileList(names);
    return names;
}

void Dialog::selectInFileList(const QString &name)
{
    const QModelIndex index = m_fileModel->index(filePath(name));
    m_quiet = true;
    if (index.isValid())
        File1->setCurrentIndex(index);
    else
        File1->selectionModel()->clear();
    m_quiet = false;
}

void Dialog::selectCommandLineFile()
{
    if (m_host.commandLine.isEmpty())
        return;
    try {
        const DialogRules::SplitPath parts =
            DialogRules::splitPath(DialogRules::stripQuotes(m_host.commandLine));
        selectFileType(0);
        if (!QFileInfo(parts.folder).isDir())
            throw RunTimeError(RunTimeError::PathNotFound, QStringLiteral("Path not found"));
        setDrive(comun::driveOf(parts.folder));
        setDir(parts.folder);

        // The list is read here directly: the file list fills itself in the background.
        const QStringList names = listFiles(m_folder);
        qsizetype position = names.indexOf(parts.name);
        if (position < 0) {
            Messages::show(this, QStringLiteral("File ") + parts.name + QStringLiteral(" not found"));
            position = 0;
        }
        if (names.isEmpty())
            return;
        selectInFileList(names.at(position));
        File1_Click(names.at(position));
    } catch (const RunTimeError &) {
        // A command line that names nothing usable leaves the dialog as the settings made it.
    }
}

void Dialog::File1_Click(const QString &name)
{
    LabArchivo->setText(name);
    m_selectedName = name;
    try {
        if (DialogRules::isPuzzleFileName(name)) {
            puzzleFileClick(name);
            return;
        }
        const QImage image = changeSizeImage::loadFileReduced(filePath(name));
        if (image.isNull())
            throw RunTimeError(RunTimeError::InvalidPicture, QStringLiteral("Invalid picture"));
        setPicture(image);
        theCargadoMedioMontado = false;
        setCountsAndStyleEnabled(true);
    } catch (const RunTimeError &e) {
        if (e.number() == RunTimeError::InvalidPicture) {
            clearPicture();
            LabArchivo->clear();
            return;
        }
        Messages::show(this, DialogRules::errorMessage(e.number(), e.description()));
    }
}

void Dialog::puzzleFileClick(const QString &name)
{
    // The file is read into a board of the dialog's own; the game's board takes it only
    // when the player confirms, so a cancelled dialog or a save leaves the game alone.
    TableroClass board;
    bool style = false;
    const qint16 result = m_host.puzzleFiles().leerPuzzle(filePath(name), board, style);
    if (result != 0) {
        // An earlier picture must not stay: a confirmation would build the puzzle from it
        // under this file's name.
        clearPicture();
        const QString text = DialogRules::refusedPuzzleFileMessage(ModuloIdioma::idioma(), result, name);
        if (!text.isEmpty())
            Messages::show(this, text);
        return;
    }
    if (board.getCasillasX() < MinCount || board.getCasillasX() > MaxCount ||
        board.getCasillasY() < MinCount || board.getCasillasY() > MaxCount) {
        clearPicture();
        throw RunTimeError(RunTimeError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    }
    *m_pendingBoard = board;
    m_boardPending = true;
    m_puzzleFileStyle = style;
    theCargadoMedioMontado = true;
    setPicture(m_host.puzzleFiles().picture());
    showPuzzleFileChoice();
}

void Dialog::setPicture(const QImage &image)
{
    m_picture = image;
    if (image.isNull()) {
        Image1->clear();
        return;
    }
    const QSize area = Image1->contentsRect().size();
    Image1->setPixmap(QPixmap::fromImage(image.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Dialog::clearPicture()
{
    setPicture(QImage());
}

// ---- counts and styles ----

void Dialog::selectCount(QListWidget *list, int count)
{
    list->setCurrentRow(std::clamp(count, MinCount, MaxCount) - MinCount);
    ListX_Click();
}

int Dialog::selectedCount(const QListWidget *list) const
{
    const QListWidgetItem *item = list->currentItem();
    return item ? item->text().toInt() : 0;
}

void Dialog::ListX_Click()
{
    const int x = selectedCount(ListX);
    const int y = selectedCount(ListY);
    if (x == 0 || y == 0)
        return;
    if (const auto text = DialogRules::piecesSummary(ModuloIdioma::idioma(), x, y))
        Label2->setText(*text);
}

void Dialog::setOptions(bool dificil)
{
    (dificil ? OptionDificil : OptionNormal)->setChecked(true);
    styleExplanation();
}

void Dialog::styleExplanation()
{
    if (!OptionNormal->isChecked() && !OptionDificil->isChecked())
        return;
    if (const auto text = DialogRules::styleExplanation(ModuloIdioma::idioma(), OptionDificil->isChecked()))
        Label3->setText(*text);
}

bool Dialog::optionDificil() const
{
    return OptionDificil->isChecked();
}

void Dialog::setCountsAndStyleEnabled(bool enabled)
{
    for (QWidget *control : {static_cast<QWidget *>(ListX), static_cast<QWidget *>(ListY),
                             static_cast<QWidget *>(OptionNormal), static_cast<QWidget *>(OptionDificil)})
        control->setEnabled(enabled);
}

void Dialog::showPuzzleFileChoice()
{
    selectCount(ListX, m_pendingBoard->getCasillasX());
    selectCount(ListY, m_pendingBoard->getCasillasY());
    setOptions(m_puzzleFileStyle);
    setCountsAndStyleEnabled(false);
}

bool Dialog::puzzleFileChosen() const
{
    return theCargadoMedioMontado.value_or(false) && !m_picture.isNull();
}

// ---- modes and confirmation ----

void Dialog::setSaveMode(bool aSaveMode)
{
    saveMode = aSaveMode;
    if (saveMode) {
        Combo1->setEnabled(false);
        setCountsAndStyleEnabled(false);
        const TableroClass board = m_saveGame.board.value_or(TableroClass());
        const QString base = DialogRules::splitFileName(m_saveGame.archivoSinPath);
        QString suggested;
        switch (SalvarLeerPuzzle2::getComoHayQueSalvarlo(board, m_saveGame.archivoSinPath)) {
        case 1:
        case 3:
            selectFileType(1);
            suggested = base + QLatin1Char('.') + board.getExtension();
            break;
        case 2:
        case 4:
            selectFileType(2);
            suggested = base + QStringLiteral(".pzz");
            break;
        default:
            break;
        }
        if (board.getCasillasX() >= MinCount && board.getCasillasX() <= MaxCount)
            selectCount(ListX, board.getCasillasX());
        if (board.getCasillasY() >= MinCount && board.getCasillasY() <= MaxCount)
            selectCount(ListY, board.getCasillasY());
        LabelSalvarComo->show();
        TextSalvarComo->show();
        TextSalvarComo->setText(suggested);
        TextSalvarComo_Change();
        return;
    }

    Combo1->setEnabled(true);
    if (puzzleFileChosen()) {
        // The lists must keep showing the chosen puzzle file's grid: the game takes that
        // file's board as it is, and its grid has to match the counts confirmed with it.
        showPuzzleFileChoice();
    } else {
        setCountsAndStyleEnabled(true);
        selectCount(ListX, m_host.config().getListX());
        selectCount(ListY, m_host.config().getListY());
        setOptions(m_host.config().getOptionDificil());
    }
    selectFileType(0);
    LabelSalvarComo->hide();
    TextSalvarComo->hide();
    TextSalvarComo->clear();
}

void Dialog::TextSalvarComo_Change()
{
    if (saveMode)
        OKButton->setEnabled(!TextSalvarComo->text().isEmpty());
}

void Dialog::OKButton_Click()
{
    if (saveMode) {
        const qint16 result = m_host.puzzleFiles().salvarPuzzle(
            m_saveGame.archivo, m_saveGame.archivoSinPath, m_saveGame.board.value_or(TableroClass()),
            m_folder, TextSalvarComo->text(), m_saveGame.sliding);
        if (result == 0) {
            saveMode = false;
            QDialog::done(QDialog::Accepted);
        } else if (result == RunTimeError::BadFileName) {
            TextSalvarComo->clear();
        }
        return;
    }

    const qint16 language = ModuloIdioma::idioma();
    if (m_picture.isNull()) {
        if (const auto text = DialogRules::choseImageMessage(language))
            Messages::show(this, *text);
        return;
    }
    const int x = selectedCount(ListX);
    const int y = selectedCount(ListY);
    if (x != 0)
        PartesX = static_cast<qint16>(x);
    if (y != 0)
        PartesY = static_cast<qint16>(y);
    Archivo = filePath(m_selectedName);
    theExtension = DialogRules::fitExtension(m_selectedName);
    ArchivoSinPath = m_selectedName;

    ConfigFileHandler &config = m_host.config();
    if (CheckRecordardir->isChecked()) {
        config.setDialogDrive(Drive1->currentText());
        config.setDialogPath(m_folder);
    } else {
        const QString programFolder = comun::programFolder();
        config.setDialogDrive(comun::driveOf(programFolder));
        config.setDialogPath(programFolder);
    }
    config.setMostrarImagen(CheckMostrarImagen->isChecked() ? 1 : 0);
    config.setRecordardir(CheckRecordardir->isChecked() ? 1 : 0);
    if (x != 0)
        config.setListX(static_cast<qint16>(x));
    if (y != 0)
        config.setListY(static_cast<qint16>(y));
    config.setOptionDificil(OptionDificil->isChecked());
    config.saveConfigFile();

    m_choice =
        GameSetup{Archivo,   ArchivoSinPath, theExtension, PartesX, PartesY, OptionDificil->isChecked(),
                  m_picture, QByteArray(),   std::nullopt};
    if (theCargadoMedioMontado.value_or(false) && m_boardPending) {
        m_choice->board = *m_pendingBoard;
        m_boardPending = false;
    }
    Ok = true;
    QDialog::done(QDialog::Accepted);
}

void Dialog::beginSave(const GameSetup &current)
{
    m_saveGame = current;
    setSaveMode(true);
}

void Dialog::CancelButton_Click()
{
    Ok = false;
    m_choice.reset();
    QDialog::done(QDialog::Rejected);
    OKButton->setEnabled(true);
}

void Dialog::reject()
{
    CancelButton_Click();
}

void Dialog::closeEvent(QCloseEvent *event)
{
    if (m_unloading) {
        event->accept();
        return;
    }
    CancelButton_Click();
    event->ignore();
}

void Dialog::showEvent(QShowEvent *event)
{
    fillDrives();
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &Dialog::revealFolder);
}

void Dialog::revealFolder()
{
    const QModelIndex index = m_dirModel->index(m_folder);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) {
        if (m_dirModel->canFetchMore(parent))
            m_dirModel->fetchMore(parent);
        Dir1->expand(parent);
    }
    if (Dir1->currentIndex() != index) {
        m_quiet = true;
        Dir1->setCurrentIndex(index);
        m_quiet = false;
    }
    Dir1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}
