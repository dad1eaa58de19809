// screenshot-tour: starts the program's main window as nvx-ethernet does,
// works through its tabs and windows against receiver-sim and keeps a
// picture of each (scripts/screenshots.sh runs it under Xvfb).
//
//   screenshot-tour OUTDIR SUFFIX [gateway]
//
// With "gateway" it expects receivers in gateway mode (receiver-sim
// --gateway) and shows the receive box.

#include "shell/appstate.h"
#include "shell/config.h"
#include "shell/mmain.h"
#include "tour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

namespace {

void setTab(nvx::Config &config, int index) { config.SSTab1->setCurrentIndex(index); }

// Picks the selector's entry of a channel given as its two digits.
void chooseChannel(QComboBox &selector, const QString &channel)
{
    for (int i = 1; i < selector.count(); ++i)
        if (selector.itemText(i).endsWith(channel))
            selector.setCurrentIndex(i);
}

void buildTour(Tour &t, nvx::Config &c)
{
    // The start-up search: its result over the list of receivers found.
    t.waitModal(QStringLiteral("frmState"), 60000);
    t.waitStatusResult();
    t.shot(QStringLiteral("search"));
    t.clickInModal(QStringLiteral("cmdOK"));

    // The first receiver is selected, the link opens and the table is read.
    t.waitModal(QStringLiteral("frmState"));
    t.act(QStringLiteral("sensors tab"), [&c] { setTab(c, 1); });
    t.waitStatusResult();
    t.shot(QStringLiteral("table-read"));
    t.clickInModal(QStringLiteral("cmdOK"));
    t.waitNoModal();

    t.act(QStringLiteral("settings tab"), [&c] {
        setTab(c, 0);
        c.Beschreibung->setPlainText(QStringLiteral("Hall 2, north wall"));
        c.Beschreibung_LostFocus();
    });
    t.shot(QStringLiteral("settings"));
    t.act(QStringLiteral("sensors tab"), [&c] { setTab(c, 1); });
    t.shot(QStringLiteral("sensors"));

    // Learn-in by the sensor's button on the free channel 2; the simulated
    // sensor presses it a few seconds later.
    t.clickInMain(QStringLiteral("Lernmodusbutton_1"));
    t.waitModal(QStringLiteral("LernmodusFenster"));
    t.clickInModal(QStringLiteral("ManuellIDOption_2"));
    t.shot(QStringLiteral("learn-in"));
    t.clickInModal(QStringLiteral("Uebertragen"));
    t.waitModal(QStringLiteral("frmState"));
    t.shot(QStringLiteral("learn-in-wait"));
    t.waitStatusResult();
    t.clickInModal(QStringLiteral("cmdOK"));
    t.waitNoModal();

    t.clickInMain(QStringLiteral("Sensortimer"));
    t.waitModal(QStringLiteral("Alarm"));
    t.clickInModal(QStringLiteral("Check1"));
    t.shot(QStringLiteral("control-timer"));
    // "Aktualisieren": the receiver supervises its sensors from now on and
    // reports their state.
    t.clickInModal(QStringLiteral("Abbruch"));
    t.waitNoModal();
    t.pause(1000);

    // The information window of channel 6, a 4-byte sensor, once it has sent.
    t.step(QStringLiteral("click the information button of channel 6"), [&c] {
        for (QAbstractButton *b : {c.info[5], c.info1[5], c.info2[5], c.info3[5]}) {
            if (b->isVisible() && b->isEnabled()) {
                QTimer::singleShot(0, b, &QAbstractButton::click);
                return true;
            }
        }
        return false;
    });
    t.waitModal(QStringLiteral("Monitor"));
    t.act(QStringLiteral("describe the sensor"), [] {
        if (QWidget *monitor = Tour::modal(QStringLiteral("Monitor")))
            if (auto *field = monitor->findChild<QLineEdit *>(QStringLiteral("txtSensorInfoMonitor_1")))
                field->setText(QStringLiteral("Hall 2, temperature"));
    });
    t.pause(12000);
    t.shot(QStringLiteral("info"));
    t.clickInModal(QStringLiteral("Command1"));
    t.waitNoModal();

    // A hand-made telegram: a rocker switch pressed, sent with the
    // receiver's base ID plus 1; the message shows what goes out.
    t.clickInMain(QStringLiteral("Command1"));
    t.waitModal(QStringLiteral("Send"));
    t.act(QStringLiteral("fill the telegram"), [] {
        QWidget *send = Tour::modal(QStringLiteral("Send"));
        const char *values[] = {"05", "30", "00", "00", "00", "01", "30"};
        for (int i = 0; i < 7; ++i)
            if (auto *field = send ? send->findChild<QLineEdit *>(QStringLiteral("Text2_%1").arg(i)) : nullptr)
                field->setText(QLatin1String(values[i]));
    });
    t.shot(QStringLiteral("send"));
    t.clickInModal(QStringLiteral("Command1"));
    t.waitFor(QStringLiteral("the telegram sent"),
              [] { return qobject_cast<QMessageBox *>(QApplication::activeModalWidget()) != nullptr; });
    t.shot(QStringLiteral("send-telegram"));
    t.act(QStringLiteral("close the message"), [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->accept();
    });
    t.rejectModal(QStringLiteral("Send"));
    t.waitNoModal();

    // Logging in chart mode: two series, one sample a second; each sensor
    // sends every 12 seconds.
    t.act(QStringLiteral("logging tab"), [&c] {
        setTab(c, 2);
        c.Option1Intervall->setChecked(true);
        c.txtTimerInterval->setText(QStringLiteral("1"));
        c.maxdia->setText(QStringLiteral("255"));
        c.mindia->setText(QStringLiteral("0"));
        // DB3 is the byte whose value the simulated sensors move.
        chooseChannel(*c.Auswahl[0], QStringLiteral("03"));
        chooseChannel(*c.Auswahl[1], QStringLiteral("06"));
        c.DatenbyteAuswahl[0]->setCurrentIndex(3);
        c.DatenbyteAuswahl[1]->setCurrentIndex(3);
    });
    t.clickInMain(QStringLiteral("MonitorStart"));
    t.pause(26000);
    t.shot(QStringLiteral("logging"));
    t.clickInMain(QStringLiteral("Monitorstop"));
    t.rejectModal(QStringLiteral("CommonDialog1"));
    t.waitNoModal();

    // Writing the network settings: in TCP mode both ports must be equal.
    t.act(QStringLiteral("settings tab"), [&c] {
        setTab(c, 0);
        c.txtServerPort->setText(c.txtPort->text());
        c.txtServerPort_LostFocus();
    });
    t.clickInMain(QStringLiteral("Setting"));
    t.waitModal(QStringLiteral("frmState"));
    t.waitStatusResult();
    t.shot(QStringLiteral("settings-write"));
    t.clickInModal(QStringLiteral("cmdOK"));
}

// Against receivers in gateway mode: they forward every telegram they hear,
// and the logging tab shows the receive box.
void buildGatewayTour(Tour &t, nvx::Config &c)
{
    t.waitModal(QStringLiteral("frmState"), 60000);
    t.waitStatusResult();
    t.clickInModal(QStringLiteral("cmdOK"));
    t.waitFor(QStringLiteral("gateway mode"), [&c] { return c.state().GatewayMode; });
    t.act(QStringLiteral("logging tab"), [&c] { setTab(c, 2); });
    t.clickInMain(QStringLiteral("start3"));
    t.pause(12000);
    t.shot(QStringLiteral("gateway"));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nvx-ethernet"));
    QApplication::setOrganizationName(QStringLiteral("Lorvantis Sensortechnik GmbH"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 3 || args.size() > 4 || (args.size() == 4 && args[3] != QLatin1String("gateway"))) {
        QTextStream(stderr) << "usage: screenshot-tour OUTDIR SUFFIX [gateway]" << Qt::endl;
        return 2;
    }

    nvx::AppState state;
    nvx::readDecimalSeparator(state);
    nvx::Config config(state);
    QTimer::singleShot(0, &config, &nvx::Config::Form_Load);

    Tour tour(config, args[1], args[2]);
    if (args.size() == 4)
        buildGatewayTour(tour, config);
    else
        buildTour(tour, config);
    tour.start();
    return app.exec();
}
