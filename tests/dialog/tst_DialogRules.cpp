#include "dialog/DialogRules.h"
#include "io/ErrorNumber.h"

#include <QtTest>

// The dialog's file-name rules, without a window; its texts are checked with every other
// text of the program in tst_languagetexts.
class tst_DialogRules : public QObject
{
    Q_OBJECT

private slots:
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
            DialogRules::SplitPath parts;
            if (errorNumber([&] { parts = DialogRules::splitPath(path); }) != 0)
                return QStringLiteral("throws");
            return parts.folder + QLatin1Char('|') + parts.name;
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
