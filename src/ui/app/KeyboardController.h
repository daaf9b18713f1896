#pragma once

#include "game/KeyboardPlay.h"

#include <QObject>

class BoardWidget;
class GameSession;
class QKeyEvent;

// Plays with the keys on the board surface: it turns the keys the board receives into the
// presses and releases KeyboardPlay makes of them, moves the cursor frame the surface draws,
// and tells assistive technology where the cursor is and what lies there.
class KeyboardController : public QObject
{
    Q_OBJECT
public:
    KeyboardController(BoardWidget *board, GameSession &session);

    QPoint cursor() const { return m_play.cursor(); }
    // What the board's accessible description says: the cursor's place and its piece.
    QString description() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onStarted();
    bool handleKey(const QKeyEvent *event);
    QPoint emptyPlace() const;
    void showCursor();

    BoardWidget *m_board;
    GameSession &m_session;
    KeyboardPlay m_play;
};
