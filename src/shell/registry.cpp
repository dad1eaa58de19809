#include "shell/registry.h"
#include "shell/smallfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <limits>

namespace nvx {

namespace {

const QString MachineRootName = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString UserRootName = QStringLiteral("HKEY_CURRENT_USER");
const QChar Separator = QLatin1Char('\\');

QString rootName(RegRoot root)
{
    return root == RegRoot::LocalMachine ? MachineRootName : UserRootName;
}

// The root part of a section header, with the short forms regedit users know.
QString canonicalRoot(const QString &name)
{
    if (name.compare(QLatin1String("HKEY_LOCAL_MACHINE"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("HKLM"), Qt::CaseInsensitive) == 0)
        return MachineRootName;
    if (name.compare(QLatin1String("HKEY_CURRENT_USER"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("HKCU"), Qt::CaseInsensitive) == 0)
        return UserRootName;
    return name;
}

QStringList pathParts(const QString &path)
{
    return path.split(Separator, Qt::SkipEmptyParts);
}

// ---- the text of the file ----------------------------------------------------

QString quote(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '"': out += QLatin1String("\\\""); break;
        case 0: out += QLatin1String("\\0"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

// Reads a quoted text starting at `pos` (on the opening quote); on success
// moves `pos` past the closing quote. An unknown escape keeps its backslash,
// so a hand-written Windows path such as "C:\Daten" survives.
std::optional<QString> unquote(const QString &line, qsizetype &pos)
{
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return std::nullopt;
    QString out;
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            pos = i + 1;
            return out;
        }
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            const QChar n = line[++i];
            switch (n.unicode()) {
            case '\\': out += QLatin1Char('\\'); break;
            case '"': out += QLatin1Char('"'); break;
            case '0': out += QChar(0); break;
            case 'n': out += QLatin1Char('\n'); break;
            case 'r': out += QLatin1Char('\r'); break;
            case 't': out += QLatin1Char('\t'); break;
            default: out += QLatin1Char('\\'); out += n;
            }
            continue;
        }
        out += c;
    }
    return std::nullopt;   // no closing quote
}

std::optional<QByteArray> parseHexBytes(QStringView text)
{
    QByteArray bytes;
    const QString cleaned = text.toString().remove(QLatin1Char('\\')).simplified().remove(QLatin1Char(' '));
    if (cleaned.isEmpty())
        return bytes;
    for (const QString &part : cleaned.split(QLatin1Char(','))) {
        bool ok = false;
        const uint b = part.toUInt(&ok, 16);
        if (!ok || part.size() > 2 || b > 0xFF)
            return std::nullopt;
        bytes.append(static_cast<char>(b));
    }
    return bytes;
}

QString hexBytes(const QByteArray &bytes)
{
    QStringList parts;
    parts.reserve(bytes.size());
    for (char b : bytes)
        parts << QStringLiteral("%1").arg(static_cast<uchar>(b), 2, 16, QLatin1Char('0'));
    return parts.join(QLatin1Char(','));
}

std::optional<RegValue> parseData(const QString &data)
{
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        const auto text = unquote(data, pos);
        if (!text)
            return std::nullopt;
        return RegValue::fromString(*text);
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QString digits = data.mid(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        return RegValue::fromDword(number);
    }
    if (data.startsWith(QLatin1String("hex:"), Qt::CaseInsensitive)) {
        const auto bytes = parseHexBytes(QStringView(data).mid(4));
        if (!bytes)
            return std::nullopt;
        return RegValue::fromBinary(*bytes);
    }
    if (data.startsWith(QLatin1String("hex("), Qt::CaseInsensitive)) {
        const qsizetype close = data.indexOf(QLatin1String("):"));
        if (close < 0)
            return std::nullopt;
        bool ok = false;
        const uint type = data.mid(4, close - 4).toUInt(&ok, 16);
        const auto bytes = parseHexBytes(QStringView(data).mid(close + 2));
        if (!ok || !bytes)
            return std::nullopt;
        RegValue v;
        v.type = type;
        v.data = *bytes;
        return v;
    }
    return std::nullopt;
}

QString dataText(const RegValue &v)
{
    // A string that is not UTF-8 would come back changed: its bytes are kept.
    if (v.type == RegSz && v.text().toUtf8() == v.data)
        return quote(v.text());
    if (v.type == RegDword && v.data.size() == 4)
        return QStringLiteral("dword:%1").arg(qFromLittleEndian<quint32>(v.data.constData()), 8, 16, QLatin1Char('0'));
    if (v.type == RegBinary)
        return QLatin1String("hex:") + hexBytes(v.data);
    return QStringLiteral("hex(%1):").arg(v.type, 0, 16) + hexBytes(v.data);
}

// The leading decimal number of a text, as the old Val() read it: blanks,
// a sign, digits with an optional fraction and exponent; 0 when none.
double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) { ++i; ++digits; }
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) { ++i; ++digits; }
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        qsizetype expDigits = 0;
        while (j < text.size() && text[j].isDigit() && text[j].unicode() < 128) { ++j; ++expDigits; }
        if (expDigits > 0)
            end = j;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    return ok ? value : 0.0;
}

