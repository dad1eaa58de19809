#include "shell/vbcolours.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>

namespace nvx {

QColor toQColor(std::uint32_t colour)
{
    if (colour & 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (colour & 0xFF) {
        case 5: return pal.color(QPalette::Base);
        case 9: return pal.color(QPalette::HighlightedText);
        case 15: return pal.color(QPalette::Button);
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void setForeColour(QWidget *w, std::uint32_t colour)
{
    if (!w)
        return;
    w->setProperty("foreColour", QVariant::fromValue(colour));
    QPalette pal = w->palette();
    const QColor c = toQColor(colour);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::ButtonText, c);
    w->setPalette(pal);
}

std::uint32_t foreColour(const QWidget *w)
{
    return w ? w->property("foreColour").value<std::uint32_t>() : 0;
}

void setBackColour(QWidget *w, std::uint32_t colour)
{
    if (!w)
        return;
    // Setting a palette is far dearer than comparing the number kept on the
    // widget, and the sensor table's labels are painted with every telegram.
    if (w->autoFillBackground() && w->property("backColour").isValid() && backColour(w) == colour)
        return;
    w->setProperty("backColour", QVariant::fromValue(colour));
    QPalette pal = w->palette();
    pal.setColor(w->backgroundRole(), toQColor(colour));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

std::uint32_t backColour(const QWidget *w)
{
    return w ? w->property("backColour").value<std::uint32_t>() : 0;
}

} // namespace nvx
