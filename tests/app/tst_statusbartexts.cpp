#include "app/StatusBarTexts.h"

#include "platform/RunTimeError.h"
#include "settings/ModuloIdioma.h"

#include <QtTest>

namespace
{

StatusBarInput input(qint32 estado, qint16 language, qint16 columns, qint16 rows, qint16 porColocar,
                     qint32 movimientos, const QString &file = QString())
{
    StatusBarInput in;
    in.estado = estado;
    in.language = language;
    in.columns = columns;
    in.rows = rows;
    in.porColocar = porColocar;
    in.movimientos = movimientos;
    in.archivoSinPath = file;
    return in;
}

QStringList panels(const StatusBarState &bar)
{
    return QStringList(bar.panels.begin(), bar.panels.end());
}

} // namespace

class tst_StatusBarTexts : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void noImageFollowsTheLanguageAtOnce();
    void otherStatesKeepPanelOneAndTheStyle();
    void pieceCountOverflow();
};

void tst_StatusBarTexts::texts_data()
{
    QTest::addColumn<int>("estado");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("porColocar");
    QTest::addColumn<int>("movimientos");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("panels");
    QTest::addColumn<bool>("simple");

    const QString gato = QStringLiteral("gato.jpg");
    const QStringList spanish4x3 = {"SIN MONTAR",           gato,
                                    "12 piezas (4x3)",      "7 piezas colocadas",
                                    "5 piezas por colocar", "Realizados 17 movimientos"};
    const QStringList english4x3 = {"NOT ASSEMBLED",         gato,
                                    "12 pieces (4x3)",       "7 pieces in place",
                                    "5 pieces out of place", "17 movements"};
    QTest::newRow("4x3 unsolved, Spanish") << 1 << 1 << 4 << 3 << 5 << 17 << gato << spanish4x3 << false;
    QTest::newRow("4x3 unsolved, English") << 1 << 0 << 4 << 3 << 5 << 17 << gato << english4x3 << false;
    QTest::newRow("Galician is English") << 1 << 2 << 4 << 3 << 5 << 17 << gato << english4x3 << false;
    QTest::newRow("language 7 is English") << 1 << 7 << 4 << 3 << 5 << 17 << gato << english4x3 << false;

    const QString pzz = QStringLiteral("partida.pzz");
    const QStringList assembledSpanish = {"MONTADO",
                                          pzz,
                                          "12 piezas (4x3)",
                                          "12 piezas colocadas",
                                          "0 piezas por colocar",
                                          "Realizados 31 movimientos"};
    const QStringList assembledEnglish = {
        "ASSEMBLED",  gato, "900 pieces (30x30)", "900 pieces in place", "0 pieces out of place",
        "2 movements"};
    QTest::newRow("assembled, Spanish, puzzle file")
        << 2 << 1 << 4 << 3 << 0 << 31 << pzz << assembledSpanish << false;
    QTest::newRow("assembled, English") << 2 << 0 << 30 << 30 << 0 << 2 << gato << assembledEnglish << false;

    const QStringList noImageEnglish = {
        "NO IMAGE", "", "0 pieces (0x0)", "0 pieces in place", "0 pieces out of place", "0 movements"};
    const QStringList noImageSpanish = {"SIN IMAGEN",           "",
                                        "0 piezas (0x0)",       "0 piezas colocadas",
                                        "0 piezas por colocar", "Realizados 0 movimientos"};
    QTest::newRow("no image, English") << 0 << 0 << 0 << 0 << 0 << 0 << QString() << noImageEnglish << true;
    QTest::newRow("no image, Spanish") << 0 << 1 << 0 << 0 << 0 << 0 << QString() << noImageSpanish << true;

    const QStringList manyMovesEnglish = {"NOT ASSEMBLED",           gato,
                                          "600 pieces (30x20)",      "1 pieces in place",
                                          "599 pieces out of place", "40000 movements"};
    const QStringList manyMovesSpanish = {"SIN MONTAR",
                                          gato,
                                          "600 piezas (30x20)",
                                          "1 piezas colocadas",
                                          "599 piezas por colocar",
                                          "Realizados 1234567 movimientos"};
    QTest::newRow("40000 moves, English")
        << 1 << 0 << 30 << 20 << 599 << 40000 << gato << manyMovesEnglish << false;
    QTest::newRow("1234567 moves, Spanish")
        << 1 << 1 << 30 << 20 << 599 << 1234567 << gato << manyMovesSpanish << false;
}

