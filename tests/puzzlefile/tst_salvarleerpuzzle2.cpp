#include "PuzzlePictures.h"
#include "picture/PictureSamples.h"
#include "puzzlefile/PzzFile.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace
{

// The four-colour test picture in the given format; another size makes another picture.
QByteArray pictureBytes(const char *format, const QSize &size = {40, 30})
{
    return PictureSamples::encoded(PictureSamples::quadrants(size.width(), size.height()), format);
}

// Seed 0 leaves the board solved.
TableroClass board(qint16 columns, qint16 rows, std::uint64_t seed = 0, bool sliding = false)
{
    TableroClass board;
    board.setSeed(seed);
    board.Inicializar(columns, rows, columns, rows, QStringLiteral("jpg"), seed != 0, sliding);
    return board;
}

// The file a board and a picture make, with the board's extension.
QByteArray puzzle(const TableroClass &board, const QByteArray &picture, bool sliding = false)
{
    PzzFile pzz;
    board.getBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX, pzz.fichasY);
    pzz.extension = PzzFile::extensionField(board.getExtension());
    pzz.style = PzzFile::styleValue(sliding);
    pzz.picture = picture;
    return pzz.toBytes();
}

// Makes a folder refuse new entries: by its mode for an ordinary user, by the immutable
// attribute for root, whom modes do not stop.
bool setReadOnly(const QString &path, bool on)
{
    if (geteuid() != 0)
        return QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner |
                                               (on ? QFile::Permissions() : QFile::WriteOwner));
    return QProcess::execute("chattr", {on ? "+i" : "-i", path}) == 0;
}

void addSave(const char *row, const QString &source, bool solved, const QString &typed, int result,
             const QString &written, const QString &message = {}, const QString &folder = {})
{
    QTest::newRow(row) << source << solved << typed << result << written << message << folder;
}

} // namespace

using PictureSamples::patched;

