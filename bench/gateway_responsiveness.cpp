// How long the window may stop answering under the heaviest realistic load.
//
//   scripts/netns-run.sh build/bench/gateway_responsiveness [seconds]
//
// A simulated receiver in gateway mode sends 1000 telegrams per second over
// UDP to the program's real telegram socket for `seconds` (default 30), the
// window shown on the logging tab, recording into the receive box, which
// starts just below its spill size; chart logging runs beside it at 1 s with
// five series. Two runs: the receive log writable, then the receive log
// unwritable (a folder stands at its path). For each run:
//   <run>_max_event_loop_stall_ms  the longest gap between two ticks of a
//                                  zero-interval heartbeat timer
//   <run>_stall_cpu_ms             in that longest stall: the processor
//   <run>_stall_waits              time the window's thread had, how often
//   <run>_stall_preempted          it waited (for the disk, a lock, Qt's
//   <run>_stall_major_faults       painting helpers), was preempted, and
//                                  read a page from disk
//   <run>_longest_event_ms         the longest single event of the window
//                                  (and which): a stall much longer than it
//                                  is many events in a row or the machine
//                                  not running the program; the figures
//                                  above tell which
//   <run>_sent, <run>_processed    telegrams sent and handled
//   <run>_chart_samples            samples the chart logging took
//   <run>_box_max_chars            the receive box's largest length
//   <run>_messages                 messages that a log cannot be written
// Loopback only: it runs solely inside the private network namespace of
// scripts/netns-run.sh. Prints one figure per line: "name value".

#include "shell/config.h"
#include "shell/modsprache.h"
#include "udp_receiver.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

#include <sys/resource.h>

using namespace nvx;

namespace {

constexpr int Rate = 1000;

// The receiver forwards the telegrams of the sensors around it.
QList<QByteArray> radioTraffic(int count)
{
    QList<QByteArray> telegrams;
    telegrams.reserve(count);
    for (int i = 0; i < count; ++i)
        telegrams << nvxsim::SimModule::radioTelegram(QStringLiteral("07"),
                                                       QStringLiteral("00A1%1").arg(i % 50, 4, 16, QLatin1Char('0')).toUpper(),
                                                       {(i >> 8) & 0xFF, i & 0xFF, (i * 7) & 0xFF, 0x08});
    return telegrams;
}

// Receive lines (64 characters with their CR LF) up to just below the
// spill size.
QString nearlyFullBox()
{
    QString text;
    for (int i = 0; (i + 1) * 64 < 10000; ++i)
        text += QStringLiteral("A5 5A 0B 07 00 00 00 08 00 A1 00 00 00 00   01.01.26  00:00:%1\n").arg(i % 60, 2, 10, QLatin1Char('0'));
    return text;
}

// Times every event the application hands out, to tell a stall that the
// program causes (one long event) from one the machine causes (the thread
// not scheduled).
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        // The simulated receiver's thread is no part of the window.
        if (QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        if (m_depth++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --m_depth;
            return handled;
        }
        // The event may delete its receiver or itself.
        const char *className = receiver->metaObject()->className();
        const QPointer<QObject> alive(receiver);
        const int type = int(event->type());
        QElapsedTimer clock;
        clock.start();
        const bool handled = QApplication::notify(receiver, event);
        --m_depth;
        const double ms = clock.nsecsElapsed() / 1e6;
        if (ms > longestMs) {
            longestMs = ms;
            longest = QStringLiteral("%1(%2) event %3")
                          .arg(QLatin1String(className), alive ? alive->objectName() : QString())
                          .arg(type);
        }
        return handled;
    }
    double longestMs = 0;
    QString longest;

private:
    int m_depth = 0;
};

// What the calling thread has had so far: processor time, waits,
// preemptions and pages read from disk.
struct ThreadUsage {
    double cpuMs = 0;
    long waits = 0;
    long preempted = 0;
    long majorFaults = 0;

    static ThreadUsage now()
    {
        rusage r{};
        getrusage(RUSAGE_THREAD, &r);
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return {t.tv_sec * 1e3 + t.tv_nsec / 1e6, r.ru_nvcsw, r.ru_nivcsw, r.ru_majflt};
    }
    ThreadUsage operator-(const ThreadUsage &o) const
    {
        return {cpuMs - o.cpuMs, waits - o.waits, preempted - o.preempted, majorFaults - o.majorFaults};
    }
};

void print(const QString &run, const char *name, double value, int decimals = 0)
{
    std::printf("%s_%s %.*f\n", qPrintable(run), name, decimals, value);
    std::fflush(stdout);
}

