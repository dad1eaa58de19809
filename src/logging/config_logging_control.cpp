// Start, pause and stop of the data logging, and the seconds of the two
// interval modes.

#include "logging/fieldrules.h"
#include "shell/config.h"
#include "shell/updown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

namespace nvx {

void Config::MonitorStart_Click()
{
    LoggingData &log = m_state.logging;
    m_state.LoggingActive = true;
    speichern3->setEnabled(false);
    for (int k = 0; k < 5; ++k) {
        log.SeriesMin[k] = Min[k + 1]->text();
        log.SeriesMax[k] = Max[k + 1]->text();
    }
    for (QWidget *w : std::initializer_list<QWidget *>{UpDown1, UpDown2, txtTimerInterval, Monitorintervallframe,
                                                       txtrowcountintervall, maxdia, mindia})
        w->setEnabled(false);
    // The field's own rules keep it within 2..100 once it is left; a text
    // typed just before Start is held to the same limits.
    log.ChartWindowRows = std::clamp(fieldNumber(txtrowcountintervall->text()), MinRows, MaxRows);
    if (Option1Intervall->isChecked() || Optionallintervall->isChecked()) {
        log.IntervalSeconds = 0;
        Timer2->start();
    }
    for (QWidget *w : std::initializer_list<QWidget *>{Option1Intervall, Optionallintervall, Option2Ereigniss,
                                                       MonitorStart})
        w->setEnabled(false);
    for (QCheckBox *box : channel_log)
        box->setEnabled(false);
    MonitorPause->setEnabled(true);
    Monitorstop->setEnabled(true);
    HScroll1->setEnabled(false);
    for (int k = 0; k < 5; ++k) {
        for (QWidget *w : std::initializer_list<QWidget *>{Min[k + 1], Max[k + 1], Auswahl[k], DatenbyteAuswahl[k]})
            w->setEnabled(false);
    }

    if (log.LoggingStopped) {
        // A fresh log after a Stop.
        closeDataLog();
        QFile::remove(dataLogPath());
        log.LogHeaderWritten = false;
        log.samples.reset();
        Diagramm();
        log.samples.counter = 0;
    } else if (log.LoggingPaused) {
        // Pause kept the count in the scroll range; it runs on from there.
        log.samples.counter = log.ScrollMax + log.ChartWindowRows;
        Diagramm();
    }
    log.LoggingStopped = false;
    log.LoggingPaused = false;
    RecordMonitorSample();
}

void Config::MonitorPause_Click()
{
    LoggingData &log = m_state.logging;
    // The first series can be changed in every mode.
    Auswahl[0]->setEnabled(true);
    if (Auswahl[0]->currentText() != m_state.Texts[23]) {
        for (QWidget *w : std::initializer_list<QWidget *>{DatenbyteAuswahl[0], Min[1], Max[1], Wert[1]})
            w->setEnabled(true);
    }
    MonitorPause->setEnabled(false);
    MonitorStart->setEnabled(true);
    Monitorstop->setEnabled(true);
    HScroll1->setEnabled(true);

    log.ScrollMax = log.samples.counter - log.ChartWindowRows;
    HScroll1->setMaximum(std::max(log.ScrollMax, 0));
    Timer2->stop();
    HScroll1->setMinimum(0);
    log.LoggingPaused = true;
    Monitorintervallframe->setEnabled(true);

    if (Option1Intervall->isChecked()) {
        txtTimerInterval->setEnabled(true);
        UpDown1->setEnabled(true);
        for (int k = 1; k < 5; ++k)
            Auswahl[k]->setEnabled(true);
        enableSeriesRows(1);
    } else {
        for (QCheckBox *box : channel_log)
            box->setEnabled(true);
    }
    setScrollToNewest();
}

void Config::Monitorstop_Click()
{
    LoggingData &log = m_state.logging;
    m_state.LoggingActive = false;
    for (QWidget *w : std::initializer_list<QWidget *>{Option1Intervall, Optionallintervall, Option2Ereigniss,
                                                       speichern3})
        w->setEnabled(true);
    log.LoggingStopped = true;
    // The next Start begins a new run, which tells of a log not written anew.
    log.LoggingFilesTold.clear();
    if (!log.LoggingPaused) {
        Timer2->stop();
        log.ScrollMax = log.samples.counter - log.ChartWindowRows;
        HScroll1->setMaximum(std::max(log.ScrollMax, 0));
        HScroll1->setEnabled(true);
    }
    MonitorStart->setEnabled(true);
    MonitorPause->setEnabled(false);
    Monitorstop->setEnabled(false);
    UpDown2->setEnabled(true);
    Monitorintervallframe->setEnabled(true);
    const bool chartMode = Option1Intervall->isChecked();
    if (chartMode) {
        txtTimerInterval->setEnabled(true);
        UpDown1->setEnabled(true);
    }
    txtrowcountintervall->setEnabled(true);
    maxdia->setEnabled(true);
    mindia->setEnabled(true);
    if (chartMode) {
        for (QComboBox *c : Auswahl)
            c->setEnabled(true);
        enableSeriesRows(0);
    } else {
        for (QCheckBox *box : channel_log)
            box->setEnabled(true);
    }
    setScrollToNewest();
    SaveDataLogAs();
}

// With more samples than one view holds, the view shows the newest.
void Config::setScrollToNewest()
{
    const int rows = fieldNumber(txtrowcountintervall->text());
    const int counter = m_state.logging.samples.counter;
    if (counter > rows)
        HScroll1->setValue(counter - rows);
}

void Config::Timer2_Timer()
{
    LoggingData &log = m_state.logging;
    // The interval is read at every tick: a change counts from the next one.
    if (Option1Intervall->isChecked()) {
        ++log.IntervalSeconds;
        if (log.IntervalSeconds == fieldNumber(txtTimerInterval->text())) {
            RecordMonitorSample();
            log.IntervalSeconds = 0;
        }
    }
    if (Optionallintervall->isChecked()) {
        ++log.IntervalSeconds;
        if (log.IntervalSeconds == fieldNumber(txtTimerallInterval->text())) {
            RecordMonitorSample();
            log.IntervalSeconds = 0;
        }
    }
}

} // namespace nvx
