#include "sensors/addressfile.h"
#include "sensors/cp1252.h"

#include <QList>

namespace nvx {

namespace {

const QByteArray LineEnd = "\r\n";
const QString FirstLine = QStringLiteral(" Sensorinformation:");

// A line break inside a text would move every later line.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// A number stands between blanks, as numbers printed into text files do.
QString number(int n) { return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n) + u' '; }

QString fields(const QString &label, const std::array<QString, 30> &values)
{
    QString line = label;
    for (const QString &v : values)
        line += oneLine(v) + u';';
    return line;
}

// Field k of a table line: the text between the (k+1)-th and the (k+2)-th
// ";"; the label before the first ";" is never a field.
std::array<std::optional<QString>, 30> split(const std::optional<QString> &line)
{
    std::array<std::optional<QString>, 30> out;
    if (!line)
        return out;
    qsizetype start = line->indexOf(u';');
    for (std::size_t k = 0; k < out.size() && start >= 0; ++k) {
        const qsizetype end = line->indexOf(u';', start + 1);
        if (end < 0)
            break;
        out[k] = line->mid(start + 1, end - start - 1);
        start = end;
    }
    return out;
}

} // namespace

QByteArray formatAddressFile(const AddressExport &e)
{
    const BoardRecord &b = e.board;
    const QStringList lines{
        FirstLine,
        QStringLiteral(" MAC;") + e.mac,
        QStringLiteral(" NVX - IP;") + b.dotted(BoardRecord::Ip),
        QStringLiteral(" Port;") + number(b.port(BoardRecord::Port)),
        QStringLiteral(" NVX Subnet;") + b.dotted(BoardRecord::Subnet),
        QStringLiteral(" Gateway IP;") + b.dotted(BoardRecord::Gateway),
        QStringLiteral(" Server-IP;") + b.dotted(BoardRecord::ServerIp),
        QStringLiteral(" Port;") + number(b.port(BoardRecord::ServerPort)),
        QStringLiteral(" Protocol;") + (b.isUdp() ? QStringLiteral("UDP mode") : QStringLiteral("TCP mode")),
        // Mode byte 0 is the module's server mode, whatever the option
        // captions of the settings tab call it.
        QStringLiteral(" Mode;") + (b[BoardRecord::Mode] == 0 ? QStringLiteral("Server mode") : QStringLiteral("Client mode")),
        QStringLiteral(" Version;") + b.versionText(),
        QStringLiteral(" Text;") + oneLine(e.description),
        QString(),
        QString(),
        e.channelLine,
        fields(e.descriptionLabel, e.table.descriptions),
        fields(e.addressLabel, e.table.systemIds),
        fields(QStringLiteral("OrgByte;"), e.table.orgBytes),
        fields(e.orgNumberLabel, e.table.orgNumbers),
    };
    QByteArray out;
    for (const QString &line : lines)
        out += toCp1252(line) + LineEnd;
    return out;
}

AddressImport parseAddressFile(const QByteArray &data)
{
    QList<QByteArray> raw = data.split('\n');
    if (!raw.isEmpty() && raw.last().isEmpty())
        raw.removeLast();  // the end of the last line, not a line of its own
    std::array<std::optional<QString>, 19> lines;
    for (qsizetype i = 0; i < raw.size() && i < qsizetype(lines.size()); ++i) {
        QByteArray line = raw[i];
        if (line.endsWith('\r'))
            line.chop(1);
        lines[std::size_t(i)] = fromCp1252(line);
    }

    AddressImport in;
    in.accepted = lines[0] == FirstLine;
    if (!in.accepted)
        return in;
    if (const auto &text = lines[11]) {
        const qsizetype semicolon = text->indexOf(u';');
        if (semicolon >= 0)
            in.description = text->mid(semicolon + 1, AddressDescriptionMax);
    }
    in.descriptions = split(lines[15]);
    in.systemIds = split(lines[16]);
    in.orgBytes = split(lines[17]);
    in.orgNumbers = split(lines[18]);
    return in;
}

} // namespace nvx
