// The network settings fields: key filters, checks on leaving, red marking
// of every edit against the values loaded with the selected receiver.

#include "sensors/fieldhelpers.h"
#include "shell/config.h"
#include "shell/vbcolours.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QTreeWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace nvx {

namespace {

constexpr int DescriptionMaxLength = 150;

bool isEnterKey(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// Clipboard and undo keys change the text without typing a character; they
// pass the filters (the checks on leaving catch what they bring in).
bool isEditingShortcut(const QKeyEvent *e)
{
    return e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Undo)
        || e->matches(QKeySequence::Redo);
}

bool isReadingShortcut(const QKeyEvent *e)
{
    return e->matches(QKeySequence::Copy) || e->matches(QKeySequence::SelectAll);
}

// A key that types a character (Backspace and Enter included), as opposed to
// moving the cursor, changing focus or pressing a modifier alone.
bool isTypedKey(const QKeyEvent *e)
{
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab)
        return false;
    return !e->text().isEmpty() || e->key() == Qt::Key_Backspace || isEnterKey(e);
}

bool onlyAllowed(const QString &text, bool allowDot)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!digit && !(allowDot && c == QLatin1Char('.')))
            return false;
    }
    return true;
}

// Address and port fields: every typed key marks the field red, also one
// that is dropped. Returns true when the key is to be dropped.
bool filterNumberKey(QLineEdit *field, const QKeyEvent *e, bool allowDot)
{
    if (isReadingShortcut(e))
        return false;
    if (isEditingShortcut(e) || e->key() == Qt::Key_Delete) {
        setForeColour(field, ColourRed);
        return false;
    }
    if (!isTypedKey(e))
        return false;
    setForeColour(field, ColourRed);
    if (e->key() == Qt::Key_Backspace)
        return false;
    return !onlyAllowed(e->text(), allowDot);
}

// The version is shown only: no key may change it.
bool filterReadOnlyKey(const QKeyEvent *e)
{
    if (isReadingShortcut(e))
        return false;
    return isEditingShortcut(e) || e->key() == Qt::Key_Delete || isTypedKey(e);
}

// The description is one line of the description file: no line breaks, at
// most 150 characters.
bool filterDescriptionKey(const QPlainTextEdit *field, const QKeyEvent *e)
{
    if (isEnterKey(e))
        return true;
    if (!isTypedKey(e) || e->key() == Qt::Key_Backspace || isEditingShortcut(e) || isReadingShortcut(e))
        return false;
    const bool printable = !e->text().isEmpty() && e->text().at(0).isPrint();
    return printable && !field->textCursor().hasSelection()
        && field->toPlainText().size() >= DescriptionMaxLength;
}

// On leaving an address field: the loaded value back when empty; four
// parts 0..255 stored into the record part by part; the field's error
// and the focus back when a part is wrong.
void addressFieldLeft(Config &config, QLineEdit *field, int firstByte, const QString &loaded, int errorCode)
{
    AppState &state = config.state();
    if (field->text().isEmpty()) {
        field->setText(loaded);
        setForeColour(field, ColourBlack);
    }
    if (!state.CurrentBoard.storeDotted(firstByte, field->text())) {
        config.ShowErrorWindow(errorCode);
        field->setFocus();
        return;
    }
    if (field->text() == loaded)
        setForeColour(field, ColourBlack);
}

void portFieldLeft(QLineEdit *field, const QString &loaded)
{
    if (field->text() == loaded)
        setForeColour(field, ColourBlack);
    if (field->text().isEmpty()) {
        field->setText(loaded);
        setForeColour(field, ColourBlack);
    }
}

// An option pair marks the option chosen against the receiver as loaded.
void markOptionPair(QRadioButton *chosen, QRadioButton *other, bool differsFromLoaded)
{
    setForeColour(chosen, differsFromLoaded ? ColourRed : ColourBlack);
    setForeColour(other, ColourBlack);
}

} // namespace

void Config::connectNetFields()
{
    for (QWidget *w : std::initializer_list<QWidget *>{txtIP, txtSubnet, txtGW, txtServerIP, txtDirectIP, txtPort,
                                                         txtServerPort, txtVersion, Beschreibung})
        w->installEventFilter(this);
    // The version is the module's own: no key, paste or drop may change it.
    txtVersion->setReadOnly(true);

    // Text pasted into the description may bring line breaks, tabs or more
    // than fits: the description file holds it as one line. What is pasted
    // is cut to the room left, the text already there stays whole. A longer
    // text that came from a file (set with the field's signals blocked) is
    // not cut when it is edited; it only cannot grow.
    const auto descriptionChanged = [this, before = QString()]() mutable {
        const QString text = Beschreibung->toPlainText();
        if (Beschreibung->signalsBlocked()) {
            before = text;
            return;
        }
        QString clean = text;
        for (QChar &c : clean) {
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t')
                || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
                c = QLatin1Char(' ');
        }
        // The document may report a whole line as changed (a paste at its
        // start does); what was put in is told from the text before.
        const qsizetype cursorAt = cutEditToFit(clean, before, Beschreibung->textCursor().position(),
                                                std::max<qsizetype>(DescriptionMaxLength, before.size()));
        before = clean;
        if (clean == text)
            return;
        Beschreibung->setPlainText(clean);
        QTextCursor cursor = Beschreibung->textCursor();
        cursor.setPosition(int(cursorAt));
        Beschreibung->setTextCursor(cursor);
    };
    connect(Beschreibung->document(), &QTextDocument::contentsChanged, this, descriptionChanged);
}

