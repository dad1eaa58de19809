#pragma once
// A log file written in whole lines on a disk that may take only part of a
// write (it fills up) or none of it (it is full, the folder is read-only or
// gone). What the file took is never offered to it again, and a line it took
// only in part is completed before anything else is written: each line
// stands in the file once, and whole.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

namespace nvx {

class LineFile {
public:
    // Creates `path` anew (an existing file is emptied) and keeps it open.
    bool create(const QString &path);
    // Opens `path` for appending; the file is created when missing. A file
    // that ends in a half line when this program first opens it (an earlier
    // run ended before the disk took the rest) has that line ended first, so
    // that the next line stands on its own. A file found empty takes no rest
    // of a line that belonged to the file once there.
    bool openToAppend(const QString &path);
    // Gives the rest of an unfinished line one last try, then closes; a rest
    // the disk still refuses is kept for finish() or a later append.
    void close();
    // Closes the file with every line whole where the disk allows: the rest
    // of a line is offered once more, to the file at its path again when an
    // earlier close left it owing.
    void finish();
    // Whether part of a line still waits for the disk, and that part.
    bool owesRest() const { return !m_unfinished.isEmpty(); }
    QByteArray rest() const { return m_unfinished; }
    bool isOpen() const { return m_file.isOpen(); }
    // True while the open file is still the one at its path: not deleted,
    // moved away or replaced by another file of that name.
    bool isAtItsPath() const;
    // Writes `lines` (each with its own line end) behind the rest of a line
    // that an earlier write left unfinished. Returns how many of `lines` the
    // file took; one taken in part counts, its rest waits for the next write.
    qsizetype write(const QList<QByteArray> &lines);
    // Why the latest open or write failed; empty when the disk gave no
    // reason (it took part of a write).
    QString failure() const;

private:
    QFile m_file;
    QByteArray m_unfinished;
    // The file whose end was looked at on its first opening.
    QString m_endSeen;
};

} // namespace nvx
