#include "shell/modsprache.h"
#include "shell/programfolder.h"
#include "shell/registry.h"
#include "shell/texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QTabWidget>
#include <QTranslator>
#include <QTreeWidget>

namespace nvx {

namespace {

void setGroup(AppState &state, TextGroup group, bool english)
{
    for (int i = 0; i < TextCount; ++i)
        if (textGroup(i) == group)
            state.Texts[static_cast<std::size_t>(i)] = textFor(i, english);
}

// The visible text of whatever kind of control carries the name.
void setCaption(QObject *target, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(target))
        action->setText(text);
    else if (auto *menu = qobject_cast<QMenu *>(target))
        menu->setTitle(text);
    else if (auto *frame = qobject_cast<QGroupBox *>(target))
        frame->setTitle(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(target))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(target))
        label->setText(text);
    else if (auto *field = qobject_cast<QLineEdit *>(target))
        field->setText(text);
}

void applyCaption(QWidget *window, const WindowCaption &caption)
{
    QObject *target = caption.objectName.isEmpty() ? window : window->findChild<QObject *>(caption.objectName);
    // A control the window does not have is skipped.
    if (!target)
        return;
    switch (caption.kind) {
    case CaptionKind::WindowTitle:
        window->setWindowTitle(caption.text);
        break;
    case CaptionKind::Caption:
        setCaption(target, caption.text);
        break;
    case CaptionKind::ToolTip:
        if (auto *action = qobject_cast<QAction *>(target))
            action->setToolTip(caption.text);
        else if (auto *widget = qobject_cast<QWidget *>(target))
            widget->setToolTip(caption.text);
        break;
    case CaptionKind::Tab:
        if (auto *tabs = qobject_cast<QTabWidget *>(target); tabs && caption.index < tabs->count())
            tabs->setTabText(caption.index, caption.text);
        break;
    }
}

// The main window's series selectors (after its group of texts is set): the
// "no channel" entry first and selected, and the four data bytes.
void fillSeriesSelectors(const AppState &state, QWidget *window, bool english)
{
    for (int k = 0; k < 5; ++k) {
        if (auto *channel = window->findChild<QComboBox *>(QStringLiteral("Auswahl_%1").arg(k))) {
            if (channel->count() == 0)
                channel->addItem(state.Texts[23]);
            else
                channel->setItemText(0, state.Texts[23]);
            channel->setCurrentIndex(0);
        }
        if (auto *dataByte = window->findChild<QComboBox *>(QStringLiteral("DatenbyteAuswahl_%1").arg(k))) {
            for (int i = 0; i < 4; ++i) {
                if (i < dataByte->count())
                    dataByte->setItemText(i, dataByteEntry(i, english));
                else
                    dataByte->addItem(dataByteEntry(i, english));
            }
        }
    }
}

// The board list shows its rows in one column without a header text, as
// wide as the list. Repeated loads keep that one column.
void prepareBoardList(QWidget *window)
{
    auto *list = window->findChild<QTreeWidget *>(QStringLiteral("ListBoards"));
    if (!list)
        return;
    if (list->columnCount() < 1)
        list->setColumnCount(1);
    list->setHeaderLabels({QString()});
    list->setColumnWidth(0, list->viewport()->width());
}

// Qt's own windows (the file and print dialogs, the buttons of message
// boxes) speak the program's language: Qt's German translations while the
// program is German, Qt's own English otherwise. Kept from one load to the
// next and changed only with the language.
void useQtTranslations(bool english)
{
    auto *app = QCoreApplication::instance();
    if (!app)
        return;
    static QPointer<QTranslator> german;
    static QPointer<QCoreApplication> triedFor;
    if (english) {
        if (german) {
            QCoreApplication::removeTranslator(german);
            delete german;
        }
        triedFor = nullptr;
        return;
    }
    // Without Qt's translations installed the dialogs stay English; that is
    // looked for once.
    if (german || triedFor == app)
        return;
    triedFor = app;
    auto *translator = new QTranslator(app);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        german = translator;
    else
        delete translator;
}

} // namespace

void LoadLanguage(AppState &state, int formCode, QWidget *window)
{
    CRegistry registry;
    state.ProgramPath = programPathFor(registry.MachineSetting(ProgramKey, QStringLiteral("Pfad")));
    state.LanguageCode = registry.MachineSetting(ProgramKey, QStringLiteral("Language"));
    const bool english = state.LanguageCode == QLatin1String("1033");
    if (!english)
        state.LanguageCode = QStringLiteral("1031");
    state.HelpDocument = QStringLiteral("/Dokumentation/") + (english ? HelpDocumentEnglish : HelpDocumentGerman);
    useQtTranslations(english);

    setGroup(state, TextGroup::Common, english);
    switch (formCode) {
    case FormConfig: setGroup(state, TextGroup::Main, english); break;
    case FormStatus: setGroup(state, TextGroup::Status, english); break;
    case FormFehler: setGroup(state, TextGroup::Error, english); break;
    default: break;
    }

    if (!window)
        return;
    // German captions are the windows' own design; English replaces them.
    if (english) {
        for (const WindowCaption &caption : englishCaptions(formCode))
            applyCaption(window, caption);
    }
    if (formCode == FormConfig) {
        fillSeriesSelectors(state, window, english);
        prepareBoardList(window);
    }
}

} // namespace nvx
