#pragma once
// A list of steps worked off by a polling timer. Modal windows run event
// loops of their own, so a step never waits inside itself: it answers
// "done" or "not yet", and actions that may open a modal window are queued,
// so the next poll already runs inside that window's loop.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

class QAbstractButton;
class QWidget;

class Tour : public QObject {
    Q_OBJECT
public:
    Tour(QWidget &mainWindow, QString outDir, QString suffix);

    void start();

    // Steps: each returns true when it is done.
    void step(const QString &what, std::function<bool()> done, int timeoutMs = 20000);
    void waitFor(const QString &what, std::function<bool()> condition, int timeoutMs = 20000);
    // Queues fn on the event loop so a modal window it opens does not block
    // the tour.
    void act(const QString &what, std::function<void()> fn);
    void pause(int ms);
    void waitModal(const QString &name, int timeoutMs = 20000);
    void waitNoModal(int timeoutMs = 20000);
    // The status window's close button shown (its operation has ended).
    void waitStatusResult(int timeoutMs = 40000);
    void clickInModal(const QString &button);
    void clickInMain(const QString &button);
    // Closes the modal window of this name as its Cancel or Escape would.
    void rejectModal(const QString &name);
    // Settles painting, then keeps the screen area of the main window and of
    // every window shown over it as <name>-<suffix>.png.
    void shot(const QString &name);

    QWidget &mainWindow() { return m_main; }
    // The modal window on top when it has this object name, else null.
    static QWidget *modal(const QString &name);

private:
    struct Step {
        QString what;
        std::function<bool()> done;
        int timeoutMs;
    };
    void poll();
    void fail(const QString &why);
    bool grab(const QString &name);

    QWidget &m_main;
    QString m_outDir;
    QString m_suffix;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QElapsedTimer m_stepClock;
    QTimer m_poll;
    bool m_busy = false;
};
