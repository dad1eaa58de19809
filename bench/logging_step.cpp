// How long one logging step takes, and whether memory stays flat.
//
//   logging_step [steps]
//
// With 30 learned and ticked channels, the window shown on the logging tab
// (offscreen unless QT_QPA_PLATFORM says otherwise), the data log and the
// receive log in a temporary folder:
//   all_channels_step_ms  median of `steps` (default 10000) steps of the
//                         all-channels mode (30 rows each)
//   event_step_ms         median of `steps` steps of the event mode (one row
//                         each, the channel changing with every step)
//   chart_step_ms         median of `steps` steps of the chart mode with five
//                         series and 100 rows per view, the redraw and the
//                         chart's repaint included
//   peak_memory_kib       the process's peak resident size after 100000
//                         steps in all (the remaining ones in event mode);
//                         peak_memory_kib_at_half after 2 * `steps` steps,
//                         to compare
//
// Prints one figure per line: "name value".

#include "link/protocol.h"
#include "shell/config.h"
#include "shell/modsprache.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace nvx;

namespace {

constexpr int TotalSteps = 100000;

void print(const char *name, double value, int decimals)
{
    std::printf("%s %.*f\n", name, decimals, value);
    std::fflush(stdout);
}

long peakKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double medianMs(std::vector<qint64> &ns)
{
    std::sort(ns.begin(), ns.end());
    return ns[ns.size() / 2] / 1e6;
}

// A step as the telegram of channel `ch` brings it.
void telegramFor(AppState &state, int ch, int i)
{
    state.TelegramChannel = ch;
    state.ChannelDB0[ch] = 0x08;
    state.ChannelDB1[ch] = i & 0xFF;
    state.ChannelDB2[ch] = (i >> 8) & 0xFF;
    state.ChannelDB3[ch] = (i * 7) & 0xFF;
    state.ReceivedData = QStringLiteral("A55A0B07%1%2%3080012A3F100%4")
                             .arg(state.ChannelDB3[ch], 2, 16, QLatin1Char('0'))
                             .arg(state.ChannelDB2[ch], 2, 16, QLatin1Char('0'))
                             .arg(state.ChannelDB1[ch], 2, 16, QLatin1Char('0'))
                             .arg(FormatHex2(ch))
                             .toUpper();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(QByteArray(argv[1]).toInt(), 1) : 10000;

    QTemporaryDir storeDir;
    qputenv("NVX_REGISTRY_FILE", storeDir.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
    AppState state;
    LoadLanguage(state, FormStatus, nullptr);
    auto config = std::make_unique<Config>(state);
    LoadLanguage(state, FormConfig, config.get());
    state.ProgramPath = storeDir.path() + QLatin1Char('/');
    state.DecimalSeparator = QStringLiteral(",");
    config->SSTab1->setCurrentIndex(2);
    config->show();
    config->setLastTelegram(QStringLiteral("A55A0B0700000008000FA85000")); // a receiver delivers
    for (int ch = 0; ch < ChannelCount; ++ch) {
        config->OrgByte[ch]->setText(QStringLiteral("4 Byte Sensor"));
        config->SystemID[ch]->setText(QStringLiteral("0012A3%1").arg(ch, 2, 16, QLatin1Char('0')).toUpper());
        config->channel_log[ch]->setChecked(true);
    }

    // All channels: the step that Timer2 runs at each interval.
    config->Optionallintervall->setChecked(true);
    config->MonitorStart_Click();
    config->Timer2->stop();
    std::vector<qint64> times;
    times.reserve(std::size_t(steps));
    QElapsedTimer clock;
    int done = 1;
    for (int i = 0; i < steps; ++i, ++done) {
        for (int ch = 0; ch < ChannelCount; ++ch)
            telegramFor(state, ch, i + ch);
        clock.start();
        config->RecordMonitorSample();
        times.push_back(clock.nsecsElapsed());
        QCoreApplication::processEvents();
    }
    print("all_channels_step_ms", medianMs(times), 4);

    // Event mode: the step the telegram processor runs for each telegram.
    // (The mode is switched while logging runs: a Stop would ask for a file.)
    config->Option2Ereigniss->setChecked(true);
    times.clear();
    for (int i = 0; done < TotalSteps; ++i, ++done) {
        telegramFor(state, i % ChannelCount, i);
        clock.start();
        config->RecordMonitorSample();
        if (i < steps)
            times.push_back(clock.nsecsElapsed());
        if (done == 2 * steps)
            print("peak_memory_kib_at_half", double(peakKib()), 0);
        if (i % 16 == 0)
            QCoreApplication::processEvents();
    }
    print("event_step_ms", medianMs(times), 4);
    print("peak_memory_kib", double(peakKib()), 0);

    // Chart mode: five series of channels 1..5, a view of 100 rows.
    config->ChannelSelectorRefill();
    for (int k = 0; k < 5; ++k) {
        config->Auswahl[k]->setCurrentIndex(k + 1);
        config->DatenbyteAuswahl[k]->setCurrentIndex(k % 4);
    }
    config->Option1Intervall->setChecked(true);
    state.logging.ChartWindowRows = 100;
    times.clear();
    for (int i = 0; i < steps; ++i) {
        for (int ch = 0; ch < 5; ++ch)
            telegramFor(state, ch, i + ch);
        clock.start();
        config->RecordMonitorSample();
        config->MSChart1->viewport()->repaint();
        times.push_back(clock.nsecsElapsed());
    }
    print("chart_step_ms", medianMs(times), 4);
    return 0;
}
