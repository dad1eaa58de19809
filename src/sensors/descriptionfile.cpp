#include "sensors/descriptionfile.h"
#include "sensors/cp1252.h"
#include "shell/smallfile.h"

#include <QFile>

namespace nvx {

QString descriptionFilePath(const QString &programPath, const QString &selectedMac)
{
    return programPath + QStringLiteral("DAT/MAC_") + selectedMac + QStringLiteral(".dat");
}

namespace {
// A line break inside a text (pasted into a field) would shift every later
// text by a line when read back; it is stored as a blank.
QByteArray oneLine(const QString &text)
{
    QByteArray bytes = toCp1252(text);
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    return bytes;
}
} // namespace

QByteArray formatDescriptionFile(const Descriptions &d)
{
    QByteArray out = oneLine(d.receiver);
    out += "\r\n";
    for (const QString &text : d.channels) {
        out += oneLine(text);
        out += ';';
    }
    return out;
}

namespace {
// One line from `pos`: up to CR LF, CR or LF; `pos` moves past the line end.
QByteArray takeLine(const QByteArray &data, qsizetype &pos)
{
    const qsizetype start = pos;
    qsizetype end = start;
    while (end < data.size() && data[end] != '\r' && data[end] != '\n')
        ++end;
    pos = end;
    if (pos < data.size() && data[pos] == '\r')
        ++pos;
    if (pos < data.size() && data[pos] == '\n')
        ++pos;
    return data.mid(start, end - start);
}
} // namespace

Descriptions parseDescriptionFile(const QByteArray &data)
{
    Descriptions d;
    qsizetype pos = 0;
    d.receiver = fromCp1252(takeLine(data, pos));
    const QList<QByteArray> fields = takeLine(data, pos).split(';');
    // A line without any ";" is one unfinished field; it still counts.
    for (qsizetype k = 0; k < fields.size() && k < qsizetype(d.channels.size()); ++k)
        d.channels[std::size_t(k)] = fromCp1252(fields[k]);
    return d;
}

bool writeDescriptionFile(const QString &path, const Descriptions &d, QString *failure)
{
    return saveWhole(path, formatDescriptionFile(d), failure);
}

std::optional<Descriptions> readDescriptionFile(const QString &path)
{
    const SmallFile file = readSmallFile(path, DescriptionFileMaxBytes);
    if (file.status != SmallFile::Read)
        return std::nullopt;
    return parseDescriptionFile(file.data);
}

} // namespace nvx
