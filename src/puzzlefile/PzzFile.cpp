#include "puzzlefile/PzzFile.h"

#include <QBuffer>
#include <QIODevice>
#include <QtEndian>

#include <cstring>
#include <vector>

namespace
{

qint16 int16At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint16>(bytes.constData() + offset);
}

qint32 int32At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

void putInt16(char *&at, qint16 value)
{
    qToLittleEndian<qint16>(value, at);
    at += 2;
}

void putInt32(char *&at, qint32 value)
{
    qToLittleEndian<qint32>(value, at);
    at += 4;
}

qint16 tableValue(const TableroClass::Table &table, int column, int row)
{
    if (column < table.size() && row < table[column].size())
        return table[column][row];
    return 0;
}

// Reads the rest of the device as the picture, refusing it before allocating when it is
// larger than any picture the game could decode.
bool readPicture(QIODevice &in, QByteArray &picture)
{
    picture.clear();
    if (!in.isSequential()) {
        const qint64 remaining = in.size() - in.pos();
        if (remaining <= 0 || remaining > PzzFile::MaxPictureBytes)
            return false;
        picture.resize(remaining);
        return in.read(picture.data(), remaining) == remaining;
    }
    constexpr qint64 chunk = 1 << 20;
    for (;;) {
        const QByteArray part = in.read(chunk);
        if (part.isEmpty())
            break;
        if (picture.size() + part.size() > PzzFile::MaxPictureBytes)
            return false;
        picture += part;
    }
    return !picture.isEmpty();
}

} // namespace

PzzFile::Check PzzFile::read(QIODevice &in, PzzFile &out, Identity identity)
{
    const QByteArray header = in.read(HeaderSize);
    if (header.size() < 2)
        return Check::Damaged;
    out.magic = int16At(header, 0);
    if (identity == Identity::Check && out.magic != Magic)
        return Check::WrongMagic;
    if (header.size() < 4)
        return Check::Damaged;
    out.version = int16At(header, 2);
    if (identity == Identity::Check && out.version != Version)
        return Check::WrongVersion;
    if (header.size() < HeaderSize)
        return Check::Damaged;

    out.reserved = int16At(header, 4);
    out.extension = header.mid(6, ExtensionSize);
    out.columns = int16At(header, 12);
    out.rows = int16At(header, 14);
    out.fichasX = int16At(header, 16);
    out.fichasY = int16At(header, 18);
    out.style = int16At(header, 20);
    out.reservedA = int32At(header, 22);
    out.reservedB = int32At(header, 26);
    if (out.columns < MinCount || out.columns > MaxCount || out.rows < MinCount || out.rows > MaxCount)
        return Check::Damaged;

    const QByteArray table = in.read(out.tableSize());
    if (table.size() != out.tableSize())
        return Check::Damaged;
    out.homeColumns = TableroClass::Table(out.columns + 1, QVector<qint16>(out.rows + 1, 0));
    out.homeRows = out.homeColumns;
    int offset = 0;
    for (int c = 1; c <= out.columns; ++c) {
        for (int r = 1; r <= out.rows; ++r) {
            out.homeColumns[c][r] = int16At(table, offset);
            out.homeRows[c][r] = int16At(table, offset + 2);
            offset += 4;
        }
    }
    if (!out.layoutIsValid() || !extensionFieldIsSafe(out.extension))
        return Check::Damaged;

    if (!readPicture(in, out.picture))
        return Check::Damaged;
    return Check::Ok;
}

PzzFile::Check PzzFile::read(const QByteArray &bytes, PzzFile &out, Identity identity)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer, out, identity);
}

bool PzzFile::layoutIsValid() const
{
    if (columns < MinCount || columns > MaxCount || rows < MinCount || rows > MaxCount)
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
