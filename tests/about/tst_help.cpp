#include "about/Ayuda.h"
#include "about/ChmArchive.h"
#include "about/FormAcercaDe.h"
#include "about/HelpBrowser.h"
#include "about/HelpWindow.h"
#include "about/KeyStore.h"
#include "platform/Messages.h"

#include <QtTest>
#include <QtWidgets>

namespace
{
const QString runtimeDir = QStringLiteral(TESSELON_RUNTIME_DIR);
const QString english = QStringLiteral("tesselon_help.chm");
const QString spanish = QStringLiteral("ayuda_tesselon.chm");

QByteArray builtBytes(const QString &fileName)
{
    QFile file(runtimeDir + QStringLiteral("/help/") + fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QStringList helpMissing{QStringLiteral("Help files not found")};
} // namespace

class tst_help : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Messages::startScript();
        QVERIFY(m_dir.isValid() && builtBytes(english).size() > 4096 && builtBytes(spanish).size() > 4096);
    }
    void cleanup()
    {
        delete Ayuda::ventanaDeAyuda();
        Messages::clearShown();
    }

    // The title of each language's start topic. The About box and the message's words are
    // checked with the other language texts.
    void languageTexts_data()
    {
        QTest::addColumn<qint16>("language");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << qint16(0) << "Tesselon help";
        QTest::newRow("Galician") << qint16(2) << "Tesselon help";
        QTest::newRow("Spanish") << qint16(1) << "Ayuda de Tesselon";
    }
    // The one help window, opened in another language first, switches to the language asked for
    // and keeps its topic through a later call that finds no help folder.
    void languageTexts()
    {
        QFETCH(qint16, language);
        QVERIFY(Ayuda::mostrarAyuda(nullptr, language == 1 ? 0 : 1, runtimeDir));
        HelpWindow *window = Ayuda::ventanaDeAyuda();
        QVERIFY(Ayuda::mostrarAyuda(nullptr, language, runtimeDir));
        QVERIFY(Ayuda::ventanaDeAyuda() == window && window->isVisible());
        QVERIFY(!Ayuda::mostrarAyuda(nullptr, language, m_dir.filePath(QStringLiteral("none"))));
        QVERIFY(Messages::shownTexts().size() == 1 && Ayuda::ventanaDeAyuda() == window);
        QTEST(window->windowTitle(), "title");
    }

