#include "logging/chartgrid.h"

namespace nvx {

std::uint32_t seriesColour(int series)
{
    static const std::array<std::uint32_t, 5> colours{0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
    return series >= 0 && series < 5 ? colours[std::size_t(series)] : 0;
}

void ChartGrid::redraw(const SampleRing &ring, const std::array<int, 5> &seriesChannel, int newest, int windowRows)
{
    m_columnSeries.clear();
    for (int k = 0; k < 5; ++k)
        if (seriesChannel[std::size_t(k)] != -1)
            m_columnSeries.push_back(k);
    m_rows = std::max(windowRows, 0);
    m_cells.resize(std::size_t(m_rows));
    for (auto &row : m_cells)
        row.resize(m_columnSeries.size(), 0.0);

    m_labels = QStringList(m_rows, QStringLiteral(" "));
    for (int r = m_rows - 1; r >= 0; --r) {
        const int index = ring.before(newest, m_rows - 1 - r);
        if (index == 0)
            break;
        for (std::size_t c = 0; c < m_columnSeries.size(); ++c)
            m_cells[std::size_t(r)][c] = double(ring.scaled[std::size_t(m_columnSeries[c])][std::size_t(index)])
                / CurrencyScale;
        m_labels[r] = ring.labels[std::size_t(index)];
    }
}

} // namespace nvx
