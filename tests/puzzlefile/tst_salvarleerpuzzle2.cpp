#include "platform/Messages.h"
#include "puzzlefile/PzzSamples.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"
#include "settings/ModuloIdioma.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace PzzSamples;

namespace
{

struct BoardState {
    TableroClass::Table x, y;
    qint16 columns = 0, rows = 0, fichasX = 0, fichasY = 0;
    QString extension;
    bool operator==(const BoardState &o) const
    {
        return x == o.x && y == o.y && columns == o.columns && rows == o.rows && fichasX == o.fichasX &&
               fichasY == o.fichasY && extension == o.extension;
    }
};

BoardState stateOf(const TableroClass &board)
{
    BoardState s;
    board.getBoard(s.x, s.y, s.columns, s.rows, s.fichasX, s.fichasY);
    s.extension = board.getExtension();
    return s;
}

TableroClass solvedBoard()
{
    TableroClass board;
    board.Inicializar(3, 2, 3, 2, QStringLiteral("png"), false, false);
    return board;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Makes a folder refuse new entries for the lifetime of the object: by its mode for an
// ordinary user, by the immutable attribute for root, whom modes do not stop.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        if (geteuid() != 0) {
            m_done = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
            return;
        }
        m_done = setImmutable(true);
    }
    ~ReadOnlyFolder()
    {
        if (!m_done)
            return;
        if (geteuid() != 0)
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        else
            setImmutable(false);
    }
    bool done() const { return m_done; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }

    QString m_path;
    bool m_done = false;
};

} // namespace

class tst_SalvarLeerPuzzle2 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roundTrip_data();
    void roundTrip();
    void damagedFilesChangeNothing_data();
    void damagedFilesChangeNothing();
    void unreadableFiles();
    void messagesFollowLanguage_data();
    void messagesFollowLanguage();
    void saveKinds_data();
    void saveKinds();
    void puzzleNames_data();
    void puzzleNames();
    void notYetAsksNothing();
    void overwriteQuestion();
    void badDestinations_data();
    void badDestinations();
    void readOnlyFolderKeepsEarlierFile();
    void fullDiskKeepsEarlierFile();
    void savingOntoTheSourceFile();
    void shorterFileOverLongerOne();
    void extractedPictureNames_data();
    void extractedPictureNames();
    void extractionAsksAboutTheFileItWrites();
    void unusableSourceImages();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString imageFile(const QString &name, const QByteArray &bytes)
    {
        put(path(name), bytes);
        return path(name);
    }
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); }

    std::unique_ptr<QTemporaryDir> m_dir;
    SalvarLeerPuzzle2 m_io;
};

void tst_SalvarLeerPuzzle2::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Messages::startScript();
    ModuloIdioma::setIdioma(ModuloIdioma::English);
}

void tst_SalvarLeerPuzzle2::cleanup()
{
    Messages::stopScript();
    m_dir.reset();
}

void tst_SalvarLeerPuzzle2::roundTrip_data()
{
    QTest::addColumn<QString>("imageName");
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("sliding");

    QTest::newRow("png 4x3 normal") << "flor.png" << pictureBytes("PNG") << 4 << 3 << false;
    QTest::newRow("JPEG 5x6 sliding") << "Paisaje.JPEG" << pictureBytes("JPEG") << 5 << 6 << true;
    QTest::newRow("bmp 30x30 normal") << "dibujo.bmp" << pictureBytes("BMP") << 30 << 30 << false;
    QTest::newRow("no extension 2x2 sliding") << "foto" << pictureBytes("PNG") << 2 << 2 << true;
}

