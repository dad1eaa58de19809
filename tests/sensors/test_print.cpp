// The three printouts, printed to a PDF file through the printer dialog as a
// user without a printer would, and read back from the file: each word at
// the character column and on the line where it was printed.

#include "sensors/descriptionfile.h"
#include "shell/config.h"
#include "logging/datalog.h"
#include "logging/loggingdata.h"
#include "simulator.h"
#include "support/fixtures.h"

#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>

using namespace nvx;

namespace {

// Answers the next printer dialog: the PDF file as printer, `path` as its
// file, then Print (or Cancel).
std::shared_ptr<bool> answerPrinterDialog(const QString &path, QDialogButtonBox::ButtonRole press)
{
    return nvxtest::onNextModal([path, press](QWidget *dialog) {
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        auto *file = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        QVERIFY(printers && file && buttons);
        const int pdf = printers->findText(QStringLiteral("PDF"), Qt::MatchContains);
        QVERIFY(pdf >= 0);
        printers->setCurrentIndex(pdf);
        file->setText(path);
        for (QAbstractButton *b : buttons->buttons())
            if (buttons->buttonRole(b) == press)
                b->click();
    }, QStringLiteral("CommonDialog2"), 20000);
}

QByteArray run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput();
}

struct Word {
    QRectF box;   // points
    QString text;
};

// The words of each page with their boxes.
QList<QList<Word>> pdfWords(const QString &path)
{
    const QString html = QString::fromUtf8(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")}));
    static const QRegularExpression item(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<QList<Word>> pages;
    for (const QRegularExpressionMatch &m : item.globalMatch(html)) {
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            pages.append(QList<Word>());
            continue;
        }
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        if (!pages.isEmpty())
            pages.last().append(Word{QRectF(topLeft, bottomRight), m.captured(5)});
    }
    return pages;
}

// A page as text: every word at its character column and line, counted
// from the top-left corner of the printable area `area` (points).
QStringList pageText(const QList<Word> &words, const QRectF &area)
{
    if (words.isEmpty())
        return {};
    // Fixed pitch: any word gives the column width, any box the line height.
    const Word &first = words.first();
    const double column = first.box.width() / first.text.size();
    const double lineHeight = first.box.height();
    QStringList rows;
    for (const Word &w : words) {
        const int line = int(std::lround((w.box.top() - area.top()) / lineHeight));
        const int col = int(std::lround((w.box.left() - area.left()) / column));
        while (rows.size() <= line)
            rows.append(QString());
        rows[line] = rows[line].leftJustified(col, QLatin1Char(' ')).left(col) + w.text;
    }
    return rows;
}

// A line as printed: texts at their columns (1 = left margin).
QString at(const QList<std::pair<int, QString>> &items)
{
    QString row;
    for (const auto &[column, text] : items)
        row = row.leftJustified(column - 1, QLatin1Char(' ')) + text;
    while (row.endsWith(QLatin1Char(' ')))
        row.chop(1);
    return row;
}

// The date and time lines a printout started at `from` and ended at `to`
// may carry: the short date at column 12, the long time at 30.
QStringList dateTimeLines(const QDateTime &from, const QDateTime &to)
{
    QStringList lines;
    for (QDateTime t = from.addMSecs(-from.time().msec()); t <= to; t = t.addSecs(1))
        lines.append(at({{12, shortDateText(t.date())}, {30, longTimeText(t.time())}}));
    return lines;
}

} // namespace

class TestPrint : public QObject, nvxtest::PerTestBench {
    Q_OBJECT

    QString pdfPath(const QString &name) const { return bench->env.path() + QLatin1Char('/') + name; }

