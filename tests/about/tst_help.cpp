#include "about/Ayuda.h"
#include "about/ChmArchive.h"
#include "about/HelpBrowser.h"
#include "about/HelpWindow.h"
#include "platform/Messages.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>
#include <QtTest>

namespace {

const QString runtimeDir = QStringLiteral(TESSELON_RUNTIME_DIR);
const QString english = QStringLiteral("tesselon_help.chm");
const QString spanish = QStringLiteral("ayuda_tesselon.chm");

QString builtHelp(const QString &fileName) { return runtimeDir + QStringLiteral("/help/") + fileName; }

QByteArray builtBytes(const QString &fileName)
{
    QFile file(builtHelp(fileName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString notFoundText(qint16 language)
{
    return language == 1 ? QStringLiteral("No se han encontrado los archivos de ayuda")
                         : QStringLiteral("Help files not found");
}

QString toolbarText(HelpWindow *window, int index)
{
    const auto *bar = window->findChild<QToolBar *>(QStringLiteral("helpToolBar"));
    return bar ? bar->actions().value(index)->text() : QString();
}

struct PageContent
{
    QStringList links;
    QList<QTextImageFormat> images;
};

PageContent contentOf(const QTextDocument *document)
{
    PageContent content;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                content.images << format.toImageFormat();
            else if (format.isAnchor() && !format.anchorHref().isEmpty())
                content.links << format.anchorHref();
        }
    }
    return content;
}

} // namespace

class tst_help : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void startTopic_data();
    void startTopic();
    void notFound_data();
    void notFound();
    void oneWindowReused();
    void failureLeavesOpenHelp();
    void everyLinkAndPictureResolves_data();
    void everyLinkAndPictureResolves();
    void backForwardHome();
    void strayLinksKeepThePage_data();
    void strayLinksKeepThePage();
    void archiveNames_data();
    void archiveNames();
    void damagedFilesNeverStopTheGame();

private:
    QString folderWith(const QString &fileName, const QByteArray &bytes);
    QTemporaryDir m_dir;
    int m_folders = 0;
};

void tst_help::initTestCase()
{
    Messages::startScript();
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo::exists(builtHelp(english)), qPrintable(builtHelp(english)));
    QVERIFY2(QFileInfo::exists(builtHelp(spanish)), qPrintable(builtHelp(spanish)));
}

void tst_help::cleanup()
{
    delete Ayuda::ventanaDeAyuda();
    Messages::clearShown();
}

// A fresh program folder whose help folder holds one file; empty when it cannot be made.
QString tst_help::folderWith(const QString &fileName, const QByteArray &bytes)
{
    const QString folder = m_dir.filePath(QString::number(++m_folders));
    if (!QDir().mkpath(folder + QStringLiteral("/help"))
        || !writeFile(folder + QStringLiteral("/help/") + fileName, bytes))
        return QString();
    return folder;
}

void tst_help::startTopic_data()
{
    QTest::addColumn<qint16>("language");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("back");

    QTest::newRow("English") << qint16(0) << english << "Tesselon help" << "Tesselon cuts a picture"
                             << "Back";
    QTest::newRow("Spanish") << qint16(1) << spanish << "Ayuda de Tesselon" << "Tesselon corta la imagen"
                             << "Atrás";
    QTest::newRow("Galician gets English") << qint16(2) << english << "Tesselon help"
                                           << "Tesselon cuts a picture" << "Back";
    QTest::newRow("unknown value gets English") << qint16(7) << english << "Tesselon help"
                                                << "Tesselon cuts a picture" << "Back";
}

void tst_help::startTopic()
{
    QFETCH(qint16, language);
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, back);

    QVERIFY(Ayuda::mostrarAyuda(nullptr, language, runtimeDir));
    HelpWindow *window = Ayuda::ventanaDeAyuda();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(QFileInfo(window->helpFile()).fileName(), file);
    QCOMPARE(window->windowTitle(), title);
    QVERIFY(window->browser()->toPlainText().contains(text));
    QCOMPARE(toolbarText(window, 0), back);
    QVERIFY(Messages::shown().isEmpty());
}

void tst_help::notFound_data()
{
    QTest::addColumn<qint16>("language");
    QTest::addColumn<QString>("setup");

    const QStringList setups = {"no help file",   "no help folder",      "file lacks the topic",
                                "empty file",     "truncated file",      "garbage",
                                "damaged header", "folder in its place", "impossible window size"};
    for (qint16 language : {qint16(0), qint16(1), qint16(2)})
        for (const QString &setup : setups)
            QTest::addRow("%s, language %d", qPrintable(setup), language) << language << setup;
}

