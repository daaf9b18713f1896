#include "about/KeyStore.h"

#include <QStandardPaths>
#include <QtEndian>

const QString KeyStore::SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString KeyStore::SysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

QString KeyStore::fullName(Root root, const QString &keyName)
{
    // Registry key names ignore case.
    return QString::number(quint32(root), 16) + QLatin1Char('\\') + keyName.toLower();
}

void KeyStore::setValue(Root root, const QString &keyName, const QString &valueName, Type type,
                        const QByteArray &data)
{
    m_keys[fullName(root, keyName)].insert(valueName.toLower(), Value{type, data});
}

void KeyStore::setString(Root root, const QString &keyName, const QString &valueName, const QString &text)
{
    // Stored the way the registry keeps text: with its final NUL.
    setValue(root, keyName, valueName, String, text.toLocal8Bit() + '\0');
}

void KeyStore::setDword(Root root, const QString &keyName, const QString &valueName, quint32 number)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(number, bytes.data());
    setValue(root, keyName, valueName, Dword, bytes);
}

bool KeyStore::GetKeyValue(Root keyRoot, const QString &keyName, const QString &subKeyRef,
                           QString &keyVal) const
{
    const auto key = m_keys.constFind(fullName(keyRoot, keyName));
    if (key == m_keys.constEnd()) {
        keyVal.clear();
        return false;
    }
    const auto value = key->constFind(subKeyRef.toLower());
    if (value == key->constEnd()) {
        keyVal.clear();
        return false;
    }
    // The read buffer holds 1024 characters, and a final NUL is not part of the value.
    QByteArray data = value->data.left(1024);
    if (data.endsWith('\0'))
        data.chop(1);
    switch (value->type) {
    case String:
        keyVal = QString::fromLocal8Bit(data);
        break;
    case Dword: {
        // The bytes from the last to the first, two hex digits each, read as one number.
        QString hex;
        for (int i = data.size() - 1; i >= 0; --i)
            hex += QStringLiteral("%1").arg(quint8(data.at(i)), 2, 16, QLatin1Char('0'));
        bool ok = false;
        const quint32 number = hex.toUInt(&ok, 16);
        keyVal = ok ? QString::number(qint32(number)) : QString();
        break;
    }
    default:
        break;
    }
    return true;
}

void KeyStore::seedFromSystem()
{
    for (const char *program : {"hardinfo", "hardinfo2", "gnome-system-monitor", "kinfocenter"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!path.isEmpty()) {
            setString(LocalMachine, SysInfoKey, QStringLiteral("PATH"), path);
            return;
        }
    }
}
