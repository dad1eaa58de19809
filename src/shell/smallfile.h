#pragma once
// Reading a file the program expects to be small (the configuration store,
// description and address files): only a regular file, and only up to a
// size the program itself never comes near. A link to a device or a FIFO,
// or a file of hundreds of megabytes, would otherwise hang the program, run
// it out of memory or freeze its window. The same holds for the files it
// writes: opening a FIFO for writing waits for a reader without end.

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

class QFile;

namespace nvx {

struct SmallFile {
    enum Status {
        Read,         // `data` holds the whole file
        Missing,      // no such file (a dangling link included)
        NotAFile,     // a folder, device, FIFO or socket
        TooLarge,     // more than the limit
        Unreadable,   // exists, but cannot be opened or read
    };
    Status status = Missing;
    QByteArray data;
};

SmallFile readSmallFile(const QString &path, qint64 maxBytes);

// Opens `file` only when its name is free or names a regular file; false
// for a folder, device, FIFO or socket, as for a file that cannot be opened.
bool openRegularFile(QFile &file, QIODevice::OpenMode mode);

// Writes a file the user keeps (an address file, a description file, a
// saved data log) so that whatever stood at `path` stays byte for byte
// unless the new content stands there whole: it is written to a file beside
// it, which takes the old one's place only once the disk holds all of it.
// `fill` writes the content and returns false to give the file up. Refused,
// like openRegularFile(), for a name that is no regular file, and for a
// write-protected file, which the replacement would otherwise go round.
// False when the file was not written; `failure` then tells why, when the
// system gave a reason.
bool saveWhole(const QString &path, const std::function<bool(QIODevice &)> &fill, QString *failure = nullptr);
bool saveWhole(const QString &path, const QByteArray &bytes, QString *failure = nullptr);

} // namespace nvx
