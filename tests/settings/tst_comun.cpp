#include "settings/comun.h"

#include <QtTest>

class tst_comun : public QObject
{
    Q_OBJECT

private slots:
    void getFileExtension_data();
    void getFileExtension();
    void folderHasFiles();
    void documentsFolderOnlyWhenItExists();
};

void tst_comun::getFileExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");

    QTest::newRow("several dots, case kept") << "photo.v2.JPG"
                                             << "JPG";
    QTest::newRow("dot at the end") << "photo."
                                    << "";
    QTest::newRow("no dot") << "photo"
                            << "";
    QTest::newRow("hidden file") << ".bashrc"
                                 << "bashrc";
    QTest::newRow("dot only in a folder") << "/home/ana/v1.2/gato"
                                          << "2/gato";
}

void tst_comun::getFileExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QCOMPARE(comun::getFileExtension(name), extension);
}

void tst_comun::folderHasFiles()
{
    QTemporaryDir dir;
    QVERIFY(!comun::folderHasFiles(dir.path()));
    QVERIFY(QDir(dir.path()).mkpath("sub") && QFile(dir.filePath(".hidden")).open(QIODevice::WriteOnly));
    QVERIFY(!comun::folderHasFiles(dir.path()));
    QVERIFY(QFile(dir.filePath("a.jpg")).open(QIODevice::WriteOnly));
    QVERIFY(comun::folderHasFiles(dir.path()));
}

void tst_comun::documentsFolderOnlyWhenItExists()
{
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
    // Without the folder the settings fall back to the program's folder instead.
    QCOMPARE(comun::getMyDocumentsFolder(), QString());
    QVERIFY(QDir(home.path()).mkdir("Documents"));
    QCOMPARE(comun::getMyDocumentsFolder(), home.filePath("Documents"));
}

QTEST_GUILESS_MAIN(tst_comun)
#include "tst_comun.moc"
