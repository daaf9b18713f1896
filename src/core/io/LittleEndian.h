#pragma once

#include <QByteArray>
#include <QtEndian>

// Reads fixed-size integers out of a byte buffer; callers check the bounds first.
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

} // namespace LittleEndian
