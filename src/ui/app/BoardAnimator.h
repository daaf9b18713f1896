#pragma once

#include "game/GameMove.h"
#include "game/GameState.h"
#include "view/PieceGlide.h"

#include <QImage>
#include <QObject>
#include <QVariantAnimation>

class BoardView;
class GameSession;

// Shows the pieces of each move on their way to the places the move gave them, and the
// last board fading into the assembled picture. The board image is always the true board:
// the animator only draws over it on screen, so ending an animation at any frame, or a new
// press or key that ends it at once, leaves nothing behind and loses no move.
class BoardAnimator : public QObject
{
    Q_OBJECT
public:
    BoardAnimator(BoardView *view, GameSession &session);

    void setEnabled(bool on);
    bool enabled() const { return m_enabled; }
    bool running() const { return m_animation.state() == QAbstractAnimation::Running; }
    // Ends the running animation at once, showing the board as it is.
    void finish();

    static constexpr int FadeMs = 300;
    QWidget *boardWidget() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Kind { None, Glide, Fade };

    void onExchanged(const Exchanges &exchanges);
    void onStateChanged(GameState state);
    void onFrame(const QVariant &value);
    void start(Kind kind, int durationMs);
    QRegion logical(const QRegion &deviceRegion) const;

    BoardView *m_view;
    GameSession &m_session;
    QVariantAnimation m_animation;
    PieceGlide m_glide;
    Kind m_kind = Kind::None;
    qreal m_t = 0;
    QImage m_lastBoard;
    bool m_enabled = true;
};
