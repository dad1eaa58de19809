// Print columns, the legend choice and the fitting of the chart picture,
// without a printer.

#include "sensors/printlayout.h"

#include <QTest>

using namespace nvx;

namespace {

// Lays lines out with every character one column wide and shows them as
// text, one row per output line.
QStringList asText(const QList<PrintLine> &lines, double rightEdge = 0)
{
    QStringList rows;
    for (const PlacedText &t : layOutLines(lines, 1.0, [](const QString &s) { return double(s.size()); }, rightEdge)) {
        while (rows.size() <= t.line)
            rows.append(QString());
        QString &row = rows[t.line];
        const int col = int(t.x);
        row = row.leftJustified(col, QLatin1Char(' ')).left(col) + t.text;
    }
    return rows;
}

} // namespace

class TestPrintLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columns_data()
    {
        QTest::addColumn<QList<PrintItem>>("items");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("in order") << QList<PrintItem>{{12, QStringLiteral("MAC")}, {30, QStringLiteral("00:1A")}}
                                  << QStringList{QStringLiteral("           MAC               00:1A")};
        QTest::newRow("ends on the next column")
            << QList<PrintItem>{{1, QStringLiteral("abc")}, {4, QStringLiteral("d")}} << QStringList{QStringLiteral("abcd")};
        QTest::newRow("left of the position: next line")
            << QList<PrintItem>{{12, QStringLiteral("Gateway IP address")}, {22, QStringLiteral("x")}, {40, QStringLiteral("y")}}
            << QStringList{QStringLiteral("           Gateway IP address"),
                           QStringLiteral("                     x                 y")};
        QTest::newRow("column 0 counts as 1") << QList<PrintItem>{{0, QStringLiteral("a")}} << QStringList{QStringLiteral("a")};
    }
    void columns()
    {
        QFETCH(QList<PrintItem>, items);
        QFETCH(QStringList, rows);
        QCOMPARE(asText({PrintLine{items}}), rows);
    }

    // With a right edge 20 columns from the margin.
    void longTextsContinueAtTheirColumn_data()
    {
        QTest::addColumn<QList<PrintItem>>("items");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("fits") << QList<PrintItem>{{5, QStringLiteral("0123456789abcdef")}}
                              << QStringList{QStringLiteral("    0123456789abcdef")};
        QTest::newRow("after a blank") << QList<PrintItem>{{5, QStringLiteral("aaa bbb ccc ddd eee")}}
                                       << QStringList{QStringLiteral("    aaa bbb ccc ddd "), QStringLiteral("    eee")};
        QTest::newRow("a word longer than the room")
            << QList<PrintItem>{{15, QStringLiteral("abcdefghijklm")}}
            << QStringList{QStringLiteral("              abcdef"), QStringLiteral("              ghijkl"),
                           QStringLiteral("              m")};
        QTest::newRow("the next item after its last part")
            << QList<PrintItem>{{1, QStringLiteral("0123456789012345678901")}, {4, QStringLiteral("x")}}
            << QStringList{QStringLiteral("01234567890123456789"), QStringLiteral("01 x")};
    }
    void longTextsContinueAtTheirColumn()
    {
        QFETCH(QList<PrintItem>, items);
        QFETCH(QStringList, rows);
        QCOMPARE(asText({PrintLine{items}}, 20), rows);
    }

    // A text of many kilobytes is laid out without measuring what follows
    // each of its lines again and again.
    void longTextMeasuredLineByLine()
    {
        const QString text = QString(50000, QLatin1Char('x'));
        qsizetype measured = 0;
        const auto width = [&measured](const QString &s) {
            measured += s.size();
            return double(s.size());
        };
        const QList<PlacedText> placed = layOutLines({PrintLine{{{1, text, true}}}}, 1.0, width, 100);
        QCOMPARE(placed.size(), 500);
        QVERIFY2(measured < 30 * text.size(), qPrintable(QString::number(measured)));
    }

    void linesFollowEachOther()
    {
        const QList<PrintLine> lines{PrintLine{}, PrintLine{{{3, QStringLiteral("a")}, {2, QStringLiteral("b")}}},
                                     PrintLine{{{1, QStringLiteral("c")}}}};
        QCOMPARE(asText(lines), (QStringList{QString(), QStringLiteral("  a"), QStringLiteral(" b"), QStringLiteral("c")}));
    }

    void settingLines_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("udp");
        QTest::addColumn<int>("portHigh");
        QTest::addColumn<int>("portLow");
        QTest::addColumn<QStringList>("rows");   // Port, Protocol, Mode
        const QString row = QStringLiteral("           %1%2");
        auto rows = [&](const QString &port, const QString &protocol, const QString &mode) {
            return QStringList{row.arg(QStringLiteral("Port"), -18).arg(port),
                               row.arg(QStringLiteral("Protocol"), -18).arg(protocol),
                               row.arg(QStringLiteral("Mode"), -18).arg(mode)};
        };
        QTest::newRow("mode 0, TCP") << 0 << 0 << 0x9C << 0x40
                                     << rows(QStringLiteral("40000"), QStringLiteral("TCP mode"), QStringLiteral("Server mode"));
        QTest::newRow("mode 2, UDP") << 2 << 1 << 0xFF << 0xFF
                                     << rows(QStringLiteral("65535"), QStringLiteral("UDP mode"), QStringLiteral("Client mode"));
        QTest::newRow("mode 1, flag 2") << 1 << 2 << 0x80 << 0x00
                                        << rows(QStringLiteral("32768"), QStringLiteral("TCP mode"), QStringLiteral("Client mode"));
    }
    void settingLines()
    {
        QFETCH(int, mode);
        QFETCH(int, udp);
        QFETCH(int, portHigh);
        QFETCH(int, portLow);
        QFETCH(QStringList, rows);
        AddressTablePrint p;
        p.board[BoardRecord::Mode] = std::uint8_t(mode);
        p.board[BoardRecord::Udp] = std::uint8_t(udp);
        p.board[BoardRecord::Port] = std::uint8_t(portHigh);
        p.board[BoardRecord::Port + 1] = std::uint8_t(portLow);
        const QStringList printed = asText(addressTableLines(p));
        QCOMPARE((QStringList{printed[6], printed[11], printed[12]}), rows);
    }

    void numberForm_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1 << QStringLiteral(" 1 ");
        QTest::newRow("30") << 30 << QStringLiteral(" 30 ");
        QTest::newRow("-4") << -4 << QStringLiteral("-4 ");
    }
    void numberForm()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(nvx::numberForm(n), text);
    }

    void legendOnlyForChosenSeries()
    {
        ChartSeriesTexts s;
        for (std::size_t k = 0; k < 5; ++k) {
            s.labels[k] = QString::number(k + 1);
            s.channels[k] = QStringLiteral("no channel");
            s.dataBytes[k] = QStringLiteral("Data byte 0");
        }
        s.channels[1] = QStringLiteral("channel 07");
        s.channels[4] = QStringLiteral("channel 30");
        s.dataBytes[4] = QStringLiteral("Data byte 3");
        const QList<LegendEntry> legend = chartLegend(s, QStringLiteral("no channel"));
        QCOMPARE(legend.size(), 2);
        QCOMPARE(legend[0].label, QStringLiteral("2"));
        QCOMPARE(legend[0].colour, 0xFF0000u);
        QCOMPARE(legend[1].channel, QStringLiteral("channel 30"));
        QCOMPARE(legend[1].dataByte, QStringLiteral("Data byte 3"));
        QCOMPARE(legend[1].colour, 0xFFFF00u);

        const QStringList rows = asText(chartHeaderLines(QStringLiteral("d"), QStringLiteral("t"), legend));
        QCOMPARE(rows.mid(5), (QStringList{QStringLiteral("            2  channel 07        Data byte 0"),
                                           QStringLiteral("            5  channel 30        Data byte 3")}));
    }

    void fit_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QSizeF>("printed");
        QTest::newRow("wide picture fills the width") << QSize(800, 400) << QSizeF(1400, 1000) << QSizeF(1400, 700);
        QTest::newRow("narrower picture fills the height") << QSize(600, 500) << QSizeF(1400, 1000) << QSizeF(1200, 1000);
        QTest::newRow("same shape fills both") << QSize(700, 500) << QSizeF(1400, 1000) << QSizeF(1400, 1000);
        QTest::newRow("tall page") << QSize(200, 100) << QSizeF(1000, 1400) << QSizeF(1000, 500);
    }
    void fit()
    {
        QFETCH(QSize, picture);
        QFETCH(QSizeF, page);
        QFETCH(QSizeF, printed);
        const std::optional<QSizeF> size = fitPictureToPage(picture, page);
        QVERIFY(size);
        QCOMPARE(*size, printed);
    }

    void noPictureNoSize()
    {
        QVERIFY(!fitPictureToPage(QSize(0, 0), QSizeF(1400, 1000)));
        QVERIFY(!fitPictureToPage(QSize(300, 0), QSizeF(1400, 1000)));
    }
};

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "test_printlayout.moc"
