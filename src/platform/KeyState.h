#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// The whole keyboard's state, whichever program has the focus, asked by Windows virtual-key
// number (17 Ctrl, 18 Alt, 27 Escape, 33 PageUp, 96..105 keypad digits, 112 F1, ...). Nothing is
// grabbed: the game keeps receiving every key while the shortcut poll reads them too.
//
// Read once per poll tick: refresh() takes one reading of the whole keyboard and isDown() answers
// from it, so a tick that checks twenty keys costs one round trip to the display server.
class KeyState
{
public:
    // Without a display name: the keyboard of the desktop Qt runs on, where there is a global
    // one to read (X11, Windows). With one: that X display, whatever Qt runs on.
    explicit KeyState(const QByteArray &x11Display = {});
    ~KeyState();
    KeyState(const KeyState &) = delete;
    KeyState &operator=(const KeyState &) = delete;

    bool isAvailable() const;
    // Why the shortcut keys cannot work here, for the status bar; empty when they can.
    QString unavailableReason() const;

    void refresh();
    bool isDown(int virtualKey) const;

    // Tests play a keyboard through this: while set, every KeyState is available and answers
    // from it. An empty function puts the real keyboard back.
    static void setOverride(std::function<bool(int virtualKey)> isDown);

private:
    struct Native;
    std::unique_ptr<Native> m_native;
};
