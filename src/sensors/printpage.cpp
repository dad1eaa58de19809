#include "sensors/printpage.h"

#if QT_CONFIG(printer)

#include <QColor>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPixmap>
#include <QPrinter>
#include <cmath>

namespace nvx {

namespace {

constexpr double TwipsPerInch = 1440.0;
constexpr double LargestPointSize = 10.0;
constexpr double SmallestPointSize = 6.0;

// The average advance of the printable ASCII characters: for the
// fixed-pitch font the width of every character, so a text of n characters
// spans exactly n columns.
double averageCharWidth(const QFontMetricsF &metrics)
{
    QString sample;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        sample.append(QChar(c));
    return metrics.horizontalAdvance(sample) / sample.size();
}

} // namespace

PrintJob::PrintJob(QPrinter &printer)
    : m_printer(printer)
{
    // Columns are counted in characters, so the printer's font is a
    // fixed-pitch one: every text then ends where its characters say.
    m_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setFixedPitch(true);
    m_font.setPointSizeF(LargestPointSize);
    m_painter.begin(&m_printer);
}

PrintJob::~PrintJob()
{
    if (!m_finished)
        finish();
}

QSizeF PrintJob::printableSize() const { return QSizeF(m_printer.width(), m_printer.height()); }

QPointF twipsOnPrinter(const QPrinter &printer, double x, double y)
{
    return QPointF(x * printer.logicalDpiX() / TwipsPerInch, y * printer.logicalDpiY() / TwipsPerInch);
}

void PrintJob::chooseFont(const QList<PrintLine> &lines)
{
    m_font.setPointSizeF(LargestPointSize);
    const QFontMetricsF metrics(m_font, &m_printer);
    // Free texts continue on further lines; only where they start counts.
    QList<PrintLine> fixed = lines;
    for (PrintLine &l : fixed)
        for (PrintItem &item : l.items)
            if (item.freeText)
                item.text.truncate(1);
    double widest = 0;
    const auto width = [&metrics](const QString &s) { return metrics.horizontalAdvance(s); };
    for (const PlacedText &t : layOutLines(fixed, averageCharWidth(metrics), width))
        widest = std::max(widest, t.x + width(t.text));
    const double room = printableSize().width();
    if (widest <= room || widest <= 0)
        return;
    // A fixed-pitch font grows and shrinks evenly: one step brings the
    // widest line onto the page.
    const double size = std::floor(LargestPointSize * room / widest * 2.0) / 2.0;
    m_font.setPointSizeF(std::max(size, SmallestPointSize));
}

void PrintJob::printLines(const QList<PrintLine> &lines)
{
    if (!isActive())
        return;
    chooseFont(lines);
    m_painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, &m_printer);
    const double lineHeight = metrics.lineSpacing();
    const double pageHeight = printableSize().height();
    const auto width = [&metrics](const QString &s) { return metrics.horizontalAdvance(s); };

    int pageStart = 0;
    for (const PlacedText &t : layOutLines(lines, averageCharWidth(metrics), width, printableSize().width())) {
        if (t.line > pageStart && (t.line - pageStart + 1) * lineHeight > pageHeight) {
            if (!m_printer.newPage()) {
                m_failed = true;
                return;
            }
            pageStart = t.line;
        }
        m_painter.setPen(QColor::fromRgb(QRgb(0xFF000000u | t.colour)));
        m_painter.drawText(QPointF(t.x, (t.line - pageStart) * lineHeight + metrics.ascent()), t.text);
    }
    if (!m_painter.isActive())
        m_failed = true;
}

void PrintJob::drawPicture(const QRectF &target, const QPixmap &picture)
{
    if (!isActive())
        return;
    m_painter.drawPixmap(target, picture, QRectF(picture.rect()));
    if (!m_painter.isActive())
        m_failed = true;
}

bool PrintJob::finish()
{
    m_finished = true;
    if (!m_painter.isActive())
        return false;
    if (m_failed) {
        m_printer.abort();
        m_painter.end();
        return false;
    }
    return m_painter.end();
}

} // namespace nvx

#endif
