#pragma once
// The learn-in window: the sensor kind, and whether the receiver waits for
// the sensor's learn button or stores a typed ID at once.

#include "sensors/sensorwindow.h"

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace nvx {

class LernmodusFenster : public SensorWindow {
    Q_OBJECT
public:
    LernmodusFenster(AppState &state, Config &config);

    void Form_Load();
    void Manuell_Click();
    void Uebertragen_Click();
    void Abbrechen_Click();

    QGroupBox *Sensortypeframe = nullptr;
    std::array<QRadioButton *, 3> ManuellIDOption{};
    QGroupBox *Einlernprozedurframe = nullptr;
    std::array<QRadioButton *, 2> Manuell{};
    QLineEdit *txtSensorIDeingabe = nullptr;
    QPushButton *Uebertragen = nullptr;
    QPushButton *Abbrechen = nullptr;

private:
    QString selectedOrg() const;
};

} // namespace nvx
