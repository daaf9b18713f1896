#include "WindowTestKit.h"

#include "app/tess2mainform.h"
#include "board/TableroClass.h"
#include "platform/Messages.h"
#include "platform/Twips.h"
#include "settings/comun.h"

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <cmath>

namespace WindowTestKit {

namespace {
// Pixels this close to a place's edge may belong to the grid or to the neighbour.
constexpr int EdgeMargin = 2;

QString describe(QRgb colour)
{
    return QStringLiteral("#%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

int edge(int index, int count, int length)
{
    return int(std::lround(double(index) * length / count));
}

bool isBlack(QRgb colour) { return (colour & 0xFFFFFF) == 0; }

const QString ModalPollName = QStringLiteral("WindowTestKitModalPoll");
} // namespace

void prepareEnvironment(const QString &root)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
    qputenv("HOME", QFile::encodeName(root + QStringLiteral("/home")));
    QDir().mkpath(root + QStringLiteral("/config"));
    QDir().mkpath(root + QStringLiteral("/home/Documents"));
    Twips::overrideFactors(15, 15);
    Messages::startScript();
}

QString configPath() { return comun::getDataFolder() + QStringLiteral("/configfile.txt"); }

void writeConfig(const ConfigLine &line)
{
    QDir().mkpath(comun::getDataFolder());
    const QString text = QStringLiteral("\"1.0\",%1,\"/\",\"%2\",1,1,%3,%4,%5,%6\r\n")
                             .arg(line.language)
                             .arg(line.dialogPath)
                             .arg(line.listX)
                             .arg(line.listY)
                             .arg(line.dificil ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"))
                             .arg(line.firstRun ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"));
    QFile file(configPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

QByteArray readConfig()
{
    QFile file(configPath());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QRgb blockColor(int column, int row)
{
    const int index = (column - 1) * 8 + (row - 1);
    // Hues 37 degrees apart wrap around the circle without meeting for 64 blocks; the
    // value alternates so neighbours differ in brightness too.
    return QColor::fromHsv((index * 37) % 360, 190, index % 2 ? 200 : 250).rgb();
}

QRgb inverted(QRgb colour) { return qRgb(255 - qRed(colour), 255 - qGreen(colour), 255 - qBlue(colour)); }

QString writeBlockPicture(const QString &folder, const QString &name, const QSize &size, int columns,
                          int rows)
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            const QRect block(QPoint(edge(c - 1, columns, size.width()), edge(r - 1, rows, size.height())),
                              QPoint(edge(c, columns, size.width()) - 1, edge(r, rows, size.height()) - 1));
            painter.fillRect(block, QColor(blockColor(c, r)));
        }
    }
    painter.end();
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name;
    if (!picture.save(path, "BMP"))
        QTest::qFail(qPrintable(QStringLiteral("cannot write ") + path), __FILE__, __LINE__);
    return path;
}

void onNextModal(std::function<void(QWidget *modal)> act)
{
    auto *poll = new QTimer(qApp);
    poll->setObjectName(ModalPollName);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->setObjectName(QString());
        poll->deleteLater();
        QPointer<QWidget> guard(modal);
        act(modal);
        if (guard && guard->isVisible()) {
            if (auto *dialog = qobject_cast<QDialog *>(guard.data()))
                dialog->reject();
            else
                guard->close();
        }
    });
    poll->start();
}

void stopWatchingModals()
{
    const QList<QTimer *> polls = qApp->findChildren<QTimer *>(ModalPollName, Qt::FindDirectChildrenOnly);
    for (QTimer *poll : polls)
        delete poll;
}

void openPuzzle(tess2mainform &window, int columns, int rows, bool dificil)
{
    onNextModal([columns, rows, dificil](QWidget *modal) {
        auto *listX = modal->findChild<QListWidget *>(QStringLiteral("ListX"));
        auto *listY = modal->findChild<QListWidget *>(QStringLiteral("ListY"));
        auto *style = modal->findChild<QRadioButton *>(dificil ? QStringLiteral("OptionDificil")
                                                               : QStringLiteral("OptionNormal"));
        auto *ok = modal->findChild<QPushButton *>(QStringLiteral("OKButton"));
        if (!listX || !listY || !style || !ok)
            return;
        listX->setCurrentRow(columns - 2);
        listY->setCurrentRow(rows - 2);
        style->setChecked(true);
        ok->click();
    });
    window.abrirDialogoNuevoPuzzle();
}

std::unique_ptr<tess2mainform> startWindow(const QString &commandLine)
{
    auto window = std::make_unique<tess2mainform>(commandLine);
    window->startUpWithoutDialog();
    return window;
}

QRect placeRect(const QImage &board, int columns, int rows, int column, int row)
{
    return QRect(QPoint(edge(column - 1, columns, board.width()), edge(row - 1, rows, board.height())),
                 QPoint(edge(column, columns, board.width()) - 1, edge(row, rows, board.height()) - 1));
}

QPoint placePoint(const QWidget *board, int columns, int rows, int column, int row)
{
    return QPoint(int((column - 0.5) * board->width() / columns), int((row - 0.5) * board->height() / rows));
}

bool placeIs(const QImage &board, int columns, int rows, int column, int row, QRgb colour, QString *why)
{
    const QRect inner = placeRect(board, columns, rows, column, row)
                            .adjusted(EdgeMargin, EdgeMargin, -EdgeMargin, -EdgeMargin);
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        for (int x = inner.left(); x <= inner.right(); ++x) {
            const QRgb pixel = board.pixel(x, y);
            if ((pixel & 0xFFFFFF) != (colour & 0xFFFFFF)) {
                if (why)
                    *why = QStringLiteral("place (%1, %2): pixel (%3, %4) is %5, expected %6")
                               .arg(column)
                               .arg(row)
                               .arg(x)
                               .arg(y)
                               .arg(describe(pixel), describe(colour));
                return false;
            }
        }
    }
    return true;
}

bool showsBoard(const QImage &board, const TableroClass &tablero, bool sliding, QString *why)
{
    const qint16 columns = tablero.getCasillasX();
    const qint16 rows = tablero.getCasillasY();
    for (qint16 c = 1; c <= columns; ++c) {
        for (qint16 r = 1; r <= rows; ++r) {
            qint16 ox = 0;
            qint16 oy = 0;
            tablero.getCasilla(c, r, ox, oy);
            const bool empty = sliding && ox == columns && oy == rows;
            if (!placeIs(board, columns, rows, c, r, empty ? qRgb(0, 0, 0) : blockColor(ox, oy), why))
                return false;
        }
    }
    return true;
}

bool gridIsBlack(const QImage &board, int columns, int rows, QString *why)
{
    // The line of a border is drawn on the image's last pixel; the others may round to
    // either pixel next to their exact place, so one of the two must be black throughout.
    auto columnBlack = [&board](int x) {
        if (x < 0 || x >= board.width())
            return false;
        for (int y = 0; y < board.height(); ++y) {
            if (!isBlack(board.pixel(x, y)))
                return false;
        }
        return true;
    };
    auto rowBlack = [&board](int y) {
        if (y < 0 || y >= board.height())
            return false;
        for (int x = 0; x < board.width(); ++x) {
            if (!isBlack(board.pixel(x, y)))
                return false;
        }
        return true;
    };
    for (int i = 0; i <= columns; ++i) {
        const int x = qMin(edge(i, columns, board.width()), board.width() - 1);
        if (!columnBlack(x) && !columnBlack(x - 1) && !columnBlack(x + 1)) {
            if (why)
                *why = QStringLiteral("vertical line %1 near x = %2 is not black").arg(i).arg(x);
            return false;
        }
    }
    for (int j = 0; j <= rows; ++j) {
        const int y = qMin(edge(j, rows, board.height()), board.height() - 1);
        if (!rowBlack(y) && !rowBlack(y - 1) && !rowBlack(y + 1)) {
            if (why)
                *why = QStringLiteral("horizontal line %1 near y = %2 is not black").arg(j).arg(y);
            return false;
        }
    }
    return true;
}

bool showsPictureWithoutGrid(const QImage &board, int columns, int rows, QString *why)
{
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            if (!placeIs(board, columns, rows, c, r, blockColor(c, r), why))
                return false;
        }
    }
    // Where the grid would run, the picture shows through: on and beside every line
    // position, borders included, no pixel is black.
    for (int i = 0; i <= columns; ++i) {
        const int line = edge(i, columns, board.width());
        for (int x = qMax(0, line - 1); x <= qMin(board.width() - 1, line + 1); ++x) {
            for (int y = 0; y < board.height(); ++y) {
                if (isBlack(board.pixel(x, y))) {
                    if (why)
                        *why = QStringLiteral("black pixel (%1, %2) on a grid line").arg(x).arg(y);
                    return false;
                }
            }
        }
    }
    for (int j = 0; j <= rows; ++j) {
        const int line = edge(j, rows, board.height());
        for (int y = qMax(0, line - 1); y <= qMin(board.height() - 1, line + 1); ++y) {
            for (int x = 0; x < board.width(); ++x) {
                if (isBlack(board.pixel(x, y))) {
                    if (why)
                        *why = QStringLiteral("black pixel (%1, %2) on a grid line").arg(x).arg(y);
                    return false;
                }
            }
        }
    }
    return true;
}

bool arrange(TableroClass &tablero, const std::function<QPoint(int column, int row)> &homeAt)
{
    const qint16 columns = tablero.getCasillasX();
    const qint16 rows = tablero.getCasillasY();
    TableroClass::Table homesX(columns + 1, QVector<qint16>(rows + 1, 0));
    TableroClass::Table homesY(columns + 1, QVector<qint16>(rows + 1, 0));
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            const QPoint home = homeAt(c, r);
            homesX[c][r] = qint16(home.x());
            homesY[c][r] = qint16(home.y());
        }
    }
    return tablero.setBoard(homesX, homesY, columns, rows, columns, rows, tablero.getExtension());
}

bool arrangeSwapped(TableroClass &tablero, QPoint a, QPoint b)
{
    return arrange(tablero, [a, b](int c, int r) {
        const QPoint place(c, r);
        return place == a ? b : place == b ? a : place;
    });
}

void pressAndRelease(QWidget *board, Qt::MouseButton button, QPoint press, QPoint release,
                     Qt::KeyboardModifiers modifiers)
{
    QTest::mousePress(board, button, modifiers, press);
    QTest::mouseRelease(board, button, modifiers, release);
}

} // namespace WindowTestKit
