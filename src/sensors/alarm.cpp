#include "sensors/alarm.h"
#include "link/protocol.h"
#include "sensors/fieldhelpers.h"
#include "sensors/supervision.h"
#include "shell/config.h"
#include "shell/modsprache.h"
#include "shell/updown.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace nvx {

Alarm::Alarm(AppState &state, Config &config)
    : SensorWindow(state, config, QStringLiteral("Alarm"), QStringLiteral("Überwachungstimer"))
{

    auto *layout = new QVBoxLayout(this);
    Ueberwachungstimerframe = new QGroupBox(QStringLiteral("Überwachungstimer"), this);
    Ueberwachungstimerframe->setObjectName(QStringLiteral("Ueberwachungstimerframe"));
    auto *grid = new QGridLayout(Ueberwachungstimerframe);
    Check1 = new QCheckBox(QStringLiteral("aktivieren"), Ueberwachungstimerframe);
    Check1->setObjectName(QStringLiteral("Check1"));
    grid->addWidget(Check1, 0, 0, 1, 3);
    txtMinute[0] = new QLabel(QStringLiteral("Überwachungszeit der Sensoren:"), Ueberwachungstimerframe);
    grid->addWidget(txtMinute[0], 1, 0, 1, 3);
    txtmin = new QLineEdit(QStringLiteral("16"), Ueberwachungstimerframe);
    txtmin->setObjectName(QStringLiteral("txtmin"));
    // The filter keeps the 3 digits, so a paste is cut after what it drops.
    installCharFilter(txtmin, minutesKey, 3);
    txtmin->installEventFilter(this);
    grid->addWidget(txtmin, 2, 0);
    UpDown1 = new UpDown(Ueberwachungstimerframe);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    grid->addWidget(UpDown1, 2, 1);
    txtminLabel = new QLabel(QStringLiteral("min"), Ueberwachungstimerframe);
    txtminLabel->setObjectName(QStringLiteral("txtminLabel"));
    grid->addWidget(txtminLabel, 2, 2);
    txtMinute[1] = new QLabel(QStringLiteral("(Zeit bis Fehlertelegramm gesendet wird)"), Ueberwachungstimerframe);
    grid->addWidget(txtMinute[1], 3, 0, 1, 3);
    for (int i = 0; i < 2; ++i)
        txtMinute[i]->setObjectName(QStringLiteral("txtMinute_%1").arg(i));
    for (QWidget *w : std::initializer_list<QWidget *>{txtmin, UpDown1, txtminLabel, txtMinute[0], txtMinute[1]})
        w->setVisible(false);
    layout->addWidget(Ueberwachungstimerframe);

    auto *buttons = new QHBoxLayout;
    Abbruch = addButton(buttons, QStringLiteral("Abbruch"), QStringLiteral("Aktualisieren"), &Alarm::Abbruch_Click);
    Abbruch1 = addButton(buttons, QStringLiteral("Abbruch1"), QStringLiteral("Abbruch"), &Alarm::Abbruch1_Click);
    layout->addLayout(buttons);

    connect(Check1, &QCheckBox::toggled, this, &Alarm::Check1_Click);
    connect(UpDown1, &UpDown::upClick, this, &Alarm::UpDown1_UpClick);
    connect(UpDown1, &UpDown::downClick, this, &Alarm::UpDown1_DownClick);
    Form_Load();
}

void Alarm::Form_Load()
{
    setMinimumWidth(320);
    loadTexts(FormAlarm);
    Check1->setChecked(m_state.WatchTimerChecked);
    txtmin->setText(m_state.WatchMinutes == 0 ? QStringLiteral("16") : QString::number(m_state.WatchMinutes));
}

void Alarm::Check1_Click()
{
    const bool on = Check1->isChecked();
    m_state.WatchTimerChecked = on;
    for (QWidget *w : std::initializer_list<QWidget *>{txtmin, UpDown1, txtminLabel, txtMinute[0], txtMinute[1]})
        w->setVisible(on);
}

bool Alarm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtmin && event->type() == QEvent::FocusOut) {
        // Another window taking the focus does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtmin_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void Alarm::txtmin_LostFocus()
{
    const QString clamped = minutesOnLeaving(txtmin->text());
    if (clamped != txtmin->text())
        txtmin->setText(clamped);
}

void Alarm::UpDown1_UpClick() { txtmin->setText(minutesStepped(txtmin->text(), true)); }

void Alarm::UpDown1_DownClick() { txtmin->setText(minutesStepped(txtmin->text(), false)); }

void Alarm::Abbruch_Click()
{
    Config &c = m_config;
    // Pressing the button leaves the field; its check comes first, so the
    // command always carries minutes within the limits.
    txtmin_LostFocus();
    const int minutes = minutesInField(txtmin->text());
    m_state.WatchMinutes = minutes;
    const bool on = Check1->isChecked();
    m_state.CommandString = toCommandString(on ? cmd::supervisionOn(minutes) : cmd::supervisionOff());
    c.senden();
    m_state.WatchActive = on;

    for (int row = 0; row < ChannelCount; ++row) {
        const RowInfo shown = rowInfoAfterTimerSet(on, !c.rowIsFree(row));
        c.showInfoButton(row, shown.shown, shown.enabled);
        m_state.ChannelFailedAtTimes[row] = false;
        m_state.ChannelFailed[row] = false;
    }
    unload();
}

void Alarm::Abbruch1_Click() { unload(); }

} // namespace nvx
