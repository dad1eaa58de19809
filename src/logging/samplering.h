#pragma once
// The samples of the logging: a ring of 999 samples (indices 1 to 999; 0 is
// never written), each with its time, the raw data byte and the scaled value
// of the five series.

#include "logging/lognumber.h"

#include <QString>
#include <array>
#include <optional>

namespace nvx {

class SampleRing {
public:
    static constexpr int Last = 999;
    static constexpr int Size = Last + 1;
    static constexpr int SeriesCount = 5;

    // The ring index of the newest sample (0 after a fresh start).
    int counter = 0;
    // The counter as it stood at the start of the latest step (after the
    // wrap, before the step's own sample).
    int prevCounter = 0;

    std::array<QString, Size> labels;   // date and time of each sample
    std::array<std::array<std::optional<int>, Size>, SeriesCount> raw;  // empty until first set
    std::array<std::array<Currency, Size>, SeriesCount> scaled{};

    // Takes the next index (after 999 comes 1), stamps it and returns it.
    int advance(const QString &label);
    // A fresh log: every raw and scaled value 0, every time empty.
    void reset();
    // A series that changes its channel forgets its raw bytes.
    void clearRaw(int series);
    // Whether the ring has run through index 999 since the last fresh start,
    // so that the samples before index 1 are those at 999, 998, ...
    bool wrapped() const { return m_wrapped; }
    // The index of the sample `back` samples before the one at `index`, or 0
    // when there is none (older than the first sample since the fresh start).
    int before(int index, int back) const;

private:
    bool m_wrapped = false;
};

} // namespace nvx
