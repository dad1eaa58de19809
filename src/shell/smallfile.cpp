#include "shell/smallfile.h"

#include <QFile>
#include <QFileInfo>

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

} // namespace nvx