void tst_help::notFound()
{
    QFETCH(qint16, language);
    QFETCH(QString, setup);

    const Ayuda::Eleccion eleccion = Ayuda::elegirAyuda(language);
    const QString otherFile = eleccion.archivo == english ? spanish : english;
    const QByteArray right = builtBytes(eleccion.archivo);
    QVERIFY(right.size() > 4096);

    QString folder;
    if (setup == "no help file") {
        folder = folderWith(QStringLiteral("readme.txt"), "nothing here");
    } else if (setup == "no help folder") {
        folder = m_dir.filePath(QStringLiteral("empty") + QString::number(++m_folders));
        QVERIFY(QDir().mkpath(folder));
    } else if (setup == "file lacks the topic") {
        folder = folderWith(eleccion.archivo, builtBytes(otherFile));
    } else if (setup == "empty file") {
        folder = folderWith(eleccion.archivo, QByteArray());
    } else if (setup == "truncated file") {
        folder = folderWith(eleccion.archivo, right.left(right.size() / 3));
    } else if (setup == "garbage") {
        QByteArray noise(right.size(), Qt::Uninitialized);
        QRandomGenerator generator(1310);
        for (char &c : noise)
            c = char(generator.bounded(256));
        folder = folderWith(eleccion.archivo, noise);
    } else if (setup == "damaged header") {
        QByteArray damaged = right;
        damaged.replace(0, 4, "XXXX");
        folder = folderWith(eleccion.archivo, damaged);
    } else if (setup == "folder in its place") {
        folder = folderWith(QStringLiteral("unused"), QByteArray());
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/help/") + eleccion.archivo));
    } else if (setup == "impossible window size") {
        // A decompression window of 4 MB: chmlib accepts the file, then dereferences the
        // decoder it failed to create as soon as a page is read.
        QByteArray damaged = right;
        const qsizetype control = damaged.indexOf("LZXC");
        QVERIFY(control > 0);
        qToLittleEndian<quint32>(0x80, damaged.data() + control + 8);
        qToLittleEndian<quint32>(0x80, damaged.data() + control + 12);
        folder = folderWith(eleccion.archivo, damaged);
    }

    QVERIFY(!folder.isEmpty());
    QVERIFY(!Ayuda::mostrarAyuda(nullptr, language, folder));
    QCOMPARE(Messages::shownTexts(), QStringList{notFoundText(language)});
    const Messages::Shown shown = Messages::shown().first();
    QCOMPARE(shown.title, QStringLiteral("Tesselon"));
    QCOMPARE(shown.buttons, Messages::Buttons::Ok);
    QVERIFY(!Ayuda::ventanaDeAyuda());
}

void tst_help::oneWindowReused()
{
    auto *owner = new QWidget;
    QVERIFY(Ayuda::mostrarAyuda(owner, 0, runtimeDir));
    QPointer<HelpWindow> window = Ayuda::ventanaDeAyuda();
    QVERIFY(window);
    QVERIFY(window->isWindow());
    QCOMPARE(window->parentWidget(), owner);

    window->browser()->setSource(QUrl(QStringLiteral("zoom.htm")));
    QCOMPARE(window->windowTitle(), QStringLiteral("Zoom and scrolling"));

    // A second call brings the same window back to the start topic with a fresh history.
    QVERIFY(Ayuda::mostrarAyuda(owner, 0, runtimeDir));
    QCOMPARE(Ayuda::ventanaDeAyuda(), window.data());
    QCOMPARE(window->windowTitle(), QStringLiteral("Tesselon help"));
    QVERIFY(!window->browser()->isBackwardAvailable());

    // Switching language reloads the same window with the other help.
    QVERIFY(Ayuda::mostrarAyuda(owner, 1, runtimeDir));
    QCOMPARE(Ayuda::ventanaDeAyuda(), window.data());
    QCOMPARE(window->windowTitle(), QStringLiteral("Ayuda de Tesselon"));
    QCOMPARE(QFileInfo(window->helpFile()).fileName(), spanish);
    QCOMPARE(toolbarText(window, 0), QStringLiteral("Atrás"));
    QCOMPARE(toolbarText(window, 2), QStringLiteral("Inicio"));

    // The help goes with its owner.
    delete owner;
    QVERIFY(!window);
    QVERIFY(!Ayuda::ventanaDeAyuda());
    QVERIFY(Messages::shown().isEmpty());
}

