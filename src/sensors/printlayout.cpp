#include "sensors/printlayout.h"

#include <algorithm>
#include <cstdlib>

namespace nvx {

namespace {

const QString CompanyLine = QStringLiteral("Lorvantis Sensortechnik GmbH");

PrintLine line(std::initializer_list<PrintItem> items) { return PrintLine{QList<PrintItem>(items), 0x000000}; }

PrintLine emptyLine() { return PrintLine{}; }

void appendCompanyAndTime(QList<PrintLine> &lines, const QString &date, const QString &time)
{
    lines.append(line({{12, CompanyLine}}));
    lines.append(line({{12, date}, {30, time}}));
}

QString dotted(const BoardRecord &b, int offset) { return b.dotted(offset); }

// The columns both tables share, up to the sensor ID; each table adds its own.
PrintLine tableHeader(const QString &channelHeader, const QList<PrintItem> &more)
{
    return PrintLine{QList<PrintItem>{{12, channelHeader},
                                      {22, QStringLiteral("Org-Byte")},
                                      {36, QStringLiteral("Orgnr")},
                                      {43, QStringLiteral("Sensor ID")}}
                         + more};
}

// The captions of a row come from the receiver or from an address file.
PrintLine tableRow(int ch, const SensorRowTexts &r, const QList<PrintItem> &more)
{
    return PrintLine{QList<PrintItem>{{15, numberForm(ch + 1)},
                                      {22, r.orgByte, true},
                                      {38, r.orgnr, true},
                                      {43, r.systemId, true}}
                     + more};
}

} // namespace

const std::array<std::uint32_t, ChartSeries> SeriesColours{0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};

namespace {

// The first part of `text` that ends left of `room` (at least one
// character), after its last blank when that leaves more than a blank.
// Widths grow with the length, so the longest part is searched in steps that
// double, then halve: a text of many thousand characters stays quick.
qsizetype fittingLength(const QString &text, double room, const TextWidth &width)
{
    const auto fits = [&](qsizetype n) { return width(text.left(n)) <= room; };
    qsizetype good = 1;
    qsizetype bad = 2;
    while (bad <= text.size() && fits(bad)) {
        good = bad;
        bad *= 2;
    }
    bad = std::min(bad, text.size() + 1);
    while (bad - good > 1) {
        const qsizetype mid = good + (bad - good) / 2;
        (fits(mid) ? good : bad) = mid;
    }
    if (good >= text.size())
        return good;
    const qsizetype blank = text.lastIndexOf(QLatin1Char(' '), good - 1);
    return blank > 0 ? blank + 1 : good;
}

} // namespace

QList<PlacedText> layOutLines(const QList<PrintLine> &lines, double columnWidth, const TextWidth &width,
                              double rightEdge)
{
    QList<PlacedText> placed;
    int out = 0;
    for (const PrintLine &l : lines) {
        double x = 0;
        for (const PrintItem &item : l.items) {
            const double columnX = (std::max(item.column, 1) - 1) * columnWidth;
            // A little slack, so a text ending exactly on a column does not
            // push the next one down for a rounding error.
            if (columnX < x - columnWidth * 1e-6)
                ++out;
            QString rest = item.text;
            // Only what can fit on a line is measured: a text from a file may
            // be tens of kilobytes long.
            while (rightEdge > 0) {
                const qsizetype n = fittingLength(rest, rightEdge - columnX + columnWidth * 1e-6, width);
                if (n >= rest.size())
                    break;
                placed.append(PlacedText{out++, columnX, rest.left(n), l.colour});
                rest.remove(0, n);
            }
            placed.append(PlacedText{out, columnX, rest, l.colour});
            x = columnX + width(rest);
        }
        ++out;
    }
    return placed;
}

QString numberForm(int n)
{
    return (n < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(std::abs(n)) + QLatin1Char(' ');
}

QList<PrintLine> addressTableLines(const AddressTablePrint &p)
{
    const BoardRecord &b = p.board;
    QList<PrintLine> lines{emptyLine(), emptyLine()};
    appendCompanyAndTime(lines, p.date, p.time);
    const QList<std::pair<QString, QString>> settings{
        {QStringLiteral("MAC"), p.mac},
        {QStringLiteral("NVX - IP"), dotted(b, BoardRecord::Ip)},
        {QStringLiteral("Port"), QString::number(b.port(BoardRecord::Port))},
        {QStringLiteral("NVX Subnet"), dotted(b, BoardRecord::Subnet)},
        {QStringLiteral("Gateway IP"), dotted(b, BoardRecord::Gateway)},
        {QStringLiteral("Server-IP"), dotted(b, BoardRecord::ServerIp)},
        {QStringLiteral("Port"), QString::number(b.port(BoardRecord::ServerPort))},
        {QStringLiteral("Protocol"), b.isUdp() ? QStringLiteral("UDP mode") : QStringLiteral("TCP mode")},
        {QStringLiteral("Mode"), b[BoardRecord::Mode] == 0 ? QStringLiteral("Server mode") : QStringLiteral("Client mode")},
        {QStringLiteral("Version"), b.versionText()},
    };
    for (const auto &[label, value] : settings)
        lines.append(line({{12, label}, {30, value}}));
    lines.append(line({{12, QStringLiteral("Text")}, {30, p.description, true}}));
    lines.append(emptyLine());
    lines.append(tableHeader(p.channelHeader, {{55, p.nameHeader}}));
    for (int ch = 0; ch < PrintedChannels; ++ch)
        lines.append(tableRow(ch, p.rows[std::size_t(ch)], {{55, p.channelDescriptions[std::size_t(ch)], true}}));
    return lines;
}

QList<PrintLine> dataTableLines(const DataTablePrint &p)
{
    QList<PrintLine> lines{emptyLine(), emptyLine(), emptyLine()};
    appendCompanyAndTime(lines, p.date, p.time);
    const auto &h = p.dataHeaders;
    lines.append(tableHeader(p.channelHeader, {{55, h[0]}, {70, h[1]}, {85, h[2]}, {100, h[3]}}));
    lines.append(emptyLine());
    for (int ch = 0; ch < PrintedChannels; ++ch) {
        const auto &v = p.values[std::size_t(ch)];
        lines.append(tableRow(ch, p.rows[std::size_t(ch)], {{55, v[0]}, {70, v[1]}, {85, v[2]}, {100, v[3]}}));
    }
    return lines;
}

QList<LegendEntry> chartLegend(const ChartSeriesTexts &series, const QString &noChannelText)
{
    QList<LegendEntry> legend;
    for (std::size_t k = 0; k < ChartSeries; ++k) {
        if (series.channels[k] == noChannelText)
            continue;
        legend.append(LegendEntry{series.labels[k], series.channels[k], series.dataBytes[k], SeriesColours[k]});
    }
    return legend;
}

QList<PrintLine> chartHeaderLines(const QString &date, const QString &time, const QList<LegendEntry> &legend)
{
    QList<PrintLine> lines{emptyLine(), emptyLine()};
    appendCompanyAndTime(lines, date, time);
    lines.append(emptyLine());
    for (const LegendEntry &e : legend) {
        PrintLine l = line({{13, e.label}, {16, e.channel}, {34, e.dataByte}});
        l.colour = e.colour;
        lines.append(l);
    }
    return lines;
}

std::optional<QSizeF> fitPictureToPage(QSize picture, QSizeF page)
{
    if (picture.width() <= 0 || picture.height() <= 0 || page.width() <= 0 || page.height() <= 0)
        return std::nullopt;
    const double ratio = double(picture.width()) / double(picture.height());
    if (ratio >= page.width() / page.height())
        return QSizeF(page.width(), page.width() / ratio);
    return QSizeF(page.height() * ratio, page.height());
}

} // namespace nvx
