#include "logging/samplering.h"

namespace nvx {

int SampleRing::advance(const QString &label)
{
    // Scrolling sets the counter from the view's rows text, which may have
    // left the ring's range: such a counter starts again at 1 as well.
    if (counter >= Last || counter < 0) {
        counter = 0;
        m_wrapped = true;
    }
    prevCounter = counter;
    const int n = counter + 1;
    counter = n;
    labels[n] = label;
    return n;
}

void SampleRing::reset()
{
    for (auto &series : raw)
        series.fill(0);
    for (auto &series : scaled)
        series.fill(0);
    labels.fill(QString());
    m_wrapped = false;
}

void SampleRing::clearRaw(int series)
{
    if (series >= 0 && series < SeriesCount)
        raw[series].fill(0);
}

int SampleRing::before(int index, int back) const
{
    if (index < 1 || index > Last || back < 0 || back >= (m_wrapped ? Last : index))
        return 0;
    const int i = index - back;
    return i >= 1 ? i : i + Last;
}

} // namespace nvx
