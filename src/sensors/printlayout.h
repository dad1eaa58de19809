#pragma once
// The three printouts as lines of text at character columns, kept apart from
// the printer so their content and layout can be checked without one: the
// address table, the data table and the header and legend of the chart.

#include "network/boardrecord.h"

#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace nvx {

constexpr int PrintedChannels = 30;
constexpr int ChartSeries = 5;

// One text at a print column; column 1 is the left margin. A free text
// (a description, a caption from a file) may be of any length: it never
// makes the printout smaller, it continues on further lines at its column.
struct PrintItem {
    int column = 1;
    QString text;
    bool freeText = false;
};

// One printed line: its items in order, in one text colour (0xRRGGBB).
struct PrintLine {
    QList<PrintItem> items;
    std::uint32_t colour = 0x000000;
};

// Where a text lands: on which output line and how far from the left margin.
struct PlacedText {
    int line = 0;
    double x = 0;
    QString text;
    std::uint32_t colour = 0x000000;
};

using TextWidth = std::function<double(const QString &)>;

// Column n starts n - 1 column widths from the left margin. An item whose
// column lies left of where its line has got to goes to that column of the
// next output line, so texts never print over each other. With a right
// edge (> 0) a text that would run past it continues on the next output
// lines at its own column, broken after a blank where one is at hand.
QList<PlacedText> layOutLines(const QList<PrintLine> &lines, double columnWidth, const TextWidth &width,
                              double rightEdge = 0);

// A number as it is printed: a blank or "-" for the sign, the digits, a blank.
QString numberForm(int n);

// A row of the sensor table as it is shown.
struct SensorRowTexts {
    QString orgByte;
    QString orgnr;
    QString systemId;
};

struct AddressTablePrint {
    QString date;              // short date
    QString time;              // long time
    QString mac;               // the board list row's text
    BoardRecord board;
    QString description;       // the receiver's description when it was selected
    QString channelHeader;     // "Kanal"
    QString nameHeader;        // "Sensorname"
    std::array<SensorRowTexts, PrintedChannels> rows;
    std::array<QString, PrintedChannels> channelDescriptions;
};

struct DataTablePrint {
    QString date;
    QString time;
    QString channelHeader;
    std::array<QString, 4> dataHeaders;   // "Datenbyte 0;" .. "Datenbyte 3;"
    std::array<SensorRowTexts, PrintedChannels> rows;
    std::array<std::array<QString, 4>, PrintedChannels> values;
};

// One legend line of the chart printout.
struct LegendEntry {
    QString label;      // "1" .. "5"
    QString channel;    // the series' channel selector text
    QString dataByte;   // the series' data byte selector text
    std::uint32_t colour = 0;
};

struct ChartSeriesTexts {
    std::array<QString, ChartSeries> labels;
    std::array<QString, ChartSeries> channels;
    std::array<QString, ChartSeries> dataBytes;
};

// The pen colours of the five series (0xRRGGBB): black, red, green, blue, yellow.
extern const std::array<std::uint32_t, ChartSeries> SeriesColours;

QList<PrintLine> addressTableLines(const AddressTablePrint &p);
QList<PrintLine> dataTableLines(const DataTablePrint &p);
// A legend line for each series whose selector names a channel, i.e. does
// not show `noChannelText`.
QList<LegendEntry> chartLegend(const ChartSeriesTexts &series, const QString &noChannelText);
QList<PrintLine> chartHeaderLines(const QString &date, const QString &time, const QList<LegendEntry> &legend);

// The printed size of a picture fitted to the printable area: the full width
// when the picture is at least as wide for its height as the area, else the
// full height. Nothing for a picture without a size.
std::optional<QSizeF> fitPictureToPage(QSize picture, QSizeF page);

} // namespace nvx
