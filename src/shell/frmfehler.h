#pragma once
// The error window: the texts for ErrorCode in up to three lines, with two
// symbols for the port rule.

#include "shell/appstate.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace nvx {

class frmFehler : public QDialog {
    Q_OBJECT
public:
    explicit frmFehler(AppState &state, QWidget *parent = nullptr);

    void Form_Load();
    void Window();
    void frmFehlerButton_Click();

    QLabel *txtFehler = nullptr;
    QLabel *txtFehler1 = nullptr;
    QLabel *txtfehler2 = nullptr;
    QLabel *Picture1 = nullptr;   // not-equal sign, beside the UDP line
    QLabel *Picture2 = nullptr;   // equal sign, beside the TCP line
    QPushButton *frmFehlerButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    // Escape and the title bar's close acknowledge the error like the button.
    void reject() override;

private:
    void placePictures();

    AppState &m_state;
};

} // namespace nvx
