#pragma once
// The manual send window: a radio telegram typed by hand (organisation byte,
// data bytes, sender ID offset, status) for the receiver to transmit.

#include "shell/appstate.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace nvx {

class Config;

class Send : public QDialog {
    Q_OBJECT
public:
    Send(AppState &state, Config &config);

    void Form_Load();
    void Text2_Change(int index);
    void Command1_Click();

    QLabel *Label14 = nullptr;
    std::array<QLineEdit *, 7> Text2{};
    QPushButton *Command1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppState &m_state;
    Config &m_config;
};

} // namespace nvx