    // Prints with the button named `button`, answering the dialog with
    // `press`; the file's pages as text (the date line checked and taken out).
    QList<QStringList> print(const QString &button, int dateLine, const QString &path,
                             QDialogButtonBox::ButtonRole press = QDialogButtonBox::AcceptRole)
    {
        auto answered = answerPrinterDialog(path, press);
        auto *b = config->findChild<QToolButton *>(button);
        b->setEnabled(true);   // as a receiver delivering telegrams enables it
        const QDateTime started = QDateTime::currentDateTime();
        b->click();
        const QDateTime ended = QDateTime::currentDateTime();
        [&] { QVERIFY(*answered); }();
        QList<QStringList> pages;
        const QRectF area = config->printer().pageLayout().paintRectPoints();
        for (const QList<Word> &words : pdfWords(path))
            pages.append(pageText(words, area));
        if (!pages.isEmpty() && pages.first().size() > dateLine) {
            [&] {
                QVERIFY2(dateTimeLines(started, ended).contains(pages.first()[dateLine]),
                         qPrintable(pages.first()[dateLine]));
            }();
            pages.first()[dateLine] = QStringLiteral("<date and time>");
        }
        return pages;
    }

    // A receiver on port 40000 in mode 0 with descriptions on file, listed
    // and selected as a click in the board list selects it.
    void selectReceiver()
    {
        BoardRecord rec = nvxsim::makeRecord(QByteArray::fromHex("001A2B030C05"), QStringLiteral("192.0.2.5"), 40000,
                                             QStringLiteral("192.0.2.10"), 10002);
        rec[BoardRecord::Mode] = 0;
        QDir(bench->env.path()).mkdir(QStringLiteral("DAT"));
        Descriptions d;
        d.receiver = QStringLiteral("Halle 3 Nord");
        d.channels[0] = QStringLiteral("Tür Ost");
        d.channels[2] = QStringLiteral("Fenster");
        QVERIFY(writeDescriptionFile(descriptionFilePath(state->ProgramPath, QStringLiteral("001A2B030C05")), d));
        QTreeWidgetItem *row = bench->list(rec);
        config->ListBoards->setCurrentItem(row);
        config->ListBoards_ItemClick(row);
    }

    void useRow(int ch, const QString &kind, const QString &org, const QString &id)
    {
        config->OrgByte[ch]->setText(kind);
        config->Orgnr[ch]->setText(org);
        config->SystemID[ch]->setText(id);
    }

    // The sensor table part of both tables: channels 1 and 3 used.
    QString row(int ch, const QList<std::pair<int, QString>> &more = {}) const
    {
        QList<std::pair<int, QString>> items{{15, QStringLiteral(" %1 ").arg(ch + 1)},
                                             {22, config->OrgByte[ch]->text()},
                                             {38, config->Orgnr[ch]->text()},
                                             {43, config->SystemID[ch]->text()}};
        return at(items + more);
    }

private Q_SLOTS:
    void init() { startBench(); }
    void cleanup() { stopBench(); }

