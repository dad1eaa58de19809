#include "sensors/fieldhelpers.h"

#include <QGuiApplication>
#include <QScreen>

#include <QKeyEvent>
#include <QLineEdit>

namespace nvx {

namespace {

class CharFilter : public QObject {
public:
    CharFilter(QLineEdit *field, std::function<QChar(QChar)> rule, int maxTyped)
        : QObject(field), m_field(field), m_rule(std::move(rule)), m_maxTyped(maxTyped)
    {
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
        for (QChar c : text) {
            const QChar kept = m_rule(c);
            if (!kept.isNull())
                clean += kept;
        }
        if (clean == text)
            return;
        const int position = std::min<int>(m_field->cursorPosition(), clean.size());
        m_field->setText(clean);
        m_field->setCursorPosition(position);
    }

    QLineEdit *m_field;
    std::function<QChar(QChar)> m_rule;
    int m_maxTyped = 0;
};

} // namespace

void installCharFilter(QLineEdit *field, std::function<QChar(QChar)> rule, int maxTyped)
{
    field->installEventFilter(new CharFilter(field, std::move(rule), maxTyped));
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
