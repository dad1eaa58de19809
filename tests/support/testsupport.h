#pragma once
// Shared helpers of the tests: a private configuration store and program
// folder, answering modal windows, and the sensor table as text.

#include "shell/appstate.h"

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

class QFileDialog;
class QTimer;

namespace nvx {
class Config;
}

namespace nvxtest {

// A temporary folder used as the program folder, with the configuration
// store inside it (NVX_REGISTRY_FILE points there for this process) and the
// user's data folder (XDG_DATA_HOME) below it.
class TestEnv {
public:
    TestEnv();
    QString path() const { return m_dir.path(); }
    QString programPath() const { return m_dir.path() + QLatin1Char('/'); }
    QString registryFile() const { return m_dir.filePath(QStringLiteral("registry.ini")); }

private:
    QTemporaryDir m_dir;
};

// Runs `action` on the next modal window (with that objectName, when one is
// given) as soon as it is open, checked from the event loop; e.g. to read it
// and press its close button. Returns a flag that turns true once it ran.
std::shared_ptr<bool> onNextModal(std::function<void(QWidget *)> action, const QString &objectName = {},
                                  int timeoutMs = 60000);
// The same, giving the watching timer (gone once it ran or gave up), so a
// caller can stop waiting early.
QTimer *watchNextModal(std::function<void(QWidget *)> action, const QString &objectName, int timeoutMs);

// Clicks the child named `name` of `root` (a button) and returns true when
// found and enabled.
bool click(QWidget *root, const QString &name);

// Types `path` into an open file dialog's name field and presses its button
// once, as the user does, so it must be a path the dialog takes (a save
// dialog may add its extension); a dialog that stays open is cancelled and
// the test fails. An empty path cancels. When the dialog asks whether to
// replace an existing file, the question is answered with `replace`; a No
// cancels the dialog. `asked` (when given) turns true once the question came.
void chooseFile(QFileDialog *dialog, const QString &path, bool replace = true,
                std::shared_ptr<bool> asked = {});

// Stands in for the desktop while it lives: records the addresses of the
// given schemes that would have been opened.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(const QStringList &schemes);
    ~UrlCatcher() override;
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }

private:
    QStringList m_schemes;
};

// The captions of `window`'s shown labels, buttons, frames and list boxes
// that do not fit their control as it is laid out now, as
// "objectName: text"; empty when every caption shows whole.
QStringList cutCaptions(const QWidget *window);

// The whole file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);

// A folder (made when missing) that fails as a disk does: a small tmpfs that
// can be filled to its last bytes, or the folder mounted read-only. The
// mounts live in the test's own mount namespace (scripts/netns-run.sh) and
// go with this object; outside that namespace nothing is mounted, and
// `skipReason` says why.
class FailingDisk {
public:
    explicit FailingDisk(const QString &folder);
    ~FailingDisk();
    FailingDisk(const FailingDisk &) = delete;
    FailingDisk &operator=(const FailingDisk &) = delete;
    QString folder() const { return m_folder; }
    // A tmpfs of `kib` KiB on the folder.
    bool mountSmall(int kib);
    // Fills the disk with a filler file up to all but `leaveFree` bytes
    // (whole pages); then makeRoom() removes the filler again.
    bool fill(qint64 leaveFree = 0);
    void makeRoom();
    // The folder read-only, or writable again.
    bool setReadOnly(bool readOnly);
    QString skipReason;

private:
    bool mountHere(const char *source, const char *type, unsigned long flags, const char *options);
    QString m_folder;
    int m_mounts = 0;
    bool m_bound = false;
};

// The 30 rows of the sensor table, one line each:
// "01 | <OrgByte> | <Orgnr> | <SystemID>".
QString tableText(nvx::Config &config);

} // namespace nvxtest
