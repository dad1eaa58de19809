// How many channel telegrams the main window handles per second.
//
//   telegram_throughput [a|b] [count]
//
// (a) pushes `count` (default 20000) channel telegrams for changing channels
//     straight through the telegram processor with every widget update, the
//     window shown on the sensor tab (offscreen unless QT_QPA_PLATFORM says
//     otherwise): once repainting at a screen's frame rate, once repainting
//     after every telegram.
// (b) lets a simulated receiver send channel telegrams over UDP at a paced
//     1000 per second for 5 seconds to the program's real telegram socket and
//     counts what reached the processor. Loopback only: it runs solely inside
//     the private network namespace of scripts/netns-run.sh.
//
// Prints one figure per line: "name value".

#include "link/protocol.h"
#include "shell/config.h"
#include "shell/modsprache.h"
#include "udp_receiver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

using namespace nvx;

namespace {

const QString ReceiverIP = nvxbench::UdpReceiver::ip();

void print(const char *name, double value, int decimals = 0)
{
    std::printf("%s %.*f\n", name, decimals, value);
    std::fflush(stdout);
}

// Data telegram number i: channels change with every telegram, each channel
// keeps its own sensor, the data bytes count up.
QString telegram(int i)
{
    const int ch = (i * 7) % ChannelCount;
    static const char *const orgs[] = {"05", "06", "07"};
    const QString org = QLatin1String(orgs[ch % 3]);
    const QString data = QStringLiteral("%1%2%3").arg(i & 0xFF, 2, 16, QLatin1Char('0')).arg((i >> 8) & 0xFF, 2, 16, QLatin1Char('0')).arg((i >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
    const QString id = QStringLiteral("%1").arg(0x00A10000 + ch, 8, 16, QLatin1Char('0'));
    // DB0 0x08: a data telegram, never a learn telegram.
    return (QStringLiteral("A55A0B") + org + data + u"08" + id + u"00" + FormatHex2(ch)).toUpper();
}

long peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Pushes the telegrams through the processor; the window repaints every
// `frameMs` milliseconds (0: after every telegram). Returns telegrams/s.
double runDirect(AppState &state, Config &config, const QList<QString> &telegrams, int frameMs)
{
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    qint64 lastFrame = 0;
    for (const QString &t : telegrams) {
        state.ReceivedData = t;
        state.ReplyString = toReplyString(t);
        state.SenderIP = state.LoadedIP;
        config.ProcessTelegram();
        if (clock.elapsed() - lastFrame >= frameMs) {
            QCoreApplication::processEvents();
            lastFrame = clock.elapsed();
        }
    }
    QCoreApplication::processEvents();
    return telegrams.size() / (clock.nsecsElapsed() / 1e9);
}

void runDirect(AppState &state, Config &config, int count)
{
    QList<QString> telegrams;
    telegrams.reserve(count);
    for (int i = 0; i < count; ++i)
        telegrams << telegram(i);
    print("a_telegrams", count);
    // As the event loop runs it: repaints at a screen's frame rate.
    print("a_telegrams_per_second", runDirect(state, config, telegrams, 16));
    // The hardest case: a repaint after every single telegram.
    print("a_telegrams_per_second_repaint_each", runDirect(state, config, telegrams, 0));
}

void runOverUdp(Config &config)
{
    constexpr int rate = 1000;
    constexpr int seconds = 5;
    nvxbench::UdpReceiver receiver(config);
    if (!receiver.start())
        return;
    QList<QByteArray> telegrams;
    for (int i = 0; i < rate * seconds; ++i)
        telegrams << telegram(i).toLatin1();
    const nvxbench::UdpReceiver::Burst b = receiver.send(telegrams, rate);
    print("b_rate_per_second", rate);
    print("b_send_seconds", b.sendMs / 1000.0, 3);
    print("b_sent", b.sent);
    print("b_processed", double(b.processed));
    print("b_lost", double(b.sent) - double(b.processed));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A private configuration store: the benchmark never touches the user's.
    QTemporaryDir storeDir;
    qputenv("NVX_REGISTRY_FILE", storeDir.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
    QApplication app(argc, argv);

    const QStringList args = app.arguments().mid(1);
    const bool onlyA = args.contains(QStringLiteral("a"));
    const bool onlyB = args.contains(QStringLiteral("b"));
    int count = 20000;
    for (const QString &a : args)
        if (a.toInt() > 0)
            count = a.toInt();

    AppState state;
    LoadLanguage(state, FormStatus, nullptr);
    auto config = std::make_unique<Config>(state);
    LoadLanguage(state, FormConfig, config.get());
    for (int i = 0; i < ChannelCount; ++i) {
        config->info[i]->setVisible(true);
        config->info1[i]->setVisible(false);
        config->info2[i]->setVisible(false);
        config->info3[i]->setVisible(false);
    }
    config->SSTab1->setCurrentIndex(1);
    config->show();
    state.LoadedIP = ReceiverIP;
    config->setLastTelegram(QStringLiteral("  "));
    QCoreApplication::processEvents();

    if (!onlyB)
        runDirect(state, *config, count);
    if (!onlyA) {
        if (qgetenv("NVX_IN_NETNS") != "1")
            std::printf("b_skipped 1 (run it under scripts/netns-run.sh)\n");
        else
            runOverUdp(*config);
    }
    print("peak_memory_kib", double(peakMemoryKiB()));
    return 0;
}
