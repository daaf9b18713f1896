#include "board/TableroClass.h"

#include "io/RunTimeError.h"

#include <chrono>
#include <limits>
#include <random>

namespace
{

[[noreturn]] void throwSubscript()
{
    throw RunTimeError(RunTimeError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}

[[noreturn]] void throwOverflow()
{
    throw RunTimeError(RunTimeError::Overflow, QStringLiteral("Overflow"));
}

// Shuffle lengths and piece counts are 16-bit quantities; a result that does not fit is an
// overflow, never a silently wrapped value.
qint16 checked16(int value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throwOverflow();
    return qint16(value);
}

// The top 53 bits of one draw scaled into [0, 1): every value a double can hold at that
// spacing, equally likely, and 1 never reached. The library's generate_canonical gives the
// same numbers but works out a long-double logarithm on every call, which alone takes more
// time than the whole walk may.
double uniform01(std::mt19937_64 &rng)
{
    return double(rng() >> 11) * 0x1.0p-53;
}

// The place ⌊count × r⌋ + 1 of a uniform draw r in [0, 1). The product is never negative,
// so truncation is the floor, without a call into the maths library.
int placeFrom(qint16 count, double r)
{
    return int(count * r) + 1;
}

// The step ⌊3r − 1⌋ (−1, 0 or +1, each with the same chance) of the draw r that uniform01
// would make of the same output, worked out exactly in integers.
int stepFrom(std::uint64_t draw)
{
    return int(((draw >> 11) * 3) >> 53) - 1;
}

} // namespace

bool TableroClass::indexes(int x, int y) const
{
    return !casillas.empty() && x >= 0 && x <= casillasX && y >= 0 && y <= casillasY;
}

// A grid is kept only when its pieces can be counted in 16 bits and the second counts stay
// inside it, so that counting placed pieces never reads beyond the table.
bool TableroClass::gridFits(qint16 aCasillasX, qint16 aCasillasY, qint16 aFichasX, qint16 aFichasY)
{
    if (aCasillasX < 1 || aCasillasY < 1)
        return false;
    if (int(aCasillasX) * int(aCasillasY) > std::numeric_limits<qint16>::max())
        return false;
    return aFichasX >= 0 && aFichasX <= aCasillasX && aFichasY >= 0 && aFichasY <= aCasillasY;
}

QString TableroClass::fitExtension(const QString &extension)
{
    return extension.leftJustified(6, QLatin1Char(' '), true);
}

void TableroClass::Inicializar(qint16 aCasillasX, qint16 aCasillasY, qint16 aFichasX, qint16 aFichasY,
                               const QString &aExtension, bool desordenar, bool sliding)
{
    if (aCasillasX < 1 || aCasillasY < 1 || aFichasX < 0 || aFichasY < 0 || aFichasX > aCasillasX ||
        aFichasY > aCasillasY)
        throwSubscript();
    if (!gridFits(aCasillasX, aCasillasY, aFichasX, aFichasY))
        throwOverflow();

    // The shuffle length is worked out before anything changes, so an overflow leaves the
    // previous puzzle intact.
    qint16 length = 0;
    if (desordenar) {
        const int perPiece = sliding ? 25 : 5;
        length = checked16(checked16(checked16(int(aFichasX) * aFichasY) * perPiece) + 50);
    }

    casillasX = aCasillasX;
    casillasY = aCasillasY;
    fichasX = aFichasX;
    fichasY = aFichasY;
    extension = fitExtension(aExtension);
    casillas.assign(std::size_t(casillasX + 1) * std::size_t(casillasY + 1), Cell());
    for (qint16 x = 1; x <= casillasX; ++x) {
        for (qint16 y = 1; y <= casillasY; ++y)
            cell(x, y) = Cell{x, y};
    }

    numeroDeMovimientos = 0;
    m_lastShuffleRounds = 0;
    m_lastWalkFirstDx = 0;
    m_lastWalkFirstDy = 0;
    if (desordenar) {
        const std::uint64_t seed = shuffleSeed();
        if (sliding)
            shuffleBySliding(length, seed);
        else
            shuffleBySwaps(length, seed);
    }
    numeroDeMovimientos = 0;
}

std::uint64_t TableroClass::shuffleSeed() const
{
    if (m_seed)
        return *m_seed;
    return std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
}

void TableroClass::shuffleBySwaps(qint16 rounds, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    for (int round = 0; round < rounds; ++round) {
        const double r1 = uniform01(rng);
        const double r2 = uniform01(rng);
        const double r3 = uniform01(rng);
        const double r4 = uniform01(rng);
        Cell &a = cell(placeFrom(casillasX, r1), placeFrom(casillasY, r3));
        Cell &b = cell(placeFrom(casillasX, r2), placeFrom(casillasY, r4));
        std::swap(a, b);
    }
    m_lastShuffleRounds = rounds > 0 ? rounds : 0;
}

void TableroClass::shuffleBySliding(qint16 steps, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    int ex = casillasX;
    int ey = casillasY;
    int taken = 0;
    for (int i = 1; i < steps;) {
        const int dx = stepFrom(rng());
        const int dy = stepFrom(rng());
        // Diagonal and out-of-grid draws are tried again; testing them all at once leaves
        // the processor one unpredictable branch per draw instead of five.
        const bool rejected =
            (dx * dy != 0) | (ex + dx > casillasX) | (ex + dx < 1) | (ey + dy > casillasY) | (ey + dy < 1);
        if (rejected)
            continue;
        if (taken == 0) {
            m_lastWalkFirstDx = dx;
            m_lastWalkFirstDy = dy;
        }
        IntercambiarFichas(qint16(ex), qint16(ey), qint16(ex + dx), qint16(ey + dy));
        ex += dx;
        ey += dy;
        ++taken;
        ++i;
    }
    m_lastShuffleRounds = taken;
}

void TableroClass::IntercambiarFichas(qint16 x1, qint16 y1, qint16 x2, qint16 y2)
{
    if (!indexes(x1, y1) || !indexes(x2, y2))
        throwSubscript();
    if (numeroDeMovimientos == std::numeric_limits<qint32>::max())
        throwOverflow();
    std::swap(cell(x1, y1), cell(x2, y2));
    ++numeroDeMovimientos;
}

void TableroClass::getCasilla(qint16 xCasillaDestino, qint16 yCasillaDestino, qint16 &xCasillaOrigen,
                              qint16 &yCasillaOrigen) const
{
    if (!indexes(xCasillaDestino, yCasillaDestino))
        throwSubscript();
    const Cell &c = cell(xCasillaDestino, yCasillaDestino);
    xCasillaOrigen = c.x;
    yCasillaOrigen = c.y;
}

qint16 TableroClass::NumeroDeFichasPorColocar() const
{
    if (casillas.empty())
        return 0;
    int placed = 0;
    for (qint16 i = 1; i <= fichasX && i <= casillasX; ++i) {
        for (qint16 j = 1; j <= fichasY && j <= casillasY; ++j) {
            const Cell &c = cell(i, j);
            if (c.x == i && c.y == j)
                ++placed;
        }
    }
    return checked16(int(fichasX) * fichasY - placed);
}

bool TableroClass::getBoard(Table &aBoardX, Table &aBoardY, qint16 &aCasillasX, qint16 &aCasillasY,
                            qint16 &aFichasX, qint16 &aFichasY) const
{
    if (casillasX < 1 || casillasY < 1 || casillas.empty())
        return false;
    aBoardX = Table(casillasX + 1, QVector<qint16>(casillasY + 1, 0));
    aBoardY = aBoardX;
    for (qint16 i = 1; i <= casillasX; ++i) {
        for (qint16 j = 1; j <= casillasY; ++j) {
            aBoardX[i][j] = cell(i, j).x;
            aBoardY[i][j] = cell(i, j).y;
        }
    }
    aCasillasX = casillasX;
    aCasillasY = casillasY;
    aFichasX = fichasX;
    aFichasY = fichasY;
    return true;
}

bool TableroClass::setBoard(const Table &aBoardX, const Table &aBoardY, qint16 aCasillasX, qint16 aCasillasY,
                            qint16 aFichasX, qint16 aFichasY, const QString &aExtension)
{
    if (!gridFits(aCasillasX, aCasillasY, aFichasX, aFichasY))
        return false;
    if (aBoardX.size() <= aCasillasX || aBoardY.size() <= aCasillasX)
        return false;
    for (qint16 i = 1; i <= aCasillasX; ++i) {
        if (aBoardX[i].size() <= aCasillasY || aBoardY[i].size() <= aCasillasY)
            return false;
    }

    // Tables come from files written elsewhere; only a permutation of the grid's own homes
    // can be drawn, played and finished, so anything else leaves the board as it was.
    QVector<bool> seen(aCasillasX * aCasillasY, false);
    for (qint16 i = 1; i <= aCasillasX; ++i) {
        for (qint16 j = 1; j <= aCasillasY; ++j) {
            const qint16 hx = aBoardX[i][j];
            const qint16 hy = aBoardY[i][j];
            if (hx < 1 || hx > aCasillasX || hy < 1 || hy > aCasillasY)
                return false;
            const int home = (hx - 1) * aCasillasY + (hy - 1);
            if (seen[home])
                return false;
            seen[home] = true;
        }
    }

    casillasX = aCasillasX;
    casillasY = aCasillasY;
    fichasX = aFichasX;
    fichasY = aFichasY;
    casillas.assign(std::size_t(casillasX + 1) * std::size_t(casillasY + 1), Cell());
    for (qint16 i = 1; i <= casillasX; ++i) {
        for (qint16 j = 1; j <= casillasY; ++j)
            cell(i, j) = Cell{aBoardX[i][j], aBoardY[i][j]};
    }
    extension = fitExtension(aExtension);
    return true;
}
