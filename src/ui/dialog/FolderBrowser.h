#pragma once

#include "dialog/DialogRules.h"

#include <QObject>
#include <QScopedValueRollback>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QAbstractItemModel;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QListView;
class QModelIndex;
class QSortFilterProxyModel;
class QTimer;
class QTreeView;
class QWidget;

// The dialog's drive, folder and file lists and its file-type selector over two file
// system models. Programmatic changes run the same reactions as the player's; only the
// moves the views make on their own (a removed row, a selection put back) are kept quiet.
class FolderBrowser : public QObject
{
    Q_OBJECT

public:
    // Creates LabelDrive1 (Drive1's caption), Drive1, Dir1, File1, Label5 and Combo1, in
    // that order, inside the frame.
    explicit FolderBrowser(QWidget *frame);
    ~FolderBrowser() override;

    QLabel *LabelDrive1 = nullptr;
    QComboBox *Drive1 = nullptr;
    QTreeView *Dir1 = nullptr;
    QListView *File1 = nullptr;
    QLabel *Label5 = nullptr;
    QComboBox *Combo1 = nullptr;

    QString folder() const { return m_folder; }
    QString drive() const;
    QString filePath(const QString &name) const;

    // Selects a drive, or throws error 68 when it is not in the list.
    void setDrive(const QString &root);
    // Lists a folder, or throws 76 (not there) or 70 (cannot be listed).
    void setDir(const QString &folder);
    void fillDrives();
    // Falls back on the program's own folder and its drive.
    void showProgramFolder();
    void addFileTypes(const QStringList &patterns);
    void selectFileType(int entry);
    // Makes a file the list's current one and keeps it in sight while the list fills,
    // until the player takes the list in hand.
    void selectInFileList(const QString &name);
    // The name the last click chose; the file list lets go of it when it is gone.
    void setSelectedName(const QString &name) { m_selectedName = name; }
    QString selectedName() const { return m_selectedName; }
    // Brings the current folder into sight in the tree, its ancestors opened, unless the
    // player has moved the tree since the program last changed the folder.
    void revealFolder();
    // Falls back on the nearest folder above that is still there when the listed one has
    // gone (deleted or renamed by another program); answers whether it had gone.
    bool checkFolder();
    // Keeps the list's choice as the last click made it when that file is still listed;
    // otherwise lets go of it. Answers whether a file is still chosen.
    bool keepSelection();
    // Shows the folder of a file named on the command line with that file selected, and
    // answers its name; when the folder has no such file, says so and takes the first
    // one. Empty when the folder lists nothing; throws when it cannot be shown.
    QString openCommandLineFile(const DialogRules::SplitPath &path);

signals:
    // The drive or folder changed: whatever was chosen in the old one no longer counts.
    void folderChanged();
    void fileClicked(const QString &name);
    // The chosen file left the list (deleted, renamed or no longer of the listed type).
    void choiceGone();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showFolder(const QString &folder, bool byProgram);
    void fileChosen(const QModelIndex &index);
    void Drive1_Change();
    void Dir1_Change();
    void Combo1_Click();
    void showDriveOf(const QString &folder);
    void playerChoseFolder(const QString &folder);
    void setCurrentFolderQuietly();
    void buildModels();
    void revealChoice();
    QModelIndex fileRow(const QString &name) const;
    void setCurrentFileQuietly(const QModelIndex &row);
    // Calls reveal whenever rows arrive or are sorted, or a folder finishes loading, while
    // revealing holds; returns the timer that runs it.
    QTimer *revealOnChanges(void (FolderBrowser::*reveal)(), const bool &revealing, QAbstractItemModel *rows,
                            QFileSystemModel *loading);

    class PlainIcons;
    QWidget *m_frame;
    std::unique_ptr<PlainIcons> m_icons;
    QFileSystemModel *m_dirModel = nullptr;
    QFileSystemModel *m_fileModel = nullptr;
    QSortFilterProxyModel *m_files = nullptr;
    QString m_folder;
    QString m_selectedName;
    // Set while code moves a view's selection, so the move does not count as a click.
    bool m_quiet = false;
    // Set when the program changes the folder and cleared once the player presses,
    // scrolls, types in or collapses the tree: from then on the tree stays where it is.
    bool m_revealing = false;
    // The same for the file the program chose in the list: its row comes, and moves, as
    // the list fills in the background.
    QString m_shownChoice;
    bool m_revealingChoice = false;
    QTimer *m_revealChoiceLater = nullptr;
    // Held from a model's "rows about to be removed" to its "rows removed": a view moves
    // its current row when that row goes, and such moves are not the player's choice.
    std::optional<QScopedValueRollback<bool>> m_tidying;
};
