#include "dialog/FolderBrowser.h"
#include "dialog/ControlNames.h"

#include "dialog/DialogRules.h"
#include "io/RunTimeError.h"
#include "platform/Messages.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace
{

const QString RootDrive = QStringLiteral("/");

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

// The name the file list shows first, as it sorts them; empty for no names. A folder may
// hold many thousands of files, so this looks for the least rather than sorting them all.
QString firstInFileListOrder(const QStringList &names)
{
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const auto first =
        std::min_element(names.begin(), names.end(), [&collator](const QString &a, const QString &b) {
            return collator.compare(a, b) < 0;
        });
    return first == names.end() ? QString() : *first;
}

// The file list shows files only. The file model keeps a folder it was asked about among
// its parent's rows whatever its filter says, so folders are kept out here; only the
// listed folder and its ancestors stay, since the list's root is reached through them.
class FilesOnly : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setFolder(const QString &folder)
    {
        m_folder = folder;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const auto *files = static_cast<const QFileSystemModel *>(sourceModel());
        const QModelIndex index = files->index(row, 0, parent);
        if (!files->isDir(index))
            return true;
        const QString path = files->filePath(index);
        return path == RootDrive || m_folder == path || m_folder.startsWith(path + QLatin1Char('/'));
    }

private:
    QString m_folder;
};

} // namespace

// Every file is shown with the one file icon and every folder with the one folder icon.
// Finding each file's own type and icon means looking into it, on the window's thread as
// the rows come in, which a folder of thousands of pictures turns into seconds.
class FolderBrowser::PlainIcons : public QFileIconProvider
{
public:
    PlainIcons() : m_folder(QFileIconProvider::icon(Folder)), m_file(QFileIconProvider::icon(File)) {}

    QIcon icon(const QFileInfo &info) const override { return info.isDir() ? m_folder : m_file; }
    // The model takes a file without a type for one it has not looked at yet and leaves it
    // out of the list, so each gets the plain word.
    QString type(const QFileInfo &info) const override
    {
        return info.isDir() ? QStringLiteral("Folder") : QStringLiteral("File");
    }

private:
    const QIcon m_folder;
    const QIcon m_file;
};

FolderBrowser::FolderBrowser(QWidget *frame)
    : QObject(frame), m_frame(frame), m_icons(std::make_unique<PlainIcons>())
{
    LabelDrive1 = named(new QLabel(frame), "LabelDrive1");
    Drive1 = named(new QComboBox(frame), "Drive1");
    Dir1 = named(new QTreeView(frame), "Dir1");
    File1 = named(new QListView(frame), "File1");
    Label5 = named(new QLabel(frame), "Label5");
    Combo1 = named(new QComboBox(frame), "Combo1");
    buildModels();
    // A drop-down list is named after its caption: what it shows is its value.
    LabelDrive1->setBuddy(Drive1);
    Label5->setBuddy(Combo1);
    Dir1->setHeaderHidden(true);
    // Deep folders would leave no room for their names: the indentation is kept small and
    // the column as wide as its names, with a scroll bar across when needed.
    Dir1->setIndentation(12);
    Dir1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    Dir1->header()->setStretchLastSection(false);
    for (int column = 1; column < m_dirModel->columnCount(); ++column)
        Dir1->hideColumn(column);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is one name beside one icon: rows of one height keep a folder of many
    // thousands of files from being measured row by row each time rows come in.
    File1->setUniformItemSizes(true);
    Combo1->setEditable(false);

    connect(Drive1, &QComboBox::currentIndexChanged, this, [this] { Drive1_Change(); });
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!m_quiet && current.isValid())
                    playerChoseFolder(m_dirModel->filePath(current));
            });
    // Only a click, or Enter or Space on a file, chooses it: the current row moving as
    // focus arrives or as the arrows go by is not a choice.
    connect(File1, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &index) { fileChosen(index); });
    File1->installEventFilter(this);
    File1->viewport()->installEventFilter(this);
    connect(File1->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_revealingChoice = false; });
    Dir1->viewport()->installEventFilter(this);
    Dir1->installEventFilter(this);
    connect(Dir1->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_revealing = false; });
    connect(Dir1, &QTreeView::collapsed, this, [this] { m_revealing = false; });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_quiet)
            Combo1_Click();
    });
}

// The models ask the icons from their reading thread until they are gone.
FolderBrowser::~FolderBrowser()
{
    delete m_dirModel;
    delete m_fileModel;
}

