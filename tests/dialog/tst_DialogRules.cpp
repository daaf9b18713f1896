#include "dialog/DialogRules.h"
#include "platform/RunTimeError.h"

#include <QRegularExpression>
#include <QtTest>

// The dialog's texts and file-name rules, without a window.
class tst_DialogRules : public QObject
{
    Q_OBJECT

private slots:
    void piecesSummary_data();
    void piecesSummary();
    void styleExplanation_data();
    void styleExplanation();
    void messagesByLanguage_data();
    void messagesByLanguage();
    void splitPath_data();
    void splitPath();
    void splitPathWithoutFolderFails();
    void splitFileName_data();
    void splitFileName();
    void fitExtension_data();
    void fitExtension();
    void stripQuotes_data();
    void stripQuotes();
    void puzzleFileName_data();
    void puzzleFileName();
    void nameFilters_data();
    void nameFilters();
};

void tst_DialogRules::piecesSummary_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("expected"); // empty: no text, the caption stays

    QTest::newRow("English 3x4") << 0 << 3 << 4 << "12 pieces puzzle (3x4)";
    QTest::newRow("Spanish 3x4") << 1 << 3 << 4 << "Puzzle de 12 piezas (3x4)";
    QTest::newRow("Galician 3x4") << 2 << 3 << 4 << "Puzzle de 12 pezas (3x4)";
    QTest::newRow("other language") << 7 << 3 << 4 << "";
    QTest::newRow("English 30x30") << 0 << 30 << 30 << "900 pieces puzzle (30x30)";
    QTest::newRow("Spanish 2x30") << 1 << 2 << 30 << "Puzzle de 60 piezas (2x30)";
}

void tst_DialogRules::piecesSummary()
{
    QFETCH(int, language);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QString, expected);
    const auto text = DialogRules::piecesSummary(qint16(language), x, y);
    QCOMPARE(text.has_value(), !expected.isEmpty());
    if (text)
        QCOMPARE(*text, expected);
}

void tst_DialogRules::styleExplanation_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("dificil");
    QTest::addColumn<QString>("expected");

    QTest::newRow("English Normal") << 0 << false << "Any piece can be moved to any place";
    QTest::newRow("English Difícil") << 0 << true << "You can only move a piece if it has an empty place by its side.";
    QTest::newRow("Spanish Normal") << 1 << false << QString::fromUtf8("Puedes mover cualquier pieza a cualquier posición.");
    QTest::newRow("Spanish Difícil") << 1 << true
                                     << QString::fromUtf8("Solo puedes mover una pieza si tiene un lugar vacío a su lado.");
    QTest::newRow("Galician Normal") << 2 << false << QString::fromUtf8("Podes mover calquera peza a calquera posición.");
    QTest::newRow("Galician Difícil") << 2 << true
                                      << QString::fromUtf8("Solo podes mover unha peza se ten un lugar valeiro o seu carón.");
    QTest::newRow("other Normal") << 7 << false << "";
    QTest::newRow("other Difícil") << 7 << true << "";
}

void tst_DialogRules::styleExplanation()
{
    QFETCH(int, language);
    QFETCH(bool, dificil);
    QFETCH(QString, expected);
    const auto text = DialogRules::styleExplanation(qint16(language), dificil);
    QCOMPARE(text.has_value(), !expected.isEmpty());
    if (text)
        QCOMPARE(*text, expected);
}

