// The manual send window against the simulated receiver: the base-ID request
// when it opens, the ID shown when the reply comes, the telegram shown and
// then sent, and the fields as a user types into them.

#include "link/send.h"
#include "support/fixtures.h"

#include <QKeyEvent>
#include <QMessageBox>

using namespace nvx;
using namespace nvxtest;

namespace {

// Runs `action` on the next message box once it is open.
void answerNextMessageBox(std::function<void(QMessageBox *)> action)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(box);
        }
    });
    poll->start();
    QTimer::singleShot(10000, poll, &QObject::deleteLater);
}

} // namespace

class TestSend : public QObject {
    Q_OBJECT
    std::unique_ptr<LinkedReceiver> b;

    // Opens the window with the main window's button, runs `action` on it and
    // closes it.
    void withSendWindow(std::function<void(Send *)> action)
    {
        const auto done = onNextModal(
            [action](QWidget *w) {
                auto *window = qobject_cast<Send *>(w);
                QVERIFY(window);
                action(window);
                window->reject();
            },
            QStringLiteral("Send"), 5000);
        b->config->Command1->click();
        QVERIFY(*done);
    }

private Q_SLOTS:
    void init()
    {
        b = std::make_unique<LinkedReceiver>();
        QVERIFY(b->setUp());
    }
    void cleanup() { b.reset(); }

    void sendsComposedTelegram_data()
    {
        QTest::addColumn<QString>("baseId");   // empty: the receiver does not answer
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("telegram");
        QTest::newRow("base ID plus offset") << "FFFFFF80" << QStringList{"00", "00", "00", "00", "00", "05", "00"}
                                             << "A55A6B0000000000FFFFFF8500ED";
        QTest::newRow("spill over") << "00000090" << QStringList{"00", "00", "00", "00", "00", "7F", "00"}
                                    << "A55A6B0000000000000010FF007A";
        QTest::newRow("checksum below 0x10") << "00000000" << QStringList{"9A", "00", "00", "00", "00", "00", "00"}
                                             << "A55A6B9A00000000000000000005";
        QTest::newRow("short field") << "00000000" << QStringList{"00", "00", "00", "00", "5", "00", "00"}
                                     << "A55A6B0000000005000000000070";
        QTest::newRow("before any reply") << "" << QStringList{"00", "00", "00", "00", "00", "05", "00"}
                                          << "A55A6B0000000000000000050070";
    }
    void sendsComposedTelegram()
    {
        QFETCH(QString, baseId);
        QFETCH(QStringList, fields);
        QFETCH(QString, telegram);
        if (baseId.isEmpty())
            b->module->receiver.telegramDelayMs = 60000;
        else
            b->module->baseId = baseId;

        QString shown;
        bool plainBox = false;
        QStringList sentWhileShown;
        withSendWindow([&](Send *w) {
            QTRY_COMPARE(b->module->commands(), QStringList{padded(cmd::readBaseId())});
            if (!baseId.isEmpty())
                QTRY_COMPARE(w->Label14->text(), baseId);
            for (int i = 0; i < 7; ++i)
                w->Text2[std::size_t(i)]->setText(fields[i]);
            answerNextMessageBox([&](QMessageBox *box) {
                shown = box->text();
                plainBox = box->icon() == QMessageBox::NoIcon && box->standardButtons() == QMessageBox::Ok;
                sentWhileShown = b->module->radioTelegrams();
                box->accept();
            });
            w->Command1->click();
            QTRY_COMPARE(b->module->radioTelegrams(), QStringList{padded(telegram)});
        });
        QCOMPARE(shown, telegram);
        QVERIFY(plainBox);
        QVERIFY(sentWhileShown.isEmpty());
        QCOMPARE(padded(telegram).size(), 30);
    }

    void typing()
    {
        withSendWindow([&](Send *w) {
            QTRY_VERIFY(w->isActiveWindow());
            QLineEdit *db0 = w->Text2[4];
            QLineEdit *offset = w->Text2[5];
            db0->clear();
            offset->clear();
            db0->setFocus();
            QTest::keyClicks(db0, QStringLiteral("1g-"));
            QCOMPARE(db0->text(), QStringLiteral("1"));
            QCOMPARE(QApplication::focusWidget(), db0);
            QTest::keyClicks(db0, QStringLiteral("a"));
            QCOMPARE(db0->text(), QStringLiteral("1a"));
            QCOMPARE(QApplication::focusWidget(), offset);
            QTest::keyClicks(offset, QStringLiteral("7f"));
            QCOMPARE(offset->text(), QStringLiteral("7f"));
            QCOMPARE(QApplication::focusWidget(), offset);
            // Delete edits as on any field; X11 gives it the character 0x7F.
            offset->setCursorPosition(0);
            QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
            QApplication::sendEvent(offset, &del);
            QCOMPARE(offset->text(), QStringLiteral("f"));
        });
    }
};

QTEST_MAIN(TestSend)
#include "test_send.moc"
