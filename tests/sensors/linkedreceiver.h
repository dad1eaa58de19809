#pragma once
// A main window linked to one simulated receiver (TCP server mode on
// 127.0.0.2), selected the way a click in the board list selects it, and a
// helper that answers the status window once it shows its result.

#include "link/protocol.h"
#include "shell/config.h"
#include "shell/modsprache.h"
#include "simulator.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

namespace nvxtest {

struct LinkedReceiver {
    TestEnv env;
    nvx::AppState state;
    std::unique_ptr<nvx::Config> config;
    nvxsim::ReceiverSimulator sim;
    nvxsim::SimModule *module = nullptr;

    static QString macText() { return QStringLiteral("00:50:C2:AA:00:01"); }

    // Builds the window and links it; the link's own status request is
    // consumed and its table-request fallback stopped, so a test starts from
    // a quiet link. Check QTest::currentTestFailed() afterwards.
    void setUp()
    {
        nvx::LoadLanguage(state, nvx::FormStatus, nullptr);
        config = std::make_unique<nvx::Config>(state);
        nvx::LoadLanguage(state, nvx::FormConfig, config.get());
        state.ProgramPath = env.programPath();
        config->show();

        const nvx::BoardRecord rec = nvxsim::makeRecord(QByteArray::fromHex("0050C2AA0001"),
                                                        QStringLiteral("127.0.0.2"), 10001,
                                                        QStringLiteral("127.0.0.1"), 10002);
        module = sim.addModule(rec);
        module->receiver.answerStatus = false;
        QVERIFY(module->startReceiver());

        state.boards.add(macText(), rec);
        auto *item = new QTreeWidgetItem(config->ListBoards, QStringList{macText()});
        state.NextBoardIndex = 2;
        config->txtlocalIP->setText(QStringLiteral("127.0.0.1"));
        config->ListBoards_ItemClick(item);
        QTRY_VERIFY(module->isConnected());
        QTRY_COMPARE(module->commands(), QStringList{nvx::cmd::statusRequest()});
        config->Timer1->stop();
        module->clearCommands();
    }

    void setRow(int ch, const QString &kind, const QString &org, const QString &id)
    {
        config->OrgByte[ch]->setText(kind);
        config->Orgnr[ch]->setText(org);
        config->SystemID[ch]->setText(id);
    }

    // The simulated receiver's own table: ORG and ID of each learned channel,
    // dashes for a free one.
    QString receiverIds() const
    {
        QString text;
        for (int ch = 0; ch < nvx::ChannelCount; ++ch)
            text += QStringLiteral("%1 %2 %3\n")
                        .arg(ch + 1, 2, 10, QLatin1Char('0'))
                        .arg(module->table[ch].used ? module->table[ch].org : QStringLiteral("--"),
                             module->table[ch].used ? module->table[ch].id : QStringLiteral("--------"));
        return text;
    }
};

struct StatusResult {
    bool closed = false;
    QString text;
    int statusCode = -1;
};

// Waits for the status window to show its result (close button visible),
// records the result text and the StatusCode, then presses the close button.
inline std::shared_ptr<StatusResult> closeStatusWindowAtResult(nvx::AppState &state, QObject *context)
{
    auto result = std::make_shared<StatusResult>();
    auto *timer = new QTimer(context);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, result, &state] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String("frmState"))
            return;
        auto *ok = modal->findChild<QPushButton *>(QStringLiteral("cmdOK"));
        auto *label = modal->findChild<QLabel *>(QStringLiteral("lblTxt"));
        if (!ok || !label || !ok->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        result->text = label->text();
        result->statusCode = state.StatusCode;
        ok->click();
        result->closed = true;
    });
    timer->start();
    return result;
}

inline QString padded(const QString &command) { return nvx::toCommandString(command); }

} // namespace nvxtest
