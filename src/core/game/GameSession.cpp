#include "game/GameSession.h"

#include "board/RasterOp.h"
#include "io/RunTimeError.h"
#include "settings/ModuloIdioma.h"

#include <QJsonObject>

#include <algorithm>

namespace
{

bool holdsEmptyPlace(const TableroClass &t, qint16 column, qint16 row)
{
    if (column < 1 || column > t.getCasillasX() || row < 1 || row > t.getCasillasY())
        return false;
    qint16 homeX = 0;
    qint16 homeY = 0;
    t.getCasilla(column, row, homeX, homeY);
    return homeX == t.getCasillasX() && homeY == t.getCasillasY();
}

// The entry of the press list that holds the place, or −1.
int entryOf(const MoveRules::PressList &l, GamePlace place)
{
    const int used = std::min<int>(l.numeroEnLista, l.listaX.size());
    for (int i = 0; i < used; ++i) {
        if (l.listaX[i] == place.column && l.listaY[i] == place.row)
            return i;
    }
    return -1;
}

// A picture larger than this many pixels either way is reduced before it is cut.
constexpr int ReduceAboveWidth = 1001;
constexpr int ReduceAboveHeight = 901;

} // namespace

GameSession::GameSession(QObject *parent) : QObject(parent) {}

void GameSession::start(const GameSetup &setup)
{
    if (setup.picture.isNull())
        throw RunTimeError(RunTimeError::InvalidPicture,
                           ModuloIdioma::text("tess2mainform", "The picture cannot be shown."));
    QImage boardPicture = setup.picture;
    if ((boardPicture.width() > ReduceAboveWidth || boardPicture.height() > ReduceAboveHeight) && m_reducer) {
        const QImage reduced = m_reducer(boardPicture);
        if (!reduced.isNull())
            boardPicture = reduced;
    }
    TableroClass board;
    if (setup.board) {
        board = *setup.board;
    } else {
        board.Inicializar(setup.columns, setup.rows, setup.columns, setup.rows, setup.extension, true,
                          setup.sliding);
    }

    // Nothing can fail from here on: the game in play is replaced as a whole.
    m_setup = setup;
    m_setup.board.reset();
    // A board read from a puzzle file brings its own grid, which the surface is cut into.
    m_setup.columns = board.getCasillasX();
    m_setup.rows = board.getCasillasY();
    m_board = board;
    m_boardPicture = boardPicture;
    m_state = GameState::Playing;
    m_lista.reset(0);
    m_lista.fitTo(m_board);
    m_pulsada = GamePlace();
    m_history.clear();
    m_position = 0;
    emit started();
}

GameSetup GameSession::current() const
{
    GameSetup setup = m_setup;
    setup.board = m_board;
    return setup;
}

GameMove GameSession::interpretPress(GamePlace place, int button, int shift) const
{
    GameMove move;
    if (m_state != GameState::Playing || !place.isOnBoard())
        return move;
    if (m_setup.sliding) {
        const GamePlace neighbours[4] = {{qint16(place.column - 1), place.row},
                                         {qint16(place.column + 1), place.row},
                                         {place.column, qint16(place.row - 1)},
                                         {place.column, qint16(place.row + 1)}};
        for (const GamePlace &n : neighbours) {
            if (holdsEmptyPlace(m_board, n.column, n.row)) {
                move.kind = MoveKind::Slide;
                move.exchanges = {{n, place}};
                break;
            }
        }
        return move;
    }
    const int entry = entryOf(m_lista, place);
    const bool markedNow = entry >= 0 && m_lista.marcadas[entry];
    const bool marked = (button == 1 && (shift & 1) == 0) ? true : !markedNow;
    move.kind = marked ? MoveKind::Mark : MoveKind::Unmark;
    move.place = place;
    return move;
}

GameMove GameSession::interpretRelease(GamePlace place, int button, int shift) const
{
    GameMove move;
    if (m_state != GameState::Playing || m_setup.sliding || button != 1 || (shift & 1) != 0)
        return move;
    move.exchanges = groupExchanges(place);
    move.kind = move.exchanges.size() > 1 ? MoveKind::Group : MoveKind::Swap;
    move.place = place;
    return move;
}

