#pragma once
// The about box: version, a no-liability notice and the maker's e-mail and
// web links.

#include "shell/appstate.h"

#include <QDialog>

class QLabel;

namespace nvx {

class fAbout : public QDialog {
    Q_OBJECT
public:
    explicit fAbout(AppState &state, QWidget *parent = nullptr);

    void Form_Load();
    void lblemail_Click();
    void lblHyperlink_Click();

    static const QString EmailAddress;
    static const QString WebAddress;

    QLabel *lblVersion = nullptr;
    QLabel *lbl_Software_Hinweis = nullptr;
    QLabel *lbltxtEmail = nullptr;
    QLabel *lblemail = nullptr;
    QLabel *lbltxtHyperlink = nullptr;
    QLabel *lblHyperlink = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppState &m_state;
};

} // namespace nvx
