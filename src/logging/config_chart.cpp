// The chart of the five series: the redraw from the sample ring, the scroll
// bar over older samples, the picture for the printout.

#include "logging/chartgrid.h"
#include "logging/fieldrules.h"
#include "shell/config.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QScrollBar>
#include <QValueAxis>

namespace nvx {

namespace {

// The chart's category axis takes each label once; blank and repeated
// labels are told apart by invisible characters.
QStringList distinctLabels(const QStringList &labels)
{
    QStringList result;
    result.reserve(labels.size());
    QHash<QString, int> seen;
    for (const QString &label : labels) {
        const int count = seen[label]++;
        result << (count == 0 ? label : label + QString(count, QChar(0x200B)));
    }
    return result;
}

} // namespace

void Config::setUpChart()
{
    auto *chart = new QChart;
    chart->setObjectName(QStringLiteral("MSChart1_chart"));
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    m_chartAxisY = new QValueAxis(chart);
    m_chartAxisX = new QBarCategoryAxis(chart);
    m_chartAxisX->setLabelsAngle(-90);
    chart->addAxis(m_chartAxisY, Qt::AlignLeft);
    chart->addAxis(m_chartAxisX, Qt::AlignBottom);
    MSChart1->setChart(chart);
    MSChart1->setRenderHint(QPainter::Antialiasing, false);

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
    const QStringList labels = distinctLabels(m_chartGrid.labels());
    if (labels != m_chartAxisX->categories()) {
        m_chartAxisX->clear();
        m_chartAxisX->append(labels);
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
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    MSChart1->render(&painter, QRectF(picture.rect()), MSChart1->viewport()->rect());
    return picture;
}

} // namespace nvx
