#pragma once
// Key and leave handling of a field by plain functions: the key handler gets
// the typed character (Backspace as 8) and says whether it passes;
// the leave handler runs after the field has lost the focus to another
// control of the same window.

#include <QHash>
#include <QObject>
#include <functional>

class QWidget;

namespace nvx {

class FieldFilter : public QObject {
    Q_OBJECT
public:
    using KeyHandler = std::function<bool(QChar key)>;
    using LeaveHandler = std::function<void()>;

    explicit FieldFilter(QObject *parent = nullptr) : QObject(parent) {}
    void onKey(QWidget *field, KeyHandler handler);
    void onLeave(QWidget *field, LeaveHandler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, KeyHandler> m_keys;
    QHash<QObject *, LeaveHandler> m_leaves;
};

} // namespace nvx
