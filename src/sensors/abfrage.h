#pragma once
// The question before a sensor is deleted.

#include "sensors/sensorwindow.h"

class QLabel;
class QPushButton;

namespace nvx {

class Abfrage : public SensorWindow {
    Q_OBJECT
public:
    Abfrage(AppState &state, Config &config);

    void Form_Load();
    void Ja_Click();
    void Nein_Click();

    QLabel *Label1 = nullptr;
    QPushButton *Ja = nullptr;
    QPushButton *Nein = nullptr;
};

} // namespace nvx
