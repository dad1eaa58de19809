#pragma once
// A main window and a simulated LAN for the settings write: the receiver is
// found and selected as at start-up, without waiting for a whole search.

#include "netfields_fixture.h"
#include "shell/modsprache.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QTcpSocket>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUdpSocket>

namespace nvxtest {

constexpr const char *LocalIp = "127.0.0.1";

struct SettingsBench : Bench {
    SettingsBench()
    {
        config->WinsockUDP->bind(QHostAddress::AnyIPv4, 5001, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
        config->show();
        config->activateWindow();
    }

    // A module in TCP server mode on 127.0.0.5; with `linked` its server IP
    // is this PC, so the selection opens the telegram link.
    nvxsim::SimModule *addModule(bool linked, int port = 5000)
    {
        auto *m = sim.addModule(nvxsim::makeRecord(QByteArray::fromHex("001A2B030C05"), QStringLiteral("127.0.0.5"),
                                                   port, linked ? QString::fromLatin1(LocalIp)
                                                                : QStringLiteral("127.0.0.9"),
                                                   port));
        // In gateway mode the receiver's status reply asks for no table read.
        m->receiver.gatewayFlag = true;
        return m;
    }

    // Lists the module as a search would and selects its row.
    void select(nvxsim::SimModule *m)
    {
        config->BoardAdd(m->record);
        QTreeWidgetItem *row = config->ListBoards->topLevelItem(0);
        config->ListBoards->setCurrentItem(row);
        config->setNetworkFieldsEnabled(true);
        config->ListBoards_ItemClick(row);
    }

    QList<QByteArray> settingsSent() const
    {
        QList<QByteArray> sett;
        for (const QByteArray &d : sim.configMessages())
            if (d.startsWith("SETT"))
                sett << d;
        return sett;
    }
};

// Watches the status window of a settings write: when the confirmation came
// and when the result showed, then closes it as the user would.
struct WriteWatch {
    bool shown = false;
    qint64 confirmedAfterMs = -1;
    qint64 resultAfterMs = -1;
    QString messageWhileWaiting;
    QString result;
};

inline std::shared_ptr<WriteWatch> watchWrite(nvx::AppState &state)
{
    auto watch = std::make_shared<WriteWatch>();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    onNextModal(
        [watch, clock, &state](QWidget *w) {
            watch->shown = true;
            auto *label = w->findChild<QLabel *>(QStringLiteral("lblTxt"));
            watch->messageWhileWaiting = label ? label->text() : QString();
            auto *poll = new QTimer(w);
            poll->setInterval(20);
            QObject::connect(poll, &QTimer::timeout, w, [watch, clock, &state, w, label, poll] {
                if (watch->confirmedAfterMs < 0 && state.StatusCode == nvx::StatusUpdateDone)
                    watch->confirmedAfterMs = clock->elapsed();
                auto *ok = w->findChild<QPushButton *>(QStringLiteral("cmdOK"));
                const bool result = label
                    && (label->text() == state.Texts[18] || label->text() == state.Texts[19]);
                if (result && ok && ok->isVisible()) {
                    poll->stop();
                    watch->resultAfterMs = clock->elapsed();
                    watch->result = label->text();
                    ok->click();
                }
            });
            poll->start();
        },
        QStringLiteral("frmState"), 20000);
    return watch;
}

} // namespace nvxtest
