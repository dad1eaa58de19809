#pragma once
// The state of the data logging that outlives a single event: the logging
// states, the settings taken at Start, the series selection, the samples and
// the receive recording.

#include "logging/fieldrules.h"
#include "logging/samplering.h"

#include <QDateTime>
#include <QStringList>
#include <array>
#include <functional>

namespace nvx {

struct LoggingData {
    // LoggingActive itself is in AppState: other subsystems refuse with it.
    bool LoggingPaused = false;
    bool LoggingStopped = false;
    int IntervalSeconds = 0;
    // The scaling texts of the five series and the rows per chart view, as
    // they stood at the latest Start.
    std::array<QString, 5> SeriesMin;
    std::array<QString, 5> SeriesMax;
    int ChartWindowRows = 0;
    bool LogHeaderWritten = false;
    SampleRing samples;
    // Where the scroll range ends: SampleCounter - ChartWindowRows at the
    // latest Pause or Stop. Kept here as it was computed, also when it is
    // below the range's start, so that a resume counts on from it.
    int ScrollMax = 0;
    int ChartFirstRow = 0;

    // The series selection: the selector's list index minus 1 (-1 for no
    // channel), its value at the previous selection, the data byte 0..3.
    std::array<int, 5> SeriesChannel{-1, -1, -1, -1, -1};
    // Before the first selection it counts as 0, so that the first selection
    // clears the raw bytes of every series without a channel.
    std::array<int, 5> PrevSeriesChannel{};
    std::array<int, 5> SeriesDataByte{};
    // The series scaling fields Min1..Min5 (0..4) and Max1..Max5 (5..9).
    std::array<SignedFieldFlags, 10> ScalingFlags{};

    bool RecordingStopped = false;

    // The log files that the user has been told in this logging run, and in
    // this recording, cannot be written: each once per run is enough.
    QStringList LoggingFilesTold;
    QStringList RecordingFilesTold;

    // The clock of the samples and log lines.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

} // namespace nvx