// Opens the store for one call. A store file that exists but cannot be read
// is never written over.
std::optional<RegistryStore> openStore()
{
    RegistryStore store;
    if (!store.load(registryFileName()))
        return std::nullopt;
    return store;
}

} // namespace

// ---- RegValue ------------------------------------------------------------------

RegValue RegValue::fromString(const QString &text)
{
    return {RegSz, text.toUtf8()};
}

RegValue RegValue::fromDword(quint32 number)
{
    QByteArray data(4, '\0');
    qToLittleEndian(number, data.data());
    return {RegDword, data};
}

RegValue RegValue::fromBinary(const QByteArray &bytes)
{
    return {RegBinary, bytes};
}

// ---- RegistryStore ----------------------------------------------------------------

std::optional<QStringList> RegistryStore::keyParts(RegRoot root, const QString &keyName)
{
    if (keyName.contains(QLatin1Char('\n')) || keyName.contains(QLatin1Char('\r')))
        return std::nullopt;
    QStringList parts = pathParts(keyName);
    parts.prepend(rootName(root));
    return parts;
}

qsizetype RegistryStore::findKey(const QStringList &parts) const
{
    if (parts.isEmpty())
        return -1;
    qsizetype index = m_roots.value(fold(parts.first()), -1);
    for (qsizetype i = 1; i < parts.size() && index >= 0; ++i)
        index = m_keys[index].children.value(fold(parts[i]), -1);
    return index;
}

qsizetype RegistryStore::findKey(RegRoot root, const QString &keyName) const
{
    const auto parts = keyParts(root, keyName);
    return parts ? findKey(*parts) : -1;
}

qsizetype RegistryStore::ensureKey(const QStringList &parts)
{
    if (parts.isEmpty())
        return -1;
    qsizetype index = -1;
    for (const QString &part : parts) {
        const QString folded = fold(part);
        qsizetype next = (index < 0 ? m_roots : m_keys[index].children).value(folded, -1);
        if (next < 0) {
            m_keys.push_back(Key{part, index, {}, {}});
            next = qsizetype(m_keys.size()) - 1;
            (index < 0 ? m_roots : m_keys[index].children).insert(folded, next);
        }
        index = next;
    }
    return index;
}

QString RegistryStore::pathOf(qsizetype index) const
{
    QStringList parts;
    for (; index >= 0; index = m_keys[index].parent)
        parts.prepend(m_keys[index].name);
    return parts.join(Separator);
}

