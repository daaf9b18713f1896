#pragma once

#include "board/MoveRules.h"
#include "board/TableroClass.h"
#include "game/GameMove.h"
#include "game/GameSetup.h"
#include "game/GameState.h"

#include <QImage>
#include <QJsonArray>
#include <QObject>
#include <QVector>

#include <functional>

// Redraws the places the session reports. Called directly, before the placeChanged signal,
// as a move's redrawing is the one report on the path from a click to the updated image.
// The places of one move, undo, redo or change of marks come one by one and are then closed
// by placesDone, before piecesExchanged, so a listener may draw them all at once there.
class PlaceListener
{
public:
    virtual ~PlaceListener() = default;
    virtual void placeChanged(qint16 column, qint16 row, quint32 rasterOp) = 0;
    virtual void placesDone() {}
};

// The one owner of the game between the rules and the windows: the board, the press list of
// the Normal style, the game state, the pictures, the file names, the style and the grid, and
// the moves applied so far with a position in that list for undo and redo. Input arrives as
// a place and a button; the session decides the move (interpret) and applies it (execute),
// then tells its listeners what changed. It never paints and never shows a message.
class GameSession : public QObject
{
    Q_OBJECT
public:
    // Reduces a picture too large for the board; a null answer keeps the full picture.
    using Reducer = std::function<QImage(const QImage &)>;

    explicit GameSession(QObject *parent = nullptr);

    void setReducer(Reducer reducer) { m_reducer = std::move(reducer); }
    void setPlaceListener(PlaceListener *listener) { m_placeListener = listener; }

    // Starts the game the setup describes: the board read from a puzzle file, or a new
    // shuffle of the chosen grid and style. Throws RunTimeError and changes nothing when the
    // picture is missing or the board cannot be made. Empties the press list and the history.
    void start(const GameSetup &setup);
    // The game in play as a setup, its board included, for saving it.
    GameSetup current() const;

    GameState state() const { return m_state; }
    const TableroClass &board() const { return m_board; }
    bool sliding() const { return m_setup.sliding; }
    qint16 columns() const { return m_setup.columns; }
    qint16 rows() const { return m_setup.rows; }
    QString archivo() const { return m_setup.archivo; }
    QString archivoSinPath() const { return m_setup.archivoSinPath; }
    QString extension() const { return m_setup.extension; }
    qint32 moves() const { return m_board.getNumeroDeMovimientos(); }
    // The picture as it came, and the one the pieces are cut from (reduced when too large).
    const QImage &sourcePicture() const { return m_setup.picture; }
    const QImage &boardPicture() const { return m_boardPicture; }

    // button: 1 left, 2 right, 4 middle; shift: bit 1 while Shift is held. A place off the
    // board is (0, 0).
    GameMove interpretPress(GamePlace place, int button, int shift) const;
    GameMove interpretRelease(GamePlace place, int button, int shift) const;
    void execute(const GameMove &move);
    void press(GamePlace place, int button, int shift);
    void release(GamePlace place, int button, int shift);

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < m_history.size(); }
    bool undo();
    bool redo();
    // Unmarks every marked piece and forgets a piece picked up but not yet dropped.
    void dropMarks();

    // The applied moves as JSON, oldest first, for keeping a game between runs, and how
    // many of them are applied.
    QJsonArray historyToJson() const;
    // The same, made later and on any thread from the moves applied now.
    std::function<QJsonArray()> historyToJsonLater() const;
    int historyPosition() const { return m_position; }
    // Takes back a kept counter and history for the board in play. A history that does not
    // fit this board is dropped whole, and false answered; the counter is kept either way.
    bool restoreKept(qint32 moves, const QJsonArray &history, int position);

signals:
    // A new game is in place; everything about the board is new.
    void started();
    // A place to redraw and how its piece is to be copied.
    void placeChanged(qint16 column, qint16 row, quint32 rasterOp);
    // Assembled by a move, or unsolved again by an undo.
    void stateChanged(GameState state);
    // Counters, marks or names changed: the status bar is to be refreshed.
    void statusChanged();
    // The exchanges a move, an undo or a redo made, in their order, once their places
    // were redrawn, so a front end can show the pieces on their way.
    void piecesExchanged(const Exchanges &exchanges);

private:
    struct Step {
        GameMove move;
        qint32 movesBefore = 0;
        qint32 movesAfter = 0;
    };

    static QJsonArray toJson(const QVector<Step> &steps);
    void reportPlace(GamePlace place, quint32 rasterOp);
    void reportPlacesDone();
    void applyExchanges(const GameMove &move);
    void setMark(GamePlace place, bool marked);
    void clearMarks();
    void checkCompletion();
    Exchanges groupExchanges(GamePlace released) const;

    GameSetup m_setup;
    TableroClass m_board;
    QImage m_boardPicture;
    GameState m_state = GameState::NoPicture;
    MoveRules::PressList m_lista;
    GamePlace m_pulsada;
    QVector<Step> m_history;
    int m_position = 0;
    Reducer m_reducer;
    PlaceListener *m_placeListener = nullptr;
};
