#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// The objects of a compiled help file, read whole when the archive is opened. Names are
// the paths used in the help's own links ("tesselon_help.htm", "images/normal.png"), with or
// without a leading "/", compared without regard to case as in the help viewers.
//
// chmlib trusts the tables inside the file, and a damaged file can make it read or write
// out of bounds. It therefore runs in a short-lived child process that sends the objects
// back through a pipe: a damaged file costs an "open failed", never the game.
class ChmArchive
{
public:
    explicit ChmArchive(const QString &fileName);

    bool isOpen() const { return m_open; }
    QString fileName() const { return m_fileName; }

    bool contains(const QString &name) const;
    std::optional<QByteArray> read(const QString &name) const;

    // Bounds on what a file may claim; the help needs a small fraction of them.
    static constexpr quint64 maxObjectSize = 32 * 1024 * 1024;
    static constexpr quint64 maxTotalSize = 64 * 1024 * 1024;
    static constexpr int maxObjects = 4096;
    static constexpr int readTimeoutMs = 10000;

private:
    QString m_fileName;
    bool m_open = false;
    QHash<QString, QByteArray> m_objects;
};