void tst_DialogRules::messagesByLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("notReady");
    QTest::addColumn<QString>("choseImage");
    QTest::addColumn<QString>("notPuzzle");
    QTest::addColumn<QString>("version");

    QTest::newRow("English") << 0 << "The selected unit is not ready"
                             << "To create the puzzle you shall chose an image\nfrom your computer"
                             << "The file a.pzz is not a puzzle file"
                             << "The file version of a.pzz is not supported";
    QTest::newRow("Spanish") << 1 << QString::fromUtf8("La unidad escogida no está lista")
                             << "Para crear el puzzle debes escoger una imagen\nque tengas guardada en tu ordenador"
                             << "El archivo a.pzz no es un archivo de puzzle"
                             << QString::fromUtf8("La versión del archivo a.pzz no está soportada");
    QTest::newRow("Galician") << 2 << QString::fromUtf8("A unidade escollida non está lista")
                              << QString::fromUtf8("Para crea-lo puzzle debes escoller unha imaxe\nque teñas gardada no teu ordenador")
                              << "The file a.pzz is not a puzzle file"
                              << "The file version of a.pzz is not supported";
    QTest::newRow("other") << 7 << "" << "" << "The file a.pzz is not a puzzle file"
                           << "The file version of a.pzz is not supported";
}

void tst_DialogRules::messagesByLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, notReady);
    QFETCH(QString, choseImage);
    QFETCH(QString, notPuzzle);
    QFETCH(QString, version);
    const qint16 l = qint16(language);
    QCOMPARE(DialogRules::notReadyMessage(l).value_or(QString()), notReady);
    QCOMPARE(DialogRules::choseImageMessage(l).value_or(QString()), choseImage);
    QCOMPARE(DialogRules::refusedPuzzleFileMessage(l, -1, QStringLiteral("a.pzz")), notPuzzle);
    QCOMPARE(DialogRules::refusedPuzzleFileMessage(l, -2, QStringLiteral("a.pzz")), version);
    QVERIFY(DialogRules::refusedPuzzleFileMessage(l, 53, QStringLiteral("a.pzz")).isEmpty());
    QVERIFY(DialogRules::unreadableFolderMessage(l, QStringLiteral("/x/y")).contains(QStringLiteral("/x/y")));
}

void tst_DialogRules::splitPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain") << "/home/ana/Fotos/flor.jpg" << "/home/ana/Fotos" << "flor.jpg";
    QTest::newRow("below root") << "/flor.jpg" << "/" << "flor.jpg";
    QTest::newRow("trailing slash") << "/home/ana/" << "/home/ana" << "";
    QTest::newRow("spaces kept") << "/tmp/mi carpeta/mi foto.jpg" << "/tmp/mi carpeta" << "mi foto.jpg";
    QTest::newRow("relative") << "Fotos/flor.jpg" << "Fotos" << "flor.jpg";
}

void tst_DialogRules::splitPath()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    const DialogRules::SplitPath parts = DialogRules::splitPath(path);
    QCOMPARE(parts.folder, folder);
    QCOMPARE(parts.name, name);
}

void tst_DialogRules::splitPathWithoutFolderFails()
{
    QVERIFY_THROWS_EXCEPTION(RunTimeError, DialogRules::splitPath(QStringLiteral("flor.jpg")));
    QVERIFY_THROWS_EXCEPTION(RunTimeError, DialogRules::splitPath(QString()));
}

void tst_DialogRules::splitFileName_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("base");

    QTest::newRow("letters digits underscore") << "Paisaje_2.jpg" << "Paisaje_2";
    QTest::newRow("space") << "mi foto.jpg" << "";
    QTest::newRow("non-ASCII letter") << QString::fromUtf8("año.jpg") << "";
    QTest::newRow("no dot") << "paisaje" << "";
    QTest::newRow("two dots") << "a.b.jpg" << "";
    QTest::newRow("leading dot") << ".jpg" << "";
    QTest::newRow("with folder") << "/tmp/x.y/flor.jpg" << "flor";
    QTest::newRow("dot only in folder") << "/tmp/x.y/flor" << "";
    QTest::newRow("hyphen") << "a-b.pzz" << "";
    QTest::newRow("empty") << "" << "";
}

void tst_DialogRules::splitFileName()
{
    QFETCH(QString, s);
    QFETCH(QString, base);
    QCOMPARE(DialogRules::splitFileName(s), base);
}

