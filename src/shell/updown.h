#pragma once
// An up-down arrow pair. Only its two clicks matter; the handler beside it
// steps its own field within its own limits.

#include <QWidget>

class QToolButton;

namespace nvx {

class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);
    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

Q_SIGNALS:
    void upClick();
    void downClick();

private:
    QToolButton *m_up;
    QToolButton *m_down;
};

} // namespace nvx
