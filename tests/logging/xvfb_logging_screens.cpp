// Pictures of the logging tab under a real X server: chart mode with five
// series while the simulated receiver's sensors send, and the gateway frame
// receiving the simulator's stream of radio telegrams.
//
//   xvfb_logging_screens <prefix>    (writes <prefix>-chart.png and
//                                     <prefix>-gateway.png; loopback only)

#include "support/fixtures.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <cstdio>

using namespace nvx;

namespace {

bool shoot(const QString &path)
{
    QTest::qWait(300);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    return !screen.isNull() && screen.save(path);
}

int fail(const char *what)
{
    std::fprintf(stderr, "xvfb_logging_screens: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("xvfb-logging");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    {
        // Chart mode: five sensors, one series each.
        nvxtest::LinkedReceiver bench;
        bench.state.DecimalSeparator = QStringLiteral(",");
        if (!bench.setUp())
            return fail("no link to the simulated receiver");
        Config &c = *bench.config;
        c.showMaximized();
        int tick = 0;
        QTimer sensors;
        QObject::connect(&sensors, &QTimer::timeout, &sensors, [&] {
            ++tick;
            for (int ch = 0; ch < 5; ++ch) {
                const int wave = int(100 + 80 * std::sin((tick + ch * 9) / 6.0));
                bench.module->sendChannelTelegram(ch, QStringLiteral("07"), QStringLiteral("000FA85%1").arg(ch),
                                                  {wave, (wave * 3) & 0xFF, tick & 0xFF, 0x08});
            }
        });
        sensors.start(100);
        if (!QTest::qWaitFor([&] { return c.SystemID[4]->text() != bench.state.Texts[0]; }, 10000))
            return fail("the sensors did not report");
        c.SSTab1->blockSignals(true);
        c.SSTab1->setCurrentIndex(2);
        c.SSTab1->blockSignals(false);
        c.ChannelSelectorRefill();
        for (int k = 0; k < 5; ++k) {
            c.Auswahl[k]->setCurrentIndex(k + 1);
            c.DatenbyteAuswahl[k]->setCurrentIndex(3);
            c.Max[k + 1]->setText(QStringLiteral("100"));
        }
        c.Min[2]->setText(QStringLiteral("-20"));
        c.txtTimerInterval->setText(QStringLiteral("1"));
        c.txtrowcountintervall->setText(QStringLiteral("40"));
        c.Timer2->setInterval(100);
        c.MonitorStart_Click();
        if (!QTest::qWaitFor([&] { return bench.state.logging.samples.counter >= 45; }, 20000))
            return fail("the chart did not fill");
        if (!shoot(prefix + QStringLiteral("-chart.png")))
            return fail("no chart picture");
        c.Timer2->stop();
        bench.state.LoggingActive = false;
    }
    {
        // Gateway mode: the receiver forwards what it hears.
        nvxtest::LinkedReceiver bench;
        if (!bench.setUp())
            return fail("no link to the gateway");
        Config &c = *bench.config;
        c.showMaximized();
        bench.module->receiver.gatewayFlag = true;
        bench.module->sendText(bench.module->statusReply());
        if (!QTest::qWaitFor([&] { return bench.state.GatewayMode; }, 10000))
            return fail("the receiver did not report gateway mode");
        c.SSTab1->blockSignals(true);
        c.SSTab1->setCurrentIndex(2);
        c.SSTab1->blockSignals(false);
        c.start3_Click();
        bench.module->startGatewayStream(60);
        if (!QTest::qWaitFor([&] { return c.txt_Empfang->blockCount() > 25; }, 20000))
            return fail("the receive box stayed empty");
        if (!shoot(prefix + QStringLiteral("-gateway.png")))
            return fail("no gateway picture");
    }
    std::printf("xvfb_logging_screens: %s-chart.png %s-gateway.png\n", qPrintable(prefix), qPrintable(prefix));
    return 0;
}
