#pragma once
// Shared by the network settings tests: a main window with a receiver loaded
// into the fields as a selection leaves it, and answering the error window.

#include "shell/config.h"
#include "shell/texts.h"
#include "simulator.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <map>
#include <memory>

namespace nvxtest {

// What an error window showed before it was closed.
struct ErrorSeen {
    bool shown = false;
    QString firstLine;
    bool pictures = false;
};

// Queues the answer to the next error window: remember its texts, close it.
inline std::shared_ptr<ErrorSeen> answerError()
{
    auto seen = std::make_shared<ErrorSeen>();
    onNextModal(
        [seen](QWidget *w) {
            seen->shown = true;
            if (auto *label = w->findChild<QLabel *>(QStringLiteral("txtFehler")))
                seen->firstLine = label->text();
            auto *p1 = w->findChild<QLabel *>(QStringLiteral("Picture1"));
            auto *p2 = w->findChild<QLabel *>(QStringLiteral("Picture2"));
            seen->pictures = p1 && p2 && !p1->isHidden() && !p2->isHidden();
            click(w, QStringLiteral("frmFehlerButton"));
        },
        QStringLiteral("frmFehler"), 20000);
    return seen;
}

// The first line the error window shows for a code (German texts).
inline QString errorText(int code)
{
    static const std::map<int, int> textOfCode{{3, 44}, {4, 32}, {5, 29}, {6, 31}, {7, 30}, {10, 28}, {13, 49}};
    return nvx::textFor(textOfCode.at(code), false);
}

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
