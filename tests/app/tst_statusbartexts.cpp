#include "view/StatusBarTexts.h"

#include "io/ErrorNumber.h"

#include <QtTest>

class tst_StatusBarTexts : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
};

void tst_StatusBarTexts::texts_data()
{
    QTest::addColumn<StatusBarInput>("in");
    QTest::addColumn<QString>("panels"); // the six panels joined by '|'
    QTest::addColumn<bool>("simple");

    // Input as {estado, language, columns, rows, porColocar, movimientos}.
    auto row = [](const char *name, const QList<int> &v, bool simple, const QString &panels) {
        const StatusBarInput in{v[0], qint16(v[1]), qint16(v[2]), qint16(v[3]), qint16(v[4]), v[5], "g.jpg"};
        QTest::newRow(name) << in << panels << simple;
    };
    // Every language's words in states 0 to 2 are checked with the other language texts;
    // these rows check the counts, the file name, the style, and the states not walked there.
    row("assembled", {2, 1, 4, 3, 0, 31}, false,
        "MONTADO|g.jpg|12 piezas (4x3)|12 piezas colocadas|0 piezas por colocar|Realizados 31 movimientos");
    row("no image, English", {0, 0, 0, 0, 0, 0}, true,
        "NO IMAGE|g.jpg|0 pieces (0x0)|0 pieces in place|0 pieces out of place|0 movements");
    // Any other state rewrites the counts but keeps panel 1 and the style.
    row("other state", {5, 0, 4, 3, 2, 9}, true,
        "old|g.jpg|12 pieces (4x3)|10 pieces in place|2 pieces out of place|9 movements");
    row("1234567 moves, largest grid", {1, 1, 181, 181, 32760, 1234567}, false,
        "SIN MONTAR|g.jpg|32761 piezas (181x181)|1 piezas colocadas|32760 piezas por colocar|"
        "Realizados 1234567 movimientos");
    // A piece count beyond 16 bits is refused before anything changes.
    row("overflow", {1, 0, 182, 181, 0, 0}, true, "error 6|old|old|old|old|old");
}

void tst_StatusBarTexts::texts()
{
    QFETCH(StatusBarInput, in);
    QFETCH(QString, panels);
    QFETCH(bool, simple);

    // The previous style is the opposite of what states 0 to 2 set, so every change shows.
    StatusBarState previous;
    previous.panels.fill(QStringLiteral("old"));
    previous.simple = in.estado != 0;
    previous.simpleText = QStringLiteral("old simple");

    StatusBarState bar = previous;
    if (const int error = errorNumber([&] { bar = StatusBarTexts::refresh(previous, in); }))
        bar.panels[0] = QStringLiteral("error %1").arg(error);
    QCOMPARE(QStringList(bar.panels.begin(), bar.panels.end()).join('|'), panels);
    QCOMPARE(bar.simple, simple);
    QCOMPARE(bar.simpleText, in.estado == 0 ? panels.section('|', 0, 0) : QStringLiteral("old simple"));
}

QTEST_GUILESS_MAIN(tst_StatusBarTexts)
#include "tst_statusbartexts.moc"
