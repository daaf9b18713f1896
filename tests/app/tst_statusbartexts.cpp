#include "app/StatusBarTexts.h"

#include "platform/RunTimeError.h"

#include <QtTest>

namespace
{

StatusBarInput input(qint32 estado, int language, int columns, int rows, int porColocar, qint32 movimientos,
                     const QString &file)
{
    StatusBarInput in;
    in.estado = estado;
    in.language = qint16(language);
    in.columns = qint16(columns);
    in.rows = qint16(rows);
    in.porColocar = qint16(porColocar);
    in.movimientos = movimientos;
    in.archivoSinPath = file;
    return in;
}

} // namespace

class tst_StatusBarTexts : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
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
    QTest::addColumn<QStringList>("panels");
    QTest::addColumn<bool>("simple");

    const QString gato = QStringLiteral("gato.jpg");
    const QStringList english = {"NOT ASSEMBLED",         gato,
                                 "12 pieces (4x3)",       "7 pieces in place",
                                 "5 pieces out of place", "17 movements"};
    QTest::newRow("4x3, Spanish") << 1 << 1 << 4 << 3 << 5 << 17
                                  << QStringList{"SIN MONTAR",           gato,
                                                 "12 piezas (4x3)",      "7 piezas colocadas",
                                                 "5 piezas por colocar", "Realizados 17 movimientos"}
                                  << false;
    QTest::newRow("4x3, English") << 1 << 0 << 4 << 3 << 5 << 17 << english << false;
    QTest::newRow("Galician is English") << 1 << 2 << 4 << 3 << 5 << 17 << english << false;
    QTest::newRow("language 7 is English") << 1 << 7 << 4 << 3 << 5 << 17 << english << false;
    QTest::newRow("assembled, Spanish") << 2 << 1 << 4 << 3 << 0 << 31
                                        << QStringList{"MONTADO",
                                                       gato,
                                                       "12 piezas (4x3)",
                                                       "12 piezas colocadas",
                                                       "0 piezas por colocar",
                                                       "Realizados 31 movimientos"}
                                        << false;
    QTest::newRow("no image, English")
        << 0 << 0 << 0 << 0 << 0 << 0
        << QStringList{"NO IMAGE",   gato, "0 pieces (0x0)", "0 pieces in place", "0 pieces out of place",
                       "0 movements"}
        << true;
    QTest::newRow("no image, Spanish")
        << 0 << 1 << 0 << 0 << 0 << 0 << QStringList{"SIN IMAGEN",           gato,
                                                     "0 piezas (0x0)",       "0 piezas colocadas",
                                                     "0 piezas por colocar", "Realizados 0 movimientos"}
        << true;
    // Any other state rewrites the counts but keeps panel 1 and the style.
    QTest::newRow("other state")
        << 5 << 0 << 4 << 3 << 2 << 9
        << QStringList{"old",        gato, "12 pieces (4x3)", "10 pieces in place", "2 pieces out of place",
                       "9 movements"}
        << true;
    QTest::newRow("1234567 moves, largest grid") << 1 << 1 << 181 << 181 << 32760 << 1234567
                                                 << QStringList{"SIN MONTAR",
                                                                gato,
                                                                "32761 piezas (181x181)",
                                                                "1 piezas colocadas",
                                                                "32760 piezas por colocar",
                                                                "Realizados 1234567 movimientos"}
                                                 << false;
}

void tst_StatusBarTexts::texts()
{
    QFETCH(int, estado);
    QFETCH(int, language);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, porColocar);
    QFETCH(int, movimientos);
    QFETCH(QStringList, panels);
    QFETCH(bool, simple);

    // The previous style is the opposite of what states 0 to 2 set, so every change shows.
    StatusBarState previous;
    previous.panels.fill(QStringLiteral("old"));
    previous.simple = estado != 0;
    previous.simpleText = QStringLiteral("old simple");

    const StatusBarState bar =
        StatusBarTexts::refresh(previous, input(estado, language, columns, rows, porColocar, movimientos,
                                                QStringLiteral("gato.jpg")));
    QCOMPARE(QStringList(bar.panels.begin(), bar.panels.end()), panels);
    QCOMPARE(bar.simple, simple);
    QCOMPARE(bar.simpleText, estado == 0 ? panels.first() : QStringLiteral("old simple"));
}

void tst_StatusBarTexts::pieceCountOverflow()
{
    try {
        StatusBarTexts::refresh(StatusBarState(), input(1, 0, 182, 181, 0, 0, QString()));
        QFAIL("no overflow for a piece count beyond 16 bits");
    } catch (const RunTimeError &e) {
        QCOMPARE(e.number(), int(RunTimeError::Overflow));
    }
}

QTEST_GUILESS_MAIN(tst_StatusBarTexts)
#include "tst_statusbartexts.moc"
