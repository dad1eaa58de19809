#include "link/send.h"
#include "link/manualtelegram.h"
#include "link/protocol.h"
#include "sensors/fieldhelpers.h"
#include "shell/config.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace nvx {

namespace {

const QString AllowedKeys = QStringLiteral("AaBbCcDdEeFf1234567890");

QLabel *label(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

} // namespace

Send::Send(AppState &state, Config &config) : QDialog(&config), m_state(state), m_config(config)
{
    setObjectName(QStringLiteral("Send"));
    setWindowTitle(QStringLiteral("Send"));
    auto *layout = new QVBoxLayout(this);

    auto *module = new QGroupBox(QStringLiteral("Module"), this);
    module->setObjectName(QStringLiteral("Frame1"));
    auto *ml = new QHBoxLayout(module);
    ml->addWidget(label(QStringLiteral("ID:"), module));
    // The base ID as the receiver last reported it; its reply updates it
    // while the window is open.
    Label14 = label(m_state.BaseIDText, module);
    Label14->setObjectName(QStringLiteral("Label14"));
    ml->addWidget(Label14, 1);
    layout->addWidget(module);

    auto *options = new QGroupBox(QStringLiteral("Options"), this);
    options->setObjectName(QStringLiteral("Frame2"));
    auto *grid = new QGridLayout(options);
    for (int i = 0; i < int(Text2.size()); ++i) {
        auto *field = new QLineEdit(QStringLiteral("00"), options);
        field->setObjectName(QStringLiteral("Text2_%1").arg(i));
        field->setMaxLength(2);
        // Text that arrives without a key (pasted from a menu, dropped) is
        // held to hex digits as well.
        field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,2}")), field));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 8);
        field->installEventFilter(this);
        Text2[std::size_t(i)] = field;
    }
    grid->addWidget(label(QStringLiteral("ORG"), options), 0, 0);
    grid->addWidget(Text2[0], 1, 0);
    grid->addWidget(label(QStringLiteral("Data-Bytes:"), options), 0, 1, 1, 7);
    grid->addWidget(label(QStringLiteral("DB3"), options), 2, 1);
    grid->addWidget(label(QStringLiteral("DB2"), options), 2, 3);
    grid->addWidget(label(QStringLiteral("DB1"), options), 2, 5);
    grid->addWidget(label(QStringLiteral("DB0"), options), 2, 7);
    for (int i = 1; i <= 4; ++i) {
        grid->addWidget(Text2[std::size_t(i)], 1, 2 * i - 1);
        if (i < 4)
            grid->addWidget(label(QStringLiteral("-"), options), 1, 2 * i);
    }
    grid->addWidget(label(QStringLiteral("ID-Byte 0:"), options), 3, 0, 1, 3);
    grid->addWidget(Text2[5], 3, 3);
    grid->addWidget(label(QStringLiteral("0-127"), options), 3, 4, 1, 2);
    grid->addWidget(label(QStringLiteral("Status"), options), 4, 0, 1, 3);
    grid->addWidget(Text2[6], 4, 3);
    layout->addWidget(options);

    Command1 = new QPushButton(QStringLiteral("Send"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    layout->addWidget(Command1, 0, Qt::AlignRight);

    for (int i = 0; i < int(Text2.size()); ++i)
        connect(Text2[std::size_t(i)], &QLineEdit::textChanged, this, [this, i] { Text2_Change(i); });
    connect(Command1, &QPushButton::clicked, this, &Send::Command1_Click);
    Form_Load();
}

void Send::Form_Load()
{
    adjustSize();
    centreOnScreen(this);
}

bool Send::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && std::find(Text2.begin(), Text2.end(), watched) != Text2.end()) {
        // Only hex digits and Backspace type anything; keys that type no
        // character (cursor, Tab, Delete, which X11 gives the text 0x7F)
        // keep their meaning.
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (key->key() == Qt::Key_Backspace || text.isEmpty() || key->key() == Qt::Key_Tab
            || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape || key->key() == Qt::Key_Delete)
            return false;
        if (text.size() == 1 && AllowedKeys.contains(text))
            return false;
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Send::Text2_Change(int index)
{
    if (index < 5 && Text2[std::size_t(index)]->text().size() == 2)
        Text2[std::size_t(index + 1)]->setFocus();
}

void Send::Command1_Click()
{
    const ManualFields fields{Text2[0]->text(), Text2[1]->text(), Text2[2]->text(), Text2[3]->text(),
                              Text2[4]->text(), Text2[5]->text(), Text2[6]->text()};
    const QString telegram = composeManualTelegram(
        fields, m_state.BaseID3 + m_state.BaseID2 + m_state.BaseID1 + m_state.BaseID0);
    // A plain box: the telegram and OK, no icon, no title of its own.
    QMessageBox box(QMessageBox::NoIcon, QString(), telegram, QMessageBox::Ok, this);
    box.exec();
    m_state.CommandString = toCommandString(telegram);
    m_config.senden();
}

} // namespace nvx
