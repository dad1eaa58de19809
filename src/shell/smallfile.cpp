#include "shell/smallfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <optional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace nvx {

SmallFile readSmallFile(const QString &path, qint64 maxBytes)
{
    SmallFile out;
    // Asked before opening: opening a FIFO waits for a writer.
    const QFileInfo info(path);
    if (!info.exists()) {
        out.status = SmallFile::Missing;
        return out;
    }
    if (!info.isFile()) {
        out.status = SmallFile::NotAFile;
        return out;
    }
    if (info.size() > maxBytes) {
        out.status = SmallFile::TooLarge;
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.status = SmallFile::Unreadable;
        return out;
    }
    // One byte more than allowed tells a file that grew since it was asked.
    out.data = file.read(maxBytes + 1);
    if (out.data.size() > maxBytes) {
        out.data.clear();
        out.status = SmallFile::TooLarge;
    } else if (file.error() != QFileDevice::NoError) {
        out.data.clear();
        out.status = SmallFile::Unreadable;
    } else {
        out.status = SmallFile::Read;
    }
    return out;
}

bool openRegularFile(QFile &file, QIODevice::OpenMode mode)
{
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        return false;
    return file.open(mode);
}

namespace {

// Empty when the disk holds all that was written to `file`, else why not.
std::optional<QString> syncFailure(const QFileDevice &file)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
#else
    Q_UNUSED(file);
#endif
    return std::nullopt;
}

} // namespace

bool saveWhole(const QString &path, const std::function<bool(QIODevice &)> &fill, QString *failure)
{
    const auto fail = [failure](const QString &why) {
        if (failure)
            *failure = why;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        return fail(QString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // commit() looks neither at its own flush of the buffer nor at the sync,
    // where a full disk may refuse last: both are asked here first. A file
    // given up is removed with `file`; the old one stays.
    if (!fill(file) || !file.flush())
        return fail(file.error() == QFileDevice::NoError ? QString() : file.errorString());
    if (const std::optional<QString> why = syncFailure(file))
        return fail(*why);
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool saveWhole(const QString &path, const QByteArray &bytes, QString *failure)
{
    return saveWhole(path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); }, failure);
}

} // namespace nvx
