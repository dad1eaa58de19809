#include "sensors/abfrage.h"
#include "link/protocol.h"
#include "shell/config.h"
#include "shell/modsprache.h"
#include "shell/vbcolours.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace nvx {

Abfrage::Abfrage(AppState &state, Config &config)
    : SensorWindow(state, config, QStringLiteral("Abfrage"), QStringLiteral("Abfrage"))
{
    auto *layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Wollen Sie die Sensor ID löschen?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(Label1);
    auto *buttons = new QHBoxLayout;
    Ja = addButton(buttons, QStringLiteral("Ja"), QStringLiteral("Ja"), &Abfrage::Ja_Click);
    Nein = addButton(buttons, QStringLiteral("Nein"), QStringLiteral("Nein"), &Abfrage::Nein_Click);
    layout->addLayout(buttons);
    Form_Load();
}

void Abfrage::Form_Load() { loadTexts(FormAbfrage); }

void Abfrage::Nein_Click() { unload(); }

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
    unload();
}

} // namespace nvx
