#pragma once
// Shared by the network settings tests: a main window with a receiver loaded
// into the fields as a selection leaves it.

#include "shell/config.h"
#include "shell/texts.h"
#include "simulator.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace nvxtest {

// Puts a receiver into the fields and the Loaded values the way a selection
// does: TCP, server mode, DHCP off.
inline void loadReceiver(nvx::Config &c, const nvx::BoardRecord &rec)
{
    nvx::AppState &s = c.state();
    s.CurrentBoard = rec;
    s.BoardSelected = true;
    s.LoadedIP = rec.dotted(nvx::BoardRecord::Ip);
    s.LoadedSubnet = rec.dotted(nvx::BoardRecord::Subnet);
    s.LoadedGateway = rec.dotted(nvx::BoardRecord::Gateway);
    s.LoadedServerIP = rec.dotted(nvx::BoardRecord::ServerIp);
    s.LoadedPort = QString::number(rec.port(nvx::BoardRecord::Port));
    s.LoadedServerPort = QString::number(rec.port(nvx::BoardRecord::ServerPort));
    s.LoadedDHCP = rec.isDhcp() ? 1 : 0;
    s.LoadedUDP = rec.isUdp();
    s.LoadedClientMode = rec.isClientMode();
    c.txtIP->setText(s.LoadedIP);
    c.txtSubnet->setText(s.LoadedSubnet);
    c.txtGW->setText(s.LoadedGateway);
    c.txtServerIP->setText(s.LoadedServerIP);
    c.txtPort->setText(s.LoadedPort);
    c.txtServerPort->setText(s.LoadedServerPort);
    c.chkDHCP->setChecked(s.LoadedDHCP == 1);
    (s.LoadedUDP ? c.chkUDPMode : c.chkTCPIP)->setChecked(true);
    (s.LoadedClientMode ? c.chkClientMode : c.chkServerMode)->setChecked(true);
    c.setNetworkFieldsEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{c.txtIP, c.txtSubnet, c.txtGW, c.txtServerIP, c.txtPort,
                                                         c.txtServerPort, c.chkDHCP, c.chkClientMode, c.chkServerMode,
                                                         c.chkTCPIP, c.chkUDPMode, c.Setting, c.Beschreibung})
        w->setEnabled(true);
}

// 10.0.20.4 port 5000, server 10.0.20.9 port 5000, gateway 10.0.20.1.
inline nvx::BoardRecord sampleRecord()
{
    nvx::BoardRecord rec = nvxsim::makeRecord(QByteArray::fromHex("001A2B030C10"), QStringLiteral("10.0.20.4"), 5000,
                                              QStringLiteral("10.0.20.9"), 5000);
    const nvx::DottedParse gateway = nvx::parseDotted(QStringLiteral("10.0.20.1"));
    for (int i = 0; i < 4; ++i)
        rec[nvx::BoardRecord::Gateway + i] = gateway.parts[static_cast<std::size_t>(i)];
    return rec;
}

} // namespace nvxtest
