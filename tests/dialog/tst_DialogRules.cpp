#include "dialog/DialogRules.h"
#include "io/RunTimeError.h"

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
        const QString actual = helper == QLatin1String("splitPath")       ? split(input)
                               : helper == QLatin1String("splitFileName") ? DialogRules::splitFileName(input)
                               : helper == QLatin1String("fitExtension")  ? DialogRules::fitExtension(input)
                                                                          : DialogRules::stripQuotes(input);
        QCOMPARE(actual, expected);
    }
};

QTEST_GUILESS_MAIN(tst_DialogRules)
#include "tst_DialogRules.moc"
