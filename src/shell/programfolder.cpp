#include "shell/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace nvx {

QString defaultProgramPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/nvx-ethernet/");
}

QString programPathFor(const QString &storeValue)
{
    return storeValue.isEmpty() ? defaultProgramPath() : storeValue;
}

QStringList helpDocumentSources(const QString &applicationDir)
{
    return {QDir::cleanPath(applicationDir + QStringLiteral("/../share/nvx-ethernet")),
            QDir::cleanPath(applicationDir + QStringLiteral("/share/nvx-ethernet"))};
}

namespace {

bool copyOver(const QString &source, const QString &target)
{
    // Copied under a temporary name first, so a reader (or a crash) never
    // meets half a document.
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(source, part))
        return false;
    QFile::remove(target);
    if (!QFile::rename(part, target)) {
        QFile::remove(part);
        return false;
    }
    // The copy keeps the source's time, so it is not taken for older next start.
    QFile copied(target);
    if (copied.open(QIODevice::ReadWrite))
        copied.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    return true;
}

} // namespace

int updateHelpDocuments(const QString &documentationDir, const QStringList &sourceDirs)
{
    int copied = 0;
    for (const QString &name : {HelpDocumentGerman, HelpDocumentEnglish}) {
        for (const QString &dir : sourceDirs) {
            const QFileInfo source(dir + QLatin1Char('/') + name);
            if (!source.isFile())
                continue;
            const QFileInfo target(documentationDir + QLatin1Char('/') + name);
            if (!target.exists() || target.lastModified() < source.lastModified())
                copied += copyOver(source.filePath(), target.filePath()) ? 1 : 0;
            break;
        }
    }
    return copied;
}

bool prepareProgramFolder(const QString &programPath, const QStringList &helpSources)
{
    if (programPath != defaultProgramPath())
        return true;
    QDir folder(programPath);
    if (!folder.mkpath(QStringLiteral("DAT")) || !folder.mkpath(QStringLiteral("Dokumentation")))
        return false;
    updateHelpDocuments(folder.filePath(QStringLiteral("Dokumentation")), helpSources);
    return true;
}

} // namespace nvx