void FolderBrowser::buildModels()
{
    const auto startTidying = [this] { m_tidying.emplace(m_quiet, true); };
    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setIconProvider(m_icons.get());
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_dirModel->setRootPath(RootDrive);
    connect(m_dirModel, &QAbstractItemModel::rowsAboutToBeRemoved, this, startTidying);
    Dir1->setModel(m_dirModel);
    // Folders arrive from a background thread; the current one is kept in sight as its
    // ancestors fill in, until the player takes the tree in hand.
    // Rows come in batches after their folder has been read and are sorted afterwards, so
    // each batch and each sort can move the current folder out of sight again.
    revealOnChanges(&FolderBrowser::revealFolder, m_revealing, m_dirModel, m_dirModel);
    // A folder deleted or renamed by another program leaves its parent's listing; the file
    // list's folder may be among them.
    const auto checkFolderLater = [this] { QTimer::singleShot(0, this, [this] { checkFolder(); }); };
    connect(m_dirModel, &QAbstractItemModel::rowsRemoved, this, [this, checkFolderLater] {
        m_tidying.reset();
        checkFolderLater();
        if (Dir1->currentIndex() != m_dirModel->index(m_folder))
            setCurrentFolderQuietly();
    });

    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setIconProvider(m_icons.get());
    m_fileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_fileModel->setNameFilterDisables(false);
    m_files = new FilesOnly(this);
    m_files->setSourceModel(m_fileModel);
    connect(m_files, &QAbstractItemModel::rowsAboutToBeRemoved, this, startTidying);
    File1->setModel(m_files);
    connect(m_files, &QAbstractItemModel::rowsRemoved, this, [this, checkFolderLater] {
        m_tidying.reset();
        const QModelIndex chosen = fileRow(m_selectedName);
        setCurrentFileQuietly(chosen);
        if (!m_selectedName.isEmpty() && !chosen.isValid()) {
            m_selectedName.clear();
            emit choiceGone();
        }
        checkFolderLater();
    });

    m_revealChoiceLater =
        revealOnChanges(&FolderBrowser::revealChoice, m_revealingChoice, m_files, m_fileModel);
}

QTimer *FolderBrowser::revealOnChanges(void (FolderBrowser::*reveal)(), const bool &revealing,
                                       QAbstractItemModel *rows, QFileSystemModel *loading)
{
    // Once the event loop is free, so that a burst of batches reveals once.
    auto *later = new QTimer(this);
    later->setSingleShot(true);
    later->setInterval(0);
    connect(later, &QTimer::timeout, this, reveal);
    const auto again = [later, &revealing] {
        if (revealing)
            later->start();
    };
    connect(loading, &QFileSystemModel::directoryLoaded, this, again);
    connect(rows, &QAbstractItemModel::rowsInserted, this, again);
    connect(rows, &QAbstractItemModel::layoutChanged, this, again);
    return later;
}

QString FolderBrowser::drive() const
{
    return Drive1->currentText();
}

QString FolderBrowser::filePath(const QString &name) const
{
    return QDir(m_folder).filePath(name);
}

void FolderBrowser::fillDrives()
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

void FolderBrowser::setDrive(const QString &root)
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

void FolderBrowser::showProgramFolder()
{
    const QString folder = comun::programFolder();
    try {
        setDrive(comun::driveOf(folder));
        setDir(folder);
    } catch (const RunTimeError &) {
        // The program's own folder is always there; should it not be, the root stays.
    }
}

void FolderBrowser::showDriveOf(const QString &folder)
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

void FolderBrowser::Drive1_Change()
{
    const QString root = Drive1->currentText();
    if (volumeReady(root)) {
        try {
            setDir(root);
            m_selectedName.clear();
            emit folderChanged();
            return;
        } catch (const RunTimeError &) {
            // Gone between the check and the listing: the same as a drive that is not ready.
        }
    }
    if (const auto text = DialogRules::notReadyMessage(ModuloIdioma::idioma()))
        Messages::show(m_frame->window(), *text);
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

void FolderBrowser::setDir(const QString &folder)
{
    showFolder(folder, true);
}

void FolderBrowser::showFolder(const QString &folder, bool byProgram)
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
        // The folder the player pressed is already where the pointer is: only a folder
        // the program chose is brought into sight, and kept there while the tree loads.
        m_revealing = byProgram;
        if (byProgram)
            revealFolder();
        else
            setCurrentFolderQuietly();
        Dir1->expand(index);
    }
    Dir1_Change();
}

void FolderBrowser::setCurrentFolderQuietly()
{
    const QScopedValueRollback<bool> quiet(m_quiet, true);
    Dir1->setCurrentIndex(m_dirModel->index(m_folder));
}

void FolderBrowser::playerChoseFolder(const QString &folder)
{
    try {
        showFolder(folder, false);
    } catch (const RunTimeError &) {
        Messages::show(m_frame->window(),
                       DialogRules::unreadableFolderMessage(ModuloIdioma::idioma(), folder));
        setCurrentFolderQuietly();
    }
}

