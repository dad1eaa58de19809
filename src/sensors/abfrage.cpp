#include "sensors/abfrage.h"
#include "link/protocol.h"
#include "sensors/fieldhelpers.h"
#include "shell/config.h"
#include "shell/modsprache.h"
#include "shell/vbcolours.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace nvx {

Abfrage::Abfrage(AppState &state, Config &config) : QDialog(&config), m_state(state), m_config(config)
{
    setObjectName(QStringLiteral("Abfrage"));
    setWindowTitle(QStringLiteral("Abfrage"));
    auto *layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Wollen Sie die Sensor ID löschen?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(Label1);
    auto *buttons = new QHBoxLayout;
    Ja = new QPushButton(QStringLiteral("Ja"), this);
    Ja->setObjectName(QStringLiteral("Ja"));
    Nein = new QPushButton(QStringLiteral("Nein"), this);
    Nein->setObjectName(QStringLiteral("Nein"));
    buttons->addWidget(Ja);
    buttons->addWidget(Nein);
    layout->addLayout(buttons);
    connect(Ja, &QPushButton::clicked, this, &Abfrage::Ja_Click);
    connect(Nein, &QPushButton::clicked, this, &Abfrage::Nein_Click);
    Form_Load();
}

void Abfrage::Form_Load()
{
    LoadLanguage(m_state, FormAbfrage, this);
    adjustSize();
    centreOnScreen(this);
}

void Abfrage::Nein_Click() { done(0); }

void Abfrage::Ja_Click()
{
    Config &c = m_config;
    const int ch = m_state.LearnDeleteChannel;
    if (ch >= 0 && ch < ChannelCount) {
        // The row is free on the screen at once; nothing waits for the
        // receiver.
        c.clearRow(ch, SysColourCaptionText);
        c.RowButtonRule(ch);
    }
    m_state.ChannelHex = FormatHex2(m_state.CurrentChannel);
    m_state.CommandString = toCommandString(cmd::clearChannelForDelete(m_state.CurrentChannel));
    c.senden();
    if (ch >= 0 && ch < ChannelCount) {
        c.info[ch]->setVisible(true);
        c.info[ch]->setEnabled(false);
        for (QToolButton *b : {c.info1[ch], c.info2[ch], c.info3[ch]})
            b->setVisible(false);
        m_state.ChannelFailedAtTimes[ch] = false;
        m_state.ChannelFailed[ch] = false;
        m_state.ChannelDescriptions[ch] = QStringLiteral("  ");
    }
    c.ChannelSelectorRefill();
    done(1);
}

} // namespace nvx
