#pragma once
// The learn-in window: the sensor kind, and whether the receiver waits for
// the sensor's learn button or stores a typed ID at once.

#include "shell/appstate.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace nvx {

class Config;

class LernmodusFenster : public QDialog {
    Q_OBJECT
public:
    LernmodusFenster(AppState &state, Config &config);

    void Form_Load();
    void Manuell_Click();
    void Uebertragen_Click();
    void Abbrechen_Click();

    // True once the window has closed itself; its owner then discards it,
    // and the next use loads a fresh one.
    bool isUnloaded() const { return m_unloaded; }

    QGroupBox *Sensortypeframe = nullptr;
    std::array<QRadioButton *, 3> ManuellIDOption{};
    QGroupBox *Einlernprozedurframe = nullptr;
    std::array<QRadioButton *, 2> Manuell{};
    QLineEdit *txtSensorIDeingabe = nullptr;
    QPushButton *Uebertragen = nullptr;
    QPushButton *Abbrechen = nullptr;

protected:
    void reject() override;

private:
    void unload();
    QString selectedOrg() const;

    AppState &m_state;
    Config &m_config;
    bool m_unloaded = false;
};

} // namespace nvx