void run(const QString &name, TimedApplication &app, Config &config, nvxbench::UdpReceiver &receiver, int seconds)
{
    config.start3_Click();
    config.txt_Empfang->setPlainText(nearlyFullBox());
    config.txt_log_data->setPlainText(nearlyFullBox());
    const QList<QByteArray> telegrams = radioTraffic(Rate * seconds);
    const int samplesBefore = config.state().logging.samples.counter;
    app.longestMs = 0;

    double maxStallMs = 0;
    ThreadUsage inStall;
    ThreadUsage atBeat;
    qsizetype boxMax = 0;
    QElapsedTimer sinceBeat;
    QTimer heartbeat;
    heartbeat.setInterval(0);
    QObject::connect(&heartbeat, &QTimer::timeout, &heartbeat, [&] {
        const ThreadUsage usage = ThreadUsage::now();
        const double stallMs = sinceBeat.isValid() ? sinceBeat.nsecsElapsed() / 1e6 : 0;
        if (stallMs > maxStallMs) {
            maxStallMs = stallMs;
            inStall = usage - atBeat;
        }
        atBeat = usage;
        sinceBeat.start();
        boxMax = std::max(boxMax, Config::boxLength(config.txt_Empfang));
    });
    heartbeat.start();
    const nvxbench::UdpReceiver::Burst burst = receiver.send(telegrams, Rate);
    heartbeat.stop();
    const double longestMs = app.longestMs;
    const QString longest = app.longest;
    config.stop3_Click();

    print(name, "max_event_loop_stall_ms", maxStallMs, 1);
    print(name, "stall_cpu_ms", inStall.cpuMs, 1);
    print(name, "stall_waits", double(inStall.waits));
    print(name, "stall_preempted", double(inStall.preempted));
    print(name, "stall_major_faults", double(inStall.majorFaults));
    print(name, "longest_event_ms", longestMs, 1);
    std::printf("%s_longest_event %s\n", qPrintable(name), qPrintable(longest));
    print(name, "sent", burst.sent);
    print(name, "processed", double(burst.processed));
    print(name, "chart_samples", config.state().logging.samples.counter - samplesBefore);
    print(name, "box_max_chars", double(boxMax));
    print(name, "messages", double(config.findChildren<QMessageBox *>(QStringLiteral("LogNotWritten")).size()));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("NVX_REGISTRY_FILE", dir.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
    TimedApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(QByteArray(argv[1]).toInt(), 1) : 30;
    if (qgetenv("NVX_IN_NETNS") != "1") {
        std::printf("skipped 1 (run it under scripts/netns-run.sh)\n");
        return 0;
    }

    AppState state;
    LoadLanguage(state, FormStatus, nullptr);
    Config config(state);
    LoadLanguage(state, FormConfig, &config);
    state.ProgramPath = dir.path() + QLatin1Char('/');
    state.DecimalSeparator = QStringLiteral(",");
    config.show();
    config.setLastTelegram(QStringLiteral("  "));
    // Five sensors in the table for the five series.
    for (int ch = 0; ch < 5; ++ch) {
        config.OrgByte[ch]->setText(QStringLiteral("4 Byte Sensor"));
        config.Orgnr[ch]->setText(QStringLiteral("07"));
        config.SystemID[ch]->setText(QStringLiteral("00A1%1").arg(ch, 4, 16, QLatin1Char('0')).toUpper());
    }
    config.ChannelSelectorRefill();
    for (int k = 0; k < 5; ++k) {
        config.Auswahl[k]->setCurrentIndex(k + 1);
        config.DatenbyteAuswahl[k]->setCurrentIndex(k % 4);
    }
    config.txtTimerInterval->setText(QStringLiteral("1"));
    config.Option1Intervall->setChecked(true);
    nvxbench::UdpReceiver receiver(config);
    if (!receiver.start())
        return 1;
    // The receiver reports gateway mode, as its status reply does.
    receiver.inThread([](nvxsim::SimModule &m) {
        m.receiver.gatewayFlag = true;
        m.sendText(m.statusReply());
    });
    QElapsedTimer wait;
    wait.start();
    while (!state.GatewayMode && wait.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!state.GatewayMode) {
        std::fprintf(stderr, "the receiver's status reply did not arrive\n");
        return 1;
    }
    config.SSTab1->setCurrentIndex(2);
    config.MonitorStart_Click();

    run(QStringLiteral("writable"), app, config, receiver, seconds);
    // A folder where the receive log should be: no one can write it.
    QFile::remove(state.ProgramPath + QStringLiteral("NVX_Log.txt"));
    QDir().mkpath(state.ProgramPath + QStringLiteral("NVX_Log.txt"));
    run(QStringLiteral("unwritable"), app, config, receiver, seconds);
    return 0;
}
