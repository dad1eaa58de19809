// The logging tab's settings: the three modes and their layouts, the logged
// channels, the intervals and rows with their input rules, the five series
// with their scaling fields, the sensor-ID filter of the receive box.

#include "logging/fieldfilter.h"
#include "logging/fieldrules.h"
#include "shell/config.h"
#include "shell/updown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>

namespace nvx {

namespace {

void stepField(QLineEdit *field, int step, int lo, int hi)
{
    field->setText(spinStep(field->text(), step, lo, hi));
}

bool anyTicked(const std::array<QCheckBox *, ChannelCount> &boxes)
{
    return std::any_of(boxes.begin(), boxes.end(), [](const QCheckBox *box) { return box->isChecked(); });
}

// The two channel modes: their frames in place of the chart's (the interval
// of all channels only in its own mode), the channel boxes open, and Start
// offered once a channel is ticked.
void showChannelMode(Config &c, bool interval)
{
    for (QWidget *w : std::initializer_list<QWidget *>{c.Frame2, c.Skalierungframe, c.Diagrammframe, c.Frame3})
        w->setVisible(false);
    c.Frame1->setVisible(true);
    c.Frame4->setVisible(true);
    c.Monitorintervallframe->setVisible(interval);
}

void openChannelBoxes(Config &c)
{
    for (QCheckBox *box : c.channel_log)
        box->setEnabled(true);
    if (anyTicked(c.channel_log))
        c.MonitorStart->setEnabled(true);
}

} // namespace

void Config::connectLogging()
{
    m_fieldFilter = new FieldFilter(this);
    FieldFilter &filter = *m_fieldFilter;
    setUpChart();
    // A key on the scroll bar runs the scroll handling as a move does.
    filter.onKey(HScroll1, [this](QChar) {
        HScroll1_Change();
        return true;
    });

    connect(Option1Intervall, &QRadioButton::toggled, this, [this](bool on) { if (on) Option1Intervall_Click(); });
    connect(Optionallintervall, &QRadioButton::toggled, this, [this](bool on) { if (on) Optionallintervall_Click(); });
    connect(Option2Ereigniss, &QRadioButton::toggled, this, [this](bool on) { if (on) Option2Ereigniss_Click(); });
    for (QCheckBox *box : channel_log)
        connect(box, &QCheckBox::toggled, this, &Config::channel_log_Click);
    connect(Check_sensorId, &QCheckBox::toggled, this, &Config::Check_sensorId_Click);
    for (QComboBox *c : Auswahl)
        connect(c, &QComboBox::currentIndexChanged, this, &Config::Auswahl_Click);
    for (QComboBox *c : DatenbyteAuswahl)
        connect(c, &QComboBox::currentIndexChanged, this, &Config::DatenbyteAuswahl_Click);

    connect(MonitorStart, &QToolButton::clicked, this, &Config::MonitorStart_Click);
    connect(MonitorPause, &QToolButton::clicked, this, &Config::MonitorPause_Click);
    connect(Monitorstop, &QToolButton::clicked, this, &Config::Monitorstop_Click);
    connect(Timer2, &QTimer::timeout, this, &Config::Timer2_Timer);
    connect(speichern3, &QToolButton::clicked, this, &Config::speichern3_Click);
    connect(start3, &QToolButton::clicked, this, &Config::start3_Click);
    connect(pause3, &QToolButton::clicked, this, &Config::pause3_Click);
    connect(stop3, &QToolButton::clicked, this, &Config::stop3_Click);

    // Intervals and rows: digits only; their limits on leaving and in the
    // spin buttons.
    for (QLineEdit *field : {txtTimerInterval, txtTimerallInterval, txtrowcountintervall})
        filter.onKey(field, digitsOnlyKey);
    filter.onLeave(txtTimerInterval, [this] {
        txtTimerInterval->setText(clampedFieldText(txtTimerInterval->text(), QStringLiteral("10"), 0, MaxInterval));
    });
    filter.onLeave(txtrowcountintervall, [this] {
        txtrowcountintervall->setText(
            clampedFieldText(txtrowcountintervall->text(), QStringLiteral("20"), MinRows, MaxRows));
    });
    connect(txtTimerallInterval, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text.isEmpty())
            txtTimerallInterval->setText(QStringLiteral("0"));
    });
    connect(UpDown1, &UpDown::upClick, this, [this] { stepField(txtTimerInterval, 1, 0, MaxInterval); });
    connect(UpDown1, &UpDown::downClick, this, [this] { stepField(txtTimerInterval, -1, 0, MaxInterval); });
    connect(UpDown2, &UpDown::upClick, this, [this] { stepField(txtrowcountintervall, 1, MinRows, MaxRows); });
    connect(UpDown2, &UpDown::downClick, this, [this] { stepField(txtrowcountintervall, -1, MinRows, MaxRows); });
    connect(UpDown3, &UpDown::upClick, this, [this] { stepField(txtTimerallInterval, 1, 0, MaxInterval); });
    connect(UpDown3, &UpDown::downClick, this, [this] { stepField(txtTimerallInterval, -1, 0, MaxInterval); });

    // The chart's value range.
    filter.onKey(maxdia, rangeKey);
    filter.onKey(mindia, rangeKey);
    filter.onLeave(maxdia, [this] {
        if (maxdia->text().isEmpty())
            maxdia->setText(QStringLiteral("40"));
    });
    filter.onLeave(mindia, [this] {
        if (mindia->text().isEmpty())
            mindia->setText(QStringLiteral("0"));
    });

    // The series scaling fields: one family, each field with its own flags.
    for (int k = 1; k <= 5; ++k) {
        for (int upper = 0; upper < 2; ++upper) {
            QLineEdit *field = upper ? Max[k] : Min[k];
            SignedFieldFlags *flags = &m_state.logging.ScalingFlags[(k - 1) + 5 * upper];
            filter.onKey(field, [field, flags](QChar key) {
                QString text = field->text();
                const bool passes = seriesScalingKey(key, text, *flags);
                if (text != field->text())
                    field->setText(text);
                return passes;
            });
            connect(field, &QLineEdit::textChanged, this,
                    [flags](const QString &text) { seriesScalingChanged(text, *flags); });
            filter.onLeave(field, [field, flags] { field->setText(seriesScalingLeft(field->text(), *flags)); });
        }
    }

    // The data-byte scaling fields of the channel modes.
    for (int d = 0; d < 4; ++d) {
        for (QLineEdit *field : {txt_min[d], txt_max[d]}) {
            filter.onKey(field, [this, field](QChar key) {
                return byteScalingKey(key, field->text(), m_state.DecimalSeparator);
            });
            connect(field, &QLineEdit::textChanged, this, [field](const QString &text) {
                if (text.isEmpty())
                    field->setText(QStringLiteral("0"));
            });
        }
    }
}

