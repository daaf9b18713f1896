#include "dialog/DialogRules.h"
#include "platform/RunTimeError.h"

#include <QRegularExpression>
#include <QtTest>

#include <algorithm>

// The dialog's texts and file-name rules, without a window.
class tst_DialogRules : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void fileNames_data();
    void fileNames();
};

// Each language's texts in order: the 3 by 4 summary, Normal, Difficult, drive not ready,
// no picture chosen, not a puzzle file, unsupported version. An empty text is none at all.
void tst_DialogRules::texts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("expected");
    struct Row {
        const char *tag;
        int language;
        const char *texts[7];
    };
    const Row rows[] = {
        {"English", 0, {"12 pieces puzzle (3x4)", "Any piece can be moved to any place",
                        "You can only move a piece if it has an empty place by its side.",
                        "The selected unit is not ready",
                        "To create the puzzle you shall chose an image\nfrom your computer",
                        "The file a.pzz is not a puzzle file", "The file version of a.pzz is not supported"}},
        {"Spanish", 1, {"Puzzle de 12 piezas (3x4)", "Puedes mover cualquier pieza a cualquier posición.",
                        "Solo puedes mover una pieza si tiene un lugar vacío a su lado.",
                        "La unidad escogida no está lista",
                        "Para crear el puzzle debes escoger una imagen\nque tengas guardada en tu ordenador",
                        "El archivo a.pzz no es un archivo de puzzle",
                        "La versión del archivo a.pzz no está soportada"}},
        {"Galician", 2, {"Puzzle de 12 pezas (3x4)", "Podes mover calquera peza a calquera posición.",
                         "Solo podes mover unha peza se ten un lugar valeiro o seu carón.",
                         "A unidade escollida non está lista",
                         "Para crea-lo puzzle debes escoller unha imaxe\nque teñas gardada no teu ordenador",
                         "The file a.pzz is not a puzzle file", "The file version of a.pzz is not supported"}},
        {"other", 7, {"", "", "", "", "", "The file a.pzz is not a puzzle file",
                      "The file version of a.pzz is not supported"}},
    };
    for (const Row &r : rows) {
        QStringList texts;
        for (const char *text : r.texts)
            texts << QString::fromUtf8(text);
        QTest::newRow(r.tag) << r.language << texts;
    }
}

void tst_DialogRules::texts()
{
    QFETCH(int, language);
    QFETCH(QStringList, expected);
    const qint16 l = qint16(language);
    const QString name = QStringLiteral("a.pzz");
    const QStringList actual{DialogRules::piecesSummary(l, 3, 4).value_or(QString()),
                             DialogRules::styleExplanation(l, false).value_or(QString()),
                             DialogRules::styleExplanation(l, true).value_or(QString()),
                             DialogRules::notReadyMessage(l).value_or(QString()),
                             DialogRules::choseImageMessage(l).value_or(QString()),
                             DialogRules::refusedPuzzleFileMessage(l, -1, name),
                             DialogRules::refusedPuzzleFileMessage(l, -2, name)};
    QCOMPARE(actual, expected);
    QCOMPARE(DialogRules::refusedPuzzleFileMessage(l, 53, name), QString());
}

// One table for the file-name helpers: the helper, its input and its answer ("folder|name"
// for splitPath, "pattern|name" in and true/false out for the file-type patterns).
void tst_DialogRules::fileNames_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const char *const rows[][3] = {
        {"splitPath", "/home/ana/Fotos/flor.jpg", "/home/ana/Fotos|flor.jpg"},
        {"splitPath", "/flor.jpg", "/|flor.jpg"},
        {"splitPath", "/tmp/mi carpeta/mi foto.jpg", "/tmp/mi carpeta|mi foto.jpg"},
        {"splitPath", "flor.jpg", "throws"},
        {"splitFileName", "Paisaje_2.jpg", "Paisaje_2"},
        {"splitFileName", "mi foto.jpg", ""},
        {"splitFileName", "año.jpg", ""},
        {"splitFileName", "paisaje", ""},
        {"splitFileName", "/tmp/x.y/flor.jpg", "flor"},
        {"splitFileName", "/tmp/x.y/flor", ""},
        {"fitExtension", "flor.jpg", "jpg   "},
        {"fitExtension", "a.abcdefgh", "abcdef"},
        {"fitExtension", "a.tar.gz", "gz    "},
        {"fitExtension", "paisaje", "      "},
        {"stripQuotes", "\"/tmp/a b.jpg\"", "/tmp/a b.jpg"},
        {"stripQuotes", "\"", ""},
        {"stripQuotes", "\"\"/a.jpg\"\"", "\"/a.jpg\""},
        {"isPuzzleFileName", "partida.pzz", "true"},
        {"isPuzzleFileName", "FOTO.PZZ", "false"},
        {"matches", "*.pzz;*.jpg|FOTO.PZZ", "true"},
        {"matches", "*.jpg|flor.jpeg", "false"},
        {"matches", "*.*|LEEME", "true"},
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
    const auto boolText = [](bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); };
    QString actual;
    if (helper == QLatin1String("splitPath")) {
        try {
            const DialogRules::SplitPath parts = DialogRules::splitPath(input);
            actual = parts.folder + QLatin1Char('|') + parts.name;
        } catch (const RunTimeError &) {
            actual = QStringLiteral("throws");
        }
    } else if (helper == QLatin1String("splitFileName")) {
        actual = DialogRules::splitFileName(input);
    } else if (helper == QLatin1String("fitExtension")) {
        actual = DialogRules::fitExtension(input);
    } else if (helper == QLatin1String("stripQuotes")) {
        actual = DialogRules::stripQuotes(input);
    } else if (helper == QLatin1String("isPuzzleFileName")) {
        actual = boolText(DialogRules::isPuzzleFileName(input));
    } else {
        // The file list compares names case-sensitively, as this system does.
        const QStringList parts = input.split(QLatin1Char('|'));
        const QStringList filters = DialogRules::nameFilters(parts[0]);
        actual = boolText(std::any_of(filters.begin(), filters.end(), [&](const QString &filter) {
            return QRegularExpression::fromWildcard(filter, Qt::CaseSensitive).match(parts[1]).hasMatch();
        }));
    }
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(tst_DialogRules)
#include "tst_DialogRules.moc"