void FolderBrowser::Dir1_Change()
{
    m_revealingChoice = false;
    m_fileModel->setRootPath(m_folder);
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        static_cast<FilesOnly *>(m_files)->setFolder(m_folder);
        File1->setRootIndex(m_files->mapFromSource(m_fileModel->index(m_folder)));
        File1->selectionModel()->clear();
    }
    m_selectedName.clear();
    emit folderChanged();
}

void FolderBrowser::addFileTypes(const QStringList &patterns)
{
    const QSignalBlocker blocker(Combo1);
    Combo1->addItems(patterns);
}

void FolderBrowser::selectFileType(int entry)
{
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        Combo1->setCurrentIndex(entry);
    }
    Combo1_Click();
}

void FolderBrowser::Combo1_Click()
{
    m_fileModel->setNameFilters(DialogRules::nameFilters(Combo1->currentText()));
}

QModelIndex FolderBrowser::fileRow(const QString &name) const
{
    return name.isEmpty() ? QModelIndex() : m_files->mapFromSource(m_fileModel->index(filePath(name)));
}

void FolderBrowser::setCurrentFileQuietly(const QModelIndex &row)
{
    const QScopedValueRollback<bool> quiet(m_quiet, true);
    if (row.isValid())
        File1->setCurrentIndex(row);
    else
        File1->selectionModel()->clear();
}

void FolderBrowser::selectInFileList(const QString &name)
{
    m_shownChoice = name;
    m_revealingChoice = true;
    revealChoice();
    // Once more when the window has its size: the row's place in sight depends on it.
    m_revealChoiceLater->start();
}

void FolderBrowser::revealChoice()
{
    if (!m_revealingChoice)
        return;
    const QModelIndex row = fileRow(m_shownChoice);
    setCurrentFileQuietly(row);
    if (row.isValid())
        File1->scrollTo(row, QAbstractItemView::PositionAtCenter);
}

bool FolderBrowser::keepSelection()
{
    if (fileRow(m_selectedName).isValid()) {
        selectInFileList(m_selectedName);
        return true;
    }
    m_selectedName.clear();
    setCurrentFileQuietly(QModelIndex());
    return false;
}

bool FolderBrowser::checkFolder()
{
    if (m_folder.isEmpty() || listable(m_folder))
        return false;
    QString folder = m_folder;
    do
        folder = QFileInfo(folder).absolutePath();
    while (folder != RootDrive && !listable(folder));
    try {
        showFolder(folder, true);
    } catch (const RunTimeError &) {
        // Nothing above can be listed either: the list stays empty until the player moves.
    }
    return true;
}

void FolderBrowser::fileChosen(const QModelIndex &index)
{
    const QModelIndex source = m_files->mapToSource(index);
    if (source.isValid() && !m_fileModel->isDir(source))
        emit fileClicked(m_fileModel->fileName(source));
}

bool FolderBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == File1 && event->type() == QEvent::KeyPress) ||
        (watched == File1->viewport() &&
         (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel)))
        m_revealingChoice = false;
    if (watched == File1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            const QModelIndex current = File1->currentIndex();
            if (current.isValid()) {
                File1->setCurrentIndex(current);
                fileChosen(current);
            }
            return true;
        }
    } else if (watched == Dir1 || watched == Dir1->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::KeyPress:
            m_revealing = false;
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FolderBrowser::revealFolder()
{
    const QModelIndex index = m_dirModel->index(m_folder);
    if (!m_revealing || !index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) {
        if (m_dirModel->canFetchMore(parent))
            m_dirModel->fetchMore(parent);
        Dir1->expand(parent);
    }
    if (Dir1->currentIndex() != index)
        setCurrentFolderQuietly();
    Dir1->scrollTo(index, QAbstractItemView::PositionAtCenter);
    // Only up and down: scrolled across, the tree would cut the start off every name.
    Dir1->horizontalScrollBar()->setValue(0);
}

QString FolderBrowser::openCommandLineFile(const DialogRules::SplitPath &path)
{
    selectFileType(0);
    if (!QFileInfo(path.folder).isDir())
        throw RunTimeError(RunTimeError::PathNotFound, QStringLiteral("Path not found"));
    setDrive(comun::driveOf(path.folder));
    setDir(path.folder);

    // The folder is asked directly, as the file list fills itself in the background; all
    // of it is read only when the file is not there.
    const QStringList filters = DialogRules::nameFilters(Combo1->currentText());
    QString name = path.name;
    const QFileInfo file(filePath(name));
    if (!file.isFile() || file.isHidden() || !QDir::match(filters, name)) {
        Messages::show(m_frame->window(), QStringLiteral("File ") + path.name + QStringLiteral(" not found"));
        name = firstInFileListOrder(
            QDir(m_folder).entryList(filters, QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted));
    }
    if (!name.isEmpty())
        selectInFileList(name);
    return name;
}