RegistryStore RegistryStore::parse(const QByteArray &bytes)
{
    RegistryStore store;
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    qsizetype current = -1;   // an index: adding keys moves them
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
            continue;

        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            current = -1;
            const QString inner = trimmed.mid(1, trimmed.size() - 2);
            QStringList parts = pathParts(inner);
            if (inner.startsWith(QLatin1Char('-')) || parts.isEmpty())
                continue;
            parts[0] = canonicalRoot(parts[0]);
            current = store.ensureKey(parts);
            continue;
        }
        if (current < 0)
            continue;

        QString name;
        qsizetype pos = 0;
        if (trimmed.startsWith(QLatin1Char('@'))) {
            pos = 1;
        } else {
            const auto quoted = unquote(trimmed, pos);
            if (!quoted)
                continue;
            name = *quoted;
        }
        while (pos < trimmed.size() && trimmed[pos].isSpace())
            ++pos;
        if (pos >= trimmed.size() || trimmed[pos] != QLatin1Char('='))
            continue;
        QString data = trimmed.mid(pos + 1).trimmed();
        // Long hex data may go on over lines ending in a backslash.
        if (data.startsWith(QLatin1String("hex"), Qt::CaseInsensitive)) {
            while (data.endsWith(QLatin1Char('\\')) && n + 1 < lines.size()) {
                data.chop(1);
                data += lines[++n].trimmed();
            }
        }
        if (const auto value = parseData(data))
            store.m_keys[current].values.insert(fold(name), NamedValue{name, *value});
    }
    return store;
}

QByteArray RegistryStore::serialize() const
{
    QString out = QStringLiteral("; nvx-ethernet configuration store\n");
    // Depth first, siblings by folded name. A key that holds no values but
    // has subkeys needs no section of its own: reading its subkeys makes it
    // again, and a deep path is not written once for every key above it.
    QList<qsizetype> pending = m_roots.values();
    std::reverse(pending.begin(), pending.end());
    while (!pending.isEmpty()) {
        const qsizetype index = pending.takeLast();
        const Key &key = m_keys[index];
        for (auto it = key.children.cend(); it != key.children.cbegin();)
            pending.append(*--it);
        if (key.values.isEmpty() && !key.children.isEmpty())
            continue;
        const QString path = pathOf(index);
        // "[-" opens a deletion in this format; a leading separator is
        // dropped on reading and keeps such a key a key.
        out += path.startsWith(QLatin1Char('-')) ? QLatin1String("\n[\\") : QLatin1String("\n[");
        out += path + QLatin1String("]\n");
        for (const NamedValue &v : key.values) {
            out += v.name.isEmpty() ? QStringLiteral("@") : quote(v.name);
            out += QLatin1Char('=') + dataText(v.value) + QLatin1Char('\n');
        }
    }
    return out.toUtf8();
}

bool RegistryStore::operator==(const RegistryStore &other) const
{
    const auto sameValues = [](const QMap<QString, NamedValue> &a, const QMap<QString, NamedValue> &b) {
        return std::equal(a.keyValueBegin(), a.keyValueEnd(), b.keyValueBegin(), b.keyValueEnd(),
                          [](const auto &x, const auto &y) {
                              return x.first == y.first && x.second.name == y.second.name
                                  && x.second.value.type == y.second.value.type
                                  && x.second.value.data == y.second.value.data;
                          });
    };
    // Pairs of keys still to compare, walked without recursion.
    QList<std::pair<const QMap<QString, qsizetype> *, const QMap<QString, qsizetype> *>> pending{{&m_roots, &other.m_roots}};
    while (!pending.isEmpty()) {
        const auto [mine, theirs] = pending.takeLast();
        if (mine->keys() != theirs->keys())
            return false;
        for (auto a = mine->cbegin(), b = theirs->cbegin(); a != mine->cend(); ++a, ++b) {
            const Key &x = m_keys[a.value()];
            const Key &y = other.m_keys[b.value()];
            if (x.name != y.name || !sameValues(x.values, y.values))
                return false;
            pending.append(std::make_pair(&x.children, &y.children));
        }
    }
    return true;
}

bool RegistryStore::load(const QString &fileName)
{
    *this = RegistryStore();
    const SmallFile file = readSmallFile(fileName, StoreMaxBytes);
    switch (file.status) {
    case SmallFile::Missing:
        return true;
    case SmallFile::Read:
        *this = parse(file.data);
        return true;
    default:
        return false;
    }
}

bool RegistryStore::save(const QString &fileName) const
{
    const QFileInfo info(fileName);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(serialize());
    return file.commit();
}

