#include "shell/updown.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace nvx {

UpDown::UpDown(QWidget *parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    for (QToolButton *b : {m_up, m_down}) {
        b->setFixedSize(18, 11);
        // A click leaves the field beside it, whose leave rule keeps the
        // number within its limits before the step reads it.
        b->setFocusPolicy(Qt::StrongFocus);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &UpDown::upClick);
    connect(m_down, &QToolButton::clicked, this, &UpDown::downClick);
}

} // namespace nvx
