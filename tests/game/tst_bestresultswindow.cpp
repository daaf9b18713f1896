#include "app/BestResultsWindow.h"
#include "game/BestResults.h"
#include "settings/ModuloIdioma.h"

#include <QtTest>
#include <QtWidgets>

class tst_BestResultsWindow : public QObject
{
    Q_OBJECT

private slots:
    void sortsAsNumbersAndRemovesTheChosenEntry()
    {
        QTemporaryDir dir;
        BestResults results(dir.path());
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (const auto &[name, moves, ms] :
             {std::tuple{"b.jpg", 10, 61000}, {"a.jpg", 9, 600000}, {"c.jpg", 100, 5000}}) {
            results.record({BestResults::pictureKey(name), QString::fromLatin1(name), 3, 3, false, moves, ms,
                            QDateTime::currentDateTimeUtc()},
                           picture);
        }
        BestResultsWindow window(results, ModuloIdioma::Spanish);
        QTableWidget *table = window.table();
        QCOMPARE(window.windowTitle(), QStringLiteral("Mejores resultados"));
        const auto column = [table](int c) {
            QStringList texts;
            for (int row = 0; row < table->rowCount(); ++row)
                texts << table->item(row, c)->text();
            return texts;
        };
        table->sortByColumn(3, Qt::AscendingOrder);
        QCOMPARE(column(3), QStringList({"9", "10", "100"}));
        table->sortByColumn(4, Qt::DescendingOrder);
        QCOMPARE(column(4), QStringList({"10:00", "1:01", "0:05"}));

        // After sorting, the chosen row is still the entry that gets removed.
        table->selectRow(1);
        window.findChild<QPushButton *>(QStringLiteral("remove"))->click();
        QCOMPARE(column(0), QStringList({"a.jpg", "c.jpg"}));
        BestResults reread(dir.path());
        reread.load();
        QCOMPARE(reread.entries().size(), 2);
    }
};

QTEST_MAIN(tst_BestResultsWindow)
#include "tst_bestresultswindow.moc"
