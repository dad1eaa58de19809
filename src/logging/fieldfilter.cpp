#include "logging/fieldfilter.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace nvx {

void FieldFilter::onKey(QWidget *field, KeyHandler handler)
{
    m_keys.insert(field, std::move(handler));
    field->installEventFilter(this);
}

void FieldFilter::onLeave(QWidget *field, LeaveHandler handler)
{
    m_leaves.insert(field, std::move(handler));
    field->installEventFilter(this);
}

bool FieldFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto it = m_keys.constFind(watched);
        if (it == m_keys.constEnd())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        QChar typed;
        // Delete types no character: it is never filtered.
        if (key->key() == Qt::Key_Backspace)
            typed = QChar(8);
        else if (!key->text().isEmpty() && key->text().at(0).isPrint())
            typed = key->text().at(0);
        // Keys that type nothing (arrows, Tab, shortcuts) are not filtered.
        if (typed.isNull() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        return !(*it)(typed);
    }
    if (event->type() == QEvent::FocusOut) {
        const auto it = m_leaves.constFind(watched);
        if (it == m_leaves.constEnd())
            return false;
        // Another window taking the focus does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
            || reason == Qt::MenuBarFocusReason)
            return false;
        watched->event(event);
        (*it)();
        return true;
    }
    return false;
}

} // namespace nvx
