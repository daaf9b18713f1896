#include "dialog/Dialog.h"
#include "dialog/ControlNames.h"

#include "PuzzlePictures.h"
#include "board/GridRange.h"
#include "changeSizeImage.h"
#include "dialog/DialogRules.h"
#include "dialog/FolderBrowser.h"
#include "dialog/LatestWork.h"
#include "dialog/PuzzleOptions.h"
#include "dialog/SaveMode.h"
#include "io/RunTimeError.h"
#include "platform/Messages.h"
#include "settings/ConfigFileHandler.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <vector>

Dialog::Dialog(const DialogHost &host, QWidget *parent)
    : QDialog(parent), m_host(host), m_puzzleFiles(puzzlePictures()), m_work(new LatestWork(this))
{
    setObjectName(QStringLiteral("Dialog"));
    buildControls();
    layOutControls();
    connectControls();
    setCaptions(ModuloIdioma::Spanish);
    Form_Load();
}

Dialog::~Dialog() = default;

// ---- loading ----

void Dialog::Form_Load()
{
    setWindowTitle(QStringLiteral("Tesselon"));
    loadDialogIcon();
    Archivo.clear();
    ArchivoSinPath.clear();
    PartesX = 1;
    PartesY = 1;
    m_save->hideName();
    Ok = false;
    m_save->setActive(false);

    ConfigFileHandler &config = m_host.config();
    const std::vector<std::function<void()>> steps = {
        [this] { applyLanguage(); },
        [this] { m_options->fillCounts(); },
        [this, &config] {
            CheckMostrarImagen->setChecked(config.getMostrarImagen() != 0);
            CheckMostrarImagen_Click();
        },
        [this, &config] { CheckRecordardir->setChecked(config.getRecordardir() != 0); },
        [this, &config] {
            m_options->selectCount(m_options->ListX, config.getListX());
            m_options->selectCount(m_options->ListY, config.getListY());
        },
        [this, &config] { m_options->setOptions(config.getOptionDificil()); },
        [this, &config] {
            m_browser->setDrive(config.getDialogDrive());
            m_browser->setDir(config.getDialogPath());
        },
        [this] {
            m_browser->addFileTypes(DialogRules::fileTypePatterns());
            m_browser->selectFileType(0);
        },
        [this] { selectCommandLineFile(); },
    };
    for (const auto &step : steps) {
        try {
            step();
        } catch (const RunTimeError &e) {
            if (e.number() == RunTimeError::PathNotFound || e.number() == RunTimeError::DeviceUnavailable ||
                e.number() == RunTimeError::PermissionDenied) {
                m_browser->showProgramFolder();
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
    setWindowIcon(comun::windowIcon());
}

void Dialog::selectCommandLineFile()
{
    if (!m_host.commandLine.isEmpty())
        selectFile(DialogRules::stripQuotes(m_host.commandLine));
}

void Dialog::selectFile(const QString &path)
{
    try {
        const QString name = m_browser->openCommandLineFile(DialogRules::splitPath(path));
        if (!name.isEmpty())
            File1_Click(name);
    } catch (const RunTimeError &) {
        // A path that names nothing usable leaves the dialog as it was.
    }
}

// ---- browsing and preview ----

QString Dialog::folder() const
{
    return m_browser->folder();
}

QString Dialog::drive() const
{
    return m_browser->drive();
}

void Dialog::folderChanged()
{
    LabArchivo->clear();
    clearPicture();
}

void Dialog::CheckMostrarImagen_Click()
{
    Image1->setVisible(CheckMostrarImagen->isChecked());
}

void Dialog::File1_Click(const QString &name)
{
    LabArchivo->setText(name);
    m_browser->setSelectedName(name);
    // The file chosen before no longer counts, and its picture's bytes need not stay in
    // memory while this one is read.
    m_puzzleFileBytes.clear();
    const QString path = m_browser->filePath(name);
    if (!QFileInfo(path).isFile()) {
        // Deleted or renamed by another program since the list showed it.
        clearPicture();
        LabArchivo->clear();
        m_browser->setSelectedName(QString());
        Messages::show(this, DialogRules::vanishedFileMessage(ModuloIdioma::idioma(), name));
        m_browser->checkFolder();
        return;
    }
    if (DialogRules::isPuzzleFileName(name))
        puzzleFileClick(name);
    else
        decodePicture(path);
}

void Dialog::showLoading()
{
    clearPicture();
    Image1->setText(ModuloIdioma::text("Dialog", QT_TRANSLATE_NOOP("Dialog", "Loading…")));
}

namespace
{

struct Decoded {
    QImage image;
    QString error;
};

} // namespace

// A large photo takes seconds to decode: it is decoded on a worker thread while the
// window goes on, and only the decode of the latest click is shown.
void Dialog::decodePicture(const QString &path)
{
    showLoading();
    m_work->start<Decoded>(
        [path] {
            Decoded decoded;
            decoded.image = changeSizeImage::loadFileReduced(path, &decoded.error);
            return decoded;
        },
        [this](Decoded &decoded) { pictureDecoded(decoded.image, decoded.error); });
}

void Dialog::pictureDecoded(const QImage &image, const QString &error)
{
    if (image.isNull()) {
        // The loader says why: not a picture, damaged, or too large for memory.
        clearPicture();
        LabArchivo->clear();
        if (!error.isEmpty())
            Messages::show(this, error);
        return;
    }
    setPicture(image);
    theCargadoMedioMontado = false;
    m_options->setEnabled(true);
}

// A puzzle file holds a whole picture, read and decoded like a photo's: on a worker
// thread, only the latest click's reading taken.
void Dialog::puzzleFileClick(const QString &name)
{
    showLoading();
    m_work->start<SalvarLeerPuzzle2::Reading>(
        [path = m_browser->filePath(name), decoder = m_puzzleFiles.decoder()] {
            return SalvarLeerPuzzle2::readPuzzleFile(path, decoder);
        },
        [this, name](SalvarLeerPuzzle2::Reading &reading) { puzzleFileRead(name, reading); });
}

void Dialog::puzzleFileRead(const QString &name, SalvarLeerPuzzle2::Reading &reading)
{
    // The file is read into a board of the dialog's own; the game takes it only when the
    // player confirms, so a cancelled dialog or a save leaves the game alone.
    TableroClass board;
    bool style = false;
    QByteArray bytes;
    const SalvarLeerPuzzle2::Result read =
        m_puzzleFiles.takeReading(std::move(reading), board, style, &bytes);
    if (!read.message.isEmpty())
        Messages::show(this, read.message);
    if (read.code != 0) {
        // An earlier picture must not stay: a confirmation would build the puzzle from it
        // under this file's name.
        clearPicture();
        const QString text = DialogRules::refusedPuzzleFileMessage(ModuloIdioma::idioma(), read.code, name);
        if (!text.isEmpty())
            Messages::show(this, text);
        return;
    }
    if (!GridRange::contains(board.getCasillasX()) || !GridRange::contains(board.getCasillasY())) {
        clearPicture();
        Messages::show(this, DialogRules::errorMessage(RunTimeError::SubscriptOutOfRange,
                                                       QStringLiteral("Subscript out of range")));
        return;
    }
    m_pendingBoard = board;
    m_boardPending = true;
    m_puzzleFileStyle = style;
    m_puzzleFileBytes = std::move(bytes);
    theCargadoMedioMontado = true;
    setPicture(m_puzzleFiles.picture());
    showPuzzleFileChoice();
}

void Dialog::setPicture(const QImage &image)
{
    // Whatever is still being read was for an earlier choice.
    m_work->drop();
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

bool Dialog::optionDificil() const
{
    return m_options->dificil();
}

void Dialog::showPuzzleFileChoice()
{
    m_options->selectCount(m_options->ListX, m_pendingBoard.getCasillasX());
    m_options->selectCount(m_options->ListY, m_pendingBoard.getCasillasY());
    m_options->setOptions(m_puzzleFileStyle);
    m_options->setEnabled(false);
}

bool Dialog::puzzleFileChosen() const
{
    return theCargadoMedioMontado.value_or(false) && !m_picture.isNull();
}

// ---- modes and confirmation ----

void Dialog::beginSave(const GameSetup &current)
{
    m_save->setGame(current);
    setSaveMode(true);
}

QString Dialog::savedPath() const
{
    const QString name = m_save->TextSalvarComo->text();
    return m_browser->folder() + QLatin1Char('/') +
           (DialogRules::isPuzzleFileName(name) ? name : name + QStringLiteral(".pzz"));
}

void Dialog::setSaveMode(bool aSaveMode)
{
    m_save->setActive(aSaveMode);
    if (aSaveMode) {
        m_browser->Combo1->setEnabled(false);
        m_options->setEnabled(false);
        const SaveMode::Suggestion suggestion = m_save->suggestion();
        m_browser->selectFileType(suggestion.fileType);
        if (GridRange::contains(suggestion.columns))
            m_options->selectCount(m_options->ListX, suggestion.columns);
        if (GridRange::contains(suggestion.rows))
            m_options->selectCount(m_options->ListY, suggestion.rows);
        m_save->showName(suggestion.name);
        TextSalvarComo_Change();
        return;
    }

    m_browser->Combo1->setEnabled(true);
    if (puzzleFileChosen()) {
        // The lists must keep showing the chosen puzzle file's grid: the game takes that
        // file's board as it is, and its grid has to match the counts confirmed with it.
        showPuzzleFileChoice();
    } else {
        m_options->setEnabled(true);
        m_options->selectCount(m_options->ListX, m_host.config().getListX());
        m_options->selectCount(m_options->ListY, m_host.config().getListY());
        m_options->setOptions(m_host.config().getOptionDificil());
    }
    m_browser->selectFileType(0);
    m_save->hideName();
    m_save->TextSalvarComo->clear();
}

void Dialog::TextSalvarComo_Change()
{
    if (m_save->active())
        OKButton->setEnabled(!m_save->TextSalvarComo->text().isEmpty());
}

void Dialog::OKButton_Click()
{
    if (m_save->active()) {
        if (m_save->save(m_puzzleFiles, m_browser->folder()) == 0)
            QDialog::done(QDialog::Accepted);
        return;
    }
    if (m_work->running()) {
        // The chosen file is still being read: the window goes on meanwhile, and OK counts
        // once its picture is there.
        if (!m_work->wait() || !isVisible())
            return;
    }
    if (m_picture.isNull()) {
        if (const auto text = DialogRules::choseImageMessage(ModuloIdioma::idioma()))
            Messages::show(this, *text);
        return;
    }
    confirmChoice();
    Ok = true;
    QDialog::done(QDialog::Accepted);
}

void Dialog::confirmChoice()
{
    const QString name = m_browser->selectedName();
    const int x = m_options->selectedCount(m_options->ListX);
    const int y = m_options->selectedCount(m_options->ListY);
    if (x != 0)
        PartesX = static_cast<qint16>(x);
    if (y != 0)
        PartesY = static_cast<qint16>(y);
    Archivo = m_browser->filePath(name);
    theJuegoDelCuadradito = m_options->dificil();
    theExtension = DialogRules::fitExtension(name);
    ArchivoSinPath = name;
    storeSettings(x, y);

    GameSetup chosen;
    chosen.archivo = Archivo;
    chosen.archivoSinPath = ArchivoSinPath;
    chosen.extension = theExtension;
    chosen.columns = PartesX;
    chosen.rows = PartesY;
    chosen.sliding = theJuegoDelCuadradito;
    chosen.picture = m_picture;
    if (theCargadoMedioMontado.value_or(false)) {
        chosen.pictureBytes = m_puzzleFileBytes;
        if (m_boardPending)
            chosen.board = m_pendingBoard;
        m_boardPending = false;
    }
    m_choice = chosen;
}

void Dialog::storeSettings(int x, int y)
{
    ConfigFileHandler &config = m_host.config();
    if (CheckRecordardir->isChecked()) {
        config.setDialogDrive(m_browser->drive());
        config.setDialogPath(m_browser->folder());
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
    config.setOptionDificil(m_options->dificil());
    config.saveConfigFile();
}

std::optional<GameSetup> Dialog::choice() const
{
    return Ok ? m_choice : std::nullopt;
}

void Dialog::CancelButton_Click()
{
    Ok = false;
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
    m_browser->fillDrives();
    // The preview and its label show the list's choice, or nothing when it has gone, with
    // its folder perhaps.
    m_browser->checkFolder();
    if (!m_browser->keepSelection())
        folderChanged();
    QDialog::showEvent(event);
    fitIntoScreen();
    QTimer::singleShot(0, m_browser, &FolderBrowser::revealFolder);
}
