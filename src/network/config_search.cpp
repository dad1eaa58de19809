// Receiver search, board list and the module configuration replies.

#include "shell/config.h"
#include "shell/texts.h"
#include "shell/vbcolours.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QUdpSocket>

namespace nvx {

namespace {

constexpr quint16 ModuleConfigPort = 1460;
constexpr quint16 ModuleReplyPort = 5001;

} // namespace

void Config::Search_Click()
{
    selectChartMode();
    if (m_state.LoggingActive) {
        ShowErrorWindow(ErrorLoggingActive);
        return;
    }
    closeTelegramSockets();
    setLastTelegram(QStringLiteral("  "));
    RefreshBoardList();
}

void Config::RefreshBoardList()
{
    func_SearchBoard();
    ListBoards_FirstRowSelect();
    setEditMarksBlack();
    setNetworkFieldsEnabled(ListBoards->topLevelItemCount() > 0);
}

void Config::func_SearchBoard()
{
    BoardRemove();
    m_state.StatusCode = StatusSearch;
    if (!moduleConfigTarget()) {
        // Nothing was sent, so no reply may fill the emptied list later.
        m_state.StatusCode = StatusIdle;
        ShowErrorWindow(ErrorInvalidDirectIp);
        txtDirectIP->setFocus();
        return;
    }
    if (!bindModuleConfigSocket()) {
        // The modules answer to port 5001 only: a search without it would
        // report that no receiver answered while they do.
        m_state.StatusCode = StatusIdle;
        QMessageBox box(QMessageBox::Warning, QStringLiteral("NVX-Ethernet"),
                        portInUseText(ModuleReplyPort, m_state.english()), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("PortInUse"));
        box.exec();
        return;
    }
    sendModuleMessage(QByteArrayLiteral("FIND"));
    ShowMsgWindow();
}

bool Config::bindModuleConfigSocket()
{
    if (WinsockUDP->state() == QAbstractSocket::BoundState)
        return true;
    WinsockUDP->close();
    // Not shared: with two copies bound, one would take the other's replies.
    return WinsockUDP->bind(QHostAddress::AnyIPv4, ModuleReplyPort, QUdpSocket::DontShareAddress);
}

std::optional<QHostAddress> Config::moduleConfigTarget() const
{
    if (!chkDirect->isChecked())
        return QHostAddress(QHostAddress::Broadcast);
    // Built from the checked numbers, never handed over as text.
    const DottedParse direct = parseDotted(txtDirectIP->text());
    if (!direct.ok())
        return std::nullopt;
    const auto &p = direct.parts;
    return QHostAddress((quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]));
}

void Config::sendModuleMessage(const QByteArray &datagram)
{
    if (const std::optional<QHostAddress> to = moduleConfigTarget())
        WinsockUDP->writeDatagram(datagram, *to, ModuleConfigPort);
}

void Config::ListBoards_FirstRowSelect()
{
    QTreeWidgetItem *first = ListBoards->topLevelItem(0);
    if (!first)
        return;
    ListBoards->setCurrentItem(first);
    ListBoards_ItemClick(first);
}

void Config::WinsockUDP_DataArrival()
{
    while (WinsockUDP->hasPendingDatagrams()) {
        if (WinsockUDP->pendingDatagramSize() < ModuleReply::ShortestReply) {
            WinsockUDP->receiveDatagram(0);
            continue;
        }
        const auto reply = parseModuleReply(WinsockUDP->receiveDatagram(ModuleReply::LongestRead).data());
        if (!reply)
            continue;
        if (reply->code == "IMIN" && m_state.StatusCode == StatusSearch)
            BoardAdd(reply->rec);
        else if (reply->code == "SETC" && m_state.StatusCode == StatusUpdate)
            BoardUpdate(reply->rec);
    }
}

void Config::BoardAdd(const BoardRecord &rec)
{
    const QString key = rec.macText();
    if (!m_state.boards.add(key, rec))
        return;   // the same module answering twice
    if (ListBoards->columnCount() < 1)
        ListBoards->setHeaderLabels({QString()});
    auto *row = new QTreeWidgetItem;
    row->setText(0, key);
    row->setData(0, Qt::UserRole, key);
    ListBoards->insertTopLevelItem(qBound(0, m_state.NextBoardIndex - 1, ListBoards->topLevelItemCount()), row);
    ++m_state.NextBoardIndex;
}

void Config::BoardUpdate(const BoardRecord &rec)
{
    for (int i = 0; i < 6; ++i)
        if (rec[i] != m_state.CurrentBoard[i])
            return;   // another module's confirmation
    // What was sent is stored, not what the reply carries.
    if (!m_state.boards.replace(m_state.SelectedBoardKey, m_state.CurrentBoard))
        return;
    m_state.StatusCode = StatusUpdateDone;
}

void Config::BoardRemove()
{
    m_state.BoardSelected = false;
    for (int i = 0; i < ListBoards->topLevelItemCount(); ++i)
        m_state.boards.remove(ListBoards->topLevelItem(i)->data(0, Qt::UserRole).toString());
    ListBoards->clear();
    m_state.NextBoardIndex = 1;
}

void Config::setNetworkFieldsEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{txtIP, txtSubnet, txtGW, txtServerIP, txtPort, txtServerPort,
                                                       Beschreibung, chkDHCP, chkClientMode, chkServerMode, chkTCPIP,
                                                       chkUDPMode, Setting})
        w->setEnabled(enabled);
}

} // namespace nvx