    void addressTable_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<int>("pageCount");
        QTest::newRow("settings tab") << QStringLiteral("Druckbutton") << QPageLayout::Portrait << 1;
        // As a chart printout leaves the printer: the rest goes on a second page.
        QTest::newRow("sensor tab, landscape") << QStringLiteral("Drucken2") << QPageLayout::Landscape << 2;
    }
    void addressTable()
    {
        QFETCH(QString, button);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(int, pageCount);
        config->printer().setPageOrientation(orientation);
        selectReceiver();
        // Edited after the selection: the printout keeps the text as selected.
        config->Beschreibung->setPlainText(QStringLiteral("geändert"));
        useRow(0, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0012AB34"));
        useRow(2, QStringLiteral("1BS"), QStringLiteral("06"), QStringLiteral("00A1B2C3"));

        const QList<QStringList> pages = print(button, 3, pdfPath(QStringLiteral("adressen.pdf")));
        QCOMPARE(pages.size(), pageCount);

        QStringList expected{QString(), QString(), at({{12, QStringLiteral("Lorvantis Sensortechnik GmbH")}}),
                             QStringLiteral("<date and time>")};
        const QList<std::pair<QString, QString>> settings{
            {QStringLiteral("MAC"), QStringLiteral("00:1A:2B:03:0C:05")},
            {QStringLiteral("NVX - IP"), QStringLiteral("192.0.2.5")},
            {QStringLiteral("Port"), QStringLiteral("40000")},
            {QStringLiteral("NVX Subnet"), QStringLiteral("255.255.255.0")},
            {QStringLiteral("Gateway IP"), QStringLiteral("0.0.0.0")},
            {QStringLiteral("Server-IP"), QStringLiteral("192.0.2.10")},
            {QStringLiteral("Port"), QStringLiteral("10002")},
            {QStringLiteral("Protocol"), QStringLiteral("TCP mode")},
            {QStringLiteral("Mode"), QStringLiteral("Server mode")},
            {QStringLiteral("Version"), QStringLiteral("2.10")},
            {QStringLiteral("Text"), QStringLiteral("Halle 3 Nord")}};
        for (const auto &[label, value] : settings)
            expected.append(at({{12, label}, {30, value}}));
        expected.append(QString());
        expected.append(at({{12, QStringLiteral("Kanal")}, {22, QStringLiteral("Org-Byte")}, {36, QStringLiteral("Orgnr")},
                            {43, QStringLiteral("Sensor ID")}, {55, QStringLiteral("Sensorname")}}));
        for (int ch = 0; ch < ChannelCount; ++ch)
            expected.append(row(ch, {{55, state->ChannelDescriptions[std::size_t(ch)]}}));
        QCOMPARE(expected[17], at({{16, QStringLiteral("1")}, {22, QStringLiteral("Taster")}, {38, QStringLiteral("05")},
                                   {43, QStringLiteral("0012AB34")}, {55, QStringLiteral("Tür Ost")}}));
        QCOMPARE(expected[18], at({{16, QStringLiteral("2")}, {43, QStringLiteral("Frei")}}));
        QStringList printed;
        for (const QStringList &page : pages)
            printed += page;
        QCOMPARE(printed.join(QLatin1Char('\n')), expected.join(QLatin1Char('\n')));
    }

    // A click on another receiver refused while logging runs leaves the
    // printout to the selected one: its MAC beside its settings, and its
    // description as selected.
    void refusedSelectionPrintsTheSelectedReceiver()
    {
        selectReceiver();
        QTreeWidgetItem *other = bench->list(nvxtest::reportingRecord("001A2B030C77", QStringLiteral("127.0.0.7")));
        config->show();
        state->LoggingActive = true;
        auto seen = nvxtest::answerError();
        QTest::mouseClick(config->ListBoards->viewport(), Qt::LeftButton, {},
                          config->ListBoards->visualItemRect(other).center());
        QVERIFY(seen->shown);
        const QStringList page = print(QStringLiteral("Druckbutton"), 3, pdfPath(QStringLiteral("refused.pdf"))).value(0);
        QVERIFY(page.size() > 15);
        QCOMPARE(page[4], at({{12, QStringLiteral("MAC")}, {30, QStringLiteral("00:1A:2B:03:0C:05")}}));
        QCOMPARE(page[5], at({{12, QStringLiteral("NVX - IP")}, {30, QStringLiteral("192.0.2.5")}}));
        QCOMPARE(page[14], at({{12, QStringLiteral("Text")}, {30, QStringLiteral("Halle 3 Nord")}}));
    }

    // A description typed to the field's 150 characters prints whole, in the
    // printout's normal font: what does not fit beside its label continues
    // on the next lines at the same column.
    void longDescriptionContinuesAtItsColumn()
    {
        selectReceiver();
        QString typed;
        while (typed.size() < 150)
            typed += QStringLiteral("Sensor %1 Halle Nord ").arg(typed.size());
        typed = typed.left(150);
        QVERIFY(!typed.endsWith(u' '));
        config->setNetworkFieldsEnabled(true);   // as the search does once it found the receiver
        config->show();
        config->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(config));
        config->Beschreibung->clear();
        config->Beschreibung->setFocus();
        QTest::keyClicks(config->Beschreibung, typed);
        QCOMPARE(config->Beschreibung->toPlainText(), typed);
        // Leaving the field saves it; the printout shows the description as
        // the receiver was selected, so it is selected again.
        QTest::keyClick(config->Beschreibung, Qt::Key_Tab);
        QTreeWidgetItem *row = config->ListBoards->topLevelItem(0);
        QTest::mouseClick(config->ListBoards->viewport(), Qt::LeftButton, {},
                          config->ListBoards->visualItemRect(row).center());
        QCOMPARE(state->BoardDescriptions.value(state->SelectedBoardIndex), typed);

        const QString path = pdfPath(QStringLiteral("lang.pdf"));
        const QStringList page = print(QStringLiteral("Druckbutton"), 3, path).value(0);
        QVERIFY(page.size() > 15);
        QCOMPARE(page[14].left(29), at({{12, QStringLiteral("Text")}}).leftJustified(29));
        QStringList parts{page[14].mid(29)};
        for (int i = 15; i < page.size() && page[i].startsWith(QString(29, u' ')) && page[i].size() > 29; ++i)
            parts << page[i].mid(29);
        QVERIFY2(parts.size() > 1, qPrintable(page.join(u'\n')));
        QCOMPARE(parts.join(u' '), typed);

        // The font of a page without long texts: 10 pt of the fixed-pitch
        // font, one column per character.
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(10);
        QPrinter &prn = config->printer();
        const double column = QFontMetricsF(font, &prn).horizontalAdvance(u'x') * 72.0 / prn.logicalDpiX();
        const QRectF area = prn.pageLayout().paintRectPoints();
        for (const Word &w : pdfWords(path).value(0)) {
            QVERIFY2(std::abs(w.box.width() / w.text.size() - column) < column * 0.02, qPrintable(w.text));
            QVERIFY2(w.box.right() <= area.right() + 1, qPrintable(w.text));
        }
    }

    void dataTable()
    {
        useRow(0, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0012AB34"));
        useRow(29, QStringLiteral("4BS"), QStringLiteral("07"), QStringLiteral("0087654F"));
        const QStringList values{QStringLiteral("12,5"), QStringLiteral("-3"), QStringLiteral("0"), QStringLiteral("255")};
        config->txt_data_1[29]->setText(values[0]);
        config->txt_data_2[29]->setText(values[1]);
        config->txt_data_3[29]->setText(values[2]);
        config->txt_data_4[29]->setText(values[3]);
        config->Optionallintervall->setChecked(true);

        const QList<QStringList> pages = print(QStringLiteral("Drucken3"), 4, pdfPath(QStringLiteral("daten.pdf")));
        QCOMPARE(pages.size(), 1);

        QStringList expected{QString(), QString(), QString(), at({{12, QStringLiteral("Lorvantis Sensortechnik GmbH")}}),
                             QStringLiteral("<date and time>"),
                             at({{12, QStringLiteral("Kanal")}, {22, QStringLiteral("Org-Byte")}, {36, QStringLiteral("Orgnr")},
                                 {43, QStringLiteral("Sensor ID")}, {55, QStringLiteral("Datenbyte 0;")},
                                 {70, QStringLiteral("Datenbyte 1;")}, {85, QStringLiteral("Datenbyte 2;")},
                                 {100, QStringLiteral("Datenbyte 3;")}}),
                             QString()};
        for (int ch = 0; ch < ChannelCount; ++ch)
            expected.append(row(ch, {{55, config->txt_data_1[ch]->text()}, {70, config->txt_data_2[ch]->text()},
                                     {85, config->txt_data_3[ch]->text()}, {100, config->txt_data_4[ch]->text()}}));
        QCOMPARE(expected.last(), at({{16, QStringLiteral("30")}, {22, QStringLiteral("4BS")}, {38, QStringLiteral("07")},
                                      {43, QStringLiteral("0087654F")}, {55, values[0]}, {70, values[1]},
                                      {85, values[2]}, {100, values[3]}}));
        QCOMPARE(pages.first().join(QLatin1Char('\n')), expected.join(QLatin1Char('\n')));
    }

    void chart()
    {
        useRow(0, QStringLiteral("Taster"), QStringLiteral("05"), QStringLiteral("0012AB34"));
        useRow(2, QStringLiteral("1BS"), QStringLiteral("06"), QStringLiteral("00A1B2C3"));
        config->ChannelSelectorRefill();
        config->Auswahl[1]->setCurrentIndex(1);       // Kanal 01
        config->Auswahl[4]->setCurrentIndex(2);       // Kanal 03
        config->DatenbyteAuswahl[4]->setCurrentIndex(3);
        {
            auto &log = state->logging;
            log.ChartWindowRows = 20;
            log.SeriesChannel = {-1, 0, -1, -1, 2};
            for (int i = 1; i <= 12; ++i) {
                const int n = log.samples.advance(QStringLiteral("s%1").arg(i));
                log.samples.scaled[1][n] = Currency(i * 5) * CurrencyScale;
                log.samples.scaled[4][n] = Currency(60 - i * 3) * CurrencyScale;
            }
            config->Diagramm();
        }
        config->show();
        // The size the chart has while its tab shows (the tab itself opens
        // only with a linked receiver).
        config->MSChart1->resize(640, 320);
        QVERIFY(config->Option1Intervall->isChecked());

        const QString path = pdfPath(QStringLiteral("diagramm.pdf"));
        const QList<QStringList> pages = print(QStringLiteral("Drucken3"), 3, path);
        QCOMPARE(pages.size(), 1);
        const QString legend2 = at({{13, QStringLiteral("2")}, {16, QStringLiteral("Kanal 01")},
                                    {34, config->DatenbyteAuswahl[1]->currentText()}});
        const QString legend5 = at({{13, QStringLiteral("5")}, {16, QStringLiteral("Kanal 03")},
                                    {34, config->DatenbyteAuswahl[4]->currentText()}});
        const QStringList expected{QString(), QString(), at({{12, QStringLiteral("Lorvantis Sensortechnik GmbH")}}),
                                   QStringLiteral("<date and time>"), QString(), legend2, legend5};
        QCOMPARE(pages.first().join(QLatin1Char('\n')), expected.join(QLatin1Char('\n')));
        QVERIFY(config->printer().pageLayout().orientation() == QPageLayout::Landscape);
        // The chart came over the clipboard into Image1, and onto the page.
        QCOMPARE(config->Image1->pixmap().size(), config->MSChart1->size());
        const QByteArray images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
        QCOMPARE(images.count('\n'), 3);   // two header lines and one picture

        // Each legend line in its series' colour: red for series 2, yellow
        // for series 5.
        const QString png = pdfPath(QStringLiteral("diagramm"));
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), path, png});
        const QImage page(png + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        const QList<Word> words = pdfWords(path).first();
        auto colourOf = [&](const QString &word) {
            for (const Word &w : words) {
                if (w.text != word)
                    continue;
                // The pixel of the word farthest from white.
                const QRect box(QPointF(w.box.topLeft() * 2).toPoint(), QPointF(w.box.bottomRight() * 2).toPoint());
                QColor inked(Qt::white);
                int most = 0;
                for (int y = box.top(); y <= box.bottom(); ++y)
                    for (int x = box.left(); x <= box.right(); ++x) {
                        const QColor c = page.pixelColor(x, y);
                        const int ink = 3 * 255 - c.red() - c.green() - c.blue();
                        if (ink > most) {
                            most = ink;
                            inked = c;
                        }
                    }
                return inked;
            }
            return QColor();
        };
        auto near = [](const QColor &c, int r, int g, int b) {
            return std::abs(c.red() - r) < 90 && std::abs(c.green() - g) < 90 && std::abs(c.blue() - b) < 90;
        };
        const QColor second = colourOf(QStringLiteral("01"));
        const QColor fifth = colourOf(QStringLiteral("03"));
        QVERIFY2(near(second, 255, 0, 0), qPrintable(second.name()));
        QVERIFY2(near(fifth, 255, 255, 0), qPrintable(fifth.name()));
        QVERIFY2(near(colourOf(QStringLiteral("Lorvantis")), 0, 0, 0), "the header in black");
    }

    // The chart picture at (200, 900) twips from the printable area's
    // top-left corner, filling the width or the height that is left of the
    // printable area of a landscape page (about 1.4 times as wide as high,
    // 1.5 from the picture's corner): all of it on the page.
    void chartFitsPage_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("fullWidth");
        QTest::newRow("twice as wide as high") << QSize(400, 200) << true;
        QTest::newRow("1.2 times as wide as high") << QSize(360, 300) << false;
    }
    void chartFitsPage()
    {
        QFETCH(QSize, picture);
        QFETCH(bool, fullWidth);
        QPixmap pic(picture);
        pic.fill(Qt::blue);
        const QString path = pdfPath(QStringLiteral("bild.pdf"));
        auto answered = answerPrinterDialog(path, QDialogButtonBox::AcceptRole);
        config->printpicturetofitpage(config->printer(), pic);
        QVERIFY(*answered);

        const QPageLayout layout = config->printer().pageLayout();
        QCOMPARE(layout.orientation(), QPageLayout::Landscape);
        const QRectF area = layout.paintRectPoints();
        QVERIFY(std::abs(area.width() / area.height() - 1.4) < 0.1);
        const double ratio = double(picture.width()) / picture.height();
        const QPointF offset(10, 45);   // 200 and 900 twips
        const QSizeF room = area.size() - QSizeF(offset.x(), offset.y());
        const QSizeF size = fullWidth ? QSizeF(room.width(), room.width() / ratio)
                                      : QSizeF(room.height() * ratio, room.height());
        const QRectF expected(area.topLeft() + offset, size);
        QVERIFY(area.contains(expected));

        // At 72 dpi a pixel is a point.
        const QString png = pdfPath(QStringLiteral("bild"));
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), path, png});
        const QImage page(png + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        QRect blue;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                if (c.blue() > 200 && c.red() < 60 && c.green() < 60)
                    blue |= QRect(x, y, 1, 1);
            }
        QVERIFY(area.adjusted(-1, -1, 1, 1).contains(QRectF(blue)));
        QVERIFY2(std::abs(blue.left() - expected.left()) <= 2 && std::abs(blue.top() - expected.top()) <= 2
                     && std::abs(blue.right() + 1 - expected.right()) <= 2
                     && std::abs(blue.bottom() + 1 - expected.bottom()) <= 2,
                 qPrintable(QStringLiteral("printed at %1,%2 %3x%4, expected %5,%6 %7x%8")
                                .arg(blue.left()).arg(blue.top()).arg(blue.width()).arg(blue.height())
                                .arg(expected.left()).arg(expected.top()).arg(expected.width()).arg(expected.height())));
    }

    void cancelPrintsNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("chartMode");
        QTest::newRow("address table") << QStringLiteral("Drucken2") << false;
        QTest::newRow("data table") << QStringLiteral("Drucken3") << false;
        QTest::newRow("chart") << QStringLiteral("Drucken3") << true;
    }
    void cancelPrintsNothing()
    {
        QFETCH(QString, button);
        QFETCH(bool, chartMode);
        selectReceiver();
        (chartMode ? config->Option1Intervall : config->Optionallintervall)->setChecked(true);
        const QString path = pdfPath(QStringLiteral("nichts.pdf"));
        print(button, 0, path, QDialogButtonBox::RejectRole);
        QVERIFY(!QFile::exists(path));
    }

    void noReceiverNoAddressTable()
    {
        const QString path = pdfPath(QStringLiteral("nichts.pdf"));
        // The printer as a user left it after printing to a file before.
        config->printer().setOutputFileName(path);
        bool dialogShown = false;
        QTimer *watcher = nvxtest::watchNextModal([&](QWidget *dialog) {
            dialogShown = true;
            dialog->close();
        }, QString(), 20000);
        config->Druckbutton->setEnabled(true);
        config->Druckbutton->click();
        delete watcher;
        QVERIFY(!dialogShown);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
