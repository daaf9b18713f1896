#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

#include <cstdint>
#include <optional>
#include <vector>

// The model of one puzzle: a grid of places and, for every place, the home of the piece
// lying there now. It shuffles new puzzles in both styles, exchanges pieces, counts the
// exchanges as moves and hands its arrangement to the puzzle files and back. It knows
// nothing of pictures or windows.
class TableroClass
{
public:
    // Tables of getBoard/setBoard: table[column][row], both from 0, index 0 unused (0).
    using Table = QVector<QVector<qint16>>;

    qint16 getCasillasX() const { return casillasX; }
    qint16 getCasillasY() const { return casillasY; }

    // Starts a new puzzle; with desordenar it is shuffled, in the sliding style when
    // sliding is true. Throws RunTimeError(6) when the shuffle length or the piece count
    // overflows 16 bits, RunTimeError(9) for counts below 1 or second counts beyond the
    // grid; the board is unchanged then.
    void Inicializar(qint16 aCasillasX, qint16 aCasillasY, qint16 aFichasX, qint16 aFichasY,
                     const QString &aExtension, bool desordenar, bool sliding);

    // Exchanges the pieces of two places and counts one move. Throws RunTimeError(9)
    // for a place outside the table and changes nothing then.
    void IntercambiarFichas(qint16 x1, qint16 y1, qint16 x2, qint16 y2);

    qint32 getNumeroDeMovimientos() const { return numeroDeMovimientos; }
    // An undone move gives its count back.
    void setNumeroDeMovimientos(qint32 moves) { numeroDeMovimientos = moves; }

    // Home of the piece lying on the given place. Throws RunTimeError(9) outside the table.
    void getCasilla(qint16 xCasillaDestino, qint16 yCasillaDestino, qint16 &xCasillaOrigen,
                    qint16 &yCasillaOrigen) const;

    qint16 NumeroDeFichasPorColocar() const;

    bool getBoard(Table &aBoardX, Table &aBoardY, qint16 &aCasillasX, qint16 &aCasillasY, qint16 &aFichasX,
                  qint16 &aFichasY) const;
    // Refuses (false, board unchanged) counts below 1, a grid of more than 32767 places,
    // second counts outside 0 … the grid, tables too short for the counts, and tables that
    // are not a permutation of the grid's home places. Leaves the move count alone.
    bool setBoard(const Table &aBoardX, const Table &aBoardY, qint16 aCasillasX, qint16 aCasillasY,
                  qint16 aFichasX, qint16 aFichasY, const QString &aExtension);

    QString getExtension() const { return extension; }

    // Tests fix the shuffle; without a seed each shuffle seeds itself from the clock.
    void setSeed(std::optional<std::uint64_t> seed) { m_seed = seed; }

    // Shuffle rounds (swap style) or walk steps (sliding style) of the last shuffle,
    // and the first step the walk took; tests read them.
    int lastShuffleRounds() const { return m_lastShuffleRounds; }
    int lastWalkFirstDx() const { return m_lastWalkFirstDx; }
    int lastWalkFirstDy() const { return m_lastWalkFirstDy; }

    static QString fitExtension(const QString &extension);

private:
    struct Cell {
        qint16 x = 0;
        qint16 y = 0;
    };

    Cell &cell(int x, int y) { return casillas[x * (casillasY + 1) + y]; }
    const Cell &cell(int x, int y) const { return casillas[x * (casillasY + 1) + y]; }
    bool indexes(int x, int y) const;
    static bool gridFits(qint16 aCasillasX, qint16 aCasillasY, qint16 aFichasX, qint16 aFichasY);
    void shuffleBySwaps(qint16 rounds, std::uint64_t seed);
    void shuffleBySliding(qint16 steps, std::uint64_t seed);
    std::uint64_t shuffleSeed() const;

    qint16 casillasX = 0;
    qint16 casillasY = 0;
    qint16 fichasX = 0;
    qint16 fichasY = 0;
    qint32 numeroDeMovimientos = 0;
    QString extension;
    std::vector<Cell> casillas; // (casillasX + 1) × (casillasY + 1), column-major

    std::optional<std::uint64_t> m_seed;
    int m_lastShuffleRounds = 0;
    int m_lastWalkFirstDx = 0;
    int m_lastWalkFirstDy = 0;
};
