// The main window's frame: what the load sets up, the caption, the local
// address choice, the tab guard, the series selectors, the popup menu and
// the close question while logging.

#include "shell/mmain.h"
#include "shell/texts.h"
#include "shell/vbcolours.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QToolButton>
#include <QUdpSocket>

using namespace nvx;

namespace {

QStringList entries(const QComboBox *box)
{
    QStringList r;
    for (int i = 0; i < box->count(); ++i)
        r << box->itemText(i);
    return r;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    nvxtest::TestEnv m_env;
    AppState m_state;
    std::unique_ptr<Config> m_config;
    nvxsim::ReceiverSimulator m_sim;

    // Changes the tab and returns the first line of the error window it
    // showed ("" when none came).
    QString changeTab(int tab)
    {
        const auto seen = nvxtest::answerError(300);
        m_config->SSTab1->setCurrentIndex(tab);
        // The error window is modal: back here, it came and went or never
        // came, so the watcher must not answer a later one.
        seen->stopWaiting();
        return seen->firstLine + (seen->secondVisible ? QStringLiteral(" + second line") : QString());
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_sim.addModule(nvxtest::reportingRecord("001A2B000001", QStringLiteral("127.0.0.2")));
        QVERIFY(m_sim.start());
        m_config = std::make_unique<Config>(m_state);
        // A data byte chosen before: the load sets every series back to 0.
        for (QComboBox *box : m_config->DatenbyteAuswahl) {
            if (box->count() == 0)
                box->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
            box->setCurrentIndex(3);
        }
        QVERIFY(nvxtest::loadClosingTheSearchWindow(*m_config));
    }

    void loadSetsUpTheWindow()
    {
        Config &c = *m_config;
        QVERIFY(c.isVisible());
        QCOMPARE(c.windowTitle(), QStringLiteral("Lorvantis Sensortechnik GmbH    "));
        QCOMPARE(c.SSTab1->tabText(0), QStringLiteral("Einstellungen"));
        QCOMPARE(c.SSTab1->tabText(1), QStringLiteral("Sensoren"));
        QCOMPARE(c.SSTab1->tabText(2), QStringLiteral("Daten loggen"));
        QCOMPARE(c.MenueMain_1->title(), QStringLiteral("&Firmware"));
        QCOMPARE(c.MenueDateiUpload->text(), QStringLiteral("&Update"));
        QCOMPARE(c.MenueMain_2->title(), QStringLiteral("&Über"));
        QCOMPARE(c.MenuHilfe->text(), QStringLiteral("&Hilfe"));

        // Both text groups of the start-up are there, the error window's not.
        QCOMPARE(m_state.Texts[22], QStringLiteral("Funkempfänger suchen ... "));
        QCOMPARE(m_state.Texts[0], QStringLiteral("Frei"));
        QVERIFY(m_state.Texts[42].isEmpty());

        // The test namespace has loopback only.
        QCOMPARE(c.List1->count(), 1);
        QCOMPARE(c.List1->item(0)->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(c.txtlocalIP->text(), QStringLiteral("127.0.0.1"));

        const std::array<std::uint32_t, 5> colours{0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
        const std::array<QColor, 5> seen{Qt::black, Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(foreColour(c.MonitorLabel1[k]), colours[k - 1]);
            QCOMPARE(c.MonitorLabel1[k]->palette().color(QPalette::WindowText), seen[k - 1]);
            QCOMPARE(c.DatenbyteAuswahl[k - 1]->currentIndex(), 0);
        }
        QVERIFY(!c.MonitorStart->isEnabled());
        QVERIFY(!c.MonitorPause->isEnabled());
        QVERIFY(!c.Monitorstop->isEnabled());
        QVERIFY(!c.HScroll1->isEnabled());
        for (int i = 0; i < ChannelCount; ++i) {
            QVERIFY(!c.channel_log[i]->isEnabled());
            QVERIFY(!c.info[i]->isHidden());
            QVERIFY(c.info1[i]->isHidden());
            QVERIFY(c.info2[i]->isHidden());
            QVERIFY(c.info3[i]->isHidden());
        }
        QCOMPARE(m_state.StatusCode, 0);
        QCOMPARE(c.ListBoards->topLevelItemCount(), 1);
        QCOMPARE(c.WinsockUDP->localPort(), quint16(5001));

        // The window fits a 1366 x 768 screen with its title bar and the
        // desktop's panel, its controls within it.
        QVERIFY2(c.height() <= 700 && c.width() <= 1366, qPrintable(QStringLiteral("%1 x %2").arg(c.width()).arg(c.height())));
        QVERIFY(c.minimumSizeHint().height() <= c.height());
        // The file buttons of tabs 0 and 2 show the pictures of those on tab 1.
        const auto picture = [](const QToolButton *b) { return b->icon().pixmap(24, 24).toImage(); };
        QVERIFY(!c.LadenButton1->icon().isNull());
        QCOMPARE(picture(c.LadenButton1), picture(c.Ladenbutton2));
        QCOMPARE(picture(c.speichern1), picture(c.speichern2));
        QCOMPARE(picture(c.speichern3), picture(c.speichern2));
        QCOMPARE(picture(c.Druckbutton), picture(c.Drucken2));
        QCOMPARE(picture(c.Drucken3), picture(c.Drucken2));
        QVERIFY(picture(c.speichern1) != picture(c.Druckbutton));
    }

    void captionStaysAfterResize()
    {
        m_config->setWindowTitle(QStringLiteral("x"));
        m_config->resize(m_config->width() + 10, m_config->height());
        QTRY_COMPARE(m_config->windowTitle(), QStringLiteral("Lorvantis Sensortechnik GmbH    "));
    }

    void choosingALocalAddress()
    {
        Config &c = *m_config;
        c.SSTab1->setCurrentIndex(0);
        c.List1->addItem(QStringLiteral("127.0.0.9"));
        QListWidgetItem *item = c.List1->item(1);
        QTest::mouseClick(c.List1->viewport(), Qt::LeftButton, {}, c.List1->visualItemRect(item).center());
        QCOMPARE(c.txtlocalIP->text(), QStringLiteral("127.0.0.9"));
        QTest::mouseClick(c.List1->viewport(), Qt::LeftButton, {}, c.List1->visualItemRect(c.List1->item(0)).center());
        QCOMPARE(c.txtlocalIP->text(), QStringLiteral("127.0.0.1"));
        // A line chosen with the keys counts as clicked.
        QTest::keyClick(c.List1, Qt::Key_Down);
        QCOMPARE(c.List1->currentRow(), 1);
        QCOMPARE(c.txtlocalIP->text(), QStringLiteral("127.0.0.9"));
        QTest::keyClick(c.List1, Qt::Key_Up);
        QCOMPARE(c.txtlocalIP->text(), QStringLiteral("127.0.0.1"));
        delete c.List1->takeItem(1);
    }

    void sensorTabsNeedTheLocalServer()
    {
        Config &c = *m_config;
        const QString text9 = QStringLiteral("Die Konfiguration und Auswertung der Sensoren ist nur möglich, wenn Lokal "
                                             "IP und Server IP gleich sind!");
        c.SSTab1->setCurrentIndex(0);
        c.txtServerIP->setText(QStringLiteral("127.0.0.5"));
        QCOMPARE(changeTab(1), text9);
        QCOMPARE(c.SSTab1->currentIndex(), 1);   // the tab stays
        QCOMPARE(changeTab(2), text9);
        QCOMPARE(changeTab(0), QString());
        c.txtServerIP->setText(QStringLiteral("127.0.0.1"));
        QCOMPARE(changeTab(1), QString());
        QCOMPARE(changeTab(0), QString());
        QCOMPARE(m_state.ErrorCode, 0);
    }

    void pendingRefillRebuildsTheSeriesSelectors()
    {
        Config &c = *m_config;
        c.txtServerIP->setText(c.txtlocalIP->text());
        c.SystemID[5]->setText(QStringLiteral("0012ABCD"));
        c.SystemID[3]->setText(QStringLiteral("Unused"));   // the other language's marker: used
        m_state.SelectorRefreshPending = true;
        changeTab(2);
        QCOMPARE(m_state.SelectorRefreshPending, false);
        for (QComboBox *box : c.Auswahl) {
            QCOMPARE(entries(box), (QStringList{QStringLiteral("kein Kanal"), QStringLiteral("Kanal 04"),
                                                QStringLiteral("Kanal 06")}));
            QCOMPARE(box->currentIndex(), 0);
        }
        // Without a pending refill a tab change leaves them alone.
        c.Auswahl[0]->addItem(QStringLiteral("extra"));
        changeTab(0);
        QCOMPARE(c.Auswahl[0]->count(), 4);

        // In English the marker and the prefix follow the language.
        m_state.LanguageCode = QStringLiteral("1033");
        m_state.Texts[23] = textFor(23, true);
        c.SystemID[3]->setText(QStringLiteral("Frei"));
        for (int i = 0; i < ChannelCount; ++i)
            if (i != 3 && i != 5)
                c.SystemID[i]->setText(QStringLiteral("Unused"));
        m_state.SelectorRefreshPending = true;
        changeTab(1);
        QCOMPARE(entries(c.Auswahl[4]), (QStringList{QStringLiteral("no channel"), QStringLiteral("channel 04"),
                                                     QStringLiteral("channel 06")}));
        QCOMPARE(m_state.CurrentChannel, 5);
        QCOMPARE(m_state.ChannelNumberText, QStringLiteral("06"));
        m_state.LanguageCode = QStringLiteral("1031");
        changeTab(0);
    }

    void rightButtonOpensTheFirmwarePopup()
    {
        Config &c = *m_config;
        QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(5, c.height() - 5));
        QVERIFY(!c.MenueMain_1->isVisible());
        QTest::mouseClick(&c, Qt::MiddleButton, {}, QPoint(5, c.height() - 5));
        QVERIFY(!c.MenueMain_1->isVisible());
        QTest::mouseClick(&c, Qt::RightButton, {}, QPoint(5, c.height() - 5));
        QTRY_VERIFY(c.MenueMain_1->isVisible());
        QCOMPARE(c.MenueMain_1->actions().value(0), c.MenueDateiUpload);
        c.MenueMain_1->hide();
    }

    void decimalSeparatorFallsBackToTheSystemLocale()
    {
        AppState state;
        readDecimalSeparator(state);
        const QString system = QLocale::system().decimalPoint();
        QCOMPARE(state.DecimalSeparator, system.isEmpty() ? QStringLiteral(",") : system);
    }

    void closingWhileLoggingAsksFirst()
    {
        Config &c = *m_config;
        m_state.LoggingActive = true;
        QString question, title;
        auto no = nvxtest::onNextModal([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QVERIFY(box);
            question = box->text();
            title = box->windowTitle();
            box->button(QMessageBox::No)->click();
        });
        c.close();
        QVERIFY(*no);
        QCOMPARE(question, QStringLiteral("Wollen Sie NVX-Ethernet beenden ohne das Logging zu speichern?"));
        QCOMPARE(title, QStringLiteral("NVX-Ethernet"));
        QVERIFY(c.isVisible());

        auto yes = nvxtest::onNextModal([](QWidget *w) {
            qobject_cast<QMessageBox *>(w)->button(QMessageBox::Yes)->click();
        });
        c.close();
        QVERIFY(*yes);
        QVERIFY(!c.isVisible());
        QVERIFY(!c.WinsockUDP->isOpen());
        m_state.LoggingActive = false;
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
