#pragma once
// The program folder: the data log, the receive log, the description files
// (DAT/) and the help documents (Dokumentation/). A store value "Pfad" names
// it; without one every user gets a folder of their own in the desktop's
// place for application data, made on first start.

#include <QString>
#include <QStringList>

namespace nvx {

inline const QString HelpDocumentGerman = QStringLiteral("nvx_ethernet_ger.pdf");
inline const QString HelpDocumentEnglish = QStringLiteral("nvx_ethernet_eng.pdf");

// $XDG_DATA_HOME/nvx-ethernet/ (~/.local/share/nvx-ethernet/), with its
// trailing "/" as the store's value carries one.
QString defaultProgramPath();

// The program folder for the store's "Pfad": the value exactly as it stands,
// or the per-user folder when there is none.
QString programPathFor(const QString &storeValue);

// The folders where the help documents that came with the program lie, most
// likely first: <prefix>/share/nvx-ethernet beside an installed <prefix>/bin,
// and share/nvx-ethernet in the build tree beside the executable.
QStringList helpDocumentSources(const QString &applicationDir);

// Copies each help document into `documentationDir` when it is missing there
// or older than the first copy found in `sourceDirs`. Returns how many were
// copied; a document that cannot be copied is left as it is.
int updateHelpDocuments(const QString &documentationDir, const QStringList &sourceDirs);

// Makes the per-user folder with DAT/ and Dokumentation/ and brings the help
// documents up to date. A folder named by the store is left alone: it belongs
// to whoever set it up. False when the folders cannot be made.
bool prepareProgramFolder(const QString &programPath, const QStringList &helpSources);

} // namespace nvx
