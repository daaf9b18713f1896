#include "game/SideData.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
constexpr qint64 MaxSideBytes = 64 * 1024 * 1024;
}

QByteArray SideData::hashOf(const QByteArray &pzzBytes)
{
    return QCryptographicHash::hash(pzzBytes, QCryptographicHash::Sha256).toHex();
}

QByteArray SideData::toBytes() const
{
    const QJsonObject o{{"version", Version},
                        {"pzz", QString::fromLatin1(pzzSha256)},
                        {"moves", moves},
                        {"timeMs", double(timeMs)},
                        {"origin", origin},
                        {"name", name},
                        {"zoom", zoom},
                        {"history", history},
                        {"position", historyPosition}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<SideData> SideData::fromBytes(const QByteArray &bytes)
{
    if (bytes.size() > MaxSideBytes)
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes);
    const QJsonObject o = doc.object();
    if (!doc.isObject() || o.value("version").toInt() != Version)
        return std::nullopt;
    SideData s;
    s.pzzSha256 = o.value("pzz").toString().toLatin1();
    s.moves = o.value("moves").toInt(-1);
    const double time = o.value("timeMs").toDouble(-1);
    s.origin = o.value("origin").toString();
    s.name = o.value("name").toString();
    s.zoom = o.value("zoom").toDouble(-1);
    s.history = o.value("history").toArray();
    s.historyPosition = o.value("position").toInt(-1);
    if (s.pzzSha256.size() != 64 || s.moves < 0 || !(time >= 0 && time < 1e15) ||
        !(s.zoom >= 0 && s.zoom < 1e6) || s.historyPosition < 0 || s.historyPosition > s.history.size())
        return std::nullopt;
    s.timeMs = qint64(time);
    return s;
}
