#pragma once
// What the modal windows of the sensor table share: the program state and the
// main window they work on, the loading of their language texts with the
// centring at the size those texts give, and unloading.

#include "shell/appstate.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace nvx {

class Config;

class SensorWindow : public QDialog {
    Q_OBJECT
public:
    // True once the window has closed itself; an owner that keeps it loaded
    // between openings then discards it, and the next use loads a fresh one.
    bool isUnloaded() const { return m_unloaded; }

protected:
    SensorWindow(AppState &state, Config &config, const QString &name, const QString &caption);

    // The language texts of the window's form code, then centred on the
    // screen.
    void loadTexts(int formCode);
    // A push button with its design name and caption, added to `row` and
    // running `handler` when clicked.
    template <typename Window>
    QPushButton *addButton(QBoxLayout *row, const QString &name, const QString &caption, void (Window::*handler)())
    {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        row->addWidget(button);
        connect(button, &QPushButton::clicked, static_cast<Window *>(this), handler);
        return button;
    }
    void unload();
    // The title bar closes the window as its own buttons do.
    void reject() override { unload(); }

    AppState &m_state;
    Config &m_config;

private:
    bool m_unloaded = false;
};

} // namespace nvx
