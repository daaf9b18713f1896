#pragma once

#include "board/GridRange.h"
#include "board/TableroClass.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QIODevice;

// The bytes of one puzzle file: a 30-byte little-endian header, the placement table
// (for each column, for each row: home column, home row) and the embedded picture
// running to the end of the file. Reading checks everything that can be checked without
// decoding the picture, so a file that passes can replace a live board as it is.
struct PzzFile {
    static constexpr qint16 Magic = 1310;
    static constexpr qint16 Version = 1;
    static constexpr int HeaderSize = 30;
    static constexpr int ExtensionSize = 6;
    // A picture part larger than this could not be decoded within the picture loader's
    // allocation limit anyway; refusing it early keeps a hostile file from filling memory.
    static constexpr qint64 MaxPictureBytes = qint64(256) * 1024 * 1024;
    static constexpr qint64 MaxFileBytes = HeaderSize + 4 * GridRange::Max * GridRange::Max + MaxPictureBytes;

    enum class Check { Ok, WrongMagic, WrongVersion, Damaged };
    // Sources of a save keep whatever magic and version they carry; the game's reader
    // refuses foreign ones.
    enum class Identity { Check, Ignore };

    qint16 magic = Magic;
    qint16 version = Version;
    qint16 reserved = 0;
    QByteArray extension = QByteArray(ExtensionSize, ' ');
    qint16 columns = 0;
    qint16 rows = 0;
    qint16 fichasX = 0;
    qint16 fichasY = 0;
    qint16 style = 0;
    qint32 reservedA = 0;
    qint32 reservedB = 0;
    // homeColumns[c][r] and homeRows[c][r] for places c = 1..columns, r = 1..rows;
    // index 0 holds 0, as the board hands its tables out.
    TableroClass::Table homeColumns;
    TableroClass::Table homeRows;
    QByteArray picture;

    // Reads and checks a whole file. On anything but Ok the fields hold whatever was read
    // so far and must not be used.
    static Check read(QIODevice &in, PzzFile &out, Identity identity = Identity::Check);
    static Check read(const QByteArray &bytes, PzzFile &out, Identity identity = Identity::Check);
    // Takes the bytes over: the picture then shares their memory instead of being copied.
    static Check read(QByteArray &&bytes, PzzFile &out, Identity identity = Identity::Check);

    bool write(QIODevice &out) const;
    QByteArray toBytes() const;
    qint64 tableSize() const { return qint64(4) * columns * rows; }

    bool sliding() const { return style != 0; }
    static qint16 styleValue(bool sliding) { return sliding ? -1 : 0; }

    // The extension field as the board keeps it: 6 characters, padding included.
    QString extensionText() const { return QString::fromLatin1(extension); }
    // A file-name extension fitted to the 6-byte field: cut or padded with spaces, with
    // characters that a file name cannot carry replaced so the field always reads back.
    static QByteArray extensionField(const QString &extension);
    static bool extensionFieldIsSafe(const QByteArray &field);

    // The header fields and the placement table alone: whether the table holds every home
    // place of a grid within the offered sizes exactly once.
    bool layoutIsValid() const;
};
