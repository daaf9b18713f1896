#include "dialog/DialogRules.h"
#include "io/RunTimeError.h"

#include <QtTest>

// The dialog's texts and file-name rules, without a window.
class tst_DialogRules : public QObject
{
    Q_OBJECT

private slots:
    // Each language's texts in order, split at "|": the 3 by 4 summary, Normal, Difficult, drive
    // not ready, no picture chosen, not a puzzle file, unsupported version. The last two stay in
    // English where not given. An empty text is none at all.
    void texts_data()
    {
        QTest::addColumn<qint16>("l");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, qint16 l, const char *texts) {
            QStringList expected = QString::fromUtf8(texts).split(QLatin1Char('|'));
            if (expected.size() == 5)
                expected << QStringLiteral("The file a.pzz is not a puzzle file")
                         << QStringLiteral("The file version of a.pzz is not supported");
            QTest::newRow(name) << l << expected;
        };
        row("English", 0,
            "12 pieces puzzle (3x4)|Any piece can be moved to any place|You can only move "
            "a piece if it has an empty place by its side.|The selected unit is not ready|"
            "To create the puzzle you shall chose an image\nfrom your computer");
        row("Spanish", 1,
            "Puzzle de 12 piezas (3x4)|Puedes mover cualquier pieza a cualquier posición.|"
            "Solo puedes mover una pieza si tiene un lugar vacío a su lado.|La unidad escogida "
            "no está lista|Para crear el puzzle debes escoger una imagen\nque tengas guardada "
            "en tu ordenador|El archivo a.pzz no es un archivo de puzzle|La versión del "
            "archivo a.pzz no está soportada");
        row("Galician", 2,
            "Puzzle de 12 pezas (3x4)|Podes mover calquera peza a calquera posición.|Solo "
            "podes mover unha peza se ten un lugar valeiro o seu carón.|A unidade escollida "
            "non está lista|Para crea-lo puzzle debes escoller unha imaxe\nque teñas gardada "
            "no teu ordenador");
        row("other", 7, "||||");
    }

    void texts()
    {
        QFETCH(qint16, l);
        QFETCH(QStringList, expected);
        const QStringList actual{DialogRules::piecesSummary(l, 3, 4).value_or(QString()),
                                 DialogRules::styleExplanation(l, false).value_or(QString()),
                                 DialogRules::styleExplanation(l, true).value_or(QString()),
                                 DialogRules::notReadyMessage(l).value_or(QString()),
                                 DialogRules::choseImageMessage(l).value_or(QString()),
                                 DialogRules::refusedPuzzleFileMessage(l, -1, QStringLiteral("a.pzz")),
                                 DialogRules::refusedPuzzleFileMessage(l, -2, QStringLiteral("a.pzz"))};
        QCOMPARE(actual, expected);
        QCOMPARE(DialogRules::refusedPuzzleFileMessage(l, 53, QStringLiteral("a.pzz")), QString());
    }

    // One table for the file-name helpers: the helper, its input and its answer ("folder|name"
    // for splitPath).
    void fileNames_data()
    {
        QTest::addColumn<QString>("helper");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const char *const rows[][3] = {
            {"splitPath", "/home/ana/Fotos/flor.jpg", "/home/ana/Fotos|flor.jpg"},
            {"splitPath", "/flor.jpg", "/|flor.jpg"},
            {"splitPath", "flor.jpg", "throws"},
            {"splitFileName", "año.jpg", ""},
            {"splitFileName", "/tmp/x.y/flor.jpg", "flor"},
            {"splitFileName", "/tmp/x.y/flor", ""},
            {"fitExtension", "a.abcdefgh", "abcdef"},
            {"fitExtension", "paisaje", "      "},
            {"stripQuotes", "\"/tmp/a b.jpg\"", "/tmp/a b.jpg"},
            {"stripQuotes", "\"", ""},
            {"stripQuotes", "\"\"/a.jpg\"\"", "\"/a.jpg\""},
            {"commandLine", "holidays.jpg", "/home/ana/holidays.jpg"},
            {"commandLine", "fotos/../mar|1.jpg", "/home/ana/mar 1.jpg"},
            {"commandLine", "\"/tmp/a|b.jpg\"", "\"/tmp/a b.jpg\""},
            {"commandLine", "", ""},
            {"readable", "/a/FOTO.HEIC", "yes"},
            {"readable", "mar.Png", "yes"},
            {"readable", "juego.pzz", "yes"},
            {"readable", "notas.txt", "no"},
            {"readable", "/home/ana/Fotos", "no"},
        };
        for (const auto &r : rows)
            QTest::addRow("%s(%s)", r[0], r[1])
                << QString::fromUtf8(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2]);
    }

    void fileNames()
    {
        QFETCH(QString, helper);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const auto split = [](const QString &path) -> QString {
            try {
                const DialogRules::SplitPath parts = DialogRules::splitPath(path);
                return parts.folder + QLatin1Char('|') + parts.name;
            } catch (const RunTimeError &) {
                return QStringLiteral("throws");
            }
        };
        const QHash<QString, std::function<QString(const QString &)>> helpers{
            {"splitPath", split},
            {"splitFileName", DialogRules::splitFileName},
            {"fitExtension", DialogRules::fitExtension},
            {"stripQuotes", DialogRules::stripQuotes},
            {"commandLine",
             [](const QString &in) {
                 return DialogRules::commandLine(in.split('|'), QStringLiteral("/home/ana"));
             }},
            {"readable", [](const QString &in) { return DialogRules::readableFileName(in) ? "yes" : "no"; }},
        };
        const QString actual = helpers.value(helper)(input);
        QCOMPARE(actual, expected);
    }
};

QTEST_GUILESS_MAIN(tst_DialogRules)
#include "tst_DialogRules.moc"