void tst_SalvarLeerPuzzle2::roundTrip()
{
    QFETCH(QString, imageName);
    QFETCH(QByteArray, image);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(bool, sliding);

    const TableroClass board = shuffledBoard(qint16(columns), qint16(rows), 11, sliding);
    QCOMPARE(
        m_io.salvarPuzzleFromImage(imageFile(imageName, image), imageName, board, sliding, path("a.pzz")),
        qint16(0));
    const QByteArray written = contents(path("a.pzz"));
    QCOMPARE(written.size(), 30 + 4 * columns * rows + image.size());
    QCOMPARE(written.mid(30 + 4 * columns * rows), image);

    TableroClass read;
    bool style = !sliding;
    QCOMPARE(m_io.leerPuzzle(path("a.pzz"), read, style), qint16(0));
    QCOMPARE(style, sliding);
    BoardState expected = stateOf(board);
    expected.extension = QString::fromLatin1(PzzFile::extensionField(QFileInfo(imageName).suffix()));
    QCOMPARE(stateOf(read), expected);
    QCOMPARE(m_io.picture().size(), QSize(40, 30));
    QVERIFY(m_io.picture().pixelColor(1, 1).lightness() > 245);
    QVERIFY(m_io.picture().pixelColor(35, 25).lightness() < 150);

    // Saving the puzzle read from the file gives the very same bytes.
    QCOMPARE(m_io.salvarPuzzle(path("a.pzz"), QStringLiteral("a.pzz"), read, m_dir->path(),
                               QStringLiteral("b"), style),
             qint16(0));
    QCOMPARE(contents(path("b.pzz")), contents(path("a.pzz")));
    QVERIFY(Messages::shown().isEmpty());
}

void tst_SalvarLeerPuzzle2::damagedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("result");

    const QByteArray good = puzzle(shuffledBoard(4, 3, 5), pictureBytes("PNG")).toBytes();
    for (const int cut : {0, 1, 3, 11, 20, 29, 50, 78})
        QTest::addRow("truncated to %d bytes", cut) << good.left(cut) << 321;
    QTest::newRow("wrong magic") << withInt16(good, 0, 1311) << -1;
    QTest::newRow("version 2") << withInt16(good, 2, 2) << -2;
    QTest::newRow("zero columns") << withInt16(withInt16(good, 12, 0), 16, 0) << 321;
    QTest::newRow("negative rows") << withInt16(withInt16(good, 14, -3), 18, -3) << 321;
    QTest::newRow("huge grid") << withInt16(withInt16(good, 12, 32000), 16, 32000) << 321;
    QTest::newRow("short table") << withInt16(withInt16(good, 14, 30), 18, 30).left(200) << 321;
    QTest::newRow("fichas differ") << withInt16(good, 16, 2) << 321;
    QTest::newRow("repeated home") << good.left(30) + good.mid(34, 4) + good.mid(34) << 321;
    QTest::newRow("home outside the grid") << withInt16(good, placeOffset(2, 2, 3), 9) << 321;
    QTest::newRow("undecodable picture") << good.left(78) + "this is not a picture at all" << 321;
    QTest::newRow("picture header only") << good.left(78) + pictureBytes("PNG").left(40) << 321;
}

void tst_SalvarLeerPuzzle2::damagedFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, result);

    // A sliding-style puzzle is on the board; every damaged file says Normal style.
    const TableroClass sliding = shuffledBoard(5, 2, 9, true);
    QCOMPARE(m_io.salvarPuzzleFromImage(imageFile("r.bmp", pictureBytes("BMP", Qt::red)), "r.bmp", sliding,
                                        true, path("live.pzz")),
             qint16(0));
    TableroClass board;
    bool style = false;
    QCOMPARE(m_io.leerPuzzle(path("live.pzz"), board, style), qint16(0));
    const BoardState before = stateOf(board);
    const QImage picture = m_io.picture();

    put(path("bad.pzz"), bytes);
    QCOMPARE(m_io.leerPuzzle(path("bad.pzz"), board, style), qint16(result));

    QCOMPARE(stateOf(board), before);
    QCOMPARE(m_io.picture(), picture);
    QCOMPARE(style, true);
    const QStringList expected =
        result == 321 ? QStringList{QStringLiteral(
                            "Error 321 in leerPuzzle: The file bad.pzz is a damaged puzzle file.")}
                      : QStringList();
    QCOMPARE(Messages::shownTexts(), expected);
}

