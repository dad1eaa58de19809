#include "support/testsupport.h"
#include "shell/config.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>

namespace nvxtest {

TestEnv::TestEnv()
{
    qputenv("NVX_REGISTRY_FILE", registryFile().toLocal8Bit());
    // Without "Pfad" in the store the program makes its folder in the user's
    // data folder; a test keeps that inside its own.
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
    // The file dialogs remember their last folder and history in the user's
    // configuration folder; the test program keeps its own, so that no dialog
    // opens in a folder another test program (or another run) left behind.
    // Qt looks that folder up once, so it lives as long as the process.
    static const QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
}

std::shared_ptr<bool> onNextModal(std::function<void(QWidget *)> action, const QString &objectName, int timeoutMs)
{
    auto done = std::make_shared<bool>(false);
    watchNextModal([done, action](QWidget *modal) {
        *done = true;
        action(modal);
    }, objectName, timeoutMs);
    return done;
}

QTimer *watchNextModal(std::function<void(QWidget *)> action, const QString &objectName, int timeoutMs)
{
    auto *timer = new QTimer(qApp);
    auto started = std::make_shared<qint64>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, started, timeoutMs, objectName] {
        *started += 10;
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && (objectName.isEmpty() || modal->objectName() == objectName)) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (*started > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return timer;
}

void chooseFile(QFileDialog *dialog, const QString &path)
{
    if (path.isEmpty())
        return dialog->reject();
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    for (auto *view : dialog->findChildren<QAbstractItemView *>())
        view->clearSelection();
    {
        // Typed as a user types it, but without the field's completion: with
        // the field out of focus, the dialog would answer a completed match
        // by writing that file's bare name back into the field, which it
        // then reads against its own folder.
        const QSignalBlocker typing(name);
        name->setText(path);
    }
    const QStringList chosen = dialog->selectedFiles();
    if (chosen == QStringList{path})
        static_cast<QDialog *>(dialog)->accept();
    if (dialog->isVisible()) {
        // An answer the dialog did not take must not leave it open.
        dialog->reject();
        QFAIL(qPrintable(QStringLiteral("the file dialog chose \"%1\" for %2").arg(chosen.join(u' '), path)));
    }
}

bool click(QWidget *root, const QString &name)
{
    auto *button = root ? root->findChild<QAbstractButton *>(name) : nullptr;
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

UrlCatcher::UrlCatcher(const QStringList &schemes) : m_schemes(schemes)
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlCatcher::~UrlCatcher()
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString tableText(nvx::Config &config)
{
    QString text;
    for (int i = 0; i < nvx::ChannelCount; ++i)
        text += QStringLiteral("%1 | %2 | %3 | %4\n")
                    .arg(i + 1, 2, 10, QLatin1Char('0'))
                    .arg(config.OrgByte[i]->text(), config.Orgnr[i]->text(), config.SystemID[i]->text());
    return text;
}

} // namespace nvxtest
