#include "game/BestResults.h"

#include "board/GridRange.h"
#include "game/PlayClock.h"
#include "settings/ModuloIdioma.h"
#include "settings/StateFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace
{
const char *const Ctx = "BestResults";
constexpr int FileVersion = 1;
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
constexpr int ThumbnailSize = 96;

QJsonObject toJson(const BestResult &r)
{
    return {{"picture", r.picture},
            {"name", r.name},
            {"columns", r.columns},
            {"rows", r.rows},
            {"sliding", r.sliding},
            {"moves", r.moves},
            {"timeMs", double(r.timeMs)},
            {"when", r.when.toUTC().toString(Qt::ISODate)},
            {"games", r.games}};
}

bool fromJson(const QJsonValue &value, BestResult &r)
{
    const QJsonObject o = value.toObject();
    r.picture = o.value("picture").toString();
    r.name = o.value("name").toString();
    const int columns = o.value("columns").toInt(-1);
    const int rows = o.value("rows").toInt(-1);
    r.sliding = o.value("sliding").toBool();
    r.moves = o.value("moves").toInt(-1);
    const double time = o.value("timeMs").toDouble(-1);
    r.when = QDateTime::fromString(o.value("when").toString(), Qt::ISODate);
    r.games = o.value("games").toInt(-1);
    if (r.picture.size() != 64 || !GridRange::contains(columns) || !GridRange::contains(rows) ||
        r.moves < 0 || r.games < 1 || !(time >= 0 && time < 1e15) || !r.when.isValid())
        return false;
    r.columns = qint16(columns);
    r.rows = qint16(rows);
    r.timeMs = qint64(time);
    return true;
}
} // namespace

BestResults::BestResults(QString folder) : m_folder(std::move(folder)) {}

QString BestResults::filePath() const
{
    return m_folder + QStringLiteral("/results.json");
}

QString BestResults::thumbnailPath(const QString &pictureKey) const
{
    return m_folder + QStringLiteral("/thumbnails/") + pictureKey + QStringLiteral(".png");
}

QString BestResults::pictureKey(const QByteArray &pictureBytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(pictureBytes, QCryptographicHash::Sha256).toHex());
}

BestResults::Load BestResults::load()
{
    m_entries.clear();
    QFile file(filePath());
    if (!file.exists())
        return Load::Empty;
    QVector<BestResult> read;
    bool good = file.open(QIODevice::ReadOnly) && file.size() <= MaxFileBytes;
    if (good) {
        const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
        const QJsonObject root = doc.object();
        good =
            doc.isObject() && root.value("version").toInt() == FileVersion && root.value("results").isArray();
        for (const QJsonValue &v : root.value("results").toArray()) {
            BestResult r;
            good = good && fromJson(v, r);
            read.append(r);
        }
    }
    file.close();
    if (!good) {
        StateFolders::setAside(filePath());
        return Load::SetAside;
    }
    m_entries = read;
    return Load::Loaded;
}

bool BestResults::save() const
{
    QJsonArray list;
    for (const BestResult &r : m_entries)
        list.append(toJson(r));
    const QByteArray bytes = QJsonDocument(QJsonObject{{"version", FileVersion}, {"results", list}}).toJson();
    if (!QDir().mkpath(m_folder))
        return false;
    QSaveFile file(filePath());
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

BestResults::Comparison BestResults::record(const BestResult &game, const QImage &picture, bool *saved)
{
    Comparison c;
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [&](const BestResult &r) { return r.samePuzzle(game); });
    if (it == m_entries.end()) {
        m_entries.append(game);
        m_entries.last().games = 1;
    } else {
        c.first = false;
        c.previous = *it;
        const qint32 games = it->games + 1;
        if (game.betterThan(*it)) {
            c.improved = true;
            *it = game;
        }
        it->games = games;
    }
    const QString thumb = thumbnailPath(game.picture);
    if (!picture.isNull() && !QFile::exists(thumb) && QDir().mkpath(QFileInfo(thumb).path())) {
        QSaveFile file(thumb);
        if (file.open(QIODevice::WriteOnly) &&
            picture.scaled(ThumbnailSize, ThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                .save(&file, "PNG"))
            file.commit();
    }
    const bool ok = save();
    if (saved)
        *saved = ok;
    return c;
}

bool BestResults::remove(int index)
{
    if (index < 0 || index >= m_entries.size())
        return false;
    const QString key = m_entries.at(index).picture;
    m_entries.removeAt(index);
    const bool shared = std::any_of(m_entries.cbegin(), m_entries.cend(),
                                    [&](const BestResult &r) { return r.picture == key; });
    if (!shared)
        QFile::remove(thumbnailPath(key));
    return save();
}

QString BestResults::comparisonText(qint16 language, const Comparison &c, qint32 moves, qint64 timeMs)
{
    const QString now = PlayClock::format(timeMs);
    if (c.first)
        return ModuloIdioma::text(language, Ctx, "Your first result for this puzzle: %1 movements in %2.")
            .arg(moves)
            .arg(now);
    const QString before = PlayClock::format(c.previous.timeMs);
    if (c.improved)
        return ModuloIdioma::text(language, Ctx,
                                  "New best result: %1 movements in %2 (the best was %3 movements in %4).")
            .arg(moves)
            .arg(now)
            .arg(c.previous.moves)
            .arg(before);
    return ModuloIdioma::text(language, Ctx, "%1 movements in %2. The best result is %3 movements in %4.")
        .arg(moves)
        .arg(now)
        .arg(c.previous.moves)
        .arg(before);
}
