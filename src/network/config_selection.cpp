// Selecting a receiver of the board list: it becomes the receiver the whole
// program works with, and its telegram link is opened when it reports to
// this PC.

#include "link/protocol.h"
#include "sensors/descriptionfile.h"
#include "shell/config.h"
#include "shell/vbcolours.h"

#include <QCheckBox>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <QTreeWidget>
#include <QUdpSocket>

namespace nvx {

namespace {
QString rowKey(const QTreeWidgetItem *item)
{
    const QString key = item->data(0, Qt::UserRole).toString();
    return key.isEmpty() ? item->text(0) : key;
}
} // namespace

void Config::ListBoards_ItemClick(QTreeWidgetItem *item)
{
    if (!item)
        return;
    if (m_state.LoggingActive) {
        // The list already moved its highlight to the refused row; it goes
        // back to the receiver still in use, which every reader of the list
        // takes as the chosen one. Its description as selected stays for
        // the printout.
        highlightSelectedBoard();
        ShowErrorWindow(ErrorLoggingActive);
        return;
    }
    m_state.BoardDescriptions = QStringList();
    for (int i = 0; i <= m_state.NextBoardIndex; ++i)
        m_state.BoardDescriptions.append(QString());
    // The receiver shown so far keeps its descriptions.
    if (m_state.BoardShown)
        Datspeichern();
    m_state.BoardShown = true;

    setEditMarksBlack();

    const QString key = rowKey(item);
    m_state.SelectedMAC = macDigits(key);
    setLastTelegram(QStringLiteral("  "));

    for (int ch = 0; ch < ChannelCount; ++ch) {
        clearRow(ch, SysColourWindow);
        Loeschen[ch]->setEnabled(false);
        Lernmodusbutton[ch]->setEnabled(false);
        info[ch]->setEnabled(false);
    }

    // A receiver without (complete) descriptions shows empty ones: keeping
    // the previous receiver's texts would save them under this one's name.
    const Descriptions d = readDescriptionFile(descriptionFilePath(m_state.ProgramPath, m_state.SelectedMAC))
                               .value_or(Descriptions{});
    {
        // A text from a file is shown as it stands, also when it is longer
        // than can be typed.
        const QSignalBlocker keepWhole(Beschreibung);
        Beschreibung->setPlainText(d.receiver);
    }
    for (int ch = 0; ch < ChannelCount; ++ch)
        m_state.ChannelDescriptions[std::size_t(ch)] = d.channels[std::size_t(ch)];

    m_state.BoardSelected = true;
    const std::optional<BoardRecord> found = m_state.boards.find(key);
    if (!found) {
        ShowErrorWindow(ErrorInvalidParameter);
        return;
    }
    const BoardRecord &rec = *found;
    m_state.CurrentBoard = rec;
    m_state.SelectedBoardKey = key;

    for (int row = 1; row < m_state.NextBoardIndex && row <= ListBoards->topLevelItemCount(); ++row) {
        if (ListBoards->topLevelItem(row - 1)->text(0) == item->text(0)) {
            m_state.SelectedBoardIndex = row;
            break;
        }
    }
    if (m_state.SelectedBoardIndex >= 0 && m_state.SelectedBoardIndex < m_state.BoardDescriptions.size())
        m_state.BoardDescriptions[m_state.SelectedBoardIndex] = Beschreibung->toPlainText();

    // Every loaded value is stored before its field or option is set, so the
    // handlers that mark edits in red compare against the new receiver.
    txtVersion->setText(rec.versionText());
    m_state.LoadedIP = rec.dotted(BoardRecord::Ip);
    txtIP->setText(m_state.LoadedIP);
    m_state.LoadedSubnet = rec.dotted(BoardRecord::Subnet);
    txtSubnet->setText(m_state.LoadedSubnet);
    m_state.LoadedGateway = rec.dotted(BoardRecord::Gateway);
    txtGW->setText(m_state.LoadedGateway);
    m_state.LoadedPort = QString::number(rec.port(BoardRecord::Port));
    txtPort->setText(m_state.LoadedPort);
    m_state.LoadedDHCP = rec.isDhcp() ? 1 : 0;
    chkDHCP->setChecked(rec.isDhcp());
    m_state.LoadedUDP = rec.isUdp();
    if (rec.isUdp())
        chkUDPMode->setChecked(true);
    else
        chkTCPIP->setChecked(true);
    m_state.LoadedClientMode = rec.isClientMode();
    if (rec.isClientMode())
        chkClientMode->setChecked(true);
    else
        chkServerMode->setChecked(true);
    m_state.LoadedServerIP = rec.dotted(BoardRecord::ServerIp);
    txtServerIP->setText(m_state.LoadedServerIP);
    m_state.LoadedServerPort = QString::number(rec.port(BoardRecord::ServerPort));
    txtServerPort->setText(m_state.LoadedServerPort);

    // Only a receiver that reports to this PC gets a telegram link.
    if (txtServerIP->text() == txtlocalIP->text()) {
        closeTelegramSockets();
        selectChartMode();
        const auto loadedPort = static_cast<quint16>(m_state.LoadedPort.toUInt());
        const auto serverPort = static_cast<quint16>(txtServerPort->text().toUInt());
        if (chkServerMode->isChecked() && chkTCPIP->isChecked())
            Winsock3->connectToHost(QHostAddress(m_state.LoadedIP), loadedPort);
        if (chkClientMode->isChecked() && chkTCPIP->isChecked())
            Winsock1_0->listen(QHostAddress::AnyIPv4, serverPort);
        if (chkUDPMode->isChecked()) {
            setUdpRemote(m_state.LoadedIP, loadedPort);
            Winsock2UDP->bind(QHostAddress::AnyIPv4, serverPort);
            if (!m_state.LoggingActive) {
                Winsock2UDP->writeDatagram(cmd::statusRequest().toLatin1(), QHostAddress(m_state.LoadedIP),
                                           loadedPort);
                Timer1->start();
            }
        }
    }

    m_state.TableLoadedFromFile = false;
    Adressenubertragen->setEnabled(false);
}

QTreeWidgetItem *Config::selectedBoardRow() const
{
    if (m_state.SelectedBoardKey.isEmpty())
        return nullptr;
    for (int i = 0; i < ListBoards->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = ListBoards->topLevelItem(i);
        if (rowKey(row) == m_state.SelectedBoardKey)
            return row;
    }
    return nullptr;
}

void Config::highlightSelectedBoard()
{
    if (QTreeWidgetItem *row = selectedBoardRow()) {
        ListBoards->setCurrentItem(row);
        return;
    }
    ListBoards->setCurrentItem(nullptr);
    ListBoards->clearSelection();
}

bool Config::listKeyPressed(QObject *list, QEvent *event)
{
    // The list moves its current row first. A row reached with the keys then
    // counts as clicked, so the row shown as chosen is the one in use.
    if (list == ListBoards) {
        const QTreeWidgetItem *before = ListBoards->currentItem();
        static_cast<QObject *>(ListBoards)->event(event);
        QTreeWidgetItem *now = ListBoards->currentItem();
        if (now && now != before)
            ListBoards_ItemClick(now);
    } else if (list == List1) {
        const QListWidgetItem *before = List1->currentItem();
        static_cast<QObject *>(List1)->event(event);
        const QListWidgetItem *now = List1->currentItem();
        if (now && now != before)
            txtlocalIP->setText(now->text());
    }
    return true;
}

void Config::closeTelegramSockets()
{
    // The table request belongs to the link: a search or a settings write
    // must not be taken over by a read of a receiver that is gone.
    Timer1->stop();
    Winsock1_0->close();
    // Dropped without reading what is still pending: it belongs to a link
    // that is given up.
    if (QTcpSocket *accepted = Winsock1_1) {
        Winsock1_1 = nullptr;
        accepted->disconnect(&m_winsock1Context);
        accepted->abort();
        accepted->deleteLater();
    }
    Winsock3->abort();
    Winsock2UDP->close();
    m_winsock1Stream.clear();
    m_winsock3Stream.clear();
    armTelegramHold();
    ++m_linkGeneration;
}

} // namespace nvx
