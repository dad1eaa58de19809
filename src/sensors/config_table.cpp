// The sensor table: row model, reading and writing.

#include "shell/config.h"
#include "link/protocol.h"
#include "sensors/tablerow.h"
#include "shell/vbcolours.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include "shell/updown.h"

namespace nvx {

// ---- row model ---------------------------------------------------------------

void Config::setRowBackColour(int ch, std::uint32_t colour)
{
    if (ch < 0 || ch >= ChannelCount)
        return;
    // The three labels of a row always share their back colour.
    setBackColour(SystemID[ch], colour);
    setBackColour(OrgByte[ch], colour);
    setBackColour(Orgnr[ch], colour);
}

void Config::showPlainInfoButton(int ch)
{
    if (ch < 0 || ch >= ChannelCount)
        return;
    info[ch]->setVisible(true);
    info[ch]->setEnabled(false);
    for (QToolButton *b : {info1[ch], info2[ch], info3[ch]}) {
        b->setVisible(false);
        b->setEnabled(false);
    }
}

void Config::clearRow(int ch, std::uint32_t colour)
{
    if (ch < 0 || ch >= ChannelCount)
        return;
    OrgByte[ch]->setText(QStringLiteral("  "));
    Orgnr[ch]->setText(QStringLiteral("  "));
    SystemID[ch]->setText(m_state.Texts[0]);
    setRowBackColour(ch, colour);
}

bool Config::rowIsFree(int ch) const
{
    if (ch < 0 || ch >= ChannelCount)
        return false;
    return SystemID[ch]->text() == m_state.Texts[0];
}

void Config::RowButtonRule(int ch, bool countLearnModeAsFree)
{
    if (ch < 0 || ch >= ChannelCount)
        return;
    // Only the telegram processor counts a row that waits for a learn-in as
    // free: its learn button must stay usable until the sensor answers.
    const bool free = rowIsFree(ch)
        || (countLearnModeAsFree && SystemID[ch]->text() == m_state.Texts[24]);
    Lernmodusbutton[ch]->setEnabled(free);
    info[ch]->setEnabled(!free);
    Loeschen[ch]->setEnabled(!free);
}

// ---- pictures of the buttons -------------------------------------------------

namespace {

enum class Picture {
    Learn, Delete, Info, InfoSending, InfoFailedAtTimes, InfoNotSending,
    Open, Save, Print, Transfer, Read, Timer,
};

QIcon drawPicture(Picture kind)
{
    constexpr int size = 24;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    auto infoDisc = [&p](const QColor &colour, const QString &mark) {
        p.setPen(QPen(colour.darker(150), 1.5));
        p.setBrush(colour);
        p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(14);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, mark);
    };

