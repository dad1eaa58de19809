#include "tour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>
#include <QWidget>
#include <cstdio>

Tour::Tour(QWidget &mainWindow, QString outDir, QString suffix)
    : m_main(mainWindow), m_outDir(std::move(outDir)), m_suffix(std::move(suffix))
{
    m_poll.setInterval(100);
    connect(&m_poll, &QTimer::timeout, this, &Tour::poll);
}

void Tour::start()
{
    m_stepClock.start();
    m_poll.start();
}

void Tour::step(const QString &what, std::function<bool()> done, int timeoutMs)
{
    m_steps.push_back({what, std::move(done), timeoutMs});
}

void Tour::waitFor(const QString &what, std::function<bool()> condition, int timeoutMs)
{
    step(QStringLiteral("wait for ") + what, std::move(condition), timeoutMs);
}

void Tour::act(const QString &what, std::function<void()> fn)
{
    step(what, [this, fn] {
        QTimer::singleShot(0, this, fn);
        return true;
    });
}

void Tour::pause(int ms)
{
    step(QStringLiteral("pause %1 ms").arg(ms), [this, ms] { return m_stepClock.elapsed() >= ms; }, ms + 1000);
}

QWidget *Tour::modal(const QString &name)
{
    QWidget *w = QApplication::activeModalWidget();
    return w && w->isVisible() && w->objectName() == name ? w : nullptr;
}

void Tour::waitModal(const QString &name, int timeoutMs)
{
    waitFor(QStringLiteral("window ") + name, [name] { return modal(name) != nullptr; }, timeoutMs);
}

void Tour::waitNoModal(int timeoutMs)
{
    waitFor(QStringLiteral("no modal window"), [] { return QApplication::activeModalWidget() == nullptr; }, timeoutMs);
}

void Tour::waitStatusResult(int timeoutMs)
{
    waitFor(QStringLiteral("the status window's result"), [] {
        QWidget *w = modal(QStringLiteral("frmState"));
        auto *ok = w ? w->findChild<QAbstractButton *>(QStringLiteral("cmdOK")) : nullptr;
        return ok && ok->isVisible() && ok->isEnabled();
    }, timeoutMs);
}

void Tour::clickInModal(const QString &button)
{
    step(QStringLiteral("click ") + button, [this, button] {
        QWidget *w = QApplication::activeModalWidget();
        auto *b = w ? w->findChild<QAbstractButton *>(button) : nullptr;
        if (!b || !b->isVisible() || !b->isEnabled())
            return false;
        QTimer::singleShot(0, b, &QAbstractButton::click);
        return true;
    });
}

void Tour::clickInMain(const QString &button)
{
    step(QStringLiteral("click ") + button, [this, button] {
        auto *b = m_main.findChild<QAbstractButton *>(button);
        if (!b || !b->isVisible() || !b->isEnabled())
            return false;
        QTimer::singleShot(0, b, &QAbstractButton::click);
        return true;
    });
}

void Tour::rejectModal(const QString &name)
{
    step(QStringLiteral("close ") + name, [name] {
        auto *dialog = qobject_cast<QDialog *>(modal(name));
        if (!dialog)
            return false;
        QTimer::singleShot(0, dialog, &QDialog::reject);
        return true;
    });
}

void Tour::shot(const QString &name)
{
    pause(700);
    step(QStringLiteral("picture ") + name, [this, name] { return grab(name); });
}

bool Tour::grab(const QString &name)
{
    QRect area = m_main.frameGeometry();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != &m_main && w->isVisible() && qobject_cast<QDialog *>(w))
            area = area.united(w->frameGeometry());
    QScreen *screen = m_main.screen();
    area = area.intersected(screen->geometry());
    const QPixmap picture = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const QString path = QDir(m_outDir).filePath(name + QLatin1Char('-') + m_suffix + QStringLiteral(".png"));
    if (picture.isNull() || !picture.save(path)) {
        fail(QStringLiteral("cannot keep ") + path);
        return false;
    }
    QTextStream(stdout) << "screenshot-tour: " << path << Qt::endl;
    return true;
}

void Tour::poll()
{
    // A step's queued action may open a modal window whose loop polls again
    // before this call has returned.
    if (m_busy)
        return;
    m_busy = true;
    // One step per poll, so that what a step queued runs before the next
    // one looks.
    if (m_next < m_steps.size()) {
        Step &s = m_steps[m_next];
        if (s.done()) {
            ++m_next;
            m_stepClock.restart();
        } else if (m_stepClock.elapsed() > s.timeoutMs) {
            fail(QStringLiteral("gave up at step %1: %2").arg(m_next + 1).arg(s.what));
        }
    }
    m_busy = false;
    if (m_next == m_steps.size()) {
        QTextStream(stdout) << "screenshot-tour: done" << Qt::endl;
        // Modal windows may still be open; their loops would keep the
        // program alive, and nothing of its state needs saving.
        std::fflush(nullptr);
        std::_Exit(0);
    }
}

void Tour::fail(const QString &why)
{
    QTextStream err(stderr);
    err << "screenshot-tour: " << why;
    if (QWidget *w = QApplication::activeModalWidget())
        err << " (window on top: " << w->objectName() << ")";
    err << Qt::endl;
    std::fflush(nullptr);
    std::_Exit(1);
}
