#pragma once
// Shared by the firmware upload tests: a main window linked to a simulated
// receiver, firmware files on disk, and one upload run from the menu as a
// user works it (file dialog answered, status window watched and closed).

#include "shell/config.h"
#include "shell/frmstate.h"
#include "shell/texts.h"
#include "sim_firmware.h"
#include "simulator.h"
#include "support/fixtures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace nvxtest {

struct FirmwareBench : LinkedReceiver {
    nvxsim::SimFirmware *firmware() { return module->firmware(); }

    bool setUp() { return sim.start() && LinkedReceiver::setUp(); }

    // A file of `size` bytes that differ from one position to the next.
    QString writeFile(qint64 size, const QString &name = QStringLiteral("firmware.bin"))
    {
        QByteArray bytes(size, '\0');
        for (qint64 i = 0; i < size; ++i)
            bytes[i] = char((i * 7 + i / 256) & 0xFF);
        const QString path = env.path() + QLatin1Char('/') + name;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != size)
            return {};
        return path;
    }
};

// What one upload showed.
struct UploadSeen {
    bool dialogShown = false;
    bool statusWindowShown = false;
    int barMaximum = -1;     // while the file went out
    int barValue = -1;
    bool restartWait = false;
    QString restartWaitText;
    qint64 restartWaitMs = -1;  // from its start to its time-out, when waited out
    QString result;
    int statusAtResult = -1;
    bool operationFailed = false;
    qint64 resultAfterMs = -1;  // from the menu click
};

// Runs the firmware menu item. The file dialog is answered with `file` (an
// empty text cancels it). The restart wait is waited out when `waitOutRestart`,
// otherwise ended at once as its time-out would end it. `during` runs once
// while the transfer is under way (prefix received, file not yet complete).
inline UploadSeen upload(FirmwareBench &b, const QString &file, bool waitOutRestart = false,
                         std::function<void()> during = {}, qint64 fileSize = 0)
{
    UploadSeen seen;
    QElapsedTimer clock;
    QElapsedTimer restartClock;
    bool duringDone = !during;
    const QPointer<QTimer> dialogWatch = watchNextModal(
        [&seen, file](QWidget *w) {
            seen.dialogShown = true;
            auto *dialog = qobject_cast<QFileDialog *>(w);
            if (!dialog)
                return;
            chooseFile(dialog, file);
        },
        QStringLiteral("OpenLog"), 60000);

    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *dlg = qobject_cast<nvx::frmState *>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        seen.statusWindowShown = true;
        nvx::AppState &s = b.state;
        nvxsim::SimFirmware *fw = b.firmware();
        if (s.StatusCode == nvx::StatusFirmwareUpload && fw->prefix.size() == 4) {
            seen.barMaximum = dlg->ProgressFile->maximum();
            seen.barValue = dlg->ProgressFile->value();
            if (!duringDone && fw->fileBytes() < fileSize) {
                duringDone = true;
                during();
            }
        }
        if (s.StatusCode == nvx::StatusRestartWait && !seen.restartWait) {
            seen.restartWait = true;
            seen.restartWaitText = dlg->lblTxt->text();
            // Measured on the wait's own timer, from its start to its end: a
            // busy machine may run this poll late at either end.
            const qint64 waitedBefore = dlg->Timer1SW->interval() - dlg->Timer1SW->remainingTime();
            restartClock.start();
            QObject::connect(dlg->Timer1SW, &QTimer::timeout, &poll, [&seen, &restartClock, waitedBefore] {
                if (seen.restartWaitMs < 0)
                    seen.restartWaitMs = waitedBefore + restartClock.elapsed();
            });
            if (!waitOutRestart)
                dlg->Timer1SW_Timer();
        }
        if (dlg->cmdOK->isVisible()) {
            poll.stop();
            seen.result = dlg->lblTxt->text();
            seen.statusAtResult = s.StatusCode;
            seen.operationFailed = s.OperationFailed;
            seen.resultAfterMs = clock.elapsed();
            dlg->cmdOK->click();
        }
    });
    poll.start();
    clock.start();
    b.config->MenueDateiUpload_Click();
    delete dialogWatch;
    return seen;
}

// The upload from the menu of a file of `size` bytes, its result timed from
// the connection attempt rather than from the click, so that the file
// dialog's time does not count.
inline UploadSeen timedUpload(FirmwareBench &b, qint64 size, std::function<void()> during = {})
{
    QElapsedTimer clock;
    qint64 attemptAtMs = -1;
    QObject watch;
    const QPointer<QTimer> windowWatch = watchNextModal(
        [&](QWidget *w) {
            QObject::connect(qobject_cast<nvx::frmState *>(w)->winsockUP, &QAbstractSocket::stateChanged, &watch,
                             [&](QAbstractSocket::SocketState s) {
                                 if (s == QAbstractSocket::ConnectingState && attemptAtMs < 0)
                                     attemptAtMs = clock.elapsed();
                             });
        },
        QStringLiteral("frmState"), 60000);
    const QString file = b.writeFile(size);
    clock.start();
    UploadSeen seen = upload(b, file, false, during, size);
    delete windowWatch;
    seen.resultAfterMs = clock.elapsed() - attemptAtMs;
    return seen;
}

// The sizes of the chunks that arrived.
inline QList<qsizetype> chunkSizes(const nvxsim::SimFirmware *fw)
{
    QList<qsizetype> sizes;
    for (const auto &c : fw->chunks)
        sizes << c.data.size();
    return sizes;
}

// The gaps before each chunk in ms: the first from the prefix.
inline QList<qint64> chunkGapsMs(const nvxsim::SimFirmware *fw)
{
    QList<qint64> gaps;
    qint64 before = fw->prefixAtUs;
    for (const auto &c : fw->chunks) {
        gaps << (c.atUs - before) / 1000;
        before = c.atUs;
    }
    return gaps;
}

inline QString text(int index) { return nvx::textFor(index, false); }

} // namespace nvxtest