    switch (kind) {
    case Picture::Learn: {
        // A sensor sending: a dot with two radio arcs and a plus.
        p.setPen(QPen(QColor(0, 120, 0), 2));
        p.setBrush(QColor(0, 160, 0));
        p.drawEllipse(QRectF(3, 15, 6, 6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(0, 12, 12, 12), 0 * 16, 90 * 16);
        p.drawArc(QRectF(-4, 8, 20, 20), 0 * 16, 90 * 16);
        p.setPen(QPen(QColor(0, 120, 0), 3));
        p.drawLine(QPointF(17, 3), QPointF(17, 13));
        p.drawLine(QPointF(12, 8), QPointF(22, 8));
        break;
    }
    case Picture::Delete:
        p.setPen(QPen(QColor(200, 0, 0), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(19, 19));
        p.drawLine(QPointF(19, 5), QPointF(5, 19));
        break;
    case Picture::Info:
        infoDisc(QColor(30, 90, 200), QStringLiteral("i"));
        break;
    case Picture::InfoSending:
        infoDisc(QColor(0, 150, 0), QStringLiteral("i"));
        break;
    case Picture::InfoFailedAtTimes:
        infoDisc(QColor(230, 150, 0), QStringLiteral("!"));
        break;
    case Picture::InfoNotSending:
        infoDisc(QColor(210, 0, 0), QStringLiteral("!"));
        break;
    case Picture::Open: {
        // A folder.
        p.setPen(QPen(QColor(140, 100, 0), 1.2));
        p.setBrush(QColor(240, 200, 80));
        QPainterPath path;
        path.moveTo(2, 6);
        path.lineTo(9, 6);
        path.lineTo(11, 8);
        path.lineTo(21, 8);
        path.lineTo(21, 19);
        path.lineTo(2, 19);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case Picture::Save:
        // A disk.
        p.setPen(QPen(QColor(20, 40, 110), 1.2));
        p.setBrush(QColor(50, 80, 170));
        p.drawRect(QRectF(3, 3, 18, 18));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 12, 7));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case Picture::Print:
        p.setPen(QPen(QColor(60, 60, 60), 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 2, 10, 8));
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 15, 10, 7));
        break;
    case Picture::Transfer:
    case Picture::Read: {
        // A receiver box with an arrow into it (write) or out of it (read).
        p.setPen(QPen(QColor(60, 60, 60), 1.2));
        p.setBrush(QColor(210, 210, 210));
        p.drawRect(QRectF(13, 4, 9, 16));
        const bool into = kind == Picture::Transfer;
        const QColor arrow = into ? QColor(0, 120, 200) : QColor(0, 140, 60);
        p.setPen(QPen(arrow, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, 12), QPointF(11, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(arrow);
        QPolygonF head;
        if (into)
            head << QPointF(8, 7) << QPointF(13, 12) << QPointF(8, 17);
        else
            head << QPointF(6, 7) << QPointF(1, 12) << QPointF(6, 17);
        p.drawPolygon(head);
        break;
    }
    case Picture::Timer:
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
        p.setPen(QPen(QColor(60, 60, 60), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 12), QPointF(12, 6));
        p.drawLine(QPointF(12, 12), QPointF(16, 14));
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace

void Config::applyIcons()
{
    const QIcon learn = drawPicture(Picture::Learn);
    const QIcon remove = drawPicture(Picture::Delete);
    const QIcon infoOff = drawPicture(Picture::Info);
    const QIcon infoSending = drawPicture(Picture::InfoSending);
    const QIcon infoAtTimes = drawPicture(Picture::InfoFailedAtTimes);
    const QIcon infoSilent = drawPicture(Picture::InfoNotSending);
    for (int i = 0; i < ChannelCount; ++i) {
        Lernmodusbutton[i]->setIcon(learn);
        Loeschen[i]->setIcon(remove);
        info[i]->setIcon(infoOff);
        info1[i]->setIcon(infoSending);
        info2[i]->setIcon(infoAtTimes);
        info3[i]->setIcon(infoSilent);
    }
    // The file buttons of every tab look alike.
    for (QToolButton *b : {Ladenbutton2, LadenButton1})
        b->setIcon(drawPicture(Picture::Open));
    for (QToolButton *b : {speichern2, speichern1, speichern3})
        b->setIcon(drawPicture(Picture::Save));
    for (QToolButton *b : {Drucken2, Druckbutton, Drucken3})
        b->setIcon(drawPicture(Picture::Print));
    Adressenubertragen->setIcon(drawPicture(Picture::Transfer));
    Auslesen->setIcon(drawPicture(Picture::Read));
    Sensortimer->setIcon(drawPicture(Picture::Timer));
}

// ---- reading -----------------------------------------------------------------

void Config::enableAfterTableOperation()
{
    ListBoards->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{Search, Setting, speichern1, Druckbutton, Ladenbutton2,
                                                       speichern2, Drucken2})
        w->setEnabled(true);
    Auslesen->setEnabled(false);
    Sensortimer->setEnabled(true);
}

void Config::Auslesen_Click()
{
    setLastTelegram(QStringLiteral("  "));
    selectChartMode();
    m_state.TableLoadedFromFile = false;
    Auslesen->setEnabled(false);
    Adressenubertragen->setEnabled(false);
    Sensortimer->setEnabled(true);
    for (int ch = 0; ch < ChannelCount; ++ch)
        clearRow(ch, SysColourWindow);
    m_state.CommandString = toCommandString(cmd::statusRequest());
    senden();
    Timer1->start();
    enableAfterTableOperation();
}

void Config::Timer1_Timer()
{
    // One shot per start: a status reply within the interval stops it,
    // otherwise it stops itself here.
    Timer1->stop();
    m_state.CommandString = toCommandString(cmd::readTableRequest());
    senden();
    m_state.StatusCode = StatusReadTable;
    ShowMsgWindow();
}

// ---- writing -----------------------------------------------------------------

void Config::Adressenubertragen_Click()
{
    selectChartMode();
    setLastTelegram(QStringLiteral("  "));
    m_state.TransferChannel = 0;
    Timer5->start();
    Sensortimer->setEnabled(true);
    Adressenubertragen->setEnabled(false);
    m_state.StatusCode = StatusWriteTable;
    // Timer5 keeps ticking behind the modal status window.
    ShowMsgWindow();
}

void Config::sendTableChannel(int ch)
{
    if (ch < 0 || ch >= ChannelCount)
        return;
    m_state.CurrentChannel = ch;
    m_state.ChannelHex = FormatHex2(ch);
    const QStringList commands
        = tableWriteCommands(ch, !rowIsFree(ch), Orgnr[ch]->text(), SystemID[ch]->text());
    for (const QString &command : commands) {
        m_state.CommandString = toCommandString(command);
        senden();
    }
}

void Config::Timer5_Timer()
{
    const int ch = m_state.TransferChannel;
    if (ch >= ChannelCount) {
        // Nothing left to send (the timer was restarted from outside).
        Timer5->stop();
        return;
    }
    sendTableChannel(ch);
    m_state.TransferChannel = ch + 1;
    if (m_state.TransferChannel < ChannelCount)
        return;

    Timer5->stop();
    enableAfterTableOperation();
    m_state.TableLoadedFromFile = false;
    // The receiver's status reply reads the table back; Timer1 does it when
    // no reply comes. The rows are emptied first, as for a read, so that a
    // row the receiver did not take does not look written.
    for (int row = 0; row < ChannelCount; ++row)
        clearRow(row, SysColourWindow);
    m_state.CommandString = toCommandString(cmd::statusRequest());
    senden();
    Timer1->start();
    if (!m_state.LoggingActive) {
        for (QWidget *w : std::initializer_list<QWidget *>{UpDown1, UpDown2, txtrowcountintervall, Drucken3,
                                                           txtTimerInterval, Monitorintervallframe, maxdia, mindia})
            w->setEnabled(true);
        for (QComboBox *c : Auswahl)
            c->setEnabled(true);
    }
}

} // namespace nvx
