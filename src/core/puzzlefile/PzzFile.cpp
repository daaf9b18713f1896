#include "puzzlefile/PzzFile.h"

#include "io/LittleEndian.h"

#include <QBuffer>
#include <QIODevice>

#include <cstring>
#include <utility>
#include <vector>

namespace
{

constexpr auto int16At = LittleEndian::s16;
constexpr auto int32At = LittleEndian::s32;
constexpr auto putInt16 = LittleEndian::append<qint16>;
constexpr auto putInt32 = LittleEndian::append<qint32>;

qint16 tableValue(const TableroClass::Table &table, int column, int row)
{
    if (column < table.size() && row < table[column].size())
        return table[column][row];
    return 0;
}

// Magic first, then version: a foreign file is told apart from a damaged one before
// anything else is looked at.
PzzFile::Check checkIdentity(const QByteArray &bytes, PzzFile &out, PzzFile::Identity identity)
{
    const bool check = identity == PzzFile::Identity::Check;
    if (bytes.size() < 2)
        return PzzFile::Check::Damaged;
    out.magic = int16At(bytes, 0);
    if (check && out.magic != PzzFile::Magic)
        return PzzFile::Check::WrongMagic;
    if (bytes.size() < 4)
        return PzzFile::Check::Damaged;
    out.version = int16At(bytes, 2);
    if (check && out.version != PzzFile::Version)
        return PzzFile::Check::WrongVersion;
    return PzzFile::Check::Ok;
}

// Appends the rest of the device, refusing before allocating anything when it is larger
// than any sound puzzle file can be.
bool readRest(QIODevice &in, QByteArray &bytes)
{
    if (!in.isSequential()) {
        const qint64 remaining = in.size() - in.pos();
        if (remaining < 0 || bytes.size() + remaining > PzzFile::MaxFileBytes)
            return false;
        const qsizetype start = bytes.size();
        bytes.resize(start + remaining);
        return in.read(bytes.data() + start, remaining) == remaining;
    }
    constexpr qint64 chunk = 1 << 20;
    for (;;) {
        const QByteArray part = in.read(chunk);
        if (part.isEmpty())
            return true;
        if (bytes.size() + part.size() > PzzFile::MaxFileBytes)
            return false;
        bytes += part;
    }
}

} // namespace

PzzFile::Check PzzFile::read(QIODevice &in, PzzFile &out, Identity identity)
{
    QByteArray bytes = in.read(HeaderSize);
    const Check identityCheck = checkIdentity(bytes, out, identity);
    if (identityCheck != Check::Ok)
        return identityCheck;
    if (!readRest(in, bytes))
        return Check::Damaged;
    return read(std::move(bytes), out, identity);
}

PzzFile::Check PzzFile::read(const QByteArray &bytes, PzzFile &out, Identity identity)
{
    return read(QByteArray(bytes), out, identity);
}

PzzFile::Check PzzFile::read(QByteArray &&bytes, PzzFile &out, Identity identity)
{
    const Check identityCheck = checkIdentity(bytes, out, identity);
    if (identityCheck != Check::Ok)
        return identityCheck;
    if (bytes.size() < HeaderSize || bytes.size() > MaxFileBytes)
        return Check::Damaged;

    out.reserved = int16At(bytes, 4);
    out.extension = bytes.mid(6, ExtensionSize);
    out.columns = int16At(bytes, 12);
    out.rows = int16At(bytes, 14);
    out.fichasX = int16At(bytes, 16);
    out.fichasY = int16At(bytes, 18);
    out.style = int16At(bytes, 20);
    out.reservedA = int32At(bytes, 22);
    out.reservedB = int32At(bytes, 26);
    if (!GridRange::contains(out.columns) || !GridRange::contains(out.rows))
        return Check::Damaged;

    const qsizetype pictureStart = HeaderSize + out.tableSize();
    if (bytes.size() <= pictureStart)
        return Check::Damaged;
    out.homeColumns = TableroClass::Table(out.columns + 1, QVector<qint16>(out.rows + 1, 0));
    out.homeRows = out.homeColumns;
    int offset = HeaderSize;
    for (int c = 1; c <= out.columns; ++c) {
        for (int r = 1; r <= out.rows; ++r) {
            out.homeColumns[c][r] = int16At(bytes, offset);
            out.homeRows[c][r] = int16At(bytes, offset + 2);
            offset += 4;
        }
    }
    if (!out.layoutIsValid() || !extensionFieldIsSafe(out.extension))
        return Check::Damaged;

    // Dropping the front of an array nobody else holds moves its start instead of copying
    // the picture, which may be tens of megabytes.
    out.picture = std::move(bytes);
    out.picture.remove(0, pictureStart);
    return Check::Ok;
}

bool PzzFile::layoutIsValid() const
{
    if (!GridRange::contains(columns) || !GridRange::contains(rows))
        return false;
    if (fichasX != columns || fichasY != rows)
        return false;
    std::vector<bool> seen(size_t(columns) * size_t(rows), false);
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            const int homeColumn = tableValue(homeColumns, c, r);
            const int homeRow = tableValue(homeRows, c, r);
            if (homeColumn < 1 || homeColumn > columns || homeRow < 1 || homeRow > rows)
                return false;
            const size_t index = size_t(homeColumn - 1) * size_t(rows) + size_t(homeRow - 1);
            if (seen[index])
                return false;
            seen[index] = true;
        }
    }
    return true;
}

bool PzzFile::write(QIODevice &out) const
{
    QByteArray head(HeaderSize, '\0');
    char *at = head.data();
    putInt16(at, magic);
    putInt16(at, version);
    putInt16(at, reserved);
    const QByteArray field = extension.left(ExtensionSize).leftJustified(ExtensionSize, ' ');
    memcpy(at, field.constData(), ExtensionSize);
    at += ExtensionSize;
    putInt16(at, columns);
    putInt16(at, rows);
    putInt16(at, fichasX);
    putInt16(at, fichasY);
    putInt16(at, style);
    putInt32(at, reservedA);
    putInt32(at, reservedB);

    QByteArray table(tableSize() > 0 ? tableSize() : 0, '\0');
    at = table.data();
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            putInt16(at, tableValue(homeColumns, c, r));
            putInt16(at, tableValue(homeRows, c, r));
        }
    }

    return out.write(head) == head.size() && out.write(table) == table.size() &&
           out.write(picture) == picture.size();
}

QByteArray PzzFile::toBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return bytes;
}

QByteArray PzzFile::extensionField(const QString &extension)
{
    QByteArray field = extension.left(ExtensionSize).leftJustified(ExtensionSize, ' ').toLatin1();
    for (char &byte : field) {
        const uchar b = uchar(byte);
        if (b < 0x20 || b == 0x7F || b == '/')
            byte = '_';
    }
    return field;
}

bool PzzFile::extensionFieldIsSafe(const QByteArray &field)
{
    if (field.size() != ExtensionSize)
        return false;
    for (const char byte : field) {
        const uchar b = uchar(byte);
        if (b < 0x20 || b == 0x7F || b == '/')
            return false;
    }
    return true;
}
