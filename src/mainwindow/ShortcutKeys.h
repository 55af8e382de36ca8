#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class KeyState;
class frmMain;

// The global shortcut keys: Ctrl or Alt with a function, navigation or keypad key send server
// commands while another program (the game) has the focus. tmrShortKeys polls the whole
// keyboard's state; nothing is grabbed, so the game keeps every key. A row fires on every poll
// while its keys are held. The switch (Extra > Shortkeys, Ctrl + keypad +/-) starts off.
class ShortcutKeys : public QObject
{
    Q_OBJECT
public:
    explicit ShortcutKeys(frmMain *main);
    ~ShortcutKeys() override;

    // 50 polls a second: no human holds a key for less than 20 ms, so no press is missed, and
    // the poll costs next to nothing while no key is held. A 1 ms poll cost a tenth of a core.
    static constexpr int kPollMs = 20;

    // Reads the keyboard of this X display from now on (tests give their own Xvfb); empty: the
    // desktop the program runs on.
    void readKeyboardOf(const QByteArray &x11Display);
    bool isAvailable() const;

    // One key combination and what it does (the table is in ShortcutKeys.cpp).
    struct Row;

    // One poll: every row whose keys are down fires, in table order.
    void tmrShortKeys_Timer();

signals:
    // Ctrl + keypad *: the in-game window.
    void inGameWindowRequested();

private:
    void fire(const Row &row);
    QString commandFor(const Row &row) const;
    void showAvailability();

    frmMain *m_main;
    std::shared_ptr<KeyState> m_keys;
};
