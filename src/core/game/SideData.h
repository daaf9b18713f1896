#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// What a puzzle file cannot hold about a game in progress: the movement count, the play
// time, the undo and redo history and where the game came from. It names the exact
// puzzle-file bytes it belongs to, so it is never applied to another board.
struct SideData {
    static constexpr int Version = 1;

    QByteArray pzzSha256; // hex
    qint32 moves = 0;
    qint64 timeMs = 0;
    QString origin;
    QString name;
    // 0 while the board is fitted to the window.
    double zoom = 0;
    // The session's moves, oldest first, and how many of them are applied.
    QJsonArray history;
    int historyPosition = 0;

    QByteArray toBytes() const;
    // Nothing for bytes that are not a side file of this version or hold impossible values.
    static std::optional<SideData> fromBytes(const QByteArray &bytes);
    static QByteArray hashOf(const QByteArray &pzzBytes);
};
