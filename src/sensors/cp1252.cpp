#include "sensors/cp1252.h"

#include <QList>
#include <array>

namespace nvx {

namespace {
// 0x80..0x9F; the five unassigned bytes keep their C1 control code, as
// Windows itself maps them.
constexpr std::array<char16_t, 32> High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D,
    0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
    0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QString fromCp1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        text += (u >= 0x80 && u <= 0x9F) ? QChar(High[u - 0x80]) : QChar(u);
    }
    return text;
}

QByteArray toCp1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t c : text.toUcs4()) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes += char(c);
            continue;
        }
        char byte = '?';
        for (std::size_t i = 0; i < High.size(); ++i) {
            if (High[i] == c) {
                byte = char(0x80 + i);
                break;
            }
        }
        bytes += byte;
    }
    return bytes;
}

} // namespace nvx
