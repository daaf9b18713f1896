#include "dialog/DialogRules.h"
#include "platform/RunTimeError.h"

#include <QtTest>

// The dialog's texts and file-name rules, without a window.
class tst_DialogRules : public QObject
{
    Q_OBJECT

private slots:
    void labels_data();
    void labels();
    void messages_data();
    void messages();
    void fileNames_data();
    void fileNames();
    void splitPathWithoutFolderFails();
};

void tst_DialogRules::labels_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("summary"); // empty: no text, the caption stays as it is
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("difficult");

    struct Row {
        const char *tag;
        int language, x, y;
        const char *summary, *normal, *difficult;
    };
    const Row rows[] = {
        {"English", 0, 3, 4, "12 pieces puzzle (3x4)", "Any piece can be moved to any place",
         "You can only move a piece if it has an empty place by its side."},
        {"Spanish", 1, 3, 4, "Puzzle de 12 piezas (3x4)",
         "Puedes mover cualquier pieza a cualquier posición.",
         "Solo puedes mover una pieza si tiene un lugar vacío a su lado."},
        {"Galician", 2, 3, 4, "Puzzle de 12 pezas (3x4)", "Podes mover calquera peza a calquera posición.",
         "Solo podes mover unha peza se ten un lugar valeiro o seu carón."},
        {"other", 7, 3, 4, "", "", ""},
        {"largest grid", 0, 30, 30, "900 pieces puzzle (30x30)", "Any piece can be moved to any place",
         "You can only move a piece if it has an empty place by its side."},
    };
    for (const Row &r : rows)
        QTest::newRow(r.tag) << r.language << r.x << r.y << QString::fromUtf8(r.summary)
                             << QString::fromUtf8(r.normal) << QString::fromUtf8(r.difficult);
}

void tst_DialogRules::labels()
{
    QFETCH(int, language);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(QString, summary);
    QFETCH(QString, normal);
    QFETCH(QString, difficult);
    const qint16 l = qint16(language);
    QCOMPARE(DialogRules::piecesSummary(l, x, y).value_or(QString()), summary);
    QCOMPARE(DialogRules::styleExplanation(l, false).value_or(QString()), normal);
    QCOMPARE(DialogRules::styleExplanation(l, true).value_or(QString()), difficult);
}

void tst_DialogRules::messages_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("notReady");
    QTest::addColumn<QString>("choseImage");
    QTest::addColumn<QString>("notPuzzle");
    QTest::addColumn<QString>("version");

    struct Row {
        const char *tag;
        int language;
        const char *notReady, *choseImage, *notPuzzle, *version;
    };
    const Row rows[] = {
        {"English", 0, "The selected unit is not ready",
         "To create the puzzle you shall chose an image\nfrom your computer",
         "The file a.pzz is not a puzzle file", "The file version of a.pzz is not supported"},
        {"Spanish", 1, "La unidad escogida no está lista",
         "Para crear el puzzle debes escoger una imagen\nque tengas guardada en tu ordenador",
         "El archivo a.pzz no es un archivo de puzzle", "La versión del archivo a.pzz no está soportada"},
        {"Galician", 2, "A unidade escollida non está lista",
         "Para crea-lo puzzle debes escoller unha imaxe\nque teñas gardada no teu ordenador",
         "The file a.pzz is not a puzzle file", "The file version of a.pzz is not supported"},
        {"other", 7, "", "", "The file a.pzz is not a puzzle file",
         "The file version of a.pzz is not supported"},
    };
    for (const Row &r : rows)
        QTest::newRow(r.tag) << r.language << QString::fromUtf8(r.notReady) << QString::fromUtf8(r.choseImage)
                             << QString::fromUtf8(r.notPuzzle) << QString::fromUtf8(r.version);
}

