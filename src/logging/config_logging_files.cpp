// The receive boxes and the receive log, the recording buttons, and saving
// the data log under a name of the user's choice.

#include "shell/config.h"
#include "shell/smallfile.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSaveFile>
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
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const QByteArray bytes = text.toLatin1();
    QFile log(m_state.ProgramPath + QStringLiteral("NVX_Log.txt"));
    if (!openRegularFile(log, QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = log.write(bytes) == bytes.size() && log.flush();
    log.close();
    return written && log.error() == QFileDevice::NoError;
}

void Config::ReceiveBoxSpill(QPlainTextEdit *box)
{
    if (boxLength(box) < SpillLength)
        return;
    // Emptied only once its text is in the log: telegrams are never lost.
    if (appendBoxToReceiveLog(box))
        box->clear();
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
    if (appendBoxToReceiveLog(txt_Empfang))
        txt_Empfang->clear();
    start3->setEnabled(true);
    pause3->setEnabled(false);
    stop3->setEnabled(false);
    m_state.logging.RecordingStopped = true;
}

void Config::speichern3_Click() { SaveDataLogAs(); }

void Config::SaveDataLogAs()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // A copy replaces a file of the chosen name without asking.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(nameFilter(m_state.Texts[38]));
    // A name typed without an extension still makes a "*.log" file.
    dialog.setDefaultSuffix(QStringLiteral("log"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString target = dialog.selectedFiles().constFirst();
    if (target.isEmpty())
        return;
    closeDataLog();
    const QString source = m_state.ProgramPath + QStringLiteral("Datenlog.txt");
    // Copying the data log onto itself would only delete it.
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(source).canonicalFilePath())
        return;
    // The copy replaces a file of that name only once it is whole: a copy
    // that fails leaves the earlier file as it was.
    QFile in(source);
    if (!openRegularFile(in, QIODevice::ReadOnly))
        return;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            break;
        }
    }
    out.commit();
}

} // namespace nvx