void tst_help::failureLeavesOpenHelp()
{
    QVERIFY(Ayuda::mostrarAyuda(nullptr, 0, runtimeDir));
    HelpWindow *window = Ayuda::ventanaDeAyuda();
    window->browser()->setSource(QUrl(QStringLiteral("styles.htm")));

    const QString empty = m_dir.filePath(QStringLiteral("nohelp"));
    QVERIFY(QDir().mkpath(empty));
    QVERIFY(!Ayuda::mostrarAyuda(nullptr, 1, empty));
    QCOMPARE(Messages::shownTexts(), QStringList{notFoundText(1)});
    QCOMPARE(Ayuda::ventanaDeAyuda(), window);
    QCOMPARE(QFileInfo(window->helpFile()).fileName(), english);
    QCOMPARE(window->windowTitle(), QStringLiteral("The two styles"));
}

void tst_help::everyLinkAndPictureResolves_data()
{
    QTest::addColumn<qint16>("language");
    QTest::addColumn<QString>("contents");

    QTest::newRow("English") << qint16(0) << "tesselon_help.hhc";
    QTest::newRow("Spanish") << qint16(1) << "ayuda_tesselon.hhc";
}

// Walks every page reachable from the start topic: each link must reach a page of the file
// that links back to the start, each picture must decode at the size the page gives it, the
// style sheet must come out of the file, and the table of contents must list only pages of
// the walk.
void tst_help::everyLinkAndPictureResolves()
{
    QFETCH(qint16, language);
    QFETCH(QString, contents);
    const QColor headingColour(0x1f, 0x4e, 0x79);

    QVERIFY(Ayuda::mostrarAyuda(nullptr, language, runtimeDir));
    HelpWindow *window = Ayuda::ventanaDeAyuda();
    HelpBrowser *browser = window->browser();
    const QUrl start = browser->source();

    QList<QUrl> queue{start};
    QSet<QString> visited;
    QSet<QString> pictures;
    while (!queue.isEmpty()) {
        const QUrl page = queue.takeFirst();
        if (visited.contains(page.path()))
            continue;
        visited.insert(page.path());
        browser->setSource(page);
        QCOMPARE(browser->source(), page);
        const QString title = browser->documentTitle();
        QVERIFY2(!title.isEmpty(), qPrintable(page.path()));
        QCOMPARE(window->windowTitle(), title);

        QTextBlock h1 = browser->document()->begin();
        while (h1.isValid() && h1.blockFormat().headingLevel() != 1)
            h1 = h1.next();
        QVERIFY2(h1.isValid(), qPrintable(page.path()));
        QCOMPARE(h1.begin().fragment().charFormat().foreground().color(), headingColour);

        const PageContent content = contentOf(browser->document());
        bool linksHome = page == start;
        for (const QString &href : content.links) {
            const QUrl target = page.resolved(QUrl(href)).adjusted(QUrl::RemoveFragment);
            QCOMPARE(target.scheme(), QStringLiteral("chm"));
            QVERIFY2(browser->archive()->contains(target.path()), qPrintable(page.path() + " -> " + href));
            linksHome = linksHome || target == start;
            queue << target;
        }
        QVERIFY2(linksHome, qPrintable(page.path() + " has no way back"));

        for (const QTextImageFormat &image : content.images) {
            const QVariant data = browser->loadResource(QTextDocument::ImageResource, QUrl(image.name()));
            const QImage picture = QImage::fromData(data.toByteArray());
            QVERIFY2(!picture.isNull(), qPrintable(page.path() + " -> " + image.name()));
            QCOMPARE(picture.width(), int(image.width()));
            QCOMPARE(picture.height(), int(image.height()));
            pictures.insert(page.resolved(QUrl(image.name())).path());
        }
    }
    QCOMPARE(visited.size(), 7);
    QCOMPARE(pictures.size(), 9);

    const QString toc = QString::fromUtf8(browser->archive()->read(contents).value_or(QByteArray()));
    const QRegularExpression local(QStringLiteral("name=\"Local\" value=\"([^\"#]+)"));
    QSet<QString> listed;
    for (const QRegularExpressionMatch &match : local.globalMatch(toc))
        listed.insert(QLatin1Char('/') + match.captured(1));
    QCOMPARE(listed, visited);
}