void tst_SalvarLeerPuzzle2::unreadableFiles()
{
    TableroClass board = shuffledBoard(3, 3, 1);
    const BoardState before = stateOf(board);
    bool style = true;

    QCOMPARE(m_io.leerPuzzle(path("missing.pzz"), board, style), qint16(53));
    QCOMPARE(m_io.leerPuzzle(m_dir->path(), board, style), qint16(75));

    const QStringList texts = Messages::shownTexts();
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0], "Error 53 in leerPuzzle: File not found: " + path("missing.pzz"));
    QVERIFY2(texts[1].startsWith("Error 75 in leerPuzzle: Path/File access error: " + m_dir->path()),
             qPrintable(texts[1]));
    QCOMPARE(stateOf(board), before);
    QVERIFY(style);
}

void tst_SalvarLeerPuzzle2::messagesFollowLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("damaged");
    QTest::addColumn<QString>("question");

    QTest::newRow("English") << 0 << "Error 321 in leerPuzzle: The file bad.pzz is a damaged puzzle file."
                             << "File %1 already exists. Overwrite it?";
    QTest::newRow("Spanish")
        << 1
        << QString::fromUtf8("Error 321 in leerPuzzle: El archivo bad.pzz es un archivo de puzzle dañado.")
        << QString::fromUtf8("El archivo %1 ya existe. ¿Desea sobrescribirlo?");
    QTest::newRow("Galician") << 2 << "Error 321 in leerPuzzle: The file bad.pzz is a damaged puzzle file."
                              << "File %1 already exists. Overwrite it?";
}

void tst_SalvarLeerPuzzle2::messagesFollowLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, damaged);
    QFETCH(QString, question);
    ModuloIdioma::setIdioma(qint16(language));

    TableroClass board;
    bool style = false;
    put(path("bad.pzz"), QByteArray::fromHex("1e050100"));
    QCOMPARE(m_io.leerPuzzle(path("bad.pzz"), board, style), qint16(321));

    const QString image = imageFile("flor.png", pictureBytes("PNG"));
    put(path("flor.pzz"), "earlier");
    QCOMPARE(m_io.salvarPuzzle(image, "flor.png", shuffledBoard(2, 2, 1), m_dir->path(), "flor", false),
             qint16(-1));

    const QList<Messages::Shown> shown = Messages::shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].text, damaged);
    QCOMPARE(shown[1].text, question.arg(path("flor.pzz")));
    QCOMPARE(shown[1].buttons, Messages::Buttons::YesNo);
    QCOMPARE(contents(path("flor.pzz")), QByteArray("earlier"));
}

void tst_SalvarLeerPuzzle2::saveKinds_data()
{
    QTest::addColumn<int>("board");
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("kind");

    // board: 0 no puzzle yet, 1 solved, 2 pieces out of place.
    QTest::newRow("no puzzle") << 0 << "" << 1;
    QTest::newRow("no puzzle, puzzle name") << 0 << "a.pzz" << 3;
    QTest::newRow("solved image") << 1 << "flor.jpg" << 1;
    QTest::newRow("solved puzzle file") << 1 << "juego.pzz" << 3;
    QTest::newRow("solved, upper-case PZZ") << 1 << "juego.PZZ" << 1;
    QTest::newRow("unsolved image") << 2 << "flor.jpg" << 2;
    QTest::newRow("unsolved puzzle file") << 2 << "juego.pzz" << 4;
    QTest::newRow("unsolved, upper-case PZZ") << 2 << "juego.PZZ" << 2;
    QTest::newRow("unsolved, bare .pzz") << 2 << ".pzz" << 4;
}

void tst_SalvarLeerPuzzle2::saveKinds()
{
    QFETCH(int, board);
    QFETCH(QString, source);
    QFETCH(int, kind);

    const TableroClass tablero = board == 0   ? TableroClass()
                                 : board == 1 ? solvedBoard()
                                              : shuffledBoard(3, 3, 2);
    QCOMPARE(SalvarLeerPuzzle2::getComoHayQueSalvarlo(tablero, source), kind);
}

