// The logging step: one receive line, one sample of the chosen values,
// scaled, one row of the data log per channel or series.

#include "logging/datalog.h"
#include "sensors/cp1252.h"
#include "shell/config.h"
#include "shell/texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>

namespace nvx {

namespace {

QChar firstChar(const QString &text) { return text.isEmpty() ? QLatin1Char(',') : text.at(0); }

int dataByte(const AppState &state, int ch, int index)
{
    switch (index) {
    case 0: return state.ChannelDB0[ch];
    case 1: return state.ChannelDB1[ch];
    case 2: return state.ChannelDB2[ch];
    default: return state.ChannelDB3[ch];
    }
}

// The field shows the whole value, whatever its typing limit.
void showValue(QLineEdit *field, const QString &text)
{
    if (text.size() > field->maxLength())
        field->setMaxLength(text.size());
    field->setText(text);
}

} // namespace

LogMode Config::logMode() const
{
    if (Option2Ereigniss->isChecked())
        return LogMode::Event;
    if (Optionallintervall->isChecked())
        return LogMode::AllChannels;
    if (Option1Intervall->isChecked())
        return LogMode::Chart;
    return LogMode::None;
}

void Config::RecordMonitorSample()
{
    LoggingData &log = m_state.logging;
    const QDateTime now = log.now();

    ReceiveBoxSpill(txt_log_data);
    appendToBox(txt_log_data, receiveLogLine(m_state.ReceivedData.left(28), now));

    // From here on the first failure ends the step; what was done stays. A
    // data log that cannot be written is no such failure: the user is told,
    // and the samples and the chart go on.
    const LogMode mode = logMode();
    // A data log deleted, moved away or replaced while logging is begun
    // again at its path.
    if (log.LogHeaderWritten && m_dataLog.isOpen() && !m_dataLog.isAtItsPath())
        log.LogHeaderWritten = false;
    if (!log.LogHeaderWritten) {
        DataLogHeaderInput header;
        header.mode = mode;
        header.texts = &m_state.Texts;
        header.today = now.date();
        for (int k = 0; k < 5; ++k) {
            header.seriesChannels[k] = Auswahl[k]->currentText();
            header.seriesDataBytes[k] = DatenbyteAuswahl[k]->currentText();
        }
        // A header the disk did not take is written anew, from the start of
        // an emptied file, at the next step; one it took in part is
        // completed first by the next write.
        log.LogHeaderWritten =
            m_dataLog.create(dataLogPath()) && m_dataLog.write({toCp1252(dataLogHeader(header))}) == 1;
        if (!log.LogHeaderWritten || m_dataLog.owesRest())
            tellLogNotWritten(dataLogPath(), m_dataLog.failure(), log.LoggingFilesTold);
    }

    // Each sample carries its own time, in the chart as in the data log.
    const int n = log.samples.advance(generalDateText(now));
    // The log's first sample only opens it; every later one has its row,
    // also the one that takes index 1 again when the ring wraps.
    const bool rowDue = n > 1 || log.samples.wrapped();

    switch (mode) {
    case LogMode::Event: {
        const int ch = m_state.TelegramChannel;
        if (ch < 0 || ch >= ChannelCount || !refreshChannelFields(ch))
            break;
        if (rowDue && channel_log[ch]->isChecked())
            writeChannelRow(ch, n);
        break;
    }
    case LogMode::AllChannels:
        for (int ch = 0; ch < ChannelCount; ++ch) {
            if (!refreshChannelFields(ch))
                break;
            if (rowDue && channel_log[ch]->isChecked())
                writeChannelRow(ch, n);
        }
        break;
    case LogMode::Chart: {
        if (!sampleSeries(n) || !rowDue)
            break;
        const SampleRing &ring = log.samples;
        std::array<std::optional<int>, 5> raw;
        std::array<Currency, 5> scaled{};
        for (int k = 0; k < 5; ++k) {
            raw[k] = ring.raw[k][n];
            scaled[k] = ring.scaled[k][n];
        }
        writeDataLog(seriesLogRow(ring.labels[n], raw, scaled, firstChar(m_state.DecimalSeparator)));
        // The view of a sample at index 1 waits for the next one.
        if (n > 1)
            Diagramm();
        break;
    }
    case LogMode::None:
        break;
    }
}

// txt_data_4 .. txt_data_1 from DB3 .. DB0 with the scaling of their byte.
bool Config::refreshChannelFields(int ch)
{
    const QChar mark = firstChar(m_state.DecimalSeparator);
    const std::array<QLineEdit *, 4> fields{txt_data_1[ch], txt_data_2[ch], txt_data_3[ch], txt_data_4[ch]};
    for (int d = 3; d >= 0; --d) {
        const auto min = parseNumber(txt_min[d]->text(), mark);
        const auto max = parseNumber(txt_max[d]->text(), mark);
        if (!min || !max)
            return false;
        showValue(fields[d], tenthsText(scaleToTenths(*min, *max, dataByte(m_state, ch, d)), mark));
    }
    return true;
}

void Config::writeChannelRow(int ch, int n)
{
    ChannelRow row;
    row.time = m_state.logging.samples.labels[n];
    row.channel = ch;
    row.kind = OrgByte[ch]->text();
    row.id = SystemID[ch]->text();
    row.data = {txt_data_1[ch]->text(), txt_data_2[ch]->text(), txt_data_3[ch]->text(), txt_data_4[ch]->text()};
    row.failed = m_state.ChannelFailed[ch];
    writeDataLog(channelLogRow(row, firstChar(m_state.DecimalSeparator)));
}

// The five series of chart mode: the chosen byte of each chosen channel, its
// scaled value in the series' value field and the ring.
bool Config::sampleSeries(int n)
{
    LoggingData &log = m_state.logging;
    const QChar mark = firstChar(m_state.DecimalSeparator);
    for (int k = 0; k < 5; ++k) {
        if (log.SeriesChannel[k] == -1)
            continue;
        // The entry ends in the channel number 01..30.
        bool ok = false;
        const int ch = Auswahl[k]->itemText(log.SeriesChannel[k] + 1).right(2).toInt(&ok) - 1;
        if (!ok || ch < 0 || ch > ChannelCount)
            return false;
        const int byteIndex = log.SeriesDataByte[k];
        if (byteIndex < 0 || byteIndex > 3)
            continue;
        const int raw = dataByte(m_state, ch, byteIndex);
        log.samples.raw[k][n] = raw;
        // The series' range is written with a decimal comma.
        const auto min = parseNumber(log.SeriesMin[k], QLatin1Char(','));
        const auto max = parseNumber(log.SeriesMax[k], QLatin1Char(','));
        if (!min || !max)
            return false;
        const QString text = tenthsText(scaleToTenths(*min, *max, raw), mark);
        showValue(Wert[k + 1], text);
        log.samples.scaled[k][n] = toCurrency(text, mark).value_or(0);
    }
    return true;
}

bool Config::writeDataLog(const QString &text)
{
    LoggingData &log = m_state.logging;
    // Without its header the log takes no rows; the user has been told.
    if (!log.LogHeaderWritten || !m_dataLog.isOpen())
        return false;
    // A row the disk took only in part is not written yet: its rest waits
    // for the next write, or the close.
    if (m_dataLog.write({toCp1252(text)}) == 1 && !m_dataLog.owesRest())
        return true;
    tellLogNotWritten(dataLogPath(), m_dataLog.failure(), log.LoggingFilesTold);
    return false;
}

void Config::closeDataLog() { m_dataLog.finish(); }

QString Config::dataLogPath() const { return m_state.ProgramPath + QStringLiteral("Datenlog.txt"); }

QString Config::receiveLogPath() const { return m_state.ProgramPath + QStringLiteral("NVX_Log.txt"); }

void Config::tellLogNotWritten(const QString &path, const QString &reason, QStringList &toldInRun)
{
    // A file that fails after the message about another one was closed is
    // told all the same: the user must learn of every file not written.
    if (toldInRun.contains(path))
        return;
    toldInRun << path;
    const QString file = fileWithReason(path, reason);
    if (m_logNotWritten) {
        if (std::none_of(m_logNotWrittenFiles.cbegin(), m_logNotWrittenFiles.cend(),
                         [&path](const QString &f) { return f.startsWith(path); })) {
            m_logNotWrittenFiles << file;
            m_logNotWritten->setText(logNotWrittenText(m_logNotWrittenFiles, m_state.english()));
        }
        return;
    }
    m_logNotWrittenFiles = {file};
    // Not modal: logging goes on behind it, and nothing waits for the
    // answer. Nor does it take the focus from a field being typed in.
    m_logNotWritten = new QMessageBox(QMessageBox::Warning, QStringLiteral("NVX-Ethernet"),
                                      logNotWrittenText(m_logNotWrittenFiles, m_state.english()), QMessageBox::Ok,
                                      this);
    m_logNotWritten->setObjectName(QStringLiteral("LogNotWritten"));
    m_logNotWritten->setAttribute(Qt::WA_DeleteOnClose);
    m_logNotWritten->setAttribute(Qt::WA_ShowWithoutActivating);
    m_logNotWritten->setWindowModality(Qt::NonModal);
    m_logNotWritten->show();
}

} // namespace nvx
