// The chart: the view over the sample ring, the pens of the series, the
// range fields' failure path, scrolling after a Pause, the ring's wrap.

#include "support/fixtures.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>

using namespace nvx;

class TestChart : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    int m_ticks = 0;

    QList<QLineSeries *> lines() const
    {
        QList<QLineSeries *> result;
        for (QAbstractSeries *s : config->MSChart1->chart()->series())
            result << qobject_cast<QLineSeries *>(s);
        return result;
    }

    // `count` samples in the ring, sample i with the value i in every series
    // and the label "s<i>".
    void fillRing(int count, int rows)
    {
        LoggingData &log = state->logging;
        log.ChartWindowRows = rows;
        for (int i = 1; i <= count; ++i) {
            const int n = log.samples.advance(QStringLiteral("s%1").arg(i));
            for (auto &series : log.samples.scaled)
                series[n] = Currency(i) * CurrencyScale;
        }
    }

    QStringList expectedLabels(int rows, int first, int last) const
    {
        QStringList labels(rows - (last - first + 1), QStringLiteral(" "));
        for (int i = first; i <= last; ++i)
            labels << QStringLiteral("s%1").arg(i);
        return labels;
    }

private Q_SLOTS:
    void init()
    {
        startBench();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_ticks = 0;
        state->logging.now = [this] { return QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0)).addSecs(m_ticks++); };
    }
    void cleanup()
    {
        stopBench();
        QLocale::setDefault(QLocale::c());
    }

    void noSampleLeavesTheChart()
    {
        state->logging.SeriesChannel = {0, -1, -1, -1, -1};
        config->Diagramm();
        QVERIFY(lines().isEmpty());
    }

    // Three samples in twenty rows: the last three rows, the others blank.
    void columnsAndPens_data()
    {
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<QList<QColor>>("pens");
        QTest::newRow("series 3") << QList<int>{2} << QList<QColor>{Qt::green};
        QTest::newRow("series 1 and 4") << QList<int>{0, 3} << QList<QColor>{Qt::black, Qt::blue};
        QTest::newRow("all five") << QList<int>{0, 1, 2, 3, 4}
                                  << QList<QColor>{Qt::black, Qt::red, Qt::green, Qt::blue, Qt::yellow};
    }
    void columnsAndPens()
    {
        QFETCH(QList<int>, chosen);
        QFETCH(QList<QColor>, pens);
        state->logging.SeriesChannel = {-1, -1, -1, -1, -1};
        for (int k : chosen)
            state->logging.SeriesChannel[k] = 0;
        fillRing(3, 20);
        config->Diagramm();
        const ChartGrid &grid = config->chartGrid();
        QCOMPARE(grid.rowCount(), 20);
        QCOMPARE(grid.labels(), expectedLabels(20, 1, 3));
        const auto series = lines();
        QCOMPARE(series.size(), chosen.size());
        for (int c = 0; c < series.size(); ++c) {
            QCOMPARE(series[c]->pen().color(), pens[c]);
            QCOMPARE(series[c]->count(), 20);
            QCOMPARE(series[c]->at(17), QPointF(17, 1));
            QCOMPARE(series[c]->at(19), QPointF(19, 3));
            QCOMPARE(series[c]->at(0), QPointF(0, 0));
        }
        QCOMPARE(config->chartRowLabels(), expectedLabels(20, 1, 3));
        auto *values = qobject_cast<QValueAxis *>(config->MSChart1->chart()->axes(Qt::Vertical).value(0));
        QCOMPARE(values->max(), 100.0);
        QCOMPARE(values->min(), -20.0);
    }

    // A range that is no number, or a minimum above the maximum, gives the
    // default range and leaves the chart as it was.
    void rangeFailure_data()
    {
        QTest::addColumn<QString>("max");
        QTest::addColumn<QString>("min");
        QTest::newRow("max only a minus") << "-" << "0";
        QTest::newRow("min only a minus") << "100" << "-";
        QTest::newRow("min above max") << "10" << "50";
    }
    void rangeFailure()
    {
        QFETCH(QString, max);
        QFETCH(QString, min);
        state->logging.SeriesChannel = {0, -1, -1, -1, -1};
        fillRing(3, 20);
        config->maxdia->setText(max);
        config->mindia->setText(min);
        config->Diagramm();
        QCOMPARE(config->maxdia->text(), QStringLiteral("40"));
        QCOMPARE(config->mindia->text(), QStringLiteral("0"));
        QVERIFY(lines().isEmpty());
        config->Diagramm();
        QCOMPARE(lines().size(), 1);
    }

    // Past sample 999 the ring starts again at 1; the view runs on through
    // 999, 998, ... without a gap.
    void wrapWithoutGap()
    {
        state->logging.SeriesChannel = {0, -1, -1, -1, -1};
        fillRing(1003, 10);
        QCOMPARE(state->logging.samples.counter, 4);
        config->Diagramm();
        QCOMPARE(config->chartRowLabels(), expectedLabels(10, 994, 1003));
        QCOMPARE(lines().at(0)->at(0), QPointF(0, 994));
        QCOMPARE(lines().at(0)->at(9), QPointF(9, 1003));
    }

    // Logging in chart mode, then Pause: the scroll bar moves the view over
    // the older samples; with fewer samples than a view it does nothing.
    void scrollingAfterPause_data()
    {
        QTest::addColumn<int>("samples");
        QTest::newRow("more than a view") << 25;
        QTest::newRow("fewer than a view") << 3;
    }
    void scrollingAfterPause()
    {
        QFETCH(int, samples);
        config->SystemID[0]->setText(QStringLiteral("000FA850"));
        config->ChannelSelectorRefill();
        config->Auswahl[0]->setCurrentIndex(1);
        config->txtTimerInterval->setText(QStringLiteral("0"));
        QVERIFY(nvxtest::click(config, QStringLiteral("MonitorStart")));
        for (int i = 1; i < samples; ++i)
            config->RecordMonitorSample();
        QVERIFY(nvxtest::click(config, QStringLiteral("MonitorPause")));
        QCOMPARE(state->logging.samples.counter, samples);
        // Sample 1 writes no row and draws nothing; each later one redraws.
        const QStringList newest = config->chartGrid().labels();
        QCOMPARE(newest.last(), QStringLiteral("08.12.26 10:00:%1").arg(samples - 1, 2, 10, QLatin1Char('0')));
        if (samples > 20) {
            QCOMPARE(config->HScroll1->maximum(), samples - 20);
            QCOMPARE(config->HScroll1->value(), samples - 20);
            config->HScroll1->setValue(0);
            QCOMPARE(state->logging.samples.counter, 20);
            QCOMPARE(config->chartGrid().labels().last(), QStringLiteral("08.12.26 10:00:19"));
            QCOMPARE(config->chartGrid().labels().first(), QStringLiteral("08.12.26 10:00:00"));
        } else {
            config->HScroll1_Change();
            QCOMPARE(state->logging.samples.counter, samples);
            QCOMPARE(config->chartGrid().labels(), newest);
        }
        // Resuming counts on from the newest sample.
        QVERIFY(nvxtest::click(config, QStringLiteral("MonitorStart")));
        QCOMPARE(state->logging.samples.counter, samples + 1);
    }

    void picture()
    {
        state->logging.SeriesChannel = {0, 1, 2, 3, 4};
        fillRing(30, 20);
        config->Diagramm();
        const QPixmap picture = config->chartPicture(640, 320);
        if (qEnvironmentVariableIsSet("NVX_KEEP_CHART"))
            picture.save(qEnvironmentVariable("NVX_KEEP_CHART"));
        QCOMPARE(picture.size(), QSize(640, 320));
        // The chart is drawn, not a blank page.
        const QImage image = picture.toImage();
        int drawn = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                drawn += image.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY(drawn > 500);
    }
};

QTEST_MAIN(TestChart)
#include "test_chart.moc"