void tst_SalvarLeerPuzzle2::puzzleNames_data()
{
    QTest::addColumn<bool>("fromPuzzle");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");

    for (const bool fromPuzzle : {false, true}) {
        const char *kind = fromPuzzle ? "from puzzle" : "from image";
        QTest::addRow("%s: bare name", kind) << fromPuzzle << "Paisaje"
                                             << "Paisaje.pzz";
        QTest::addRow("%s: .pzz kept", kind) << fromPuzzle << "Paisaje.pzz"
                                             << "Paisaje.pzz";
        QTest::addRow("%s: .PZZ is not .pzz", kind) << fromPuzzle << "Paisaje.PZZ"
                                                    << "Paisaje.PZZ.pzz";
        QTest::addRow("%s: other extension", kind) << fromPuzzle << "Paisaje.jpg"
                                                   << "Paisaje.jpg.pzz";
        QTest::addRow("%s: existing subfolder", kind) << fromPuzzle << "sub/juego"
                                                      << "sub/juego.pzz";
    }
}

void tst_SalvarLeerPuzzle2::puzzleNames()
{
    QFETCH(bool, fromPuzzle);
    QFETCH(QString, typed);
    QFETCH(QString, written);

    QVERIFY(QDir(m_dir->path()).mkdir("sub"));
    const TableroClass board = shuffledBoard(3, 2, 4);
    const QString image = imageFile("flor.png", pictureBytes("PNG"));
    QCOMPARE(m_io.salvarPuzzleFromImage(image, "flor.png", board, false, path("src.pzz")), qint16(0));
    const QString source = fromPuzzle ? path("src.pzz") : image;

    QCOMPARE(m_io.salvarPuzzle(source, QFileInfo(source).fileName(), board, m_dir->path(), typed, false),
             qint16(0));
    QCOMPARE(contents(path(written)), contents(path("src.pzz")));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size() +
                 QDir(path("sub")).entryList(QDir::Files).size(),
             3);
}

void tst_SalvarLeerPuzzle2::notYetAsksNothing()
{
    const QString image = imageFile("flor.png", pictureBytes("PNG"));
    put(path("flor.png.pzz"), "x");
    const QStringList before = files();

    QCOMPARE(m_io.salvarPuzzle(image, "flor.png", solvedBoard(), m_dir->path(), "flor.png", false),
             qint16(0));
    QCOMPARE(m_io.salvarPuzzle(image, "flor.png", TableroClass(), m_dir->path(), "flor.png", false),
             qint16(0));

    QCOMPARE(Messages::shownTexts(), QStringList(2, QString::fromUtf8("Todavía no se puede")));
    QCOMPARE(Messages::shown()[0].buttons, Messages::Buttons::Ok);
    QCOMPARE(files(), before);
}

void tst_SalvarLeerPuzzle2::overwriteQuestion()
{
    const QString image = imageFile("flor.png", pictureBytes("PNG"));
    const TableroClass board = shuffledBoard(3, 2, 8);
    put(path("juego.pzz"), "earlier");

    Messages::queueAnswer(Messages::Answer::No);
    QCOMPARE(m_io.salvarPuzzle(image, "flor.png", board, m_dir->path(), "juego", false), qint16(-1));
    QCOMPARE(contents(path("juego.pzz")), QByteArray("earlier"));
    QCOMPARE(Messages::shown().last().defaultAnswer, Messages::Answer::No);

    Messages::queueAnswer(Messages::Answer::Yes);
    QCOMPARE(m_io.salvarPuzzle(image, "flor.png", board, m_dir->path(), "juego", false), qint16(0));
    PzzFile written;
    QCOMPARE(PzzFile::read(contents(path("juego.pzz")), written), PzzFile::Check::Ok);
    QCOMPARE(Messages::shownTexts(),
             QStringList(2, "File " + path("juego.pzz") + " already exists. Overwrite it?"));
    QCOMPARE(files(), QStringList({"flor.png", "juego.pzz"}));
}

void tst_SalvarLeerPuzzle2::badDestinations_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("named");

    QTest::newRow("missing folder") << "nowhere"
                                    << "juego" << 76 << "nowhere/juego.pzz";
    QTest::newRow("empty name") << ""
                                << "" << 52 << ".pzz";
    QTest::newRow("missing folder in the name") << ""
                                                << "nowhere/juego" << 52 << "nowhere/juego.pzz";
    QTest::newRow("name of a folder") << ""
                                      << "dir.pzz" << 52 << "dir.pzz";
    QTest::newRow("name too long") << "" << QString(300, 'n') << 52 << QString(300, 'n') + ".pzz";
}

