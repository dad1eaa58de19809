#pragma once
// The per-receiver description file: the receiver's free description on the
// first line, the 30 channel descriptions on the second, each closed by ";".
// Single-byte Windows text (cp1252.h); the first line ends with CR LF, the second has no
// line end.

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace nvx {

struct Descriptions {
    QString receiver;
    std::array<QString, 30> channels;
};

// "<dir>DAT/MAC_<12 hex digits>.dat"; `programPath` ends with a separator.
QString descriptionFilePath(const QString &programPath, const QString &selectedMac);

QByteArray formatDescriptionFile(const Descriptions &d);
// Never fails: what the data lacks (a second line, fields of it) stays empty,
// so one receiver's texts cannot survive under another's name.
Descriptions parseDescriptionFile(const QByteArray &data);

// Writes the file whole or leaves the one there as it was; false when it
// cannot be written (e.g. no DAT folder, which is never created, or a full
// disk), with the system's reason in `failure` where it gave one.
bool writeDescriptionFile(const QString &path, const Descriptions &d, QString *failure = nullptr);
// The program writes at most a few kilobytes; a larger file is not its own
// and would only freeze the window that shows it.
constexpr qint64 DescriptionFileMaxBytes = 64 * 1024;

// Nothing when the file is missing or unreadable, no regular file or larger
// than DescriptionFileMaxBytes.
std::optional<Descriptions> readDescriptionFile(const QString &path);

} // namespace nvx
