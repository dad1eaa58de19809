#include "network/boardrecord.h"

#include <QStringList>

namespace nvx {

BoardRecord BoardRecord::fromBytes(const QByteArray &data)
{
    BoardRecord rec;
    const int n = std::min<int>(Size, static_cast<int>(data.size()));
    for (int i = 0; i < n; ++i)
        rec.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(data[i]);
    return rec;
}

QByteArray BoardRecord::toBytes() const
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), Size);
}

QString BoardRecord::macText() const
{
    QStringList parts;
    for (int i = 0; i < 6; ++i)
        parts << QStringLiteral("%1").arg(bytes[static_cast<std::size_t>(i)], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

QString BoardRecord::dotted(int offset) const
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg((*this)[offset]).arg((*this)[offset + 1]).arg((*this)[offset + 2]).arg((*this)[offset + 3]);
}

int BoardRecord::port(int offset) const
{
    return (*this)[offset] * 256 + (*this)[offset + 1];
}

void BoardRecord::setPort(int offset, int value)
{
    (*this)[offset] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    (*this)[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

bool BoardRecord::storeDotted(int offset, const QString &text)
{
    const DottedParse parsed = parseDotted(text);
    for (int i = 0; i < parsed.validParts; ++i)
        (*this)[offset + i] = parsed.parts[static_cast<std::size_t>(i)];
    return parsed.ok();
}

QString BoardRecord::versionText() const
{
    return QStringLiteral("%1.%2").arg(bytes[Version]).arg(bytes[Version + 1]);
}

std::optional<ModuleReply> parseModuleReply(const QByteArray &datagram)
{
    if (datagram.size() < ModuleReply::ShortestReply)
        return std::nullopt;
    return ModuleReply{datagram.left(4), BoardRecord::fromBytes(datagram.mid(4, BoardRecord::Size))};
}

DottedParse parseDotted(const QString &text)
{
    DottedParse result;
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return result;
    for (const QString &part : parts) {
        bool isNumber = !part.isEmpty();
        for (QChar c : part)
            isNumber = isNumber && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        // Many digits are a wrong part, not an overflow.
        if (!isNumber || part.size() > 9 || part.toInt() > 255)
            return result;
        result.parts[static_cast<std::size_t>(result.validParts++)] = static_cast<std::uint8_t>(part.toInt());
    }
    return result;
}

QString macDigits(const QString &macText)
{
    QString digits = macText;
    digits.remove(QLatin1Char(':'));
    return digits;
}

} // namespace nvx
