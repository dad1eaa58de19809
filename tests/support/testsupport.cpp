#include "support/testsupport.h"
#include "shell/config.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QTimer>

namespace nvxtest {

TestEnv::TestEnv()
{
    qputenv("NVX_REGISTRY_FILE", registryFile().toLocal8Bit());
    // Without "Pfad" in the store the program makes its folder in the user's
    // data folder; a test keeps that inside its own.
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
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
    const auto press = [dialog, path] {
        for (auto *view : dialog->findChildren<QAbstractItemView *>())
            view->clearSelection();
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        else
            dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    };
    auto *again = new QTimer(dialog);
    again->setInterval(100);
    QObject::connect(again, &QTimer::timeout, dialog, [dialog, press] {
        if (dialog->isVisible())
            press();
    });
    // Once the dialog has answered, it may be shown again for another choice.
    QObject::connect(dialog, &QDialog::finished, again, &QObject::deleteLater);
    again->start();
    press();
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
