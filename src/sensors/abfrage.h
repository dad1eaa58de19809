#pragma once
// The question before a sensor is deleted.

#include "shell/appstate.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace nvx {

class Config;

class Abfrage : public QDialog {
    Q_OBJECT
public:
    Abfrage(AppState &state, Config &config);

    void Form_Load();
    void Ja_Click();
    void Nein_Click();

    QLabel *Label1 = nullptr;
    QPushButton *Ja = nullptr;
    QPushButton *Nein = nullptr;

private:
    AppState &m_state;
    Config &m_config;
};

} // namespace nvx
