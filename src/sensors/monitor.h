#pragma once
// The sensor information window: one channel's description, data bytes or
// rocker buttons, and its supervision state. Each opening starts from the
// design state; the telegram processor keeps it up to date while it is open.

#include "sensors/sensorwindow.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace nvx {

class Monitor : public SensorWindow {
    Q_OBJECT
public:
    Monitor(AppState &state, Config &config);

    void Form_Load();
    void Command1_Click();
    void txtSensorInfoMonitor_LostFocus();
    void Resettimer_Click();

    std::array<QGroupBox *, 2> Frame1{};
    std::array<QLineEdit *, 2> txtSensorInfoMonitor{};
    QGroupBox *Frame3 = nullptr;
    std::array<QLabel *, 4> txtDataByteMonitor{};
    std::array<QLineEdit *, 4> DatenByte{};
    std::array<QRadioButton *, 4> TasteMonitor{};
    std::array<QGroupBox *, 2> Frame2{};
    std::array<QLabel *, 2> Picture1{};
    std::array<QLabel *, 3> Label1{};
    std::array<QLabel *, 3> Label2{};
    QPushButton *Resettimer = nullptr;
    QPushButton *Command1 = nullptr;

    // The rocker button of a rocker telegram: 0..3, -1 none, -2 unchanged.
    void selectRockerButton(int button);
    // The four data boxes from the channel's data bytes.
    void showDataBytes(int ch);

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace nvx
