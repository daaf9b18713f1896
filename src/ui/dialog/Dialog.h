#pragma once

#include "game/GameSetup.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class ConfigFileHandler;
class FolderBrowser;
class LatestWork;
class PuzzleOptions;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class SaveMode;

// What the dialog reaches of the main window. It asks for the objects each time it needs
// them and never keeps its own reference.
struct DialogHost {
    std::function<ConfigFileHandler &()> config;
    // The program's arguments joined by single spaces; empty when there were none.
    QString commandLine;
    // Called after an unexpected error while loading has been shown; the program ends.
    std::function<void()> endProgram;
};

// The new-puzzle dialog: the player browses for an image or a puzzle file, chooses the
// grid and the style, and in save mode names the file to save. It is created once and
// afterwards only shown and hidden, so everything stays as the player left it.
class Dialog : public QDialog
{
    Q_OBJECT

public:
    explicit Dialog(const DialogHost &host, QWidget *parent = nullptr);
    ~Dialog() override;

    // The setup the player confirmed last with OK; nothing after a cancel. A puzzle file's
    // arrangement comes with it once, at the confirmation that follows its reading.
    std::optional<GameSetup> choice() const;
    // Save mode for the game in progress: the next showing saves it.
    void beginSave(const GameSetup &current);
    // Shows a file's folder and selects the file as a command line naming it does (a file
    // dropped on the main window comes this way).
    void selectFile(const QString &path);
    // Where the last save in save mode put its file, named as the save names it.
    QString savedPath() const;

    // Image1's picture: the one the puzzle is built from, kept while the preview is hidden.
    QImage picture() const { return m_picture; }
    bool optionDificil() const;

    void setSaveMode(bool aSaveMode);

    // Puts the captions into the current language (English or Spanish; any other value
    // leaves them as they are). The piece-count and style labels then describe the
    // current choice rather than the fixed 4 by 4 Normal captions.
    void applyLanguage();

    // The folder whose files are listed, and the drive (volume root) shown for it.
    QString folder() const;
    QString drive() const;

    // From now on a close request is the program ending and is let through without the
    // Cancel reaction; before, a close request is the player's and counts as Cancel.
    void prepareUnload() { m_unloading = true; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Escape comes here too and acts as Cancel.
    void reject() override;

private:
    void buildControls();
    void fitIntoScreen();
    void layOutControls();
    void connectControls();
    void setCaptions(qint16 language);
    void setAccessibleNames(qint16 language);
    void Form_Load();
    void loadDialogIcon();
    void selectCommandLineFile();

    void folderChanged();
    void CheckMostrarImagen_Click();
    void File1_Click(const QString &name);
    void puzzleFileClick(const QString &name);
    void showLoading();
    void decodePicture(const QString &path);
    void pictureDecoded(const QImage &image, const QString &error);
    void puzzleFileRead(const QString &name, SalvarLeerPuzzle2::Reading &reading);
    void TextSalvarComo_Change();
    void OKButton_Click();
    void confirmChoice();
    void storeSettings(int x, int y);
    void CancelButton_Click();

    void showPuzzleFileChoice();
    bool puzzleFileChosen() const;
    void setPicture(const QImage &image);
    void clearPicture();

    // The outcome of the last confirmation, in the fields the program has always kept.
    QString Archivo;
    QString ArchivoSinPath;
    QString theExtension;
    qint16 PartesX = 1;
    qint16 PartesY = 1;
    bool Ok = false;
    std::optional<bool> theCargadoMedioMontado;
    bool theJuegoDelCuadradito = false;

    DialogHost m_host;
    SalvarLeerPuzzle2 m_puzzleFiles;

    QGroupBox *Frame1 = nullptr;
    FolderBrowser *m_browser = nullptr;
    QLabel *Image1 = nullptr;
    QCheckBox *CheckMostrarImagen = nullptr;
    QCheckBox *CheckRecordardir = nullptr;
    QLabel *LabArchivo = nullptr;
    PuzzleOptions *m_options = nullptr;
    SaveMode *m_save = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

    QImage m_picture;
    // The puzzle file read last: its arrangement, handed to the game at a confirmation,
    // its style and its picture's bytes.
    TableroClass m_pendingBoard;
    bool m_boardPending = false;
    bool m_puzzleFileStyle = false;
    QByteArray m_puzzleFileBytes;
    std::optional<GameSetup> m_choice;
    bool m_unloading = false;
    // The decode or puzzle-file reading of the file clicked last; each picture shown or
    // cleared drops it.
    LatestWork *m_work = nullptr;
};
