// The chart of the five series: the redraw from the sample ring, the scroll
// bar over older samples, the picture for the printout.

#include "logging/chartgrid.h"
#include "logging/fieldrules.h"
#include "shell/config.h"

#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QScrollBar>
#include <QValueAxis>

namespace nvx {

namespace {

// The row labels stand below the plot area, reading upwards.
constexpr auto LabelSample = "00.00.0000 00:00:00 AM";

} // namespace

void Config::setUpChart()
{
    auto *chart = new QChart;
    chart->setObjectName(QStringLiteral("MSChart1_chart"));
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    m_chartAxisY = new QValueAxis(chart);
    // One category per row: the rows are the x values 0, 1, ...; their
    // labels are the chart's own text items below the plot area, so that a
    // new sample only changes texts instead of rebuilding the axis.
    m_chartAxisX = new QValueAxis(chart);
    m_chartAxisX->setLabelsVisible(false);
    m_chartAxisX->setTickCount(2);
    chart->addAxis(m_chartAxisY, Qt::AlignLeft);
    chart->addAxis(m_chartAxisX, Qt::AlignBottom);
    QFont labelFont = chart->font();
    labelFont.setPointSizeF(labelFont.pointSizeF() * 0.8);
    m_chartLabelFont = labelFont;
    const int labelRoom = QFontMetrics(labelFont).horizontalAdvance(QLatin1String(LabelSample)) + 8;
    chart->setMargins(QMargins(2, 2, 2, labelRoom));
    // The view comes with a chart of its own, which stops being the view's
    // when it is replaced.
    QChart *previous = MSChart1->chart();
    MSChart1->setChart(chart);
    delete previous;
    MSChart1->setRenderHint(QPainter::Antialiasing, false);
    connect(chart, &QChart::plotAreaChanged, this, &Config::placeChartLabels);

    connect(HScroll1, &QScrollBar::valueChanged, this, &Config::HScroll1_Change);
}

void Config::Diagramm()
{
    LoggingData &log = m_state.logging;
    const int newest = log.samples.counter;
    if (newest == 0)
        return;

    // A range that is no number, or a minimum above the maximum, gives the
    // default range and ends the redraw.
    const auto rangeFailed = [this] {
        maxdia->setText(QStringLiteral("40"));
        mindia->setText(QStringLiteral("0"));
    };
    bool okMax = false, okMin = false;
    const int top = maxdia->text().toInt(&okMax);
    if (!okMax)
        return rangeFailed();
    m_chartAxisY->setMax(top);
    const int bottom = mindia->text().toInt(&okMin);
    if (!okMin || bottom > top)
        return rangeFailed();
    m_chartAxisY->setRange(bottom, top);

    m_chartGrid.redraw(log.samples, log.SeriesChannel, newest, log.ChartWindowRows);
    QChart *chart = MSChart1->chart();
    const int columns = m_chartGrid.columnCount();
    while (int(m_chartSeries.size()) > columns) {
        QLineSeries *series = m_chartSeries.back();
        m_chartSeries.pop_back();
        chart->removeSeries(series);
        delete series;
    }
    while (int(m_chartSeries.size()) < columns) {
        auto *series = new QLineSeries;
        chart->addSeries(series);
        series->attachAxis(m_chartAxisX);
        series->attachAxis(m_chartAxisY);
        m_chartSeries.push_back(series);
    }
    QList<QPointF> points(m_chartGrid.rowCount());
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < m_chartGrid.rowCount(); ++r)
            points[r] = QPointF(r, m_chartGrid.cell(r, c));
        QLineSeries *series = m_chartSeries[std::size_t(c)];
        series->replace(points);
        // The colour follows the series, not the column.
        QPen pen(QColor::fromRgb(QRgb(seriesColour(m_chartGrid.columnSeries(c)))));
        pen.setWidth(2);
        if (series->pen() != pen)
            series->setPen(pen);
    }
    const int rows = m_chartGrid.rowCount();
    if (m_chartAxisX->min() != -0.5 || m_chartAxisX->max() != rows - 0.5)
        m_chartAxisX->setRange(-0.5, rows - 0.5);
    const bool rowsChanged = int(m_chartLabels.size()) != rows;
    while (int(m_chartLabels.size()) > rows) {
        delete m_chartLabels.back();
        m_chartLabels.pop_back();
    }
    while (int(m_chartLabels.size()) < rows) {
        auto *label = new QGraphicsSimpleTextItem(chart);
        label->setFont(m_chartLabelFont);
        label->setRotation(-90);
        m_chartLabels.push_back(label);
    }
    bool textsChanged = false;
    for (int r = 0; r < rows; ++r) {
        const QString &text = m_chartGrid.labels()[r];
        if (m_chartLabels[std::size_t(r)]->text() != text) {
            m_chartLabels[std::size_t(r)]->setText(text);
            textsChanged = true;
        }
    }
    if (rowsChanged || textsChanged)
        placeChartLabels();
}

QStringList Config::chartRowLabels() const
{
    QStringList texts;
    for (const QGraphicsSimpleTextItem *label : m_chartLabels)
        texts << label->text();
    return texts;
}

void Config::placeChartLabels()
{
    const QRectF area = MSChart1->chart()->plotArea();
    const int rows = int(m_chartLabels.size());
    if (rows == 0)
        return;
    const double step = area.width() / rows;
    for (int r = 0; r < rows; ++r) {
        QGraphicsSimpleTextItem *label = m_chartLabels[std::size_t(r)];
        // Turned upwards, the text's start stands at the bottom; its end just
        // under the plot area, centred on the row.
        const QRectF box = label->boundingRect();
        label->setPos(area.left() + step * (r + 0.5) - box.height() / 2, area.bottom() + 4 + box.width());
    }
}

// One body for the scroll bar's change, scroll and key events.
void Config::HScroll1_Change()
{
    LoggingData &log = m_state.logging;
    const int rows = fieldNumber(txtrowcountintervall->text());
    // With fewer samples than one view holds there is nothing to scroll.
    if (log.samples.prevCounter <= rows)
        return;
    log.ChartFirstRow = HScroll1->value();
    log.samples.counter = log.ChartFirstRow + rows;
    Diagramm();
}

QPixmap Config::chartPicture(int width, int height) const
{
    QPixmap picture(std::max(width, 1), std::max(height, 1));
    picture.fill(Qt::white);
    // The chart is laid out for the picture's size, drawn, and given back
    // its place in the window.
    QChart *chart = MSChart1->chart();
    const QSizeF shown = chart->size();
    const auto layOut = [chart](const QSizeF &size) {
        chart->resize(size);
        if (chart->layout())
            chart->layout()->activate();
    };
    layOut(picture.size());
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        chart->scene()->render(&painter, QRectF(picture.rect()), QRectF(chart->pos(), QSizeF(picture.size())));
    }
    layOut(shown);
    return picture;
}

} // namespace nvx
