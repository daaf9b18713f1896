#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QVector>
#include <QtGlobal>

// The best game of each puzzle the player has finished: one entry per picture (a hash of
// its bytes), grid and style, kept as JSON with a small thumbnail per picture.
struct BestResult {
    QString picture;
    QString name;
    qint16 columns = 0;
    qint16 rows = 0;
    bool sliding = false;
    qint32 moves = 0;
    qint64 timeMs = 0;
    QDateTime when;
    qint32 games = 1;

    bool samePuzzle(const BestResult &o) const
    {
        return picture == o.picture && columns == o.columns && rows == o.rows && sliding == o.sliding;
    }
    // Fewer moves wins; the time breaks a tie.
    bool betterThan(const BestResult &o) const
    {
        return moves != o.moves ? moves < o.moves : timeMs < o.timeMs;
    }
};

class BestResults
{
public:
    explicit BestResults(QString folder);

    enum class Load { Empty, Loaded, SetAside };
    // A file that is truncated, garbage or from a newer version is set aside (renamed,
    // never deleted) and the list starts empty.
    Load load();

    struct Comparison {
        bool first = true;
        bool improved = false;
        BestResult previous; // the best before this game, when there was one
    };
    // Counts a finished game, keeps it when it beats the best one, stores the picture's
    // thumbnail once, and writes the file. A failed write leaves the list in memory and
    // answers false in saved.
    Comparison record(const BestResult &game, const QImage &picture, bool *saved = nullptr);

    const QVector<BestResult> &entries() const { return m_entries; }
    bool remove(int index);
    QString thumbnailPath(const QString &pictureKey) const;
    QString filePath() const;

    static QString pictureKey(const QByteArray &pictureBytes);
    // What the completion tells the player, in the given language.
    static QString comparisonText(qint16 language, const Comparison &c, qint32 moves, qint64 timeMs);

private:
    bool save() const;

    QString m_folder;
    QVector<BestResult> m_entries;
};
