#pragma once
// One print job: laid-out lines and a picture put on the pages of a printer.

#include <QtPrintSupport/qtprintsupportglobal.h>

#if QT_CONFIG(printer)

#include "sensors/printlayout.h"

#include <QFont>
#include <QPainter>

class QPixmap;
class QPrinter;

namespace nvx {

// A position given in twips from the top-left corner of the printable area,
// in the printer's device units.
QPointF twipsOnPrinter(const QPrinter &printer, double x, double y);

class PrintJob {
public:
    // Starts the job; isActive() tells whether the printer could be opened.
    explicit PrintJob(QPrinter &printer);
    ~PrintJob();
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    bool isActive() const { return m_painter.isActive() && !m_failed; }

    // The printable area in device units.
    QSizeF printableSize() const;

    // Lines from the top of the current page on; a line that no longer fits
    // starts a new page. The font is the printer's fixed-pitch one, made
    // smaller only where the columns and fixed texts would run off the page;
    // free texts continue on further lines at their column instead.
    void printLines(const QList<PrintLine> &lines);
    void drawPicture(const QRectF &target, const QPixmap &picture);

    // Ends the job. A job that failed on the way is aborted rather than
    // handed to the printer half done. True when it was printed.
    bool finish();

private:
    void chooseFont(const QList<PrintLine> &lines);

    QPrinter &m_printer;
    QPainter m_painter;
    QFont m_font;
    bool m_failed = false;
    bool m_finished = false;
};

} // namespace nvx

#endif