bool Config::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (watched == ListBoards || watched == List1)
            return listKeyPressed(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == txtIP || watched == txtSubnet || watched == txtGW || watched == txtServerIP
            || watched == txtDirectIP)
            return filterNumberKey(static_cast<QLineEdit *>(watched), key, true);
        if (watched == txtPort || watched == txtServerPort)
            return filterNumberKey(static_cast<QLineEdit *>(watched), key, false);
        if (watched == txtVersion)
            return filterReadOnlyKey(key);
        if (watched == Beschreibung)
            return filterDescriptionKey(Beschreibung, key);
    } else if (event->type() == QEvent::FocusOut) {
        const auto *focus = static_cast<QFocusEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        // Another window taking the focus (the error or status window, a
        // popup menu) does not leave the field; neither does a field that is
        // being disabled.
        const Qt::FocusReason reason = focus->reason();
        if (!widget || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
            || reason == Qt::MenuBarFocusReason || !widget->isEnabled())
            return QMainWindow::eventFilter(watched, event);

        void (Config::*handler)() = nullptr;
        if (watched == txtIP)
            handler = &Config::txtIP_LostFocus;
        else if (watched == txtSubnet)
            handler = &Config::txtSubnet_LostFocus;
        else if (watched == txtGW)
            handler = &Config::txtGW_LostFocus;
        else if (watched == txtServerIP)
            handler = &Config::txtServerIP_LostFocus;
        else if (watched == txtPort)
            handler = &Config::txtPort_LostFocus;
        else if (watched == txtServerPort)
            handler = &Config::txtServerPort_LostFocus;
        else if (watched == Beschreibung)
            handler = &Config::Beschreibung_LostFocus;
        if (handler) {
            // The field finishes losing the focus first; the check may then
            // show the error window and give the focus back.
            static_cast<QObject *>(widget)->event(event);
            (this->*handler)();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Config::txtIP_LostFocus()
{
    addressFieldLeft(*this, txtIP, BoardRecord::Ip, m_state.LoadedIP, ErrorInvalidIp);
}

void Config::txtSubnet_LostFocus()
{
    addressFieldLeft(*this, txtSubnet, BoardRecord::Subnet, m_state.LoadedSubnet, ErrorInvalidSubnet);
}

void Config::txtGW_LostFocus()
{
    addressFieldLeft(*this, txtGW, BoardRecord::Gateway, m_state.LoadedGateway, ErrorInvalidGateway);
}

void Config::txtServerIP_LostFocus()
{
    addressFieldLeft(*this, txtServerIP, BoardRecord::ServerIp, m_state.LoadedServerIP, ErrorInvalidServerIp);
}

void Config::txtPort_LostFocus()
{
    portFieldLeft(txtPort, m_state.LoadedPort);
}

void Config::txtServerPort_LostFocus()
{
    portFieldLeft(txtServerPort, m_state.LoadedServerPort);
}

void Config::Beschreibung_LostFocus()
{
    Datspeichern();
}

void Config::chkDHCP_Click()
{
    const int value = chkDHCP->isChecked() ? 1 : 0;
    setForeColour(chkDHCP, value != m_state.LoadedDHCP ? ColourRed : ColourBlack);
}

void Config::chkClientMode_Click()
{
    markOptionPair(chkClientMode, chkServerMode, !m_state.LoadedClientMode);
}

void Config::chkServerMode_Click()
{
    markOptionPair(chkServerMode, chkClientMode, m_state.LoadedClientMode);
}

void Config::chkTCPIP_Click()
{
    markOptionPair(chkTCPIP, chkUDPMode, m_state.LoadedUDP);
}

void Config::chkUDPMode_Click()
{
    markOptionPair(chkUDPMode, chkTCPIP, !m_state.LoadedUDP);
}

void Config::setEditMarksBlack()
{
    for (QWidget *w : std::initializer_list<QWidget *>{txtIP, txtSubnet, txtGW, txtServerIP, txtPort, txtServerPort,
                                                       chkDHCP, chkClientMode, chkServerMode, chkTCPIP, chkUDPMode,
                                                       txtDirectIP})
        setForeColour(w, ColourBlack);
}

void Config::chkDirect_Click()
{
    if (chkDirect->isChecked()) {
        txtDirectIP->setEnabled(true);
        setBackColour(txtDirectIP, SysColourWindow);
    } else {
        txtDirectIP->setText(QStringLiteral("  "));
        txtDirectIP->setEnabled(false);
        setBackColour(txtDirectIP, SysColourButtonFace);
    }
}

} // namespace nvx
