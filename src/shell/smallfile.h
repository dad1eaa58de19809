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

} // namespace nvx