void tst_SalvarLeerPuzzle2::badDestinations()
{
    QFETCH(QString, folder);
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(QString, named);

    QVERIFY(QDir(m_dir->path()).mkdir("dir.pzz"));
    const QString image = imageFile("flor.png", pictureBytes("PNG"));
    const QString destination = folder.isEmpty() ? m_dir->path() : path(folder);

    QCOMPARE(m_io.salvarPuzzle(image, "flor.png", shuffledBoard(2, 2, 3), destination, typed, false),
             qint16(result));
    QCOMPARE(Messages::shownTexts().size(), 1);
    QVERIFY2(Messages::shownTexts()[0].contains(path(named)), qPrintable(Messages::shownTexts()[0]));
    QCOMPARE(files(), QStringList("flor.png"));
}

void tst_SalvarLeerPuzzle2::readOnlyFolderKeepsEarlierFile()
{
    QVERIFY(QDir(m_dir->path()).mkdir("ro"));
    const QString image = imageFile("flor.png", pictureBytes("PNG"));
    put(path("ro/juego.pzz"), "earlier");
    ReadOnlyFolder readOnly(path("ro"));
    if (!readOnly.done())
        QSKIP("This file system cannot make a folder read-only");

    Messages::queueAnswer(Messages::Answer::Yes);
    QCOMPARE(m_io.salvarPuzzle(image, "flor.png", shuffledBoard(2, 2, 3), path("ro"), "juego", false),
             qint16(70));

    const QString text = Messages::shownTexts().last();
    QVERIFY2(text.startsWith("Permission denied: " + path("ro/juego.pzz") + " ("), qPrintable(text));
    QCOMPARE(contents(path("ro/juego.pzz")), QByteArray("earlier"));
    QCOMPARE(QDir(path("ro")).entryList(QDir::Files | QDir::Hidden), QStringList("juego.pzz"));
}

void tst_SalvarLeerPuzzle2::fullDiskKeepsEarlierFile()
{
    // A file-size limit makes the write fail part-way, as a full disk does.
    const QString image = imageFile("big.bmp", pictureBytes("BMP", Qt::blue, 200, 100));
    put(path("juego.pzz"), "earlier");
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    Messages::queueAnswer(Messages::Answer::Yes);
    const qint16 result =
        m_io.salvarPuzzle(image, "big.bmp", shuffledBoard(4, 4, 2), m_dir->path(), "juego", false);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(result, qint16(61));
    QCOMPARE(Messages::shownTexts().last(),
             "Disk full: " + path("juego.pzz") + " (" + QString::fromLocal8Bit(std::strerror(EFBIG)) + ")");
    QCOMPARE(contents(path("juego.pzz")), QByteArray("earlier"));
    QCOMPARE(files(), QStringList({"big.bmp", "juego.pzz"}));
}

void tst_SalvarLeerPuzzle2::savingOntoTheSourceFile()
{
    const QByteArray image = pictureBytes("JPEG");
    QCOMPARE(m_io.salvarPuzzleFromImage(imageFile("f.jpg", image), "f.jpg", shuffledBoard(4, 4, 6, true),
                                        true, path("juego.pzz")),
             qint16(0));
    TableroClass board;
    bool style = false;
    QCOMPARE(m_io.leerPuzzle(path("juego.pzz"), board, style), qint16(0));
    board.IntercambiarFichas(1, 1, 4, 4);
    const BoardState moved = stateOf(board);

    Messages::queueAnswer(Messages::Answer::Yes);
    QCOMPARE(m_io.salvarPuzzle(path("juego.pzz"), "juego.pzz", board, m_dir->path(), "juego.pzz", false),
             qint16(0));

    TableroClass again;
    bool againStyle = false;
    QCOMPARE(m_io.leerPuzzle(path("juego.pzz"), again, againStyle), qint16(0));
    QCOMPARE(stateOf(again), moved);
    QVERIFY(againStyle);
    QCOMPARE(contents(path("juego.pzz")).mid(30 + 4 * 16), image);
}