class tst_SalvarLeerPuzzle2 : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_questions.clear();
        m_answers.clear();
    }

    void layout()
    {
        // Solved except that places (1, 1) and (2, 3) have exchanged pieces.
        TableroClass tablero = board(4, 3);
        tablero.IntercambiarFichas(1, 1, 2, 3);
        const QByteArray picture = pictureBytes("PNG");
        QCOMPARE(
            m_io.salvarPuzzleFromImage(file("a", picture), "flor.jpg", tablero, false, path("a.pzz")).code,
            0);
        const QByteArray bytes = PictureSamples::fileBytes(path("a.pzz"));

        // 78 bytes, then the picture.
        QCOMPARE(bytes.left(78).toHex(' '),
                 QByteArray("1e 05 01 00 00 00 6a 70 67 20 20 20 04 00 03 00 04 00 03 00 "
                            "00 00 00 00 00 00 00 00 00 00 "
                            // Column by column, the row changing fastest: home column, then home row.
                            "02 00 03 00 01 00 02 00 01 00 03 00 02 00 01 00 02 00 02 00 01 00 01 00 "
                            "03 00 01 00 03 00 02 00 03 00 03 00 04 00 01 00 04 00 02 00 04 00 03 00"));
        QCOMPARE(bytes.mid(78), picture);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QSize>("grid");
        QTest::addColumn<bool>("sliding");
        QTest::addColumn<QString>("field");

        QTest::newRow("png 4x3") << "flor.png" << pictureBytes("PNG") << QSize(4, 3) << false << "png   ";
        QTest::newRow("JPEG sliding") << "P.JPEG" << pictureBytes("JPEG") << QSize(5, 6) << true << "JPEG  ";
        QTest::newRow("no extension")
            << "foto" << pictureBytes("BMP") << QSize(2, 2) << true << QString(6, ' ');
        QTest::newRow("long extension")
            << "f.jpeg2000" << pictureBytes("PNG") << QSize(3, 3) << false << "jpeg20";
        QTest::newRow("slash replaced") << "x.a/b" << pictureBytes("PNG") << QSize(2, 3) << false << "a_b   ";
    }

    void roundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, image);
        QFETCH(QSize, grid);
        QFETCH(bool, sliding);
        QFETCH(QString, field);

        const TableroClass tablero = board(qint16(grid.width()), qint16(grid.height()), 11, sliding);
        QCOMPARE(m_io.salvarPuzzleFromImage(file("image", image), name, tablero, sliding, path("a.pzz")).code,
                 0);
        const QByteArray written = PictureSamples::fileBytes(path("a.pzz"));
        QCOMPARE(written, puzzle(tablero, image, sliding).replace(6, 6, field.toLatin1()));
        // The sliding style is stored as -1.
        QCOMPARE(written.mid(20, 2).toHex(), QByteArray(sliding ? "ffff" : "0000"));

        TableroClass read;
        bool style = !sliding;
        QByteArray bytes;
        QCOMPARE(m_io.leerPuzzle(path("a.pzz"), read, style, &bytes).code, 0);
        QCOMPARE(style, sliding);
        QCOMPARE(puzzle(read, image, sliding), written);
        QCOMPARE(m_io.picture(), QImage::fromData(image).convertToFormat(m_io.picture().format()));

        QCOMPARE(bytes, image);
        const SalvarLeerPuzzle2::Result saved =
            m_io.salvarPuzzle(path("a.pzz"), "a.pzz", read, m_dir->path(), "b", style, m_ask);
        QCOMPARE(saved.code, 0);
        QCOMPARE(saved.message, QString());
        QCOMPARE(PictureSamples::fileBytes(path("b.pzz")), written);
    }

    void badFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");

        const QByteArray good = puzzle(board(4, 3, 5), pictureBytes("PNG"));
        const QString damaged = "Error 321 in leerPuzzle: The file bad.pzz is a damaged puzzle file.";
        for (const int cut : {0, 1, 2, 3, 4, 6, 9, 12, 14, 16, 18, 20, 22, 26, 29, 30, 32, 77, 78})
            QTest::addRow("truncated to %d bytes", cut) << good.left(cut) << 321 << damaged;
        for (const qint16 n : {qint16(0), qint16(1), qint16(-3), qint16(31), qint16(32000)}) {
            QTest::addRow("columns %d", n) << patched<qint16>(good, {{12, n}, {16, n}}) << 321 << damaged;
            QTest::addRow("rows %d", n) << patched<qint16>(good, {{14, n}, {18, n}}) << 321 << damaged;
        }
        QTest::newRow("wrong magic") << patched<qint16>(good, {{0, 1311}}) << -1 << QString();
        QTest::newRow("version 2") << patched<qint16>(good, {{2, 2}}) << -2 << QString();
        QTest::newRow("short table") << patched<qint16>(good, {{14, 30}, {18, 30}}).left(200) << 321
                                     << damaged;
        QTest::newRow("fichas differ") << patched<qint16>(good, {{16, 2}}) << 321 << damaged;
        QTest::newRow("repeated home") << good.left(30) + good.mid(34, 4) + good.mid(34) << 321 << damaged;
        QTest::newRow("home column 9 at (2, 2)") << patched<qint16>(good, {{46, 9}}) << 321 << damaged;
        QTest::newRow("slash in extension") << QByteArray(good).replace(6, 3, "../") << 321 << damaged;
        QTest::newRow("undecodable picture") << good.left(78) + "not a picture" << 321 << damaged;
        QTest::newRow("over the size limit") << good.left(78) + "<huge>" << 321 << damaged;
        QTest::newRow("missing") << QByteArray("<missing>") << 53
                                 << "Error 53 in leerPuzzle: File not found: <dir>/bad.pzz";
        QTest::newRow("folder") << QByteArray("<folder>") << 75
                                << "Error 75 in leerPuzzle: Path/File access error: <dir>/bad.pzz";
    }

    void badFilesChangeNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);

        // A sliding-style puzzle is on the board; every bad file says Normal style.
        TableroClass tablero;
        bool style = false;
        file("live.pzz", puzzle(board(5, 2, 9, true), pictureBytes("BMP", {30, 20}), true));
        QCOMPARE(m_io.leerPuzzle(path("live.pzz"), tablero, style).code, 0);
        const QByteArray before = puzzle(tablero, {});
        const QImage picture = m_io.picture();

        if (bytes == "<folder>")
            QVERIFY(QDir(m_dir->path()).mkdir("bad.pzz"));
        else if (bytes != "<missing>")
            file("bad.pzz", bytes);
        // A sparse file, which takes no room on the disk.
        if (bytes.endsWith("<huge>"))
            QVERIFY(QFile::resize(path("bad.pzz"), PzzFile::MaxFileBytes + 1));
        const SalvarLeerPuzzle2::Result read = m_io.leerPuzzle(path("bad.pzz"), tablero, style);
        QTEST(int(read.code), "result");

        QCOMPARE(puzzle(tablero, {}), before);
        QCOMPARE(m_io.picture(), picture);
        QVERIFY(style);
        message.replace("<dir>", m_dir->path());
        QCOMPARE(read.message.left(message.size()), message);
        QCOMPARE(read.message.isEmpty(), message.isEmpty());
    }

    void saveKinds_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("kind");

        // state: 0 no puzzle yet, 1 solved, 2 pieces out of place. The four kinds themselves
        // are saved in saving().
        QTest::newRow("no puzzle") << 0 << "" << 1;
        QTest::newRow("no puzzle, puzzle name") << 0 << "a.pzz" << 3;
        QTest::newRow("upper-case PZZ") << 2 << "j.PZZ" << 2;
        QTest::newRow("bare .pzz") << 2 << ".pzz" << 4;
    }

    void saveKinds()
    {
        QFETCH(int, state);
        QFETCH(QString, source);

        const TableroClass tablero = state == 0 ? TableroClass() : board(3, 3, state == 1 ? 0 : 2);
        QTEST(SalvarLeerPuzzle2::getComoHayQueSalvarlo(tablero, source), "kind");
    }

    void saving_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("solved");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("folder");

        const QString ask = "File <dir>/%1 already exists. Overwrite it?";
        addSave("bare name", "flor.jpg", false, "Paisaje", 0, "Paisaje.pzz");
        addSave(".pzz kept", "juego.pzz", false, "Paisaje.pzz", 0, "Paisaje.pzz");
        addSave(".PZZ is not .pzz", "flor.jpg", false, "Paisaje.PZZ", 0, "Paisaje.PZZ.pzz");
        addSave("other extension", "juego.pzz", false, "Paisaje.jpg", 0, "Paisaje.jpg.pzz");
        addSave("onto the longer source", "juego.pzz", false, "juego.pzz", 0, "juego.pzz",
                ask.arg("juego.pzz"));
        addSave("picture: photo", "juego.pzz", true, "photo", 0, "photo.jpg");
        addSave("picture: photo.JPG", "juego.pzz", true, "photo.JPG", 0, "photo.JPG");
        addSave("picture: photo.png", "juego.pzz", true, "photo.png", 0, "photo.png.jpg");
        addSave("picture: trailing spaces", "juego.pzz", true, "photo   ", 0, "photo.jpg");
        addSave("not yet", "flor.jpg", true, "copia", 0, "", QString::fromUtf8("Todavía no se puede"));
        addSave("declined: puzzle", "flor.jpg", false, "copia", -1, "", ask.arg("copia.pzz"));
        addSave("declined: picture", "juego.pzz", true, "taken", -1, "", ask.arg("taken.jpg"));
        addSave("missing folder", "flor.jpg", false, "j", 76, "", "Path not found: <dir>/no/j.pzz", "no");
        addSave("empty name", "flor.jpg", false, "", 52, "", "Bad file name: <dir>/.pzz");
        addSave("missing folder in the name", "flor.jpg", false, "no/j", 52, "",
                "Bad file name: <dir>/no/j.pzz");
        addSave("name of a folder", "flor.jpg", false, "dir.pzz", 52, "", "Bad file name: <dir>/dir.pzz");
        addSave("name too long", "flor.jpg", false, QString(300, 'n'), 52, "",
                "Bad file name: <dir>/" + QString(300, 'n') + ".pzz (");
        addSave("missing image", "gone.png", false, "j", 53, "", "File not found: <dir>/gone.png");
        addSave("undecodable image", "junk.png", false, "j", 481, "", "Invalid picture: <dir>/junk.png");
    }

    void saving()
    {
        QFETCH(QString, source);
        QFETCH(bool, solved);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, message);
        QFETCH(QString, folder);

        // The sources, a folder named like a puzzle and two earlier files that must be kept.
        const QByteArray image = pictureBytes("JPEG");
        file("flor.jpg", image);
        file("juego.pzz", puzzle(board(3, 3, 1), image, true));
        for (const char *name : {"junk.png", "copia.pzz", "taken.jpg"})
            file(name, "earlier");
        QVERIFY(QDir(m_dir->path()).mkdir("dir.pzz"));
        const QStringList before = files();

        if (!written.isEmpty())
            m_answers << true;
        const TableroClass tablero = board(3, 2, solved ? 0 : 8);
        const SalvarLeerPuzzle2::Result saved =
            m_io.salvarPuzzle(path(source), source, tablero, path(folder), typed, false, m_ask);
        QTEST(int(saved.code), "result");

        // A puzzle made from a puzzle file keeps that file's sliding style.
        if (!written.isEmpty())
            QCOMPARE(PictureSamples::fileBytes(path(written)),
                     solved ? image : puzzle(tablero, image, source == "juego.pzz"));
        for (const char *name : {"copia.pzz", "taken.jpg"})
            QCOMPARE(PictureSamples::fileBytes(path(name)), QByteArray("earlier"));
        QCOMPARE(files().size(), before.size() + (written.isEmpty() || before.contains(written) ? 0 : 1));
        message.replace("<dir>", m_dir->path());
        const bool question = message.endsWith("Overwrite it?");
        QCOMPARE(m_questions, question ? QStringList(message) : QStringList());
        QCOMPARE(saved.message.left(message.size()), question ? QString() : message);
        QCOMPARE(saved.message.isEmpty(), question || message.isEmpty());
    }

    void failedWriteKeepsEarlierFile_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QSize>("picture");
        QTest::newRow("read-only folder") << false << 0 << QSize(200, 100);
        QTest::newRow("full disk") << true << 4096 << QSize(200, 100);
        // Small enough to sit in a write buffer until the commit.
        QTest::newRow("full disk, small file") << true << 1024 << QSize(40, 30);
    }

    void failedWriteKeepsEarlierFile()
    {
        QFETCH(bool, fullDisk);
        QFETCH(int, limit);
        QFETCH(QSize, picture);

        QVERIFY(QDir(m_dir->path()).mkdir("out"));
        const QString image = file("image", pictureBytes("BMP", picture));
        file("out/juego.pzz", "earlier");
        // A file-size limit makes the write fail part-way, as a full disk does.
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const rlimit fileLimit{fullDisk ? rlim_t(limit) : old.rlim_cur, old.rlim_max};
        if (!fullDisk && !setReadOnly(path("out"), true))
            QSKIP("This file system cannot make a folder read-only");
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &fileLimit);
        m_answers << true;
        const SalvarLeerPuzzle2::Result saved =
            m_io.salvarPuzzle(image, "f.bmp", board(4, 4, 2), path("out"), "juego", false, m_ask);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        setReadOnly(path("out"), false);

        QCOMPARE(saved.code, fullDisk ? 61 : 70);
        const QString error =
            (fullDisk ? "Disk full: " : "Permission denied: ") + path("out/juego.pzz") + " (";
        QVERIFY2(saved.message.startsWith(error), qPrintable(saved.message));
        QCOMPARE(PictureSamples::fileBytes(path("out/juego.pzz")), QByteArray("earlier"));
        QCOMPARE(QDir(path("out")).entryList(QDir::Files | QDir::Hidden), QStringList("juego.pzz"));
    }

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString file(const QString &name, const QByteArray &bytes)
    {
        return PictureSamples::writeBytes(path(name), bytes) ? path(name) : QString();
    }
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); }

    std::unique_ptr<QTemporaryDir> m_dir;
    SalvarLeerPuzzle2 m_io{puzzlePictures()};
    // Every overwrite question asked, answered with the next of m_answers (No when none is left).
    QStringList m_questions;
    QList<bool> m_answers;
    const SalvarLeerPuzzle2::OverwriteQuestion m_ask = [this](const QString &question) {
        m_questions << question;
        return !m_answers.isEmpty() && m_answers.takeFirst();
    };
};

QTEST_MAIN(tst_SalvarLeerPuzzle2)
#include "tst_salvarleerpuzzle2.moc"
