#pragma once

#include "game/GameSetup.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

class ConfigFileHandler;
class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeView;
class SalvarLeerPuzzle2;
class TableroClass;

// What the dialog reaches of the main window. It asks for the objects each time it needs
// them and never keeps its own reference.
struct DialogHost {
    std::function<ConfigFileHandler &()> config;
    std::function<SalvarLeerPuzzle2 &()> puzzleFiles;
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

    // The game the last OK confirmed; empty after a Cancel.
    std::optional<GameSetup> choice() const { return m_choice; }
    // Enters save mode for the game in progress; setSaveMode(false) leaves it.
    void beginSave(const GameSetup &current);

    // Image1's picture: the one the puzzle is built from, kept while the preview is hidden.
    QImage picture() const { return m_picture; }
    bool optionDificil() const;

    void setSaveMode(bool aSaveMode);

    // Puts the captions into the current language (English or Spanish; any other value
    // leaves them as they are). The piece-count and style labels then describe the
    // current choice rather than the fixed 4 by 4 Normal captions.
    void applyLanguage();

    // The folder whose files are listed, and the drive (volume root) shown for it.
    QString folder() const { return m_folder; }
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
    void setCaptions(qint16 language);
    void Form_Load();
    void loadDialogIcon();
    void useProgramFolder();
    void selectCommandLineFile();

    void Drive1_Change();
    void Dir1_Change();
    void Combo1_Click();
    void CheckMostrarImagen_Click();
    void File1_Click(const QString &name);
    void puzzleFileClick(const QString &name);
    void ListX_Click();
    void styleExplanation();
    void TextSalvarComo_Change();
    void OKButton_Click();
    void CancelButton_Click();

    void fillDrives();
    void setDrive(const QString &root);
    void showDriveOf(const QString &folder);
    void setDir(const QString &folder);
    void revealFolder();
    void playerChoseFolder(const QString &folder);
    void selectFileType(int entry);
    void selectCount(QListWidget *list, int count);
    int selectedCount(const QListWidget *list) const;
    void setOptions(bool dificil);
    void setCountsAndStyleEnabled(bool enabled);
    void showPuzzleFileChoice();
    bool puzzleFileChosen() const;
    void setPicture(const QImage &image);
    void clearPicture();
    QString filePath(const QString &name) const;
    QStringList listFiles(const QString &folder) const;
    void selectInFileList(const QString &name);

    DialogHost m_host;

    // The outcome of the last confirmation, and the game that save mode saves.
    QString Archivo;
    QString ArchivoSinPath;
    QString theExtension;
    qint16 PartesX = 1;
    qint16 PartesY = 1;
    bool Ok = false;
    std::optional<bool> theCargadoMedioMontado;
    std::optional<GameSetup> m_choice;
    GameSetup m_saveGame;

    QGroupBox *Frame1 = nullptr;
    QComboBox *Drive1 = nullptr;
    QTreeView *Dir1 = nullptr;
    QListView *File1 = nullptr;
    QLabel *Label5 = nullptr;
    QComboBox *Combo1 = nullptr;
    QLabel *Image1 = nullptr;
    QCheckBox *CheckMostrarImagen = nullptr;
    QCheckBox *CheckRecordardir = nullptr;
    QLabel *LabArchivo = nullptr;
    QListWidget *ListX = nullptr;
    QListWidget *ListY = nullptr;
    QLabel *Label2 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QRadioButton *OptionNormal = nullptr;
    QRadioButton *OptionDificil = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *LabelSalvarComo = nullptr;
    QLineEdit *TextSalvarComo = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

    QFileSystemModel *m_dirModel = nullptr;
    QFileSystemModel *m_fileModel = nullptr;

    bool saveMode = false;
    QImage m_picture;
    QString m_folder;
    // The name the last click chose in the file list; a confirmation takes it.
    QString m_selectedName;
    // The puzzle file read last: its board, handed to the game at a confirmation, and its style.
    std::unique_ptr<TableroClass> m_pendingBoard;
    bool m_boardPending = false;
    bool m_puzzleFileStyle = false;
    // Set while code moves a list's selection, so the move does not count as a click.
    bool m_quiet = false;
    bool m_tidying = false;
    bool m_unloading = false;
};
