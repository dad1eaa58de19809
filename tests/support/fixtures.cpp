#include "support/fixtures.h"
#include "shell/frmstate.h"
#include "shell/modsprache.h"
#include "shell/texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace nvxtest {

Bench::Bench(Texts texts)
{
    if (texts == StartUpTexts)
        nvx::LoadLanguage(state, nvx::FormStatus, nullptr);
    config = std::make_unique<nvx::Config>(state);
    if (texts == StartUpTexts)
        nvx::LoadLanguage(state, nvx::FormConfig, config.get());
    state.ProgramPath = env.programPath();
    config->txtlocalIP->setText(QStringLiteral("127.0.0.1"));
}

QTreeWidgetItem *Bench::list(const nvx::BoardRecord &rec)
{
    state.boards.add(rec.macText(), rec);
    auto *item = new QTreeWidgetItem(config->ListBoards, QStringList{rec.macText()});
    state.NextBoardIndex = config->ListBoards->topLevelItemCount() + 1;
    return item;
}

void Bench::select(const nvx::BoardRecord &rec) { config->ListBoards_ItemClick(list(rec)); }

nvxsim::SimModule *Bench::link(const nvx::BoardRecord &rec)
{
    nvxsim::SimModule *m = sim.addModule(rec);
    m->receiver.answerStatus = false;
    [&] {
        QVERIFY(m->startReceiver());
        select(rec);
        QTRY_VERIFY(m->isConnected());
        QTRY_COMPARE(m->commands(), QStringList{nvx::cmd::statusRequest()});
    }();
    config->Timer1->stop();
    m->clearCommands();
    return QTest::currentTestFailed() ? nullptr : m;
}

bool LinkedReceiver::setUp()
{
    config->show();
    module = link(reportingRecord("0050C2AA0001", QStringLiteral("127.0.0.2")));
    return module;
}

void LinkedReceiver::setRow(int ch, const QString &kind, const QString &org, const QString &id)
{
    config->OrgByte[ch]->setText(kind);
    config->Orgnr[ch]->setText(org);
    config->SystemID[ch]->setText(id);
}

QString LinkedReceiver::receiverIds() const
{
    std::map<int, QString> used;
    for (int ch = 0; ch < nvx::ChannelCount; ++ch)
        if (module->table[ch].used)
            used[ch] = module->table[ch].org + QLatin1Char(' ') + module->table[ch].id;
    return channelRows(QStringLiteral(" "), QStringLiteral("-- --------"), used);
}

void showPlainInfoButtons(nvx::Config &config)
{
    for (int i = 0; i < nvx::ChannelCount; ++i) {
        config.info[i]->setVisible(true);
        config.info1[i]->setVisible(false);
        config.info2[i]->setVisible(false);
        config.info3[i]->setVisible(false);
    }
}

std::shared_ptr<StatusResult> closeStatusWindowAtResult(nvx::Config &config, std::function<void()> atResult)
{
    auto result = std::make_shared<StatusResult>();
    StatusResult *r = result.get();
    r->poll = new QTimer(qApp);
    r->poll->setInterval(20);
    QObject::connect(r->poll, &QTimer::timeout, r->poll, [r, &config, atResult] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String("frmState"))
            return;
        auto *ok = modal->findChild<QPushButton *>(QStringLiteral("cmdOK"));
        auto *label = modal->findChild<QLabel *>(QStringLiteral("lblTxt"));
        if (!ok || !label)
            return;
        if (!r->opened) {
            r->opened = true;
            r->waiting = label->text();
            r->tabsEnabledWhileWaiting = config.SSTab1->isEnabled();
        }
        if (!ok->isVisible())
            return;
        r->poll->stop();
        r->poll->deleteLater();
        r->text = label->text();
        r->statusCode = config.state().StatusCode;
        if (atResult)
            atResult();
        ok->click();
        r->closed = true;
    });
    r->poll->start();
    return result;
}

bool loadClosingTheSearchWindow(nvx::Config &config)
{
    const auto result = closeStatusWindowAtResult(config);
    config.Form_Load();
    return result->closed;
}

std::shared_ptr<ErrorSeen> answerError(int timeoutMs)
{
    auto seen = std::make_shared<ErrorSeen>();
    seen->watcher = watchNextModal(
        [seen](QWidget *w) {
            seen->shown = true;
            if (auto *label = w->findChild<QLabel *>(QStringLiteral("txtFehler")))
                seen->firstLine = label->text();
            if (auto *label = w->findChild<QLabel *>(QStringLiteral("txtFehler1"))) {
                seen->secondLine = label->text();
                seen->secondVisible = label->isVisible();
            }
            auto *p1 = w->findChild<QLabel *>(QStringLiteral("Picture1"));
            auto *p2 = w->findChild<QLabel *>(QStringLiteral("Picture2"));
            seen->pictures = p1 && p2 && !p1->isHidden() && !p2->isHidden();
            QVERIFY(click(w, QStringLiteral("frmFehlerButton")));
        },
        QStringLiteral("frmFehler"), timeoutMs);
    return seen;
}

NotSavedMessages::NotSavedMessages()
{
    QObject::connect(&poll, &QTimer::timeout, &poll, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box->objectName() != QLatin1String("FileNotSaved"))
            return;
        texts << box->text();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(10);
}

QString errorText(int code)
{
    static const std::map<int, int> textOfCode{{3, 44}, {4, 32}, {5, 29}, {6, 31}, {7, 30}, {10, 28}, {13, 49}};
    return nvx::textFor(textOfCode.at(code), false);
}

QString channelRows(const QString &separator, const QString &otherRows, const std::map<int, QString> &rows)
{
    QString text;
    for (int ch = 0; ch < nvx::ChannelCount; ++ch) {
        const auto it = rows.find(ch);
        text += QStringLiteral("%1").arg(ch + 1, 2, 10, QLatin1Char('0')) + separator
            + (it == rows.end() ? otherRows : it->second) + QLatin1Char('\n');
    }
    return text;
}

} // namespace nvxtest
