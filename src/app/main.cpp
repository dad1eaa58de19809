// nvx-ethernet: configuration and monitoring tool for NVX-Ethernet receivers.

#include "shell/appstate.h"
#include "shell/config.h"
#include "shell/mmain.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nvx-ethernet"));
    QApplication::setOrganizationName(QStringLiteral("Lorvantis Sensortechnik GmbH"));

    nvx::AppState state;
    nvx::readDecimalSeparator(state);
    nvx::Config config(state);
    // The load runs the start-up search with its modal status window, so it
    // starts from the event loop rather than before it.
    QTimer::singleShot(0, &config, &nvx::Config::Form_Load);
    return app.exec();
}
