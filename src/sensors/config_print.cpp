// The printouts: the address table (network settings and sensor table), the
// data table (the last logged values of every channel) and the chart. Each
// asks for the printer first; cancelling prints nothing.

#include "logging/datalog.h"
#include "sensors/printlayout.h"
#include "sensors/printpage.h"
#include "shell/config.h"

#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QTime>
#include <QToolButton>
#include <QTreeWidget>

#if QT_CONFIG(printer)
#include <QPrinter>
#endif
#if QT_CONFIG(printdialog)
#include <QPrintDialog>
#endif

namespace nvx {

namespace {

// The same date and time forms as the data log's.
QString shortDate() { return shortDateText(QDate::currentDate()); }
QString longTime() { return longTimeText(QTime::currentTime()); }

template <typename Row>
std::array<SensorRowTexts, PrintedChannels> sensorRows(const Row &orgByte, const Row &orgnr, const Row &systemId)
{
    std::array<SensorRowTexts, PrintedChannels> rows;
    for (std::size_t ch = 0; ch < rows.size(); ++ch)
        rows[ch] = SensorRowTexts{orgByte[ch]->text(), orgnr[ch]->text(), systemId[ch]->text()};
    return rows;
}

} // namespace

void Config::connectPrinting()
{
    connect(Druckbutton, &QToolButton::clicked, this, &Config::Druckbutton_Click);
    connect(Drucken2, &QToolButton::clicked, this, &Config::Drucken2_Click);
    connect(Drucken3, &QToolButton::clicked, this, &Config::Drucken3_Click);
}

void Config::Druckbutton_Click() { PrintAddressTable(); }

void Config::Drucken2_Click() { PrintAddressTable(); }

void Config::Drucken3_Click()
{
    if (!Option1Intervall->isChecked()) {
        PrintDataTable();
        return;
    }
#if QT_CONFIG(printer)
    // The chart goes to the printer the way a user would take it: as a
    // picture over the clipboard. When the clipboard gives nothing back, the
    // picture taken last time is printed.
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Drawn at the size it has in the window, so the printout keeps its shape.
    const QPixmap chart = chartPicture(MSChart1->width(), MSChart1->height());
    if (clipboard && !chart.isNull()) {
        clipboard->setPixmap(chart);
        const QPixmap copied = clipboard->pixmap();
        if (!copied.isNull())
            Image1->setPixmap(copied);
    }
    printpicturetofitpage(printer(), Image1->pixmap());
#endif
}

#if QT_CONFIG(printer)

void Config::PrinterDeleter::operator()(QPrinter *p) const { delete p; }

QPrinter &Config::printer()
{
    if (!m_printer)
        m_printer.reset(new QPrinter(QPrinter::HighResolution));
    return *m_printer;
}

bool Config::showPrinterDialog(QPrinter &prn)
{
#if QT_CONFIG(printdialog)
    QPrintDialog CommonDialog2(&prn, this);
    CommonDialog2.setObjectName(QStringLiteral("CommonDialog2"));
    return CommonDialog2.exec() == QDialog::Accepted;
#else
    Q_UNUSED(prn);
    return true;
#endif
}

void Config::PrintAddressTable()
{
    const std::optional<BoardRecord> selected = m_state.boards.find(m_state.SelectedBoardKey);
    if (m_state.SelectedBoardKey.isEmpty() || !selected)
        return;
    m_state.CurrentBoard = *selected;

    QPrinter &prn = printer();
    if (!showPrinterDialog(prn))
        return;
    AddressTablePrint p;
    p.date = shortDate();
    p.time = longTime();
    // The selected receiver's MAC, beside its own settings.
    p.mac = m_state.SelectedBoardKey;
    p.board = m_state.CurrentBoard;
    p.description = m_state.BoardDescriptions.value(m_state.SelectedBoardIndex);
    p.channelHeader = m_state.Texts[1];
    p.nameHeader = m_state.Texts[3];
    p.rows = sensorRows(OrgByte, Orgnr, SystemID);
    for (int ch = 0; ch < PrintedChannels; ++ch)
        p.channelDescriptions[std::size_t(ch)] = m_state.ChannelDescriptions[std::size_t(ch)];

    PrintJob job(prn);
    job.printLines(addressTableLines(p));
    job.finish();
}

void Config::PrintDataTable()
{
    QPrinter &prn = printer();
    if (!showPrinterDialog(prn))
        return;

    DataTablePrint p;
    p.date = shortDate();
    p.time = longTime();
    p.channelHeader = m_state.Texts[1];
    for (std::size_t k = 0; k < 4; ++k)
        p.dataHeaders[k] = m_state.Texts[52 + k];
    p.rows = sensorRows(OrgByte, Orgnr, SystemID);
    for (std::size_t ch = 0; ch < std::size_t(PrintedChannels); ++ch)
        p.values[ch] = {txt_data_1[ch]->text(), txt_data_2[ch]->text(), txt_data_3[ch]->text(), txt_data_4[ch]->text()};

    PrintJob job(prn);
    job.printLines(dataTableLines(p));
    job.finish();
}

void Config::printpicturetofitpage(QPrinter &Prn, const QPixmap &Pic)
{
    if (!showPrinterDialog(Prn))
        return;
    Prn.setPageOrientation(QPageLayout::Landscape);

    // The page size asked of the printer before the job starts: the same
    // the job will have. The picture stands at its offset and fills what is
    // left of the printable area from there, so none of it runs off.
    const QPointF at = twipsOnPrinter(Prn, 200, 900);
    const std::optional<QSizeF> size = fitPictureToPage(Pic.size(), QSizeF(Prn.width() - at.x(), Prn.height() - at.y()));
    if (!size)
        return;

    ChartSeriesTexts series;
    for (std::size_t k = 0; k < std::size_t(ChartSeries); ++k) {
        series.labels[k] = MonitorLabel1[k + 1]->text();
        series.channels[k] = Auswahl[k]->currentText();
        series.dataBytes[k] = DatenbyteAuswahl[k]->currentText();
    }
    const QList<PrintLine> header = chartHeaderLines(shortDate(), longTime(), chartLegend(series, m_state.Texts[23]));

    PrintJob job(Prn);
    job.drawPicture(QRectF(at, *size), Pic);
    job.printLines(header);
    job.finish();
}

#else

void Config::PrintAddressTable() {}
void Config::PrintDataTable() {}

#endif

} // namespace nvx