// The marked pieces move by the offset from the pressed place to the released one, the
// piece farthest from the corner behind the move first, so the pieces it displaces fill
// the places the group leaves and the group keeps its shape. Every listed place, marked or
// not, must stay on the board, and a release off the board moves nothing; either way the
// marked pieces are exchanged in place.
Exchanges GameSession::groupExchanges(GamePlace released) const
{
    const int used = std::clamp<int>(m_lista.numeroEnLista, 0, m_lista.listaX.size());
    const MoveRules::PressList &l = m_lista;
    // Only the marks in use are copied, as the walk below takes them off one by one.
    QVarLengthArray<bool, 64> marks(l.marcadas.constBegin(), l.marcadas.constBegin() + used);
    int dx = released.column - m_pulsada.column;
    int dy = released.row - m_pulsada.row;
    qint16 minX = 0, maxX = 0, minY = 0, maxY = 0;
    MoveRules::getMinMax(l.listaX, qint16(used), minX, maxX);
    MoveRules::getMinMax(l.listaY, qint16(used), minY, maxY);
    const qint16 cornerX = dx >= 0 ? 1 : m_board.getCasillasX();
    const qint16 cornerY = dy >= 0 ? 1 : m_board.getCasillasY();
    const bool outside = !released.isOnBoard() ||
                         (dx >= 0 ? maxX + dx > m_board.getCasillasX() : minX + dx < 1) ||
                         (dy >= 0 ? maxY + dy > m_board.getCasillasY() : minY + dy < 1);
    if (outside) {
        dx = 0;
        dy = 0;
    }
    Exchanges exchanges;
    qint16 index = 0;
    bool found = false;
    const auto farthest = [&] {
        MoveRules::getFichaMasLejana(l.listaX.constData(), l.listaY.constData(), marks.constData(), used,
                                     cornerX, cornerY, index, found);
        return found;
    };
    while (farthest()) {
        marks[index] = false;
        const GamePlace from{l.listaX[index], l.listaY[index]};
        exchanges.append({from, {qint16(from.column + dx), qint16(from.row + dy)}});
    }
    return exchanges;
}

void GameSession::execute(const GameMove &move)
{
    switch (move.kind) {
    case MoveKind::None:
        return;
    case MoveKind::Mark:
    case MoveKind::Unmark:
        setMark(move.place, move.kind == MoveKind::Mark);
        reportPlacesDone();
        emit statusChanged();
        return;
    default:
        break;
    }
    Step step{move, moves(), 0};
    applyExchanges(move);
    step.movesAfter = moves();
    m_history.resize(m_position);
    m_history.append(step);
    m_position = m_history.size();
    checkCompletion();
    if (move.kind != MoveKind::Slide) {
        // A completed left release ends the press list, whatever was marked.
        std::fill_n(m_lista.marcadas.begin(), std::min<int>(m_lista.numeroEnLista, m_lista.marcadas.size()),
                    false);
        m_lista.numeroEnLista = 0;
    }
    emit statusChanged();
}

void GameSession::reportPlace(GamePlace place, quint32 rasterOp)
{
    if (m_placeListener)
        m_placeListener->placeChanged(place.column, place.row, rasterOp);
    emit placeChanged(place.column, place.row, rasterOp);
}

void GameSession::reportPlacesDone()
{
    if (m_placeListener)
        m_placeListener->placesDone();
}

void GameSession::applyExchanges(const GameMove &move)
{
    // A slide redraws the empty place's old place first; a group move each piece's new place
    // first.
    for (const Exchange &e : move.exchanges) {
        m_board.IntercambiarFichas(e.from.column, e.from.row, e.to.column, e.to.row);
        const Exchange order = move.kind == MoveKind::Slide ? e : Exchange{e.to, e.from};
        reportPlace(order.from, RasterOp::Copy);
        reportPlace(order.to, RasterOp::Copy);
    }
    // The marks an undo or a redo dropped first are drawn in the same batch.
    reportPlacesDone();
    emit piecesExchanged(move.exchanges);
}

void GameSession::setMark(GamePlace place, bool marked)
{
    MoveRules::PressList &l = m_lista;
    l.fitTo(m_board);
    m_pulsada = place;
    int entry = entryOf(l, place);
    if (entry < 0) {
        entry = l.numeroEnLista;
        if (entry >= l.listaX.size()) {
            l.listaX.resize(entry + 1);
            l.listaY.resize(entry + 1);
            l.marcadas.resize(entry + 1);
        }
        l.listaX[entry] = place.column;
        l.listaY[entry] = place.row;
        l.numeroEnLista = qint16(entry + 1);
    }
    l.marcadas[entry] = marked;
    reportPlace(place, marked ? RasterOp::InvertedCopy : RasterOp::Copy);
}

void GameSession::clearMarks()
{
    for (int i = 0; i < m_lista.numeroEnLista && i < m_lista.listaX.size(); ++i) {
        if (m_lista.marcadas[i])
            reportPlace({m_lista.listaX[i], m_lista.listaY[i]}, RasterOp::Copy);
    }
    std::fill(m_lista.marcadas.begin(), m_lista.marcadas.end(), false);
    m_lista.numeroEnLista = 0;
}

void GameSession::checkCompletion()
{
    if (m_state == GameState::Playing && m_board.NumeroDeFichasPorColocar() == 0) {
        m_state = GameState::Assembled;
        emit stateChanged(m_state);
    }
}