void tst_DialogRules::fitExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");

    QTest::newRow("jpg") << "flor.jpg" << "jpg   ";
    QTest::newRow("case kept") << "FOTO.JPEG" << "JPEG  ";
    QTest::newRow("six") << "a.abcdef" << "abcdef";
    QTest::newRow("cut to six") << "a.abcdefgh" << "abcdef";
    QTest::newRow("no dot") << "paisaje" << "      ";
    QTest::newRow("last dot") << "a.tar.gz" << "gz    ";
    QTest::newRow("pzz") << "partida.pzz" << "pzz   ";
    QTest::newRow("dot at end") << "raro." << "      ";
}

void tst_DialogRules::fitExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    const QString fitted = DialogRules::fitExtension(name);
    QCOMPARE(fitted, extension);
    QCOMPARE(fitted.size(), 6);
}

void tst_DialogRules::stripQuotes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("stripped");

    QTest::newRow("quoted") << "\"/tmp/a b.jpg\"" << "/tmp/a b.jpg";
    QTest::newRow("unquoted") << "/tmp/a.jpg" << "/tmp/a.jpg";
    QTest::newRow("leading only") << "\"/tmp/a.jpg" << "/tmp/a.jpg";
    QTest::newRow("trailing only") << "/tmp/a.jpg\"" << "/tmp/a.jpg";
    QTest::newRow("one quote") << "\"" << "";
    QTest::newRow("two quotes") << "\"\"" << "";
    QTest::newRow("inner quotes kept") << "\"\"/tmp/a.jpg\"\"" << "\"/tmp/a.jpg\"";
}

void tst_DialogRules::stripQuotes()
{
    QFETCH(QString, line);
    QFETCH(QString, stripped);
    QCOMPARE(DialogRules::stripQuotes(line), stripped);
}

void tst_DialogRules::puzzleFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("puzzle");

    QTest::newRow("lower") << "partida.pzz" << true;
    QTest::newRow("upper") << "FOTO.PZZ" << false;
    QTest::newRow("mixed") << "foto.Pzz" << false;
    QTest::newRow("image") << "foto.jpg" << false;
    QTest::newRow("only extension") << ".pzz" << true;
    QTest::newRow("longer") << "foto.pzzx" << false;
}

void tst_DialogRules::puzzleFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, puzzle);
    QCOMPARE(DialogRules::isPuzzleFileName(name), puzzle);
}

void tst_DialogRules::nameFilters_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");

    const QStringList all{"a.pzz", "B.PZZ", "c.jpg", "D.JPEG", "e.gif", "f.bmp", "g.dib", "h.wmf", "i.EMF"};
    QTest::newRow("puzzle files and images") << 0 << all << QStringList{"notes.txt", "README", "jpg"};
    QTest::newRow("images") << 1 << QStringList{"c.jpg", "D.JPEG", "e.gif", "f.bmp", "g.dib", "h.wmf", "i.EMF"}
                            << QStringList{"a.pzz", "B.PZZ", "notes.txt", "c.jpg.txt"};
    QTest::newRow("puzzle files") << 2 << QStringList{"a.pzz", "B.PZZ"} << QStringList{"c.jpg", "a.pzz.bak"};
    QTest::newRow("every file") << 3 << (all + QStringList{"notes.txt", "README"}) << QStringList{};
}

void tst_DialogRules::nameFilters()
{
    QFETCH(int, entry);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);

    const QStringList patterns = DialogRules::fileTypePatterns();
    QCOMPARE(patterns.size(), 4);
    const QStringList filters = DialogRules::nameFilters(patterns.at(entry));
    auto matches = [&filters](const QString &name) {
        for (const QString &filter : filters) {
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(filter)).match(name).hasMatch())
                return true;
        }
        return false;
    };
    for (const QString &name : shown)
        QVERIFY2(matches(name), qPrintable(name));
    for (const QString &name : hidden)
        QVERIFY2(!matches(name), qPrintable(name));
}

QTEST_GUILESS_MAIN(tst_DialogRules)
#include "tst_DialogRules.moc"
