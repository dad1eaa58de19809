#pragma once
// Text and back colours as the windows use them: numbers in the classic
// 0x00BBGGRR form (255 is red) and the system colours 0x800000nn. The number
// is kept on the widget as well, so a test can read exactly what was set.

#include <QColor>
#include <QWidget>
#include <cstdint>

namespace nvx {

constexpr std::uint32_t ColourBlack = 0x000000;
constexpr std::uint32_t ColourRed = 0x0000FF;
constexpr std::uint32_t ColourWhite = 0xFFFFFF;
constexpr std::uint32_t SysColourWindow = 0x80000005;     // window background
constexpr std::uint32_t SysColourCaptionText = 0x80000009;
constexpr std::uint32_t SysColourButtonFace = 0x8000000F;

QColor toQColor(std::uint32_t colour);

void setForeColour(QWidget *w, std::uint32_t colour);
std::uint32_t foreColour(const QWidget *w);
void setBackColour(QWidget *w, std::uint32_t colour);
std::uint32_t backColour(const QWidget *w);

} // namespace nvx
