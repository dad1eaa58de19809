#include "shell/frmfehler.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nvx {

frmFehler::frmFehler(AppState &state, QWidget *parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmFehler"));
    setWindowTitle(QStringLiteral("Fehler"));
    auto *layout = new QVBoxLayout(this);
    txtFehler = new QLabel(this);
    txtFehler->setObjectName(QStringLiteral("txtFehler"));
    txtFehler1 = new QLabel(this);
    txtFehler1->setObjectName(QStringLiteral("txtFehler1"));
    txtfehler2 = new QLabel(this);
    txtfehler2->setObjectName(QStringLiteral("txtfehler2"));
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    frmFehlerButton = new QPushButton(QStringLiteral("Schließen"), this);
    frmFehlerButton->setObjectName(QStringLiteral("frmFehlerButton"));
    for (QWidget *w : std::initializer_list<QWidget *>{txtFehler, txtFehler1, txtfehler2, Picture1, Picture2, frmFehlerButton})
        layout->addWidget(w);
    connect(frmFehlerButton, &QPushButton::clicked, this, &frmFehler::frmFehlerButton_Click);
    Form_Load();
}

void frmFehler::Form_Load() { Window(); }
void frmFehler::Window() { m_state.ErrorCode = ErrorNone; }
void frmFehler::frmFehlerButton_Click()
{
    m_state.DuplicateErrorShown = false;
    m_state.ErrorCode = ErrorNone;
    accept();
}

} // namespace nvx
