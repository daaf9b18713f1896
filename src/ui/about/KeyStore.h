#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QtGlobal>

// A small store of named values under keys, standing in for the system's registry of
// program locations. Values are typed like registry values: text (1) or a 32-bit number
// stored as four little-endian bytes (4).
class KeyStore
{
public:
    enum Root : quint32 { LocalMachine = 0x80000002 };
    enum Type : quint32 { String = 1, Dword = 4, Binary = 3 };

    void setValue(Root root, const QString &keyName, const QString &valueName, Type type,
                  const QByteArray &data);
    void setString(Root root, const QString &keyName, const QString &valueName, const QString &text);
    void setDword(Root root, const QString &keyName, const QString &valueName, quint32 number);

    // Reads a value. Text comes back as it is; a 32-bit number as its decimal text; any
    // other type leaves keyVal as it was. False, with keyVal emptied, when the key or
    // the value is missing.
    bool GetKeyValue(Root keyRoot, const QString &keyName, const QString &subKeyRef, QString &keyVal) const;

    // Fills the store the way the desktop is set up: the system-information program on
    // PATH (hardinfo, or another one) becomes the first place's "PATH".
    void seedFromSystem();

    static const QString SysInfoKey;         // holds "PATH": the tool's full path
    static const QString SysInfoLocationKey; // holds "MSINFO": the tool's folder

private:
    struct Value {
        Type type;
        QByteArray data;
    };
    static QString fullName(Root root, const QString &keyName);

    QHash<QString, QHash<QString, Value>> m_keys;
};
