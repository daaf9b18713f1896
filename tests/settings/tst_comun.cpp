#include "picture/PictureSamples.h"
#include "settings/comun.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtTest>

class tst_comun : public QObject
{
    Q_OBJECT

private slots:
    void getFileExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("extension");

        QTest::newRow("several dots, case kept") << QString("photo.v2.JPG") << QString("JPG");
        QTest::newRow("dot at the end") << QString("photo.") << QString("");
        QTest::newRow("no dot") << QString("photo") << QString("");
        QTest::newRow("hidden file") << QString(".bashrc") << QString("bashrc");
        QTest::newRow("dot only in a folder") << QString("/home/ana/v1.2/gato") << QString("2/gato");
    }

    void getFileExtension()
    {
        QFETCH(QString, name);
        QTEST(comun::getFileExtension(name), "extension");
    }

    void folderHasFiles()
    {
        QTemporaryDir dir;
        QVERIFY(!comun::folderHasFiles(dir.path()));
        QVERIFY(QDir(dir.path()).mkpath("sub") && QFile(dir.filePath(".hidden")).open(QIODevice::WriteOnly));
        QVERIFY(!comun::folderHasFiles(dir.path()));
        QVERIFY(QFile(dir.filePath("a.jpg")).open(QIODevice::WriteOnly));
        QVERIFY(comun::folderHasFiles(dir.path()));
    }

    void documentsFolderOnlyWhenItExists()
    {
        QTemporaryDir home;
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
        // Without the folder the settings fall back to the program's folder instead.
        QCOMPARE(comun::getMyDocumentsFolder(), QString());
        QVERIFY(QDir(home.path()).mkdir("Documents"));
        QCOMPARE(comun::getMyDocumentsFolder(), home.filePath("Documents"));
    }

    void dataFolderFor_data()
    {
        QTest::addColumn<QStringList>("folders"); // made below a temporary root
        QTest::addColumn<QString>("expected");    // relative to the root; the executable is in bin

        QTest::newRow("build tree: data beside the program")
            << QStringList{"bin/icons", "share/tesselon/icons"} << "bin";
        QTest::newRow("installed prefix")
            << QStringList{"bin", "share/tesselon/icons", "share/tesselon/help"} << "share/tesselon";
        QTest::newRow("installed folder without icons") << QStringList{"bin", "share/tesselon/help"} << "bin";
    }

    void dataFolderFor()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, expected);
        QTemporaryDir root;
        for (const QString &folder : folders)
            QVERIFY(QDir(root.path()).mkpath(folder));
        QCOMPARE(comun::dataFolderFor(root.filePath("bin")), root.filePath(expected));
    }

    void windowIcon_data()
    {
        QTest::addColumn<QByteArray>("atom"); // empty: no Atom.ico at all
        QTest::addColumn<bool>("fromFile");

        QImage red(32, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        QTest::newRow("any picture under the name serves") << PictureSamples::encoded(red, "png") << true;
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("unreadable") << QByteArray("not a picture") << false;
    }

    void windowIcon()
    {
        QFETCH(QByteArray, atom);
        QFETCH(bool, fromFile);
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkpath("icons"));
        QVERIFY(atom.isEmpty() || PictureSamples::writeBytes(data.filePath("icons/Atom.ico"), atom));
        // The built-in icon is the atom: its centre is the red nucleus, its corner clear.
        const QImage shown = comun::windowIcon(data.path()).pixmap(32, 32).toImage();
        QCOMPARE(shown.size(), QSize(32, 32));
        QCOMPARE(shown.pixelColor(0, 0) == QColor(Qt::red), fromFile);
        QCOMPARE(shown.pixelColor(0, 0).alpha(), fromFile ? 255 : 0);
        QVERIFY(shown.pixelColor(16, 16).red() > 150);
    }
};

QTEST_MAIN(tst_comun)
#include "tst_comun.moc"