bool RegistryStore::keyExists(RegRoot root, const QString &keyName) const
{
    const auto parts = keyParts(root, keyName);
    if (!parts)
        return false;
    // The two roots always exist, even in an empty store.
    return parts->size() == 1 || findKey(*parts) >= 0;
}

bool RegistryStore::createKey(RegRoot root, const QString &keyName)
{
    const auto parts = keyParts(root, keyName);
    return parts && ensureKey(*parts) >= 0;
}

bool RegistryStore::deleteKey(RegRoot root, const QString &keyName)
{
    const auto parts = keyParts(root, keyName);
    if (!parts || parts->size() < 2)
        return false;
    const qsizetype index = findKey(*parts);
    if (index < 0 || !m_keys[index].children.isEmpty())
        return false;
    m_keys[m_keys[index].parent].children.remove(fold(parts->last()));
    return true;
}

QStringList RegistryStore::subkeys(RegRoot root, const QString &keyName) const
{
    QStringList names;
    const qsizetype index = findKey(root, keyName);
    if (index < 0)
        return names;
    for (const qsizetype child : m_keys[index].children)
        names << m_keys[child].name;
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

std::optional<RegValue> RegistryStore::value(RegRoot root, const QString &keyName, const QString &valueName) const
{
    const qsizetype index = findKey(root, keyName);
    if (index < 0)
        return std::nullopt;
    const auto &values = m_keys[index].values;
    const auto v = values.constFind(fold(valueName));
    if (v == values.cend())
        return std::nullopt;
    return v->value;
}

bool RegistryStore::setValue(RegRoot root, const QString &keyName, const QString &valueName, const RegValue &value)
{
    const qsizetype index = findKey(root, keyName);
    if (index < 0)
        return false;
    m_keys[index].values.insert(fold(valueName), NamedValue{valueName, value});
    return true;
}

QString registryFileName()
{
    const QString fromEnv = qEnvironmentVariable("NVX_REGISTRY_FILE");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QLatin1String("/nvx-ethernet/registry.ini");
}

// ---- CRegistry: public members ----------------------------------------------------

QString CRegistry::FindFirstMachineKey(const QString &keyName)
{
    m_enumKey.reset();
    m_enumIndex = 0;
    const auto store = openStore();
    if (!store || !store->keyExists(RegRoot::LocalMachine, keyName))
        return {};
    m_enumKey = keyName;
    return GetNextMachineKey();
}

QString CRegistry::GetNextMachineKey()
{
    const qint32 index = m_enumIndex;
    if (m_enumIndex < std::numeric_limits<qint32>::max())
        ++m_enumIndex;
    if (!m_enumKey)
        return {};
    const auto store = openStore();
    if (!store)
        return {};
    const QStringList names = store->subkeys(RegRoot::LocalMachine, *m_enumKey);
    if (index < 0 || index >= names.size())
        return {};
    return StripNull(names[index]);
}

QString CRegistry::MachineSetting(const QString &keyName, const QString &valueName)
{
    QString text;
    return GetStringValue(RegRoot::LocalMachine, keyName, valueName, text) ? text : QString();
}

void CRegistry::MachineSetting(const QString &keyName, const QString &valueName, const QString &value)
{
    m_errNumber = SetStringValue(RegRoot::LocalMachine, keyName, valueName, value) ? 0 : WriteFailedError;
}

bool CRegistry::DeleteMachineKey(const QString &keyName)
{
    return DeleteKeyTree(RegRoot::LocalMachine, keyName);
}

QString CRegistry::Werte(const QString &keyName, const QString &valueName)
{
    QString text;
    return GetStringValue(RegRoot::CurrentUser, keyName, valueName, text) ? text : QString();
}

// ---- CRegistry: readers -------------------------------------------------------------

bool CRegistry::GetDefaultString(RegRoot root, const QString &keyName, const QString &valueName, QString &text)
{
    const auto store = openStore();
    const QString subkey = keyName + Separator + valueName;
    if (!store || !store->keyExists(root, subkey))
        return false;
    const auto v = store->value(root, subkey, QString());
    if (!v) {
        text.clear();   // a key without a default value reads as empty
        return true;
    }
    if (v->type != RegSz)
        return false;
    text = StripNull(v->text());
    return true;
}

bool CRegistry::GetStringValue(RegRoot root, const QString &keyName, const QString &valueName, QString &text)
{
    const auto store = openStore();
    if (!store)
        return false;
    const auto v = store->value(root, keyName, valueName);
    // Another type, or an empty string, leaves the text as it was.
    if (!v || v->type != RegSz || v->data.isEmpty())
        return false;
    text = StripNull(v->text());
    return true;
}

bool CRegistry::GetBinaryValue(RegRoot root, const QString &keyName, const QString &valueName, QByteArray &bytes)
{
    const auto store = openStore();
    if (!store)
        return false;
    const auto v = store->value(root, keyName, valueName);
    if (!v || v->type != RegBinary || v->data.isEmpty())
        return false;
    bytes = v->data;
    return true;
}

bool CRegistry::GetLongValue(RegRoot root, const QString &keyName, const QString &valueName, qint32 &number)
{
    const auto store = openStore();
    if (!store)
        return false;
    const auto v = store->value(root, keyName, valueName);
    if (!v)
        return false;
    if (v->type == RegDword && v->data.size() == 4) {
        number = qFromLittleEndian<qint32>(v->data.constData());
        return true;
    }
    if (v->type == RegSz && !v->data.isEmpty()) {
        // Rounded to the nearest integer, halves to even.
        const double rounded = std::nearbyint(leadingNumber(StripNull(v->text())));
        if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
            return false;
        number = static_cast<qint32>(rounded);
        return true;
    }
    return false;
}

// ---- CRegistry: deleting ----------------------------------------------------------------

bool CRegistry::DeleteKey(RegRoot root, const QString &keyName)
{
    auto store = openStore();
    if (!store || !store->deleteKey(root, keyName))
        return false;
    return store->save(registryFileName());
}

bool CRegistry::DeleteKeyTree(RegRoot root, const QString &keyName)
{
    // An empty name would be the root itself: never clear a whole root.
    if (keyName.split(Separator, Qt::SkipEmptyParts).isEmpty())
        return false;
    auto store = openStore();
    if (!store || !store->keyExists(root, keyName))
        return false;
    const bool deleted = DeleteKeyTree(*store, root, keyName);
    // A partly deleted tree is kept as far as it went.
    return store->save(registryFileName()) && deleted;
}

bool CRegistry::DeleteKeyTree(RegistryStore &store, RegRoot root, const QString &keyName)
{
    if (store.deleteKey(root, keyName))
        return true;
    if (!store.keyExists(root, keyName))
        return false;
    for (;;) {
        const QStringList names = store.subkeys(root, keyName);
        if (names.isEmpty())
            break;
        if (!DeleteKeyTree(store, root, keyName + Separator + StripNull(names.first())))
            return false;
    }
    return store.deleteKey(root, keyName);
}

// ---- CRegistry: writers ------------------------------------------------------------------

bool CRegistry::writeValue(RegRoot root, const QString &keyName, const QString &valueName, const RegValue &value)
{
    auto store = openStore();
    if (!store || !store->createKey(root, keyName) || !store->setValue(root, keyName, valueName, value))
        return false;
    return store->save(registryFileName());
}

bool CRegistry::SetDefaultString(RegRoot root, const QString &keyName, const QString &valueName, const QString &text)
{
    return writeValue(root, keyName + Separator + valueName, QString(), RegValue::fromString(text));
}

bool CRegistry::SetStringValue(RegRoot root, const QString &keyName, const QString &valueName, const QString &text)
{
    return writeValue(root, keyName, valueName, RegValue::fromString(text));
}

bool CRegistry::SetLongValue(RegRoot root, const QString &keyName, const QString &valueName, qint32 number)
{
    return writeValue(root, keyName, valueName, RegValue::fromDword(static_cast<quint32>(number)));
}

bool CRegistry::SetBinaryValue(RegRoot root, const QString &keyName, const QString &valueName, const QByteArray &bytes)
{
    return writeValue(root, keyName, valueName, RegValue::fromBinary(bytes));
}

QString CRegistry::StripNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

} // namespace nvx
