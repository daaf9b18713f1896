#include "settings/comun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("x");
}

} // namespace

class tst_comun : public QObject
{
    Q_OBJECT

private slots:
    void getFileExtension_data();
    void getFileExtension();
    void folderHasFiles_data();
    void folderHasFiles();
    void folderHasFilesWithoutFolder();
    void dataFolderFollowsXdgConfigHome();
    void dataFolderDefaultsToDotConfig();
    void documentsFolder();
    void programFolderHoldsTheExecutable();
    void driveOf();
};

void tst_comun::getFileExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");

    QTest::newRow("plain") << "photo.jpg" << "jpg";
    QTest::newRow("several dots") << "a.b.c" << "c";
    QTest::newRow("dot at the end") << "photo." << "";
    QTest::newRow("no dot") << "photo" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("case kept") << "SAVED.PZZ" << "PZZ";
    QTest::newRow("hidden file") << ".bashrc" << "bashrc";
    QTest::newRow("full path") << "/home/ana/fotos/gato.gif" << "gif";
    QTest::newRow("dot only in a folder") << "/home/ana/v1.2/gato" << "2/gato";
    QTest::newRow("accents") << "/tmp/canción.jpeg" << "jpeg";
}

void tst_comun::getFileExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QCOMPARE(comun::getFileExtension(name), extension);
}

void tst_comun::folderHasFiles_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("hasFiles");

    QTest::newRow("empty folder") << QStringList() << QStringList() << false;
    QTest::newRow("only a subfolder") << QStringList() << QStringList{"sub"} << false;
    QTest::newRow("file only inside a subfolder") << QStringList{"sub/a.jpg"} << QStringList{"sub"} << false;
    QTest::newRow("only a hidden file") << QStringList{".hidden"} << QStringList() << false;
    QTest::newRow("only a hidden folder") << QStringList() << QStringList{".cache"} << false;
    QTest::newRow("one plain file") << QStringList{"a.jpg"} << QStringList() << true;
    QTest::newRow("a file without extension") << QStringList{"README"} << QStringList() << true;
    QTest::newRow("hidden and plain") << QStringList{".hidden", "b.gif"} << QStringList{"sub"} << true;
}

void tst_comun::folderHasFiles()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(bool, hasFiles);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &folder : folders)
        QVERIFY(QDir(dir.path()).mkpath(folder));
    for (const QString &file : files)
        touch(dir.filePath(file));
    QCOMPARE(comun::folderHasFiles(dir.path()), hasFiles);
}

void tst_comun::folderHasFilesWithoutFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    touch(dir.filePath("a.jpg"));
    QVERIFY(!comun::folderHasFiles(dir.filePath("a.jpg")));
    QVERIFY(!comun::folderHasFiles(dir.filePath("missing")));

    // An empty name must not list the working folder, which here holds a file.
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const bool emptyName = comun::folderHasFiles(QString());
    QVERIFY(QDir::setCurrent(before));
    QVERIFY(!emptyName);
}

void tst_comun::dataFolderFollowsXdgConfigHome()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A trailing separator in the environment must not reach the joined paths.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + "/"));
    QCOMPARE(comun::getAppDataFolder(), dir.path());
    QCOMPARE(comun::getDataFolder(), dir.path() + "/tesselon");
    QVERIFY(!comun::folderHasFiles(comun::getDataFolder()));
}

void tst_comun::dataFolderDefaultsToDotConfig()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    QCOMPARE(comun::getAppDataFolder(), home.path() + "/.config");
    QCOMPARE(comun::getDataFolder(), home.path() + "/.config/tesselon");
}

void tst_comun::documentsFolder()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/.config"));
    QCOMPARE(comun::getMyDocumentsFolder(), home.path() + "/Documents");

    // The desktop's own choice of documents folder wins over the usual name.
    QVERIFY(QDir(home.path()).mkpath(".config"));
    QVERIFY(QDir(home.path()).mkpath("Papeles"));
    QFile dirs(home.path() + "/.config/user-dirs.dirs");
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Papeles\"\n");
    dirs.close();
    QCOMPARE(comun::getMyDocumentsFolder(), home.path() + "/Papeles");
}

void tst_comun::programFolderHoldsTheExecutable()
{
    const QString folder = comun::programFolder();
    QVERIFY(!folder.endsWith('/'));
    QVERIFY2(QFileInfo(folder + "/tst_comun").isExecutable(), qPrintable(folder));
}

void tst_comun::driveOf()
{
    QCOMPARE(comun::driveOf(QString()), QString());
    QCOMPARE(comun::driveOf("/"), QStringLiteral("/"));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString drive = comun::driveOf(dir.path());
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        roots << volume.rootPath();
    QVERIFY2(roots.contains(drive), qPrintable(drive));
    QVERIFY(QFileInfo(dir.path()).canonicalFilePath().startsWith(drive));

    // A folder not made yet lies on the volume that will hold it.
    QCOMPARE(comun::driveOf(dir.path() + "/not/made/yet"), drive);
    QCOMPARE(comun::driveOf(dir.path() + "/../" + QFileInfo(dir.path()).fileName()), drive);
}

QTEST_GUILESS_MAIN(tst_comun)
#include "tst_comun.moc"
