#pragma once

#include <QByteArray>
#include <QtEndian>

// Reads and writes fixed-size integers in a byte buffer; callers check the bounds first.
namespace LittleEndian
{

inline quint8 u8(const QByteArray &bytes, qsizetype offset)
{
    return quint8(bytes.constData()[offset]);
}
inline quint16 u16(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}
inline qint16 s16(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<qint16>(bytes.constData() + offset);
}
inline quint32 u32(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}
inline qint32 s32(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}
inline quint16 u16be(const QByteArray &bytes, qsizetype offset)
{
    return qFromBigEndian<quint16>(bytes.constData() + offset);
}
inline quint32 u32be(const QByteArray &bytes, qsizetype offset)
{
    return qFromBigEndian<quint32>(bytes.constData() + offset);
}

// Writes the value over the bytes at offset, which must already exist.
template <typename T> void put(QByteArray &bytes, qsizetype offset, T value)
{
    qToLittleEndian<T>(value, bytes.data() + offset);
}

// Writes the value at the cursor and moves the cursor past it.
template <typename T> void append(char *&at, T value)
{
    qToLittleEndian<T>(value, at);
    at += sizeof(T);
}

} // namespace LittleEndian