// ---- the three modes -----------------------------------------------------

void Config::Option1Intervall_Click()
{
    for (QWidget *w : std::initializer_list<QWidget *>{Frame2, Skalierungframe, Diagrammframe, Frame3})
        w->setVisible(true);
    Frame1->setVisible(false);
    Frame4->setVisible(false);
    Monitorintervallframe->setVisible(false);

    HScroll1->setEnabled(false);
    Timer2->stop();
    txtTimerInterval->setEnabled(true);
    UpDown1->setEnabled(true);
    bool anyChannel = false;
    for (QComboBox *c : Auswahl) {
        c->setEnabled(true);
        anyChannel = anyChannel || c->currentIndex() >= 1;
    }
    if (!anyChannel)
        MonitorStart->setEnabled(false);
}

void Config::Optionallintervall_Click()
{
    showChannelMode(*this, true);
    txtTimerallInterval->setEnabled(true);
    UpDown3->setEnabled(true);
    txtTimerInterval->setEnabled(false);
    UpDown1->setEnabled(false);
    for (int k = 1; k < 5; ++k)
        Auswahl[k]->setEnabled(false);
    openChannelBoxes(*this);
}

void Config::Option2Ereigniss_Click()
{
    showChannelMode(*this, false);
    openChannelBoxes(*this);
}

void Config::channel_log_Click() { MonitorStart->setEnabled(anyTicked(channel_log)); }

void Config::Check_sensorId_Click()
{
    const bool ticked = Check_sensorId->isChecked();
    for (QLineEdit *field : txt_check_ID)
        field->setVisible(ticked);
}

void Config::pause3_Click()
{
    start3->setEnabled(true);
    pause3->setEnabled(false);
    stop3->setEnabled(true);
}

// ---- the five series -------------------------------------------------------

// Rows `first`..4 of the series: the data byte, scaling and value fields of
// a row with a channel enabled, of a row without one disabled.
void Config::enableSeriesRows(int first)
{
    for (int k = first; k < 5; ++k) {
        const bool chosen = Auswahl[k]->currentText() != m_state.Texts[23];
        for (QWidget *w : std::initializer_list<QWidget *>{DatenbyteAuswahl[k], Min[k + 1], Max[k + 1], Wert[k + 1]})
            w->setEnabled(chosen);
    }
}

void Config::Auswahl_Click()
{
    LoggingData &log = m_state.logging;
    enableSeriesRows(0);
    bool anyChosen = false;
    for (QComboBox *c : Auswahl)
        anyChosen = anyChosen || c->currentText() != m_state.Texts[23];
    if (anyChosen) {
        MonitorStart->setEnabled(true);
    } else {
        MonitorStart->setEnabled(false);
        HScroll1->setEnabled(false);
        Timer2->stop();
    }
    for (int k = 0; k < 5; ++k) {
        // A selector being refilled has no entry for a moment: no channel.
        log.SeriesChannel[k] = std::max(Auswahl[k]->currentIndex(), 0) - 1;
        if (log.SeriesChannel[k] != log.PrevSeriesChannel[k])
            log.samples.clearRaw(k);
        log.PrevSeriesChannel[k] = log.SeriesChannel[k];
    }
}

void Config::DatenbyteAuswahl_Click()
{
    for (int k = 0; k < 5; ++k)
        m_state.logging.SeriesDataByte[k] = DatenbyteAuswahl[k]->currentIndex();
}

} // namespace nvx