void tst_help::backForwardHome()
{
    QVERIFY(Ayuda::mostrarAyuda(nullptr, 0, runtimeDir));
    HelpWindow *window = Ayuda::ventanaDeAyuda();
    const auto actions = window->findChild<QToolBar *>(QStringLiteral("helpToolBar"))->actions();
    QAction *back = actions.at(0);
    QAction *forward = actions.at(1);
    QAction *home = actions.at(2);
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());

    window->browser()->setSource(QUrl(QStringLiteral("styles.htm")));
    window->browser()->setSource(QUrl(QStringLiteral("saving.htm")));
    QCOMPARE(window->windowTitle(), QStringLiteral("Saving and continuing"));
    QVERIFY(back->isEnabled());

    back->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("The two styles"));
    QVERIFY(forward->isEnabled());
    forward->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("Saving and continuing"));
    QVERIFY(!forward->isEnabled());
    home->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("Tesselon help"));
    QCOMPARE(window->browser()->source().path(), QStringLiteral("/tesselon_help.htm"));
}

void tst_help::strayLinksKeepThePage_data()
{
    QTest::addColumn<QUrl>("link");
    QTest::newRow("missing topic") << QUrl(QStringLiteral("chm:/missing.htm"));
    QTest::newRow("relative missing topic") << QUrl(QStringLiteral("images/missing.htm"));
    QTest::newRow("web page") << QUrl(QStringLiteral("https://example.org/"));
    QTest::newRow("internal object") << QUrl(QStringLiteral("chm:/#SYSTEM"));
}

void tst_help::strayLinksKeepThePage()
{
    QFETCH(QUrl, link);
    QVERIFY(Ayuda::mostrarAyuda(nullptr, 0, runtimeDir));
    HelpWindow *window = Ayuda::ventanaDeAyuda();
    window->browser()->setSource(QUrl(QStringLiteral("styles.htm")));
    const QString text = window->browser()->toPlainText();

    window->browser()->setSource(link);
    QCOMPARE(window->browser()->source().path(), QStringLiteral("/styles.htm"));
    QCOMPARE(window->windowTitle(), QStringLiteral("The two styles"));
    QCOMPARE(window->browser()->toPlainText(), text);
}

void tst_help::archiveNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");

    QTest::newRow("topic") << "/styles.htm" << true;
    QTest::newRow("other case") << "Images/Normal.PNG" << true;
    QTest::newRow("back steps") << "images/../../zoom.htm" << true;
    QTest::newRow("dot step and backslash") << "./images\\fit.bmp" << true;
    QTest::newRow("missing") << "missing.htm" << false;
    QTest::newRow("folder") << "images" << false;
    QTest::newRow("system object") << "#SYSTEM" << false;
    QTest::newRow("metadata") << "::DataSpace/Storage/MSCompressed/ControlData" << false;
}

void tst_help::archiveNames()
{
    QFETCH(QString, name);
    QFETCH(bool, found);

    const ChmArchive archive(builtHelp(english));
    QVERIFY(archive.isOpen());
    QCOMPARE(archive.contains(name), found);
    QCOMPARE(!archive.read(name).value_or(QByteArray()).isEmpty(), found);
}

// Random damage anywhere in the file: the help either opens with a title or reports that it
// is missing, and the game goes on either way.
void tst_help::damagedFilesNeverStopTheGame()
{
    const QByteArray original = builtBytes(english);
    QVERIFY(!original.isEmpty());
    QRandomGenerator generator(2024);
    int opened = 0;
    int refused = 0;
    for (int round = 0; round < 150; ++round) {
        QByteArray damaged = original;
        if (round % 2 == 0) {
            for (int i = 0, n = 1 + generator.bounded(16); i < n; ++i)
                damaged[generator.bounded(damaged.size())] ^= char(1 + generator.bounded(255));
        } else {
            const int at = generator.bounded(damaged.size() - 64);
            for (int i = 0; i < 64; ++i)
                damaged[at + i] = char(generator.bounded(256));
        }
        const QString folder = folderWith(english, damaged);
        QVERIFY(!folder.isEmpty());
        const bool shown = Ayuda::mostrarAyuda(nullptr, 0, folder);
        if (shown) {
            ++opened;
            QVERIFY(Ayuda::ventanaDeAyuda());
            QVERIFY(!Ayuda::ventanaDeAyuda()->windowTitle().isEmpty());
            QVERIFY(Messages::shown().isEmpty());
        } else {
            ++refused;
            QVERIFY(!Ayuda::ventanaDeAyuda());
            QCOMPARE(Messages::shownTexts(), QStringList{notFoundText(0)});
        }
        cleanup();
        QDir(folder).removeRecursively();
    }
    qInfo("damaged files: %d opened, %d refused", opened, refused);
    QVERIFY(refused > 0);
}

QTEST_MAIN(tst_help)
#include "tst_help.moc"
