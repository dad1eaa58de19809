#pragma once
// Set-ups shared by the window tests: a main window with its own store and a
// simulated LAN, receivers listed and linked as a click in the board list
// links them, and answers to the status and error windows.

#include "link/protocol.h"
#include "shell/config.h"
#include "simulator.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <map>
#include <memory>

namespace nvxtest {

// A main window over a private store, with a simulated LAN beside it. With
// the start-up texts it has what the program's start-up loads (German, as
// the store is empty); the program folder is the temporary one and the
// local IP 127.0.0.1, the server IP of the simulated receivers.
struct Bench {
    enum Texts { StartUpTexts, NoTexts };
    explicit Bench(Texts texts = StartUpTexts);

    TestEnv env;
    nvx::AppState state;
    nvxsim::ReceiverSimulator sim;
    std::unique_ptr<nvx::Config> config;

    // Lists the receiver as a search would: a Boards entry and a row.
    QTreeWidgetItem *list(const nvx::BoardRecord &rec);
    // Lists the receiver and clicks its row.
    void select(const nvx::BoardRecord &rec);
    // Adds a module that leaves the status request unanswered, starts it,
    // selects it and waits for the link and its status request; then stops
    // the table-request fallback and forgets the request, so a test starts
    // from a quiet link. Null (and a failure recorded) when it did not link.
    nvxsim::SimModule *link(const nvx::BoardRecord &rec);
};

// For test classes with a fresh bench for every test: startBench() in
// init(), stopBench() in cleanup(); `state` and `config` point into it.
struct PerTestBench {
    std::unique_ptr<Bench> bench;
    nvx::AppState *state = nullptr;
    nvx::Config *config = nullptr;
    void startBench(Bench::Texts texts = Bench::StartUpTexts)
    {
        bench = std::make_unique<Bench>(texts);
        state = &bench->state;
        config = bench->config.get();
    }
    void stopBench()
    {
        state = nullptr;
        config = nullptr;
        bench.reset();
    }
};

// A shown main window linked to one simulated receiver (TCP server mode on
// 127.0.0.2); setUp() is true once linked.
struct LinkedReceiver : Bench {
    nvxsim::SimModule *module = nullptr;
    bool setUp();
    void setRow(int ch, const QString &kind, const QString &org, const QString &id);
    // The simulated receiver's own table: ORG and ID of each learned channel,
    // dashes for a free one.
    QString receiverIds() const;
};

// Every row shows its plain information button only, as after the load.
void showPlainInfoButtons(nvx::Config &config);

// What the status window showed: the message while waiting and the result
// once its close button came, with StatusCode at that moment.
struct StatusResult {
    bool opened = false;
    QString waiting;
    bool tabsEnabledWhileWaiting = true;
    bool closed = false;
    QString text;
    int statusCode = -1;
    ~StatusResult() { delete poll; }
    QPointer<QTimer> poll;
};

// Watches for the status window and closes it with its button once it shows
// its result (first running `atResult`); stops watching when the returned
// object goes.
std::shared_ptr<StatusResult> closeStatusWindowAtResult(nvx::Config &config, std::function<void()> atResult = {});

// The window's load, with the start-up search's status window closed at its
// result; true when that window came.
bool loadClosingTheSearchWindow(nvx::Config &config);

// What an error window showed before it was closed.
struct ErrorSeen {
    bool shown = false;
    QString firstLine;
    QString secondLine;
    bool secondVisible = false;
    bool pictures = false;
    // For actions that may show no error window: stop waiting for one.
    void stopWaiting() { delete watcher; }
    QPointer<QTimer> watcher;
};

// Queues the answer to the next error window: remember its texts, close it.
std::shared_ptr<ErrorSeen> answerError(int timeoutMs = 20000);

// While it lives, closes each message that a file the user keeps was not
// written, noting its text.
struct NotSavedMessages {
    NotSavedMessages();
    QStringList texts;
    QTimer poll;
};

// The first line the error window shows for a code (German texts).
QString errorText(int code);

// The 30 channels as numbered lines "01<sep><row>", each row `otherRows`
// unless `rows` names it (channels from 0).
QString channelRows(const QString &separator, const QString &otherRows, const std::map<int, QString> &rows = {});

// A receiver at `ip` that reports to this PC (server IP 127.0.0.1).
inline nvx::BoardRecord reportingRecord(const char *macHex, const QString &ip, int port = 10001, int serverPort = 10002)
{
    return nvxsim::makeRecord(QByteArray::fromHex(macHex), ip, port, QStringLiteral("127.0.0.1"), serverPort);
}

// A module MAC 00:1A:2B:00:00:<last>.
inline QByteArray mac(int last) { return QByteArray::fromHex("001A2B0000") + QByteArray(1, char(last)); }

inline QString padded(const QString &command) { return nvx::toCommandString(command); }

} // namespace nvxtest
