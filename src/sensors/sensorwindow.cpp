#include "sensors/sensorwindow.h"
#include "sensors/fieldhelpers.h"
#include "shell/config.h"
#include "shell/modsprache.h"

namespace nvx {

SensorWindow::SensorWindow(AppState &state, Config &config, const QString &name, const QString &caption)
    : QDialog(&config), m_state(state), m_config(config)
{
    setObjectName(name);
    setWindowTitle(caption);
}

void SensorWindow::loadTexts(int formCode)
{
    LoadLanguage(m_state, formCode, this);
    adjustSize();
    centreOnScreen(this);
}

void SensorWindow::unload()
{
    m_unloaded = true;
    done(0);
}

} // namespace nvx
