// Description files and address files.

#include "sensors/addressfile.h"
#include "sensors/descriptionfile.h"
#include "shell/config.h"
#include "shell/smallfile.h"
#include "shell/updown.h"
#include "shell/vbcolours.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>

namespace nvx {

void Config::Datspeichern()
{
    Descriptions d;
    d.receiver = Beschreibung->toPlainText();
    for (int ch = 0; ch < ChannelCount; ++ch)
        d.channels[std::size_t(ch)] = m_state.ChannelDescriptions[std::size_t(ch)];
    const QString path = descriptionFilePath(m_state.ProgramPath, m_state.SelectedMAC);
    // Without a DAT folder the user keeps no descriptions: nothing is saved,
    // and nothing is said. A file that fails in the folder is told, once in
    // a run, as saving happens unasked at every change of focus.
    if (!QFileInfo(path).absoluteDir().exists())
        return;
    QString failure;
    if (!writeDescriptionFile(path, d, &failure))
        tellFileNotSaved(path, failure, &m_descriptionFilesTold);
}

QString Config::CommonDialog1(bool save)
{
    // "Description|pattern" as the language texts give it.
    const QString filter = m_state.Texts[25];
    const QString description = filter.section(u'|', 0, 0);
    const QString pattern = filter.section(u'|', 1, 1);
    QFileDialog dialog(this, m_state.Texts[save ? 27 : 26]);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    // Qt's own dialog, the same on every platform.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(description + QStringLiteral(" (") + pattern + u' ' + pattern.toUpper() + u')');
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // A name without an extension gets the one the open dialog shows;
        // the file would be hidden there otherwise. Replacing a file is
        // asked first.
        dialog.setDefaultSuffix(pattern.section(u'.', 1));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!m_commonDialogFile.isEmpty())
        dialog.selectFile(m_commonDialogFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    m_commonDialogFile = dialog.selectedFiles().constFirst();
    return m_commonDialogFile;
}

void Config::Ladenbutton2_Click()
{
    if (m_state.LoggingActive) {
        ShowErrorWindow(ErrorLoggingActive);
        return;
    }
    ImportAddressFile();
}

void Config::ImportAddressFile()
{
    const QString path = CommonDialog1(false);
    if (path.isEmpty())
        return;
    const SmallFile file = readSmallFile(path, AddressFileMaxBytes);
    if (file.status == SmallFile::Missing || file.status == SmallFile::Unreadable)
        return;
    // Only a whole file is taken: its later channels are never left out
    // unseen.
    const AddressImport in =
        file.status == SmallFile::Read ? parseAddressFile(file.data) : AddressImport{};
    if (!in.accepted) {
        ShowErrorWindow(ErrorInvalidFile);
        return;
    }
    m_state.TableLoadedFromFile = true;
    if (in.description) {
        const QSignalBlocker keepWhole(Beschreibung);
        Beschreibung->setPlainText(*in.description);
    }
    // What the file lacks stays as it was.
    const auto take = [](const std::optional<QString> &value, auto apply) {
        if (value)
            apply(*value);
    };
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const auto k = std::size_t(ch);
        take(in.descriptions[k], [&](const QString &v) { m_state.ChannelDescriptions[k] = v; });
        take(in.systemIds[k], [&](const QString &v) { SystemID[k]->setText(v); });
        take(in.orgBytes[k], [&](const QString &v) { OrgByte[k]->setText(v); });
        take(in.orgNumbers[k], [&](const QString &v) { Orgnr[k]->setText(v); });
    }
    for (int ch = 0; ch < ChannelCount; ++ch) {
        setRowBackColour(ch, SysColourCaptionText);
        for (QToolButton *b : {Lernmodusbutton[ch], info[ch], info1[ch], info2[ch], info3[ch], Loeschen[ch]})
            b->setEnabled(false);
    }
    Adressenubertragen->setEnabled(true);
    Auslesen->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{Sensortimer, ListBoards, Search, Setting, speichern1,
                                                       Druckbutton, Ladenbutton2, speichern2, Drucken2, speichern3,
                                                       Drucken3, UpDown1, UpDown2, txtTimerInterval,
                                                       Monitorintervallframe, txtrowcountintervall, maxdia, mindia})
        w->setEnabled(false);
    for (QComboBox *c : Auswahl)
        c->setEnabled(false);
}

void Config::ExportAddressFile()
{
    const QString path = CommonDialog1(true);
    if (path.isEmpty())
        return;
    AddressExport e;
    // Edits of the network fields not yet written to the receiver are not
    // part of it: the file holds the receiver's record as found.
    // The MAC is the selected receiver's, as its settings are: the list's
    // highlight may stand on a row whose selection was refused.
    if (const std::optional<BoardRecord> found = m_state.boards.find(m_state.SelectedBoardKey)) {
        m_state.CurrentBoard = *found;
        e.mac = m_state.SelectedBoardKey;
    }
    e.board = m_state.CurrentBoard;
    e.description = Beschreibung->toPlainText();
    for (int ch = 0; ch < ChannelCount; ++ch) {
        const auto k = std::size_t(ch);
        e.table.descriptions[k] = m_state.ChannelDescriptions[k];
        e.table.systemIds[k] = SystemID[k]->text();
        e.table.orgBytes[k] = OrgByte[k]->text();
        e.table.orgNumbers[k] = Orgnr[k]->text();
    }
    e.channelLine = m_state.Texts[5];
    e.descriptionLabel = m_state.Texts[6];
    e.addressLabel = m_state.Texts[7];
    e.orgNumberLabel = m_state.Texts[8];
    QString failure;
    if (!saveWhole(path, formatAddressFile(e), &failure))
        tellFileNotSaved(path, failure);
}

void Config::speichern1_Click() { ExportAddressFile(); }

void Config::speichern2_Click() { ExportAddressFile(); }

} // namespace nvx
