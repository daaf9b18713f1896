#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QWidget;
class TableroClass;
class tess2mainform;

// What the main window's tests share: a private data root, configuration lines, pictures
// whose pieces can be told apart by colour, answers to modal windows, and readings of the
// board image.
namespace WindowTestKit {

// Points the data root and the documents folder below root, pins the screen's units per
// pixel to 15 and scripts every message box. Called once, before any window exists.
void prepareEnvironment(const QString &root);

struct ConfigLine
{
    qint16 language = 0;
    QString dialogPath;
    qint16 listX = 4;
    qint16 listY = 4;
    bool dificil = false;
    bool firstRun = false;
};

QString configPath();
void writeConfig(const ConfigLine &line);
// The file's bytes, or empty bytes when it does not exist.
QByteArray readConfig();

// The colour of the block at (column, row), from 1: bright, saturated and different for
// every block of grids up to 8 × 8, so a piece is known by any pixel of it.
QRgb blockColor(int column, int row);
QRgb inverted(QRgb colour);

// Writes a BMP of the given size cut into columns × rows blocks of blockColor and returns
// its path.
QString writeBlockPicture(const QString &folder, const QString &name, const QSize &size, int columns,
                          int rows);

// Runs act on the next modal window once it is shown. Whatever act leaves open is
// rejected afterwards, so a test never waits on a window nobody closes.
void onNextModal(std::function<void(QWidget *modal)> act);
// Forgets every onNextModal whose window has not come; each test ends with it.
void stopWatchingModals();

// The Open command with the dialog answered: the grid and style chosen, then OK.
void openPuzzle(tess2mainform &window, int columns, int rows, bool dificil);

// A window started as the program starts it, up to the first new-puzzle dialog.
std::unique_ptr<tess2mainform> startWindow(const QString &commandLine = QString());

// The device pixels of place (column, row) in a board image of columns × rows places.
QRect placeRect(const QImage &board, int columns, int rows, int column, int row);
// The middle of place (column, row) on the board surface, in its own coordinates.
QPoint placePoint(const QWidget *board, int columns, int rows, int column, int row);

// True when every pixel of the place, its edges left aside, has the colour; why says
// which pixel differs.
bool placeIs(const QImage &board, int columns, int rows, int column, int row, QRgb colour, QString *why);
// True when every place shows the piece the board says lies there (black for the sliding
// style's empty place when sliding is true).
bool showsBoard(const QImage &board, const TableroClass &tablero, bool sliding, QString *why);
// True when every line of the grid, borders included, is black from end to end.
bool gridIsBlack(const QImage &board, int columns, int rows, QString *why);
// True when the image is the block picture of columns × rows stretched over the board,
// with no black grid line anywhere.
bool showsPictureWithoutGrid(const QImage &board, int columns, int rows, QString *why);

// Lays the board out as homeAt says: the piece whose home is homeAt(column, row) lies
// on (column, row).
bool arrange(TableroClass &tablero, const std::function<QPoint(int column, int row)> &homeAt);
// The board with the pieces of places a and b exchanged and every other piece home.
bool arrangeSwapped(TableroClass &tablero, QPoint a, QPoint b);

// A press on one point and the release on another, with the same button.
void pressAndRelease(QWidget *board, Qt::MouseButton button, QPoint press, QPoint release,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier);

} // namespace WindowTestKit
