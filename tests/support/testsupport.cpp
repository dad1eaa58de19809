#include "support/testsupport.h"
#include "shell/config.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTextDocument>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>
#include <utility>

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

void chooseFile(QFileDialog *dialog, const QString &path, bool replace, std::shared_ptr<bool> asked)
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
    const bool taken = chosen.size() == 1
        && (chosen.constFirst() == path || chosen.constFirst() == path + u'.' + dialog->defaultSuffix());
    bool declined = false;
    if (taken) {
        // The dialog asks from within its accept() before it replaces a
        // file; the question is answered from that nested loop.
        QTimer answer;
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, dialog, [&] {
            auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!question || question->parent() != dialog)
                return;
            if (asked)
                *asked = true;
            declined = !replace;
            question->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        answer.start();
        static_cast<QDialog *>(dialog)->accept();
    }
    if (dialog->isVisible()) {
        // An answer the dialog did not take must not leave it open.
        dialog->reject();
        if (!declined)
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

namespace {

// Room for the text of a label: its contents less margin and indent (a
// framed label indents by half an "x" unless told otherwise).
bool labelFits(const QLabel *label)
{
    const QString text = label->text();
    if (text.isEmpty() || !label->pixmap().isNull() || Qt::mightBeRichText(text))
        return true;
    const QFontMetrics fm(label->font());
    const int indent = label->indent() >= 0 ? label->indent()
                       : label->frameWidth() > 0 ? fm.horizontalAdvance(u'x') / 2
                                                 : 0;
    const QRect room = label->contentsRect().adjusted(label->margin() + indent, label->margin(), -label->margin(),
                                                      -label->margin());
    if (label->wordWrap())
        return fm.boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, text).height() <= room.height();
    for (const QString &line : text.split(u'\n'))
        if (fm.horizontalAdvance(line) > room.width())
            return false;
    return true;
}

// A button shows its caption whole at its size hint; a groove less than that
// cuts it.
bool buttonFits(const QAbstractButton *button)
{
    if (button->text().isEmpty())
        return true;
    const QSize hint = button->sizeHint();
    return button->width() >= hint.width() && button->height() >= std::min(hint.height(), button->minimumSizeHint().height());
}

bool frameFits(const QGroupBox *frame)
{
    if (frame->title().isEmpty())
        return true;
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
    return label.right() < frame->width();
}

// Every entry of a list box, shown as its current text.
QStringList cutEntries(const QComboBox *box)
{
    QStringList cut;
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    option.subControls = QStyle::SC_All;
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    const QFontMetrics fm(box->font());
    for (int i = 0; i < box->count(); ++i)
        if (fm.horizontalAdvance(box->itemText(i)) > field.width())
            cut << box->itemText(i);
    return cut;
}

} // namespace

QStringList cutCaptions(const QWidget *window)
{
    QStringList cut;
    const auto note = [&cut](const QWidget *w, const QString &text) { cut << w->objectName() + QStringLiteral(": ") + text; };
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (const QWidget *w : widgets) {
        if (!w->isVisibleTo(window))
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(w); label && !labelFits(label))
            note(w, label->text());
        else if (const auto *button = qobject_cast<const QAbstractButton *>(w); button && !buttonFits(button))
            note(w, button->text());
        else if (const auto *frame = qobject_cast<const QGroupBox *>(w); frame && !frameFits(frame))
            note(w, frame->title());
        else if (const auto *box = qobject_cast<const QComboBox *>(w))
            for (const QString &entry : cutEntries(box))
                note(w, entry);
    }
    return cut;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

FailingDisk::FailingDisk(const QString &folder) : m_folder(folder) { QDir().mkpath(folder); }

FailingDisk::~FailingDisk()
{
    for (; m_mounts > 0; --m_mounts)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool FailingDisk::mountHere(const char *source, const char *type, unsigned long flags, const char *options)
{
    // A mount outside the test's own namespace would reach the machine.
    if (qgetenv("NVX_IN_NETNS") != "1") {
        skipReason = QStringLiteral("no private mount namespace (run the test under scripts/netns-run.sh)");
        return false;
    }
    if (::mount(source, QFile::encodeName(m_folder).constData(), type, flags, options) != 0) {
        skipReason = QStringLiteral("cannot mount on %1: %2").arg(m_folder, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!(flags & MS_REMOUNT))
        ++m_mounts;
    return true;
}

bool FailingDisk::mountSmall(int kib)
{
    return mountHere("tmpfs", "tmpfs", 0, QByteArray("size=" + QByteArray::number(kib) + "k").constData());
}

bool FailingDisk::fill(qint64 leaveFree)
{
    QFile filler(m_folder + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray page(4096, 'f');
    while (filler.write(page) == page.size()) {
    }
    return filler.resize(std::max<qint64>(filler.size() - leaveFree, 0));
}

void FailingDisk::makeRoom() { QFile::remove(m_folder + QStringLiteral("/filler")); }

bool FailingDisk::setReadOnly(bool readOnly)
{
    if (!m_bound) {
        if (!mountHere(QFile::encodeName(m_folder).constData(), nullptr, MS_BIND, nullptr))
            return false;
        m_bound = true;
    }
    // A remount keeps the flags it may not drop in a user namespace.
    struct statvfs fs {};
    ::statvfs(QFile::encodeName(m_folder).constData(), &fs);
    unsigned long kept = 0;
    for (auto [st, ms] : {std::pair{ST_NOSUID, MS_NOSUID}, {ST_NODEV, MS_NODEV}, {ST_NOEXEC, MS_NOEXEC},
                          {ST_NOATIME, MS_NOATIME}, {ST_NODIRATIME, MS_NODIRATIME}, {ST_RELATIME, MS_RELATIME}})
        if (fs.f_flag & st)
            kept |= ms;
    return mountHere(nullptr, nullptr, MS_REMOUNT | MS_BIND | kept | (readOnly ? MS_RDONLY : 0), nullptr);
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
