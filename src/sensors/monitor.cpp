#include "sensors/monitor.h"
#include "link/protocol.h"
#include "sensors/fieldhelpers.h"
#include "sensors/supervision.h"
#include "shell/config.h"
#include "shell/modsprache.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace nvx {

namespace {

QPixmap lamp(const QColor &colour)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(160), 1.5));
    p.setBrush(colour);
    p.drawEllipse(QRectF(2, 2, 16, 16));
    return pixmap;
}

template <typename W>
W *named(W *w, const QString &name, int index)
{
    w->setObjectName(name + u'_' + QString::number(index));
    return w;
}

} // namespace

Monitor::Monitor(AppState &state, Config &config)
    : SensorWindow(state, config, QStringLiteral("Monitor"), QStringLiteral("Monitor Window"))
{
    auto *layout = new QVBoxLayout(this);

    // The two description frames share one place; the layout of the channel
    // shows one of them.
    const std::array<const char *, 2> infoTitles{"Information zum Taster", "Information zum Sensor"};
    const std::array<int, 2> infoLimits{20, 35};
    for (int i = 0; i < 2; ++i) {
        Frame1[i] = named(new QGroupBox(QString::fromUtf8(infoTitles[i]), this), QStringLiteral("Frame1"), i);
        auto *l = new QVBoxLayout(Frame1[i]);
        txtSensorInfoMonitor[i] = named(new QLineEdit(Frame1[i]), QStringLiteral("txtSensorInfoMonitor"), i);
        // The limit holds for typing only: a longer text from a file is
        // shown whole.
        installCharFilter(txtSensorInfoMonitor[i], descriptionKey, infoLimits[i]);
        txtSensorInfoMonitor[i]->installEventFilter(this);
        l->addWidget(txtSensorInfoMonitor[i]);
        Frame1[i]->setVisible(false);
        layout->addWidget(Frame1[i]);
    }

    Frame3 = new QGroupBox(QStringLiteral("Daten"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto *data = new QGridLayout(Frame3);
    const std::array<const char *, 4> keys{"Taste 1 ", "Taste 2", "Taste 3 ", "Taste 4"};
    for (int k = 0; k < 4; ++k) {
        txtDataByteMonitor[k] = named(new QLabel(QStringLiteral("Datenbyte %1:").arg(k), Frame3),
                                      QStringLiteral("txtDataByteMonitor"), k);
        DatenByte[k] = named(new QLineEdit(Frame3), QStringLiteral("DatenByte"), k);
        DatenByte[k]->setReadOnly(true);
        DatenByte[k]->setVisible(false);
        TasteMonitor[k] = named(new QRadioButton(QLatin1String(keys[k]), Frame3), QStringLiteral("TasteMonitor"), k);
        // All four may be clear (a released rocker).
        TasteMonitor[k]->setAutoExclusive(false);
        data->addWidget(txtDataByteMonitor[k], k, 0);
        data->addWidget(DatenByte[k], k, 1);
        data->addWidget(TasteMonitor[k], k, 2);
    }
    layout->addWidget(Frame3);

    for (int i = 0; i < 2; ++i) {
        Frame2[i] = named(new QGroupBox(QStringLiteral("Status"), this), QStringLiteral("Frame2"), i);
        Frame2[i]->setVisible(false);
    }
    auto *status = new QGridLayout(Frame2[0]);
    Picture1[0] = named(new QLabel(Frame2[0]), QStringLiteral("Picture1"), 0);
    Picture1[0]->setPixmap(lamp(QColor(0, 170, 0)));
    Picture1[1] = named(new QLabel(Frame2[0]), QStringLiteral("Picture1"), 1);
    Picture1[1]->setPixmap(lamp(QColor(210, 0, 0)));
    const std::array<const char *, 3> states{"Sensor sendet", "Sensor sendet nicht", "Überwachungstimer deaktiviert"};
    for (int i = 0; i < 3; ++i)
        Label1[i] = named(new QLabel(QString::fromUtf8(states[i]), Frame2[0]), QStringLiteral("Label1"), i);
    Label2[0] = named(new QLabel(Frame2[0]), QStringLiteral("Label2"), 0);
    Label2[1] = named(new QLabel(QStringLiteral("Zeitweise Sensorausfall"), Frame2[0]), QStringLiteral("Label2"), 1);
    Resettimer = new QPushButton(QStringLiteral("Zurücksetzen"), Frame2[0]);
    Resettimer->setObjectName(QStringLiteral("Resettimer"));
    // Enter in the description field must not send the reset.
    Resettimer->setAutoDefault(false);
    status->addWidget(Picture1[0], 0, 0);
    status->addWidget(Label1[0], 0, 1);
    status->addWidget(Picture1[1], 1, 0);
    status->addWidget(Label1[1], 1, 1);
    status->addWidget(Label1[2], 2, 0, 1, 2);
    status->addWidget(Label2[1], 3, 0, 1, 2);
    status->addWidget(Label2[0], 4, 0, 1, 2);
    status->addWidget(Resettimer, 5, 0, 1, 2);
    for (QWidget *w : std::initializer_list<QWidget *>{Picture1[0], Picture1[1], Label1[0], Label1[1], Label2[1],
                                                       Resettimer})
        w->setVisible(false);
    auto *unused = new QVBoxLayout(Frame2[1]);
    Label2[2] = named(new QLabel(Frame2[1]), QStringLiteral("Label2"), 2);
    unused->addWidget(Label2[2]);
    layout->addWidget(Frame2[0]);
    layout->addWidget(Frame2[1]);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    Command1 = addButton(buttons, QStringLiteral("Command1"), QStringLiteral("OK"), &Monitor::Command1_Click);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(Resettimer, &QPushButton::clicked, this, &Monitor::Resettimer_Click);
    setMinimumWidth(240);
    Form_Load();
}

void Monitor::Form_Load() { loadTexts(FormMonitor); }

void Monitor::Command1_Click() { unload(); }

void Monitor::done(int result)
{
    // Closing by the title bar, Escape or Enter leaves the description field
    // as OK does: what was typed there is kept.
    const QWidget *focus = focusWidget();
    if (focus && (focus == txtSensorInfoMonitor[0] || focus == txtSensorInfoMonitor[1]))
        txtSensorInfoMonitor_LostFocus();
    QDialog::done(result);
}

bool Monitor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut
        && (watched == txtSensorInfoMonitor[0] || watched == txtSensorInfoMonitor[1])) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtSensorInfoMonitor_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void Monitor::txtSensorInfoMonitor_LostFocus()
{
    const int ch = m_state.MonitorChannel;
    if (ch < 0 || ch >= ChannelCount)
        return;
    const QLineEdit *field = Frame1[1]->isVisibleTo(this) ? txtSensorInfoMonitor[1] : txtSensorInfoMonitor[0];
    m_state.ChannelDescriptions[ch] = field->text();
    m_config.Datspeichern();
}

void Monitor::Resettimer_Click()
{
    m_state.ChannelHex = FormatHex2(m_state.CurrentChannel);
    m_state.CommandString = toCommandString(cmd::resetSupervision(m_state.CurrentChannel));
    m_config.senden();
    Resettimer->setVisible(false);
    Label2[0]->setText(QStringLiteral("  "));
    Label2[1]->setVisible(false);
    const int ch = m_state.MonitorChannel;
    if (ch < 0 || ch >= ChannelCount)
        return;
    m_state.ChannelFailedAtTimes[ch] = false;
    // A sensor that is silent now keeps its mark in the row.
    if (!m_state.ChannelFailed[ch]) {
        m_config.info1[ch]->setVisible(true);
        m_config.info1[ch]->setEnabled(true);
        m_config.info2[ch]->setVisible(false);
        m_config.info3[ch]->setVisible(false);
    }
    m_state.ChannelFailureTime[ch] = QStringLiteral(" ");
}

void Monitor::selectRockerButton(int button)
{
    if (button == -2)
        return;
    for (int k = 0; k < 4; ++k)
        TasteMonitor[k]->setChecked(k == button);
}

void Monitor::showDataBytes(int ch)
{
    if (ch < 0 || ch >= ChannelCount)
        return;
    const std::array<int, 4> bytes{m_state.ChannelDB0[ch], m_state.ChannelDB1[ch], m_state.ChannelDB2[ch],
                                   m_state.ChannelDB3[ch]};
    for (int k = 0; k < 4; ++k)
        DatenByte[k]->setText(QString::number(bytes[k]));
}

} // namespace nvx