    void notFound_data()
    {
        QTest::addColumn<QString>("file"); // inside the program folder
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray right = builtBytes(english);
        QByteArray window = right;
        // A 4 MB decompression window: chmlib opens the file but never builds the decoder.
        const qsizetype control = window.indexOf("LZXC");
        QVERIFY(control > 0);
        qToLittleEndian<quint32>(0x80, window.data() + control + 8);
        qToLittleEndian<quint32>(0x80, window.data() + control + 12);
        QTest::newRow("no help file") << "help/readme.txt" << right;
        QTest::newRow("file lacks the topic") << "help/" + english << builtBytes(spanish);
        QTest::newRow("truncated file") << "help/" + english << right.left(right.size() / 3);
        QTest::newRow("no help folder") << "readme.txt" << right;
        QTest::newRow("impossible window") << "help/" + english << window;
    }
    void notFound()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QVERIFY(!Ayuda::mostrarAyuda(nullptr, 0, folderWith(file, bytes)));
        QCOMPARE(Messages::shownTexts(), helpMissing);
        QVERIFY(!Ayuda::ventanaDeAyuda());
    }

    // Every page reachable from the start topic, and every picture on it, comes out of the file;
    // names are matched as the help viewers match them, and a link to anything the file does not
    // hold leaves the page in view.
    void linksAndPicturesResolve()
    {
        QVERIFY(Ayuda::mostrarAyuda(nullptr, 0, runtimeDir));
        HelpBrowser *browser = Ayuda::ventanaDeAyuda()->browser();
        const QRegularExpression reference(QStringLiteral("(href|src)=\"([^\"#]*)"));
        QList<QUrl> pages{browser->source()};
        QSet<QString> pictures;
        for (int i = 0; i < pages.size(); ++i) {
            const QUrl page = pages.at(i);
            browser->setSource(page);
            QCOMPARE(browser->source(), page);
            QCOMPARE(Ayuda::ventanaDeAyuda()->windowTitle(), browser->documentTitle());
            for (const QRegularExpressionMatch &link : reference.globalMatch(browser->document()->toHtml())) {
                const QUrl target = page.resolved(QUrl(link.captured(2)));
                const QVariant data = browser->loadResource(QTextDocument::ImageResource, target);
                if (link.captured(1) == "src" && !QImage::fromData(data.toByteArray()).isNull())
                    pictures.insert(target.path());
                else if (link.captured(1) == "href" && !pages.contains(target))
                    pages << target;
            }
        }
        QCOMPARE(pages.size(), 7);
        QCOMPARE(pictures.size(), 9);
        const QString text = browser->toPlainText();
        for (const char *name : {"Images/Normal.PNG", "images/../../zoom.htm", "./images\\fit.bmp"})
            QVERIFY2(browser->archive()->contains(name), name);
        for (const char *name : {"missing.htm", "#SYSTEM", "::DataSpace/NameList", "https://a.org/"}) {
            QVERIFY2(!browser->archive()->contains(name), name);
            browser->setSource(QUrl(name));
            QCOMPARE(browser->toPlainText(), text);
        }
    }

    // Random damage anywhere in the file: the help opens with a title or reports it missing.
    void damagedFilesNeverStopTheGame()
    {
        QRandomGenerator random(2024);
        int refused = 0;
        for (int round = 0; round < 40; ++round) {
            QByteArray bytes = builtBytes(english);
            const int at = random.bounded(bytes.size() - 64);
            for (int i = 0, n = round % 2 ? 64 : 1 + random.bounded(16); i < n; ++i)
                bytes[round % 2 ? at + i : random.bounded(bytes.size())] ^= char(1 + random.bounded(255));
            const bool shown = Ayuda::mostrarAyuda(nullptr, 0, folderWith("help/" + english, bytes));
            refused += !shown;
            QVERIFY(shown ? !Ayuda::ventanaDeAyuda()->windowTitle().isEmpty() : !Ayuda::ventanaDeAyuda());
            QCOMPARE(Messages::shownTexts(), shown ? QStringList() : helpMissing);
            cleanup();
        }
        QVERIFY(refused > 0 && refused < 40);
    }

    void sysInfo_data()
    {
        QTest::addColumn<QString>("path");     // the first key's program, if any
        QTest::addColumn<bool>("starts");      // what the starter answers
        QTest::addColumn<QString>("location"); // what the second key's folder holds, if there is one
        QTest::addColumn<QString>("program");  // the end of what it was asked to start
        QTest::newRow("first key") << "/bin/info" << true << "MSINFO32.EXE" << QString("/bin/info");
        QTest::newRow("second key") << QString() << true << "MSINFO32.EXE" << QString("/help/MSINFO32.EXE");
        QTest::newRow("second key, no tool") << QString() << true << "readme.txt" << QString();
        QTest::newRow("starter fails") << "/bin/info" << false << QString() << QString("/bin/info");
    }
    void sysInfo()
    {
        QFETCH(QString, path);
        QFETCH(QString, location);
        QFETCH(bool, starts);
        QFETCH(QString, program);
        KeyStore keys;
        if (!path.isEmpty())
            keys.setString(KeyStore::LocalMachine, KeyStore::SysInfoKey, "PATH", path);
        if (!location.isEmpty())
            keys.setString(KeyStore::LocalMachine, KeyStore::SysInfoLocationKey, "MSINFO",
                           folderWith("help/" + location, "tool") + "/help");
        FormAcercaDe box(keys);
        QString started;
        box.setStarter([&](const QString &asked) { return started += asked, starts; });
        box.StartSysInfo();
        QVERIFY2(program.isEmpty() ? started.isEmpty() : started.endsWith(program), qPrintable(started));
        const QStringList message{"La información del sistema no está disponible en este momento"};
        QCOMPARE(Messages::shownTexts(), starts && !program.isEmpty() ? QStringList() : message);
    }

    void keyValues()
    {
        KeyStore keys;
        keys.setDword(KeyStore::LocalMachine, "Soft\\Tool", "small", 0x00001001);
        keys.setDword(KeyStore::LocalMachine, "Soft\\Tool", "all", 0xFFFFFFFF);
        QString small, all, noValue = "stale", noKey = "stale";
        QVERIFY(keys.GetKeyValue(KeyStore::LocalMachine, "SOFT\\TOOL", "small", small));
        QVERIFY(keys.GetKeyValue(KeyStore::LocalMachine, "Soft\\Tool", "all", all));
        QVERIFY(!keys.GetKeyValue(KeyStore::LocalMachine, "Soft\\Tool", "none", noValue));
        QVERIFY(!keys.GetKeyValue(KeyStore::LocalMachine, "Soft\\None", "all", noKey));
        QCOMPARE(QStringList({small, all, noValue, noKey}), QStringList({"4097", "-1", "", ""}));
    }

private:
    // A fresh program folder holding one file at the given place inside it.
    QString folderWith(const QString &fileName, const QByteArray &bytes)
    {
        const QString folder = m_dir.filePath(QString::number(++m_folders));
        QFile file(folder + QLatin1Char('/') + fileName);
        const bool made = QDir().mkpath(QFileInfo(file).absolutePath()) && file.open(QIODevice::WriteOnly);
        return made && file.write(bytes) == bytes.size() ? folder : QString();
    }
    QTemporaryDir m_dir;
    int m_folders = 0;
};

QTEST_MAIN(tst_help)
#include "tst_help.moc"
