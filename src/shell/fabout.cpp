#include "shell/fabout.h"
#include "shell/modsprache.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>

namespace nvx {

const QString fAbout::EmailAddress = QStringLiteral("info@lorvantis-sensortechnik.de");
const QString fAbout::WebAddress = QStringLiteral("www.lorvantis-sensortechnik.de");

namespace {

QLabel *namedLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A label that reads as a link and takes clicks.
void makeLink(QLabel *label, QObject *filter)
{
    label->setCursor(Qt::PointingHandCursor);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    label->setPalette(palette);
    label->installEventFilter(filter);
}

} // namespace

fAbout::fAbout(AppState &state, QWidget *parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("fAbout"));
    setWindowTitle(QStringLiteral("Information"));

    lblVersion = namedLabel(QStringLiteral("Lorvantis: Konfigurationssoftware für NVX-Ethernet Version 3.11"),
                            QStringLiteral("lblVersion"), this);
    QFont bold = lblVersion->font();
    bold.setBold(true);
    lblVersion->setFont(bold);
    lbl_Software_Hinweis = namedLabel(
        QStringLiteral("Für Schäden die durch Verwendung dieser Software an Hard- oder Software entstehen wird keine "
                       "Haftung übernommen."),
        QStringLiteral("lbl_Software_Hinweis"), this);
    lbl_Software_Hinweis->setWordWrap(true);
    lbltxtEmail = namedLabel(QStringLiteral("E-Mail:"), QStringLiteral("lbltxtEmail"), this);
    lblemail = namedLabel(EmailAddress, QStringLiteral("lblemail"), this);
    lbltxtHyperlink = namedLabel(QStringLiteral("Internet:"), QStringLiteral("lbltxtHyperlink"), this);
    lblHyperlink = namedLabel(WebAddress, QStringLiteral("lblHyperlink"), this);
    makeLink(lblemail, this);
    makeLink(lblHyperlink, this);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setVerticalSpacing(12);
    layout->addWidget(lblVersion, 0, 0, 1, 2);
    layout->addWidget(lbl_Software_Hinweis, 1, 0, 1, 2);
    layout->addWidget(lbltxtEmail, 2, 0);
    layout->addWidget(lblemail, 2, 1);
    layout->addWidget(lbltxtHyperlink, 3, 0);
    layout->addWidget(lblHyperlink, 3, 1);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(460);

    Form_Load();
}

void fAbout::Form_Load()
{
    LoadLanguage(m_state, FormAbout, this);
    // Centred once its texts are in: the English ones change its size.
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }
}

// Whether the desktop can open the links is its own affair; nothing is
// reported when it cannot.
void fAbout::lblemail_Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + EmailAddress));
}

void fAbout::lblHyperlink_Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("https://") + WebAddress));
}

bool fAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == lblemail) {
            lblemail_Click();
            return true;
        }
        if (watched == lblHyperlink) {
            lblHyperlink_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace nvx
