// The receive boxes and the receive log, the recording buttons, and saving
// the data log under a name of the user's choice.

#include "sensors/cp1252.h"
#include "shell/config.h"
#include "shell/smallfile.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

namespace nvx {

namespace {

constexpr qsizetype SpillLength = 10000;

// "Logdateien (*.Log)|*.log" -> "Logdateien (*.log)".
QString nameFilter(const QString &filterText)
{
    const QString description = filterText.section(QLatin1Char('|'), 0, 0).section(QLatin1Char('('), 0, 0).trimmed();
    const QString pattern = filterText.section(QLatin1Char('|'), 1, 1);
    return pattern.isEmpty() ? description : description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

} // namespace

// The boxes hold one paragraph per line; in the receive log each line ends
// with CR LF, which counts two characters.
qsizetype Config::boxLength(const QPlainTextEdit *box)
{
    const QTextDocument *doc = box->document();
    return doc->characterCount() + doc->blockCount() - 2;
}

void Config::appendToBox(QPlainTextEdit *box, const QString &line)
{
    QString text = line;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    // The caret ends behind the new line (the hidden box has none to show).
    if (!box->isHidden())
        box->setTextCursor(cursor);
}

bool Config::appendBoxToReceiveLog(QPlainTextEdit *box)
{
    LoggingData &log = m_state.logging;
    QStringList &told = box == txt_Empfang ? log.RecordingFilesTold : log.LoggingFilesTold;
    if (!m_receiveLog.openToAppend(receiveLogPath())) {
        tellLogNotWritten(receiveLogPath(), m_receiveLog.failure(), told);
        return false;
    }
    // A line per paragraph; behind the box's last line end stands an empty
    // one.
    QTextDocument *doc = box->document();
    QList<QByteArray> lines;
    lines.reserve(doc->blockCount());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        lines << (block.next().isValid() ? toCp1252(block.text()) + LogLineEnd : toCp1252(block.text()));
    const qsizetype taken = m_receiveLog.write(lines);
    const QString failure = m_receiveLog.failure();
    m_receiveLog.close();
    if (taken == lines.size()) {
        box->clear();
        return true;
    }
    // The lines the log took leave the box: the next spill writes only the
    // rest, and nothing twice.
    if (taken > 0) {
        QTextCursor cursor(doc);
        cursor.setPosition(doc->findBlockByNumber(int(taken)).position(), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    tellLogNotWritten(receiveLogPath(), failure, told);
    return false;
}

void Config::ReceiveBoxSpill(QPlainTextEdit *box)
{
    if (boxLength(box) < SpillLength || appendBoxToReceiveLog(box))
        return;
    // The log takes nothing: the box keeps its newest lines, no more than
    // one spill, so that it neither grows without end nor slows every
    // telegram down. What goes was told.
    QTextDocument *doc = box->document();
    qsizetype excess = boxLength(box) - SpillLength;
    QTextBlock block = doc->begin();
    // Each line counts its CR LF as two characters.
    while (excess > 0 && block.next().isValid()) {
        excess -= block.length() + 1;
        block = block.next();
    }
    if (excess > 0) {
        box->clear();
    } else if (block != doc->begin()) {
        QTextCursor cursor(doc);
        cursor.setPosition(block.position(), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

void Config::start3_Click()
{
    if (m_state.logging.RecordingStopped) {
        m_state.logging.RecordingStopped = false;
        txt_Empfang->clear();
    }
    start3->setEnabled(false);
    pause3->setEnabled(true);
    stop3->setEnabled(true);
}

void Config::stop3_Click()
{
    // Two line ends behind the last telegram, wherever the caret stands.
    appendToBox(txt_Empfang, QStringLiteral("\r\n\r\n"));
    appendBoxToReceiveLog(txt_Empfang);
    start3->setEnabled(true);
    pause3->setEnabled(false);
    stop3->setEnabled(false);
    m_state.logging.RecordingStopped = true;
    m_state.logging.RecordingFilesTold.clear();
}

void Config::speichern3_Click() { SaveDataLogAs(); }

void Config::SaveDataLogAs()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(nameFilter(m_state.Texts[38]));
    // A name typed without an extension would be hidden by the filter the
    // next time; the dialog asks before it replaces an existing file.
    dialog.setDefaultSuffix(QStringLiteral("log"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString target = dialog.selectedFiles().constFirst();
    if (target.isEmpty())
        return;
    // A row the disk took only in part is completed before the copy, where
    // the disk now allows it.
    closeDataLog();
    const QString source = dataLogPath();
    // Copying the data log onto itself would only delete it.
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        return;
    QFile in(source);
    const bool readable = openRegularFile(in, QIODevice::ReadOnly);
    // The copy holds every row whole even while the data log itself still
    // waits for the rest of its last one.
    const QByteArray rest = m_dataLog.rest();
    QString failure;
    const bool saved = readable && saveWhole(target, [&in, &rest](QIODevice &out) {
        while (!in.atEnd()) {
            const QByteArray chunk = in.read(1 << 16);
            if (chunk.isEmpty() || out.write(chunk) != chunk.size())
                return false;
        }
        return in.error() == QFileDevice::NoError && out.write(rest) == rest.size();
    }, &failure);
    if (!saved)
        tellFileNotSaved(target, failure);
}

} // namespace nvx
