#include "logging/linefile.h"

#include "shell/smallfile.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace nvx {

namespace {
// Unbuffered: a write reaches the disk at once and tells how much it took.
constexpr QIODevice::OpenMode Unbuffered = QIODevice::WriteOnly | QIODevice::Unbuffered;
} // namespace

bool LineFile::create(const QString &path)
{
    m_file.close();
    // What a former file still owed does not belong in a new one.
    m_unfinished.clear();
    m_file.setFileName(path);
    return openRegularFile(m_file, Unbuffered | QIODevice::Truncate);
}

bool LineFile::openToAppend(const QString &path)
{
    m_file.close();
    m_file.setFileName(path);
    if (!openRegularFile(m_file, Unbuffered | QIODevice::Append))
        return false;
    if (m_file.size() == 0) {
        m_unfinished.clear();
    } else if (m_unfinished.isEmpty() && m_endSeen != path) {
        QFile reader(path);
        if (reader.open(QIODevice::ReadOnly) && reader.seek(reader.size() - 1)) {
            // The disk may have taken the CR of the line end, not its LF.
            const QByteArray last = reader.read(1);
            if (last != "\n")
                m_unfinished = last == "\r" ? "\n" : "\r\n";
        }
    }
    m_endSeen = path;
    return true;
}

void LineFile::close()
{
    if (m_file.isOpen() && !m_unfinished.isEmpty())
        write({});
    m_file.close();
}

void LineFile::finish()
{
    // A file gone from its path takes no rest: a new one there would begin
    // with a piece of a line.
    if (!m_file.isOpen() && owesRest() && QFileInfo::exists(m_file.fileName()))
        openToAppend(m_file.fileName());
    close();
}

bool LineFile::isAtItsPath() const
{
    if (!m_file.isOpen())
        return false;
#ifdef Q_OS_UNIX
    struct stat open {};
    struct stat named {};
    return ::fstat(m_file.handle(), &open) == 0
        && ::stat(QFile::encodeName(m_file.fileName()).constData(), &named) == 0 && open.st_dev == named.st_dev
        && open.st_ino == named.st_ino;
#else
    return QFileInfo::exists(m_file.fileName());
#endif
}

qsizetype LineFile::write(const QList<QByteArray> &lines)
{
    if (!m_file.isOpen())
        return 0;
    if (!m_unfinished.isEmpty()) {
        const qint64 n = m_file.write(m_unfinished);
        if (n > 0)
            m_unfinished.remove(0, n);
        if (!m_unfinished.isEmpty())
            return 0;
    }
    qsizetype total = 0;
    for (const QByteArray &line : lines)
        total += line.size();
    QByteArray all;
    all.reserve(total);
    for (const QByteArray &line : lines)
        all += line;
    const qint64 written = std::max<qint64>(m_file.write(all), 0);

    qsizetype taken = 0;
    qint64 end = 0;
    for (const QByteArray &line : lines) {
        if (written >= end + line.size()) {
            end += line.size();
            ++taken;
            continue;
        }
        if (written > end) {
            m_unfinished = line.mid(written - end);
            ++taken;
        }
        break;
    }
    return taken;
}

QString LineFile::failure() const
{
    return m_file.error() == QFileDevice::NoError ? QString() : m_file.errorString();
}

} // namespace nvx
