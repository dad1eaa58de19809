#pragma once
// The control-timer window: switches the receiver's sensor supervision on
// with its minutes, or off. It may be loaded hidden by the receiver's
// supervision report and then shows what the receiver reported.

#include "sensors/sensorwindow.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace nvx {

class UpDown;

class Alarm : public SensorWindow {
    Q_OBJECT
public:
    Alarm(AppState &state, Config &config);

    void Form_Load();
    void Check1_Click();
    void txtmin_LostFocus();
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    void Abbruch_Click();
    void Abbruch1_Click();

    QGroupBox *Ueberwachungstimerframe = nullptr;
    QCheckBox *Check1 = nullptr;
    std::array<QLabel *, 2> txtMinute{};
    QLineEdit *txtmin = nullptr;
    UpDown *UpDown1 = nullptr;
    QLabel *txtminLabel = nullptr;
    QPushButton *Abbruch = nullptr;
    QPushButton *Abbruch1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace nvx