void GameSession::press(GamePlace place, int button, int shift)
{
    const GameMove move = interpretPress(place, button, shift);
    if (move.kind == MoveKind::None && place.isOnBoard() && m_state == GameState::Playing)
        emit statusChanged();
    execute(move);
}

void GameSession::release(GamePlace place, int button, int shift)
{
    const GameMove move = interpretRelease(place, button, shift);
    if (move.kind == MoveKind::None && !m_setup.sliding && m_state == GameState::Playing)
        emit statusChanged();
    execute(move);
}

bool GameSession::undo()
{
    if (!canUndo())
        return false;
    clearMarks();
    const Step &step = m_history.at(--m_position);
    GameMove inverse = step.move;
    std::reverse(inverse.exchanges.begin(), inverse.exchanges.end());
    applyExchanges(inverse);
    m_board.setNumeroDeMovimientos(step.movesBefore);
    if (m_state == GameState::Assembled && m_board.NumeroDeFichasPorColocar() != 0) {
        m_state = GameState::Playing;
        emit stateChanged(m_state);
    }
    emit statusChanged();
    return true;
}

bool GameSession::redo()
{
    if (!canRedo())
        return false;
    clearMarks();
    const Step &step = m_history.at(m_position++);
    applyExchanges(step.move);
    m_board.setNumeroDeMovimientos(step.movesAfter);
    checkCompletion();
    emit statusChanged();
    return true;
}

namespace
{

const char *const KindNames[] = {"none", "mark", "unmark", "swap", "group", "slide"};

QJsonArray placeToJson(GamePlace p)
{
    return {p.column, p.row};
}

std::optional<GamePlace> placeFromJson(const QJsonValue &v, const TableroClass &board)
{
    const QJsonArray a = v.toArray();
    const int column = a.at(0).toInt(-1);
    const int row = a.at(1).toInt(-1);
    if (a.size() != 2 || column < 1 || column > board.getCasillasX() || row < 1 || row > board.getCasillasY())
        return std::nullopt;
    return GamePlace{qint16(column), qint16(row)};
}

} // namespace

QJsonArray GameSession::historyToJson() const
{
    return toJson(m_history);
}

std::function<QJsonArray()> GameSession::historyToJsonLater() const
{
    // The list is shared, not copied, until the next move changes it.
    return [steps = m_history] { return toJson(steps); };
}

QJsonArray GameSession::toJson(const QVector<Step> &history)
{
    QJsonArray steps;
    for (const Step &step : history) {
        QJsonArray exchanges;
        for (const Exchange &e : step.move.exchanges)
            exchanges.append(QJsonArray{placeToJson(e.from), placeToJson(e.to)});
        steps.append(QJsonObject{{QStringLiteral("kind"), QLatin1String(KindNames[int(step.move.kind)])},
                                 {QStringLiteral("place"), placeToJson(step.move.place)},
                                 {QStringLiteral("exchanges"), exchanges},
                                 {QStringLiteral("before"), step.movesBefore},
                                 {QStringLiteral("after"), step.movesAfter}});
    }
    return steps;
}

bool GameSession::restoreKept(qint32 moves, const QJsonArray &history, int position)
{
    m_board.setNumeroDeMovimientos(std::max<qint32>(moves, 0));
    emit statusChanged();
    QVector<Step> steps;
    for (const QJsonValue &value : history) {
        const QJsonObject o = value.toObject();
        Step step;
        const QString kind = o.value(QStringLiteral("kind")).toString();
        if (kind == QLatin1String("swap"))
            step.move.kind = MoveKind::Swap;
        else if (kind == QLatin1String("group"))
            step.move.kind = MoveKind::Group;
        else if (kind == QLatin1String("slide"))
            step.move.kind = MoveKind::Slide;
        else
            return false;
        step.move.place = placeFromJson(o.value(QStringLiteral("place")), m_board).value_or(GamePlace());
        for (const QJsonValue &e : o.value(QStringLiteral("exchanges")).toArray()) {
            const auto from = placeFromJson(e.toArray().at(0), m_board);
            const auto to = placeFromJson(e.toArray().at(1), m_board);
            if (!from || !to)
                return false;
            step.move.exchanges.append({*from, *to});
        }
        step.movesBefore = o.value(QStringLiteral("before")).toInt(-1);
        step.movesAfter = o.value(QStringLiteral("after")).toInt(-1);
        if (step.move.exchanges.isEmpty() || step.movesBefore < 0 || step.movesAfter < 0)
            return false;
        steps.append(step);
    }
    if (position < 0 || position > steps.size())
        return false;
    m_history = steps;
    m_position = position;
    emit statusChanged();
    return true;
}

void GameSession::dropMarks()
{
    clearMarks();
    reportPlacesDone();
    m_pulsada = GamePlace();
    emit statusChanged();
}
