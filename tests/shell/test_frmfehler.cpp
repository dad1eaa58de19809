// The error window: every code of its table, the port-rule symbols, and the
// reset of ErrorCode and of the duplicate-error flag.

#include "shell/config.h"
#include "shell/frmfehler.h"
#include "shell/modsprache.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace nvx;

class TestFrmFehler : public QObject {
    Q_OBJECT
    nvxtest::TestEnv m_env;

private Q_SLOTS:
    void everyCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");   // "-" for a hidden second line
        QTest::addColumn<QString>("third");
        QTest::addColumn<bool>("pictures");
        QTest::addColumn<int>("codeAfter");

        const QString none;
        const QString ip = QStringLiteral("Format z.B.: 10.0.20.4");
        const QString mask = QStringLiteral("Format z.B.: 255.255.0.0");
        QTest::newRow("0") << 0 << QStringLiteral("Invalid state") << none << none << false << 0;
        QTest::newRow("1") << 1 << QStringLiteral("Sensor ist bereits eingelernt!") << none << none << false << 0;
        QTest::newRow("2") << 2 << QStringLiteral("Falsche Sensor ID eingegeben!") << QStringLiteral("Format z.B.: 000FA850")
                           << none << false << 0;
        QTest::newRow("3") << 3 << QStringLiteral("Falsche NVX IP Adresse!") << ip << none << false << 0;
        QTest::newRow("4") << 4 << QStringLiteral("Falsche IP Adresse!") << ip << none << false << 0;
        QTest::newRow("5") << 5 << QStringLiteral("Falsche Server IP Adresse!") << mask << none << false << 0;
        QTest::newRow("6") << 6 << QStringLiteral("Falsche Subnet IP Adresse!") << mask << none << false << 0;
        QTest::newRow("7") << 7 << QStringLiteral("Falsche Gateway IP Adresse!") << ip << none << false << 0;
        QTest::newRow("8") << 8 << QStringLiteral("Falsche Datei geladen!") << none << none << false << 0;
        QTest::newRow("9") << 9
                           << QStringLiteral("Die Konfiguration und Auswertung der Sensoren ist nur möglich, wenn Lokal IP "
                                             "und Server IP gleich sind!")
                           << QStringLiteral("-") << none << false << 0;
        QTest::newRow("10") << 10 << QStringLiteral("Falsche Portzuweisung!")
                            << QStringLiteral("UDP: Port NVX        Port Server")
                            << QStringLiteral("TCP: Port NVX        Port Server") << true << 0;
        QTest::newRow("11") << 11 << QStringLiteral("Aktualisierung Fehlgeschlagen! Bitte wiederholen!") << none << none
                            << false << 0;
        QTest::newRow("12") << 12 << QStringLiteral("Falscher Parameter Wert.") << none << none << false << 0;
        QTest::newRow("13") << 13
                            << QStringLiteral("Während des Loggens ist eine Änderung nicht möglich! Stoppen Sie vorher das "
                                              "Loggen!")
                            << QStringLiteral("-") << none << false << 0;
        QTest::newRow("14 shows nothing") << 14 << none << none << none << false << 14;
    }

    void everyCode()
    {
        QFETCH(int, code);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, third);
        QFETCH(bool, pictures);
        QFETCH(int, codeAfter);

        AppState state;
        // The main window's texts (code 9) exist from start-up on.
        LoadLanguage(state, FormConfig, nullptr);
        state.ErrorCode = code;
        frmFehler window(state);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), QStringLiteral("Fehler"));
        QCOMPARE(window.txtFehler->text(), first);
        QVERIFY(window.txtFehler->isVisible());
        if (second == QLatin1String("-")) {
            QVERIFY(!window.txtFehler1->isVisible());
        } else {
            QVERIFY(window.txtFehler1->isVisible());
            QCOMPARE(window.txtFehler1->text(), second);
        }
        QCOMPARE(window.txtfehler2->text(), third);
        QCOMPARE(window.Picture1->isVisible(), pictures);
        QCOMPARE(window.Picture2->isVisible(), pictures);
        QCOMPARE(state.ErrorCode, codeAfter);
        QCOMPARE(window.frmFehlerButton->text(), QStringLiteral("Schließen"));
    }

    void portSymbolsAreDifferentAndSitBetweenTheWords()
    {
        AppState state;
        state.ErrorCode = ErrorInvalidPort;
        frmFehler window(state);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage notEqual = window.Picture1->pixmap().toImage();
        const QImage equal = window.Picture2->pixmap().toImage();
        QVERIFY(!notEqual.isNull());
        QVERIFY(!equal.isNull());
        QVERIFY(notEqual != equal);
        // Each symbol stands in the blank run after "Port NVX" of its line.
        for (auto [label, picture] : {std::pair{window.txtFehler1, window.Picture1}, std::pair{window.txtfehler2, window.Picture2}}) {
            const QFontMetrics fm(label->font());
            const int wordEnd = label->x() + fm.horizontalAdvance(QStringLiteral("UDP: Port NVX"));
            const int nextWord = label->x() + fm.horizontalAdvance(QStringLiteral("UDP: Port NVX        "));
            QVERIFY2(picture->x() >= wordEnd - 2 && picture->x() + picture->width() <= nextWord + 8,
                     qPrintable(QStringLiteral("%1..%2 vs %3").arg(wordEnd).arg(nextWord).arg(picture->x())));
            QVERIFY(qAbs(picture->y() - label->y()) < label->height());
        }
    }

    // The button and Escape (as the title bar's close) both acknowledge the
    // error; otherwise error 1 would stay suppressed for good.
    void acknowledgingResetsDuplicateFlagThroughTheMainWindow_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("close button") << false;
        QTest::newRow("escape") << true;
    }
    void acknowledgingResetsDuplicateFlagThroughTheMainWindow()
    {
        QFETCH(bool, escape);
        AppState state;
        Config config(state);
        state.DuplicateErrorShown = true;
        QString shown;
        auto done = nvxtest::onNextModal(
            [&](QWidget *w) {
                shown = w->findChild<QLabel *>(QStringLiteral("txtFehler"))->text();
                // Filled once: the code is already back at 0 while it shows.
                QCOMPARE(state.ErrorCode, 0);
                if (escape)
                    QTest::keyClick(w, Qt::Key_Escape);
                else
                    QVERIFY(nvxtest::click(w, QStringLiteral("frmFehlerButton")));
            },
            QStringLiteral("frmFehler"));
        config.ShowErrorWindow(ErrorSensorAlreadyLearned);
        QVERIFY(*done);
        QCOMPARE(shown, QStringLiteral("Sensor ist bereits eingelernt!"));
        QCOMPARE(state.DuplicateErrorShown, false);
        QCOMPARE(state.ErrorCode, 0);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void closeButtonClearsACodeLeftUnshown()
    {
        AppState state;
        state.ErrorCode = 42;
        state.DuplicateErrorShown = true;
        frmFehler window(state);
        QCOMPARE(state.ErrorCode, 42);
        window.frmFehlerButton->click();
        QCOMPARE(state.ErrorCode, 0);
        QCOMPARE(state.DuplicateErrorShown, false);
    }

    void errorTextsComeWithTheWindowItself()
    {
        // Start-up loads only the main and status texts; the error window
        // brings its own group before it shows them.
        AppState state;
        LoadLanguage(state, FormStatus, nullptr);
        LoadLanguage(state, FormConfig, nullptr);
        QVERIFY(state.Texts[36].isEmpty());
        state.ErrorCode = ErrorInvalidSensorId;
        frmFehler window(state);
        QCOMPARE(window.txtFehler->text(), QStringLiteral("Falsche Sensor ID eingegeben!"));
    }
};

QTEST_MAIN(TestFrmFehler)
#include "test_frmfehler.moc"