void tst_StatusBarTexts::texts()
{
    QFETCH(int, estado);
    QFETCH(int, language);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, porColocar);
    QFETCH(int, movimientos);
    QFETCH(QString, file);
    QFETCH(QStringList, panels);
    QFETCH(bool, simple);

    StatusBarState previous;
    previous.panels.fill(QStringLiteral("old"));
    previous.simple = !simple;
    previous.simpleText = QStringLiteral("old simple");

    const StatusBarState bar =
        StatusBarTexts::refresh(previous, input(estado, qint16(language), qint16(columns), qint16(rows),
                                                qint16(porColocar), movimientos, file));
    QCOMPARE(::panels(bar), panels);
    QCOMPARE(bar.simple, simple);
    // The simple text is written only with the no-image text.
    QCOMPARE(bar.simpleText, simple ? panels.first() : QStringLiteral("old simple"));
}

void tst_StatusBarTexts::noImageFollowsTheLanguageAtOnce()
{
    StatusBarState bar;
    bar = StatusBarTexts::refresh(bar, input(0, ModuloIdioma::English, 0, 0, 0, 0));
    QCOMPARE(bar.simpleText, QStringLiteral("NO IMAGE"));
    bar = StatusBarTexts::refresh(bar, input(0, ModuloIdioma::Spanish, 0, 0, 0, 0));
    QCOMPARE(bar.simpleText, QStringLiteral("SIN IMAGEN"));
    QCOMPARE(bar.panels[0], QStringLiteral("SIN IMAGEN"));

    // A puzzle built afterwards returns the bar to its panels.
    bar = StatusBarTexts::refresh(bar, input(1, ModuloIdioma::Spanish, 4, 3, 12, 0, QStringLiteral("a.gif")));
    QVERIFY(!bar.simple);
    QCOMPARE(bar.panels[0], QStringLiteral("SIN MONTAR"));
}

void tst_StatusBarTexts::otherStatesKeepPanelOneAndTheStyle()
{
    for (const bool simple : {false, true}) {
        StatusBarState previous;
        previous.panels[0] = QStringLiteral("SIN MONTAR");
        previous.simple = simple;
        previous.simpleText = QStringLiteral("SIN IMAGEN");
        const StatusBarState bar = StatusBarTexts::refresh(
            previous, input(5, ModuloIdioma::English, 4, 3, 2, 9, QStringLiteral("b.bmp")));
        QCOMPARE(bar.panels[0], QStringLiteral("SIN MONTAR"));
        QCOMPARE(bar.simple, simple);
        QCOMPARE(bar.simpleText, QStringLiteral("SIN IMAGEN"));
        // The other panels are rewritten in every state.
        QCOMPARE(bar.panels[1], QStringLiteral("b.bmp"));
        QCOMPARE(bar.panels[3], QStringLiteral("10 pieces in place"));
        QCOMPARE(bar.panels[5], QStringLiteral("9 movements"));
    }
}

void tst_StatusBarTexts::pieceCountOverflow()
{
    for (const QPoint &grid : {QPoint(200, 200), QPoint(182, 181), QPoint(-200, 200)}) {
        try {
            StatusBarTexts::refresh(
                StatusBarState(), input(1, ModuloIdioma::English, qint16(grid.x()), qint16(grid.y()), 0, 0));
            QFAIL("no overflow for a piece count beyond 16 bits");
        } catch (const RunTimeError &e) {
            QCOMPARE(e.number(), int(RunTimeError::Overflow));
        }
    }
    // The largest count that fits is still shown.
    const StatusBarState bar =
        StatusBarTexts::refresh(StatusBarState(), input(1, ModuloIdioma::English, 181, 181, 0, 0));
    QCOMPARE(bar.panels[2], QStringLiteral("32761 pieces (181x181)"));
}

QTEST_GUILESS_MAIN(tst_StatusBarTexts)
#include "tst_statusbartexts.moc"
