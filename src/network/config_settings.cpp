// Writing the network settings to the module, and the gateway options.

#include "link/protocol.h"
#include "shell/config.h"
#include "shell/vbcolours.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include <optional>

namespace nvx {

namespace {

// A port as typed: decimal digits only, 0..65535. The fields take up to 15
// digits, so a larger number is refused here rather than cut into 16 bits.
std::optional<int> portNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const int value = text.toInt();
    if (value > 65535)
        return std::nullopt;
    return value;
}

} // namespace

bool Config::portRuleHolds() const
{
    if (!portNumber(txtPort->text()) || !portNumber(txtServerPort->text()))
        return false;
    const bool same = txtPort->text() == txtServerPort->text();
    if (chkTCPIP->isChecked() && !same)
        return false;
    if (chkUDPMode->isChecked() && same)
        return false;
    return true;
}

void Config::Setting_Click()
{
    selectChartMode();
    if (m_state.LoggingActive) {
        ShowErrorWindow(ErrorLoggingActive);
        return;
    }
    if (!portRuleHolds()) {
        ShowErrorWindow(ErrorInvalidPort);
        return;
    }
    // The request would go to this address: refuse before the link is
    // dropped, as the search does.
    if (!moduleConfigTarget()) {
        ShowErrorWindow(ErrorInvalidDirectIp);
        txtDirectIP->setFocus();
        return;
    }

    closeTelegramSockets();
    setLastTelegram(QStringLiteral("  "));

    // The module restarts with its new settings; the table on screen is no
    // longer the receiver's.
    for (int ch = 0; ch < ChannelCount; ++ch) {
        Lernmodusbutton[ch]->setEnabled(false);
        info[ch]->setEnabled(false);
        Loeschen[ch]->setEnabled(false);
        clearRow(ch, SysColourCaptionText);
    }

    WriteBoardSettings();

    if (m_state.OperationFailed)
        return;
    if (QTreeWidgetItem *row = selectedBoardRow())
        ListBoards_ItemClick(row);
    setEditMarksBlack();
}

void Config::WriteBoardSettings()
{
    if (!m_state.BoardSelected) {
        m_state.OperationFailed = true;
        return;
    }
    BoardRecord &rec = m_state.CurrentBoard;

    auto refuse = [this](int errorCode, QWidget *focusField) {
        ShowErrorWindow(errorCode);
        if (focusField)
            focusField->setFocus();
        m_state.OperationFailed = true;
    };
    // Parts before a wrong one are stored, as on leaving the field.
    auto storeAddress = [&](QLineEdit *field, int firstByte, int errorCode) {
        const bool ok = rec.storeDotted(firstByte, field->text());
        if (!ok)
            refuse(errorCode, field);
        return ok;
    };

    rec[39] = 1;
    rec[BoardRecord::Dhcp] = chkDHCP->isChecked() ? 1 : 0;
    rec[BoardRecord::Udp] = chkUDPMode->isChecked() ? 1 : 0;
    if (chkClientMode->isChecked())
        rec[BoardRecord::Mode] = 0;
    else if (chkServerMode->isChecked())
        rec[BoardRecord::Mode] = 2;
    rec[44] = 0;

    if (!storeAddress(txtIP, BoardRecord::Ip, ErrorInvalidIp))
        return;
    if (!storeAddress(txtSubnet, BoardRecord::Subnet, ErrorInvalidSubnet))
        return;
    if (!storeAddress(txtGW, BoardRecord::Gateway, ErrorInvalidGateway))
        return;
    const std::optional<int> port = portNumber(txtPort->text());
    if (!port) {
        refuse(ErrorInvalidPort, nullptr);
        return;
    }
    rec.setPort(BoardRecord::Port, *port);
    if (!storeAddress(txtServerIP, BoardRecord::ServerIp, ErrorInvalidServerIp))
        return;
    if (!portRuleHolds()) {
        refuse(ErrorInvalidPort, nullptr);
        return;
    }
    rec.setPort(BoardRecord::ServerPort, *portNumber(txtServerPort->text()));

    const std::array<std::uint8_t, 12> fixedBytes{250, 8, 0, 0, 0, 0xA5, 0x00, 0x1C, 0, 0, 0, 0};
    for (std::size_t i = 0; i < fixedBytes.size(); ++i)
        rec[27 + static_cast<int>(i)] = fixedBytes[i];

    m_state.StatusCode = StatusUpdate;
    sendModuleMessage(QByteArrayLiteral("SETT") + rec.toBytes());
    m_state.OperationFailed = false;
    ShowMsgWindow();
}

void Config::bt_set_Click()
{
    const bool gateway = chk_gateway_enocean->isChecked();
    const bool rssiTicked = chk_rssi->isChecked();
    const bool serverTicked = chk_server->isChecked();
    m_state.CommandString = toCommandString(cmd::gatewayOptions(gateway, rssiTicked, serverTicked));
    // The flags pass through the channel routine: the last one, the server
    // flag, stays in CurrentChannel and ChannelHex.
    m_state.CurrentChannel = serverTicked ? 1 : 0;
    m_state.ChannelHex = FormatHex2(m_state.CurrentChannel);
    senden();

    frm_log->setVisible(!gateway);
    frm_sensor->setVisible(!gateway);
    m_state.GatewayMode = gateway;
}

} // namespace nvx
