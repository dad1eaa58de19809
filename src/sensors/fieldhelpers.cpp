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
            position = cutEditToFit(clean, m_before, position, std::max<qsizetype>(m_maxTyped, m_before.size()));
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

namespace {
// Takes up to `count` characters out before `end`; where they began.
qsizetype cutBefore(QString &text, qsizetype end, qsizetype count)
{
    const qsizetype from = std::max<qsizetype>(0, end - count);
    text.remove(from, end - from);
    return from;
}
} // namespace

qsizetype cutEditToFit(QString &text, const QString &before, qsizetype cursor, qsizetype allowed)
{
    cursor = std::clamp<qsizetype>(cursor, 0, text.size());
    const qsizetype excess = text.size() - allowed;
    if (excess <= 0)
        return cursor;
    // What the edit put in ends where the text that stood behind it starts
    // again: the end both share, short of what they share at the front.
    const qsizetype shorter = std::min(text.size(), before.size());
    qsizetype front = 0;
    while (front < shorter && text[front] == before[front])
        ++front;
    qsizetype back = 0;
    while (back < shorter - front && text[text.size() - 1 - back] == before[before.size() - 1 - back])
        ++back;
    QString cut = text;
    const qsizetype end = cutBefore(cut, text.size() - back, excess);
    // The cursor stands behind the insertion; where cutting there leaves
    // the same text (repeated characters), it stays beside what was put in.
    QString atCursor = text;
    const qsizetype cursorEnd = cutBefore(atCursor, cursor, excess);
    const bool sameText = atCursor == cut;
    text = cut;
    return sameText ? cursorEnd : end;
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
