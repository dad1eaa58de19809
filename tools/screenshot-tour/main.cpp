// screenshot-tour: starts the program's main window as nvx-ethernet does,
// works through its tabs and windows against receiver-sim and keeps a
// picture of each (scripts/screenshots.sh runs it under Xvfb).
//
//   screenshot-tour OUTDIR SUFFIX

#include "shell/appstate.h"
#include "shell/config.h"
#include "shell/mmain.h"
#include "tour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

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
    t.waitModal(QStringLiteral("frmState"));
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
    t.clickInModal(QStringLiteral("Abbruch1"));
    t.waitNoModal();

    // Logging in chart mode: two series, one sample a second.
    t.act(QStringLiteral("logging tab"), [&c] {
        setTab(c, 2);
        c.Option1Intervall->setChecked(true);
        c.txtTimerInterval->setText(QStringLiteral("1"));
        c.maxdia->setText(QStringLiteral("255"));
        c.mindia->setText(QStringLiteral("0"));
        chooseChannel(*c.Auswahl[0], QStringLiteral("03"));
        chooseChannel(*c.Auswahl[1], QStringLiteral("06"));
        c.DatenbyteAuswahl[1]->setCurrentIndex(1);
    });
    t.clickInMain(QStringLiteral("MonitorStart"));
    t.pause(15000);
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nvx-ethernet"));
    QApplication::setOrganizationName(QStringLiteral("Lorvantis Sensortechnik GmbH"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: screenshot-tour OUTDIR SUFFIX" << Qt::endl;
        return 2;
    }

    nvx::AppState state;
    nvx::readDecimalSeparator(state);
    nvx::Config config(state);
    QTimer::singleShot(0, &config, &nvx::Config::Form_Load);

    Tour tour(config, args[1], args[2]);
    buildTour(tour, config);
    tour.start();
    return app.exec();
}
