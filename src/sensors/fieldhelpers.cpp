#include "sensors/fieldhelpers.h"

#include <QGuiApplication>
#include <QScreen>

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace nvx {

namespace {

class CharFilter : public QObject {
public:
    CharFilter(QLineEdit *field, std::function<QChar(QChar)> rule, int maxTyped)
        : QObject(field), m_field(field), m_rule(std::move(rule)), m_maxTyped(maxTyped)
    {
        // The text before an edit, whoever made it: a paste may only fill
        // the room that text leaves.
        m_before = field->text();
        connect(field, &QLineEdit::textChanged, this, [this] { m_before = m_field->text(); });
        connect(field, &QLineEdit::textEdited, this, [this](const QString &text) { sanitise(text); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_field || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Keys that type nothing (cursor, Tab, Delete) and Backspace pass;
        // so do the clipboard keys, whose result is sanitised afterwards.
        if (text.size() != 1 || key->key() == Qt::Key_Backspace || !text[0].isPrint())
            return false;
        const QChar kept = m_rule(text[0]);
        if (kept.isNull())
            return true;
        if (m_maxTyped > 0 && !m_field->hasSelectedText() && m_field->text().size() >= m_maxTyped)
            return true;
        if (kept != text[0]) {
            m_field->insert(QString(kept));
            return true;
        }
        return false;
    }

private:
    void sanitise(const QString &text)
    {
        QString clean;
        qsizetype position = 0;
        const qsizetype cursor = m_field->cursorPosition();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar kept = m_rule(text[i]);
            if (kept.isNull())
                continue;
            clean += kept;
            if (i < cursor)
                ++position;
        }
        if (m_maxTyped > 0)
            position = cutInsertionToFit(clean, position, std::max<qsizetype>(m_maxTyped, m_before.size()));
        if (clean == text)
            return;
        m_field->setText(clean);
        m_field->setCursorPosition(int(position));
    }

    QLineEdit *m_field;
    std::function<QChar(QChar)> m_rule;
    int m_maxTyped = 0;
    QString m_before;
};

} // namespace

void installCharFilter(QLineEdit *field, std::function<QChar(QChar)> rule, int maxTyped)
{
    field->installEventFilter(new CharFilter(field, std::move(rule), maxTyped));
}

qsizetype cutInsertionToFit(QString &text, qsizetype insertEnd, qsizetype allowed)
{
    const qsizetype excess = text.size() - allowed;
    insertEnd = std::clamp<qsizetype>(insertEnd, 0, text.size());
    if (excess <= 0)
        return insertEnd;
    const qsizetype from = std::max<qsizetype>(0, insertEnd - excess);
    text.remove(from, insertEnd - from);
    return from;
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        window->move(avail.x() + (avail.width() - window->width()) / 2,
                     avail.y() + (avail.height() - window->height()) / 2);
    }
}

} // namespace nvx
