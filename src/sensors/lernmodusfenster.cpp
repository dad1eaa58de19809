#include "sensors/lernmodusfenster.h"
#include "link/protocol.h"
#include "sensors/fieldhelpers.h"
#include "sensors/supervision.h"
#include "shell/config.h"
#include "shell/modsprache.h"
#include "shell/vbcolours.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace nvx {

namespace {
constexpr std::uint32_t SysColourInactiveBorder = 0x8000000B;
}

LernmodusFenster::LernmodusFenster(AppState &state, Config &config)
    : SensorWindow(state, config, QStringLiteral("LernmodusFenster"), QStringLiteral("Lernmodus"))
{

    auto *layout = new QVBoxLayout(this);
    Sensortypeframe = new QGroupBox(QStringLiteral("Sensortyp"), this);
    Sensortypeframe->setObjectName(QStringLiteral("Sensortypeframe"));
    auto *kinds = new QVBoxLayout(Sensortypeframe);
    const std::array<const char *, 3> kindCaptions{"Taster (ORG-Byte 05)", "1 Byte Sensor (ORG-Byte 06)",
                                                   "4 Byte Sensor (ORG-Byte 07)"};
    for (int i = 0; i < 3; ++i) {
        ManuellIDOption[i] = new QRadioButton(QString::fromUtf8(kindCaptions[i]), Sensortypeframe);
        ManuellIDOption[i]->setObjectName(QStringLiteral("ManuellIDOption_%1").arg(i));
        kinds->addWidget(ManuellIDOption[i]);
    }
    layout->addWidget(Sensortypeframe);

    Einlernprozedurframe = new QGroupBox(QStringLiteral("Einlernprozedur"), this);
    Einlernprozedurframe->setObjectName(QStringLiteral("Einlernprozedurframe"));
    auto *ways = new QVBoxLayout(Einlernprozedurframe);
    Manuell[0] = new QRadioButton(QStringLiteral("Sensor ID mittels Lerntaste einlernen"), Einlernprozedurframe);
    Manuell[1] = new QRadioButton(QStringLiteral("Sensor ID manuell einlernen:"), Einlernprozedurframe);
    txtSensorIDeingabe = new QLineEdit(Einlernprozedurframe);
    txtSensorIDeingabe->setObjectName(QStringLiteral("txtSensorIDeingabe"));
    txtSensorIDeingabe->setEnabled(false);
    // The filter, not the field, keeps the 8 characters: a pasted ID written
    // with blanks ("00 0F A8 50") is cut only after they are dropped.
    installCharFilter(txtSensorIDeingabe, sensorIdKey, 8);
    for (int i = 0; i < 2; ++i) {
        Manuell[i]->setObjectName(QStringLiteral("Manuell_%1").arg(i));
        ways->addWidget(Manuell[i]);
        connect(Manuell[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Manuell_Click();
        });
    }
    ways->addWidget(txtSensorIDeingabe);
    layout->addWidget(Einlernprozedurframe);

    auto *buttons = new QHBoxLayout;
    Uebertragen = addButton(buttons, QStringLiteral("Uebertragen"), QStringLiteral("Einlernen"),
                            &LernmodusFenster::Uebertragen_Click);
    Abbrechen = addButton(buttons, QStringLiteral("Abbrechen"), QStringLiteral("Abbrechen"),
                          &LernmodusFenster::Abbrechen_Click);
    layout->addLayout(buttons);

    Form_Load();
}

void LernmodusFenster::Form_Load()
{
    ManuellIDOption[0]->setChecked(true);
    Manuell[0]->setChecked(true);
    Manuell_Click();
    loadTexts(FormLernmodus);
}

void LernmodusFenster::Manuell_Click()
{
    if (Manuell[0]->isChecked()) {
        txtSensorIDeingabe->setEnabled(false);
        setBackColour(txtSensorIDeingabe, SysColourInactiveBorder);
    } else if (Manuell[1]->isChecked()) {
        txtSensorIDeingabe->setEnabled(true);
        setBackColour(txtSensorIDeingabe, SysColourCaptionText);
    }
}

QString LernmodusFenster::selectedOrg() const
{
    if (ManuellIDOption[0]->isChecked())
        return QStringLiteral("05");
    if (ManuellIDOption[1]->isChecked())
        return QStringLiteral("06");
    return QStringLiteral("07");
}

void LernmodusFenster::Uebertragen_Click()
{
    Config &c = m_config;
    const int ch = m_state.LearnDeleteChannel;
    if (ch < 0 || ch >= ChannelCount)
        return;
    m_state.SelectorRefreshPending = true;
    m_state.ChannelHex = FormatHex2(m_state.CurrentChannel);
    const QString org = selectedOrg();

    if (Manuell[0]->isChecked()) {
        const QString command = ManuellIDOption[0]->isChecked() ? cmd::learnRocker(m_state.CurrentChannel)
                                                                : cmd::learnSensor(m_state.CurrentChannel, org);
        m_state.CommandString = toCommandString(command);
        c.OrgByte[ch]->setText(m_state.Texts[24]);
        c.SystemID[ch]->setText(m_state.Texts[24]);
        c.senden();
        m_state.StatusCode = StatusLearnIn;
        c.ShowMsgWindow();
        unload();
        return;
    }

    // The pressed row counts as well: its own sensor cannot be learned again.
    const QString id = txtSensorIDeingabe->text();
    for (int row = 0; row < ChannelCount; ++row) {
        if (c.SystemID[row]->text() == id && c.Orgnr[row]->text() == org) {
            m_state.ErrorCode = ErrorSensorAlreadyLearned;
            if (!m_state.DuplicateErrorShown) {
                m_state.DuplicateErrorShown = true;
                c.ShowErrorWindow(ErrorSensorAlreadyLearned);
            }
            return;
        }
    }
    if (id.size() != 8) {
        c.ShowErrorWindow(ErrorInvalidSensorId);
        return;
    }
    // senden follows this with the end of the manual learn-in, as the way
    // chosen here is "by hand".
    m_state.CommandString = toCommandString(cmd::writeChannelManual(m_state.CurrentChannel, org, id));
    c.senden();
    unload();
}

void LernmodusFenster::Abbrechen_Click()
{
    m_config.RowButtonRule(m_state.LearnDeleteChannel);
    unload();
}

} // namespace nvx
