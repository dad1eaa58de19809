#pragma once
// What the chart shows, free of the chart itself: one column per chosen
// series, one row per sample of the view, the newest sample in the last row,
// the sample times as row labels.

#include "logging/samplering.h"

#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace nvx {

// The pen of series 1..5 (index 0..4) as 0xRRGGBB: black, red, green, blue,
// yellow.
std::uint32_t seriesColour(int series);

class ChartGrid {
public:
    // Redraws the grid for the view that ends with sample `newest`:
    // `windowRows` rows, a column for each series whose channel is not -1.
    // Cells of rows older than the first sample keep what they held; after
    // the ring has run through 999, the samples before index 1 are those at
    // 999, 998, ... so the view has no gap.
    void redraw(const SampleRing &ring, const std::array<int, 5> &seriesChannel, int newest, int windowRows);

    int rowCount() const { return m_rows; }
    int columnCount() const { return int(m_columnSeries.size()); }
    // The series (0..4) drawn in a column.
    int columnSeries(int column) const { return m_columnSeries[std::size_t(column)]; }
    // Row and column count from 0 (row 0 is the chart's first row).
    double cell(int row, int column) const { return m_cells[std::size_t(row)][std::size_t(column)]; }
    const QStringList &labels() const { return m_labels; }

private:
    int m_rows = 0;
    std::vector<int> m_columnSeries;
    std::vector<std::vector<double>> m_cells;
    QStringList m_labels;
};

} // namespace nvx
