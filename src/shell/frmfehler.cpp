#include "shell/frmfehler.h"
#include "shell/modsprache.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace nvx {

namespace {

constexpr int SymbolSize = 17;

// An equal sign, struck through for "not equal".
QPixmap equalSign(bool struck)
{
    QPixmap pixmap(SymbolSize, SymbolSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(3, 6), QPointF(SymbolSize - 3, 6));
    p.drawLine(QPointF(3, 11), QPointF(SymbolSize - 3, 11));
    if (struck)
        p.drawLine(QPointF(SymbolSize - 5, 2), QPointF(5, SymbolSize - 2));
    return pixmap;
}

QLabel *line(QWidget *parent, const char *name, int y)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->move(16, y);
    label->resize(273, 20);
    return label;
}

} // namespace

frmFehler::frmFehler(AppState &state, QWidget *parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmFehler"));
    setWindowTitle(QStringLiteral("Fehler"));
    setFixedSize(320, 136);

    // The top line may wrap over the place of the second, which the codes
    // with long texts leave hidden.
    txtFehler = line(this, "txtFehler", 16);
    txtFehler->resize(288, 65);
    txtFehler->setWordWrap(true);
    txtFehler->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtFehler1 = line(this, "txtFehler1", 40);
    txtfehler2 = line(this, "txtfehler2", 64);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(equalSign(true));
    Picture1->setGeometry(112, 40, SymbolSize, SymbolSize);
    Picture1->setVisible(false);
    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setPixmap(equalSign(false));
    Picture2->setGeometry(112, 64, SymbolSize, SymbolSize);
    Picture2->setVisible(false);

    frmFehlerButton = new QPushButton(QStringLiteral("Schließen"), this);
    frmFehlerButton->setObjectName(QStringLiteral("frmFehlerButton"));
    frmFehlerButton->setGeometry(120, 96, 80, 26);
    frmFehlerButton->setDefault(true);
    connect(frmFehlerButton, &QPushButton::clicked, this, &frmFehler::frmFehlerButton_Click);
    Form_Load();
}

void frmFehler::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + (avail.height() - height()) / 2);
    }
    LoadLanguage(m_state, FormFehler, this);
    Window();
}

void frmFehler::Window()
{
    const auto text = [this](int i) { return m_state.Texts[static_cast<std::size_t>(i)]; };
    const auto show = [this](const QString &first, const QString &second) {
        txtFehler->setText(first);
        txtFehler1->setText(second);
    };
    switch (m_state.ErrorCode) {
    case ErrorNone: show(QStringLiteral("Invalid state"), {}); break;
    case ErrorSensorAlreadyLearned: show(text(42), {}); break;
    case ErrorInvalidSensorId: show(text(36), text(43)); break;
    case ErrorInvalidDirectIp: show(text(44), text(35)); break;
    case ErrorInvalidIp: show(text(32), text(35)); break;
    case ErrorInvalidServerIp: show(text(29), text(45)); break;
    case ErrorInvalidSubnet: show(text(31), text(45)); break;
    case ErrorInvalidGateway: show(text(30), text(35)); break;
    case ErrorInvalidFile: show(text(34), {}); break;
    case ErrorServerIpNotLocal:
        show(text(9), {});
        txtFehler1->setVisible(false);
        break;
    case ErrorInvalidPort:
        show(text(28), text(46));
        txtfehler2->setText(text(47));
        Picture1->setVisible(true);
        Picture2->setVisible(true);
        placePictures();
        break;
    case ErrorUpdateFailed: show(text(33), {}); break;
    case ErrorInvalidParameter: show(text(37), {}); break;
    case ErrorLoggingActive:
        show(text(49), {});
        txtFehler1->setVisible(false);
        break;
    default:
        return;   // a code without a row: nothing to show, and it stays
    }
    m_state.ErrorCode = ErrorNone;
}

void frmFehler::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    placePictures();
}

void frmFehler::placePictures()
{
    // Each symbol goes into the run of blanks between "Port NVX" and
    // "Port Server" of its line, whatever the font.
    const auto place = [](QLabel *label, QLabel *picture) {
        const QString t = label->text();
        const qsizetype gapStart = t.indexOf(QLatin1String("NVX "));
        if (gapStart < 0)
            return;
        const qsizetype from = gapStart + 3;
        qsizetype to = from;
        while (to < t.size() && t[to] == QLatin1Char(' '))
            ++to;
        const QFontMetrics fm(label->font());
        const int left = fm.horizontalAdvance(t.left(from));
        const int right = fm.horizontalAdvance(t.left(to));
        const int x = label->x() + label->contentsRect().x() + (left + right - SymbolSize) / 2;
        picture->move(x, label->y() + (label->height() - SymbolSize) / 2);
    };
    place(txtFehler1, Picture1);
    place(txtfehler2, Picture2);
}

void frmFehler::frmFehlerButton_Click()
{
    m_state.DuplicateErrorShown = false;
    m_state.ErrorCode = ErrorNone;
    accept();
}

void frmFehler::reject()
{
    frmFehlerButton_Click();
}

} // namespace nvx