void tst_DialogRules::messages()
{
    QFETCH(int, language);
    QFETCH(QString, notReady);
    QFETCH(QString, choseImage);
    QFETCH(QString, notPuzzle);
    QFETCH(QString, version);
    const qint16 l = qint16(language);
    const QString name = QStringLiteral("a.pzz");
    QCOMPARE(DialogRules::notReadyMessage(l).value_or(QString()), notReady);
    QCOMPARE(DialogRules::choseImageMessage(l).value_or(QString()), choseImage);
    QCOMPARE(DialogRules::refusedPuzzleFileMessage(l, -1, name), notPuzzle);
    QCOMPARE(DialogRules::refusedPuzzleFileMessage(l, -2, name), version);
    QCOMPARE(DialogRules::refusedPuzzleFileMessage(l, 53, name), QString());
}

// One table for the file-name helpers: the helper, its input and its answer
// ("folder|name" for splitPath, "true"/"false" for the puzzle-file test).
void tst_DialogRules::fileNames_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const char *const rows[][3] = {
        {"splitPath", "/home/ana/Fotos/flor.jpg", "/home/ana/Fotos|flor.jpg"},
        {"splitPath", "/flor.jpg", "/|flor.jpg"},
        {"splitPath", "/home/ana/", "/home/ana|"},
        {"splitPath", "/tmp/mi carpeta/mi foto.jpg", "/tmp/mi carpeta|mi foto.jpg"},
        {"splitFileName", "Paisaje_2.jpg", "Paisaje_2"},
        {"splitFileName", "mi foto.jpg", ""},
        {"splitFileName", "año.jpg", ""},
        {"splitFileName", "paisaje", ""},
        {"splitFileName", "a.b.jpg", ""},
        {"splitFileName", "a-b.jpg", ""},
        {"splitFileName", ".jpg", ""},
        {"splitFileName", "/tmp/x.y/flor.jpg", "flor"},
        {"splitFileName", "/tmp/x.y/flor", ""},
        {"fitExtension", "flor.jpg", "jpg   "},
        {"fitExtension", "FOTO.JPEG", "JPEG  "},
        {"fitExtension", "a.abcdefgh", "abcdef"},
        {"fitExtension", "a.tar.gz", "gz    "},
        {"fitExtension", "paisaje", "      "},
        {"fitExtension", "raro.", "      "},
        {"stripQuotes", "\"/tmp/a b.jpg\"", "/tmp/a b.jpg"},
        {"stripQuotes", "/tmp/a.jpg", "/tmp/a.jpg"},
        {"stripQuotes", "\"/tmp/a.jpg", "/tmp/a.jpg"},
        {"stripQuotes", "/tmp/a.jpg\"", "/tmp/a.jpg"},
        {"stripQuotes", "\"", ""},
        {"stripQuotes", "\"\"/a.jpg\"\"", "\"/a.jpg\""},
        {"isPuzzleFileName", "partida.pzz", "true"},
        {"isPuzzleFileName", "FOTO.PZZ", "false"},
        {"isPuzzleFileName", "foto.Pzz", "false"},
        {"isPuzzleFileName", "foto.pzzx", "false"},
    };
    for (const auto &r : rows)
        QTest::addRow("%s(%s)", r[0], r[1])
            << QString::fromUtf8(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2]);
}

void tst_DialogRules::fileNames()
{
    QFETCH(QString, helper);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QString actual;
    if (helper == QLatin1String("splitPath")) {
        const DialogRules::SplitPath parts = DialogRules::splitPath(input);
        actual = parts.folder + QLatin1Char('|') + parts.name;
    } else if (helper == QLatin1String("splitFileName")) {
        actual = DialogRules::splitFileName(input);
    } else if (helper == QLatin1String("fitExtension")) {
        actual = DialogRules::fitExtension(input);
    } else if (helper == QLatin1String("stripQuotes")) {
        actual = DialogRules::stripQuotes(input);
    } else {
        actual = DialogRules::isPuzzleFileName(input) ? QStringLiteral("true") : QStringLiteral("false");
    }
    QCOMPARE(actual, expected);
}

void tst_DialogRules::splitPathWithoutFolderFails()
{
    QVERIFY_THROWS_EXCEPTION(RunTimeError, DialogRules::splitPath(QStringLiteral("flor.jpg")));
    QVERIFY_THROWS_EXCEPTION(RunTimeError, DialogRules::splitPath(QString()));
}

QTEST_GUILESS_MAIN(tst_DialogRules)
#include "tst_DialogRules.moc"
