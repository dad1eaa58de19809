#include "logging/samplering.h"

namespace nvx {

int SampleRing::advance(const QString &label)
{
    if (counter == Last) {
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
