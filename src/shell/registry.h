#pragma once
// The program's configuration store in the shape of the registry the tool
// has always read: two roots, keys named with "\" separators, typed values.
//
// RegistryStore is the store itself (in memory, with its text file format);
// CRegistry is the access class the program uses, which loads the store file
// for each call and writes it back after a change.
//
// The file looks like this (one section per key, full path with its root):
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Lorvantis Sensortechnik GmbH\NVX_Ethernet]
//   "Pfad"="/home/user/nvx/"
//   "Language"="1033"
//   "Count"=dword:0000002a
//   "Blob"=hex:01,02,ff
//   "Other"=hex(2):25,00
//   @="the key's default value"
//
// Strings escape \\, \", \0 (NUL), \n, \r and \t. Key and value names are
// matched without regard to case, as the registry does.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class TestRegistry;

namespace nvx {

// Value types, numbered as the registry numbers them.
enum RegType : quint32 {
    RegNone = 0,
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
};

struct RegValue {
    quint32 type = RegNone;
    QByteArray data;   // REG_SZ: UTF-8 text; REG_DWORD: 4 bytes little-endian

    static RegValue fromString(const QString &text);
    static RegValue fromDword(quint32 number);
    static RegValue fromBinary(const QByteArray &bytes);
    QString text() const { return QString::fromUtf8(data); }
};

enum class RegRoot {
    LocalMachine,
    CurrentUser,
};

class RegistryStore {
public:
    // Reads a store file. Lines it cannot understand are skipped.
    static RegistryStore parse(const QByteArray &text);
    QByteArray serialize() const;
    // The same keys (names as written) holding the same values.
    bool operator==(const RegistryStore &other) const;

    // A missing file gives an empty store; false when a file exists and
    // cannot be read, is no regular file (a link to a device or a FIFO) or
    // is larger than StoreMaxBytes. Every value is read by parsing the whole
    // file, so its size bounds the time each read takes.
    bool load(const QString &fileName);
    // Far more than the few values the program reads.
    static constexpr qint64 StoreMaxBytes = 64 * 1024;
    // Writes the whole store (atomically), creating the folder if needed.
    bool save(const QString &fileName) const;

    bool keyExists(RegRoot root, const QString &keyName) const;
    // Creates the key and every missing key above it.
    bool createKey(RegRoot root, const QString &keyName);
    // Deletes a key that has no subkeys; false for a root, a missing key or a
    // key with subkeys.
    bool deleteKey(RegRoot root, const QString &keyName);
    // Subkey names (as stored) in the registry's order: by name, ignoring case.
    QStringList subkeys(RegRoot root, const QString &keyName) const;

    // nullopt when the key or the value is missing. The empty value name is
    // the key's default value.
    std::optional<RegValue> value(RegRoot root, const QString &keyName, const QString &valueName) const;
    // The key must exist.
    bool setValue(RegRoot root, const QString &keyName, const QString &valueName, const RegValue &value);

private:
    struct NamedValue {
        QString name;
        RegValue value;
    };
    // Keys form a tree held flat, linked by index, so that a deeply nested
    // path costs one node per part and nothing recurses over the depth.
    struct Key {
        QString name;                          // this part as written (a root's name for a root)
        qsizetype parent = -1;
        QMap<QString, qsizetype> children;     // by folded name
        QMap<QString, NamedValue> values;      // by folded name
    };

    // The key's path parts, root first; empty parts (leading, trailing or
    // doubled separators) are dropped. nullopt for a name that cannot stand
    // in the file (a line break in it).
    static std::optional<QStringList> keyParts(RegRoot root, const QString &keyName);
    static QString fold(const QString &s) { return s.toCaseFolded(); }
    // -1 when the key is missing.
    qsizetype findKey(const QStringList &parts) const;
    qsizetype findKey(RegRoot root, const QString &keyName) const;
    // Creates the key and every missing key above it; -1 for no parts.
    qsizetype ensureKey(const QStringList &parts);
    QString pathOf(qsizetype index) const;

    std::vector<Key> m_keys;            // a deleted key's slot stays, unlinked
    QMap<QString, qsizetype> m_roots;   // by folded name
};

// Where the store lives: $NVX_REGISTRY_FILE, else
// ~/.config/nvx-ethernet/registry.ini.
QString registryFileName();

class CRegistry {
public:
    // Enumeration of the subkeys of a machine key.
    QString FindFirstMachineKey(const QString &keyName);
    QString GetNextMachineKey();
    QString MachineSetting(const QString &keyName, const QString &valueName);
    void MachineSetting(const QString &keyName, const QString &valueName, const QString &value);
    bool DeleteMachineKey(const QString &keyName);
    // Reads a string value of the current user.
    QString Werte(const QString &keyName, const QString &valueName);

    // Error number of the last failed write through MachineSetting, else 0.
    quint32 ErrNumber() const { return m_errNumber; }
    static constexpr quint32 WriteFailedError = 0x80040201u;

private:
    friend class ::TestRegistry;

    bool GetDefaultString(RegRoot root, const QString &keyName, const QString &valueName, QString &text);
    bool GetStringValue(RegRoot root, const QString &keyName, const QString &valueName, QString &text);
    bool GetBinaryValue(RegRoot root, const QString &keyName, const QString &valueName, QByteArray &bytes);
    bool GetLongValue(RegRoot root, const QString &keyName, const QString &valueName, qint32 &number);
    bool DeleteKey(RegRoot root, const QString &keyName);
    bool DeleteKeyTree(RegRoot root, const QString &keyName);
    bool SetDefaultString(RegRoot root, const QString &keyName, const QString &valueName, const QString &text);
    bool SetStringValue(RegRoot root, const QString &keyName, const QString &valueName, const QString &text);
    bool SetLongValue(RegRoot root, const QString &keyName, const QString &valueName, qint32 number);
    bool SetBinaryValue(RegRoot root, const QString &keyName, const QString &valueName, const QByteArray &bytes);
    static QString StripNull(const QString &text);

    bool DeleteKeyTree(RegistryStore &store, RegRoot root, const QString &keyName);
    bool writeValue(RegRoot root, const QString &keyName, const QString &valueName, const RegValue &value);

    // The key the enumeration walks, and its index.
    std::optional<QString> m_enumKey;
    qint32 m_enumIndex = 0;
    quint32 m_errNumber = 0;
};

// The key of the program's own values under the machine root.
inline const QString ProgramKey = QStringLiteral("SOFTWARE\\Lorvantis Sensortechnik GmbH\\NVX_Ethernet\\");

} // namespace nvx