void tst_SalvarLeerPuzzle2::shorterFileOverLongerOne()
{
    const QString big = imageFile("big.bmp", pictureBytes("BMP", Qt::blue, 200, 100));
    const QString small = imageFile("small.png", pictureBytes("PNG"));
    const TableroClass board = shuffledBoard(2, 2, 5);
    QCOMPARE(m_io.salvarPuzzleFromImage(big, "big.bmp", shuffledBoard(30, 30, 5), false, path("x.pzz")),
             qint16(0));
    QCOMPARE(m_io.salvarPuzzleFromImage(small, "small.png", board, false, path("y.pzz")), qint16(0));

    QCOMPARE(m_io.salvarPuzzleFromImage(small, "small.png", board, false, path("x.pzz")), qint16(0));
    QCOMPARE(contents(path("x.pzz")), contents(path("y.pzz")));
}

void tst_SalvarLeerPuzzle2::extractedPictureNames_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");

    QTest::newRow("no extension typed") << "flor.jpg"
                                        << "photo"
                                        << "photo.jpg";
    QTest::newRow("same extension, other case") << "flor.jpg"
                                                << "photo.JPG"
                                                << "photo.JPG";
    QTest::newRow("other extension") << "flor.jpg"
                                     << "photo.png"
                                     << "photo.png.jpg";
    QTest::newRow("long extension cut alike") << "flor.jpeg2000"
                                              << "photo.jpeg2000"
                                              << "photo.jpeg2000";
    QTest::newRow("upper-case stored") << "flor.GIF"
                                       << "photo"
                                       << "photo.GIF";
    QTest::newRow("nothing stored") << "flor"
                                    << "photo.png"
                                    << "photo.png";
}

void tst_SalvarLeerPuzzle2::extractedPictureNames()
{
    QFETCH(QString, source);
    QFETCH(QString, typed);
    QFETCH(QString, written);

    const QByteArray image = pictureBytes("PNG");
    QCOMPARE(m_io.salvarPuzzleFromImage(imageFile("image", image), source, shuffledBoard(3, 3, 1), false,
                                        path("juego.pzz")),
             qint16(0));
    QCOMPARE(m_io.salvarPuzzle(path("juego.pzz"), "juego.pzz", solvedBoard(), m_dir->path(), typed, false),
             qint16(0));
    QCOMPARE(contents(path(written)), image);
    QCOMPARE(files().size(), 3);
}

void tst_SalvarLeerPuzzle2::extractionAsksAboutTheFileItWrites()
{
    QCOMPARE(m_io.salvarPuzzleFromImage(imageFile("flor.jpg", pictureBytes("JPEG")), "flor.jpg",
                                        shuffledBoard(3, 3, 1), false, path("juego.pzz")),
             qint16(0));
    put(path("photo.jpg"), "earlier");

    Messages::queueAnswer(Messages::Answer::No);
    QCOMPARE(m_io.salvarPuzzle(path("juego.pzz"), "juego.pzz", solvedBoard(), m_dir->path(), "photo", false),
             qint16(-1));
    QCOMPARE(Messages::shownTexts(),
             QStringList("File " + path("photo.jpg") + " already exists. Overwrite it?"));
    QCOMPARE(contents(path("photo.jpg")), QByteArray("earlier"));
}

void tst_SalvarLeerPuzzle2::unusableSourceImages()
{
    const TableroClass board = shuffledBoard(2, 3, 1);
    QCOMPARE(m_io.salvarPuzzleFromImage(path("gone.png"), "gone.png", board, false, path("a.pzz")),
             qint16(53));
    QCOMPARE(m_io.salvarPuzzleFromImage(imageFile("junk.png", "no picture"), "junk.png", board, false,
                                        path("a.pzz")),
             qint16(481));
    QCOMPARE(m_io.salvarPuzzleFromImage(imageFile("empty.png", ""), "empty.png", board, false, path("a.pzz")),
             qint16(481));
    QCOMPARE(Messages::shownTexts(),
             QStringList({"File not found: " + path("gone.png"), "Invalid picture: " + path("junk.png"),
                          "Invalid picture: " + path("empty.png")}));
    QVERIFY(!QFile::exists(path("a.pzz")));
}

QTEST_MAIN(tst_SalvarLeerPuzzle2)
#include "tst_salvarleerpuzzle2.moc"
