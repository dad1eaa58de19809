// Build-time tool: turns a help text written in Markdown into the PDF that
// the program's help menu opens.
//
//   nvx-helpdoc <manual.md> <manual.pdf>
//
// Runs without a display (it picks the offscreen platform itself).

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: nvx-helpdoc <manual.md> <manual.pdf>\n");
        return 2;
    }

    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "nvx-helpdoc: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setMarkdown(markdown);
    // The first heading is the document's title in the PDF's properties.
    const QString title = markdown.section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('#')).trimmed();

    QPdfWriter writer(args[2]);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("nvx-ethernet"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
                                     QPageLayout::Millimeter));
    document.print(&writer);
    if (!QFile::exists(args[2])) {
        std::fprintf(stderr, "nvx-helpdoc: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
