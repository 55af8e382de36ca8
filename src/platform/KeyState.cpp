#include "platform/KeyState.h"

#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QVarLengthArray>
#include <array>
// Last: Xlib defines macros (None, Bool, Status) that Qt's headers must not see.
#include <X11/Xlib.h>
#include <X11/keysym.h>
#endif

namespace {
std::function<bool(int)> g_override;
} // namespace

#ifdef Q_OS_WIN

struct KeyState::Native
{
};

KeyState::KeyState(const QByteArray &)
    : m_native(std::make_unique<Native>())
{}

bool KeyState::isAvailable() const
{
    return true;
}

QString KeyState::unavailableReason() const
{
    return {};
}

void KeyState::refresh()
{}

bool KeyState::isDown(int virtualKey) const
{
    if (g_override)
        return g_override(virtualKey);
    return GetAsyncKeyState(virtualKey) & 0x8000;
}

#else

namespace {
struct VirtualKey
{
    int code;
    KeySym keysyms[3];
};

// Both Ctrl and both Alt keys count, as they do for Windows; AltGr is the right Alt key of the
// layouts that have it. A keypad key counts as its digit whether NumLock is on or not (Windows
// would call keypad 0 Insert without NumLock); the navigation keys are the dedicated ones only,
// so that Ctrl + keypad 9 is never also Ctrl + PageUp.
constexpr VirtualKey kKeys[] = {
    {16, {XK_Shift_L, XK_Shift_R}},
    {17, {XK_Control_L, XK_Control_R}},
    {18, {XK_Alt_L, XK_Alt_R, XK_ISO_Level3_Shift}},
    {27, {XK_Escape}},
    {33, {XK_Prior}},
    {34, {XK_Next}},
    {35, {XK_End}},
    {36, {XK_Home}},
    {45, {XK_Insert}},
    {96, {XK_KP_0, XK_KP_Insert}},
    {97, {XK_KP_1, XK_KP_End}},
    {98, {XK_KP_2, XK_KP_Down}},
    {99, {XK_KP_3, XK_KP_Next}},
    {100, {XK_KP_4, XK_KP_Left}},
    {101, {XK_KP_5, XK_KP_Begin}},
    {102, {XK_KP_6, XK_KP_Right}},
    {103, {XK_KP_7, XK_KP_Home}},
    {104, {XK_KP_8, XK_KP_Up}},
    {105, {XK_KP_9, XK_KP_Prior}},
    {106, {XK_KP_Multiply}},
    {107, {XK_KP_Add}},
    {109, {XK_KP_Subtract}},
    {110, {XK_KP_Decimal, XK_KP_Delete}},
};
constexpr int kF1 = 112;
} // namespace

struct KeyState::Native
{
    ~Native()
    {
        if (display)
            XCloseDisplay(display);
    }

    // Keycodes follow the layout, which may change while the program runs.
    void mapKeys()
    {
        for (auto &codes : keycodes)
            codes.clear();
        for (const VirtualKey &key : kKeys) {
            for (const KeySym keysym : key.keysyms)
                add(key.code, keysym);
        }
        for (int i = 0; i < 12; ++i)
            add(kF1 + i, XK_F1 + i);
    }

    void add(int virtualKey, KeySym keysym)
    {
        const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
        if (code != 0 && !keycodes[virtualKey].contains(code))
            keycodes[virtualKey].append(code);
    }

    Display *display = nullptr;
    QString reason;
    std::array<QVarLengthArray<KeyCode, 3>, 256> keycodes;
    char keys[32] = {};
};

KeyState::KeyState(const QByteArray &x11Display)
    : m_native(std::make_unique<Native>())
{
    // Under Wayland there is no keyboard to read but the focused window's. (A program forced onto
    // XWayland sees keys only while one of its X windows has the focus.)
    const QString platform = QGuiApplication::platformName();
    if (x11Display.isEmpty() && platform != QLatin1String("xcb")) {
        m_native->reason = QStringLiteral("Shortcut keys unavailable: no global keyboard on %1")
                               .arg(platform.isEmpty() ? QStringLiteral("this desktop") : platform);
        return;
    }
    m_native->display = XOpenDisplay(x11Display.isEmpty() ? nullptr : x11Display.constData());
    if (!m_native->display) {
        const QByteArray name = x11Display.isEmpty() ? qgetenv("DISPLAY") : x11Display;
        m_native->reason = QStringLiteral("Shortcut keys unavailable: cannot open X display %1")
                               .arg(QString::fromLocal8Bit(name));
        return;
    }
    m_native->mapKeys();
}

bool KeyState::isAvailable() const
{
    return g_override || m_native->display;
}

QString KeyState::unavailableReason() const
{
    return isAvailable() ? QString() : m_native->reason;
}

void KeyState::refresh()
{
    Display *display = m_native->display;
    if (g_override || !display)
        return;
    // A layout change is the one event this connection receives unasked.
    bool remap = false;
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            remap = true;
        }
    }
    if (remap)
        m_native->mapKeys();
    XQueryKeymap(display, m_native->keys);
}

bool KeyState::isDown(int virtualKey) const
{
    if (g_override)
        return g_override(virtualKey);
    if (!m_native->display || virtualKey < 0 || virtualKey >= int(m_native->keycodes.size()))
        return false;
    for (const KeyCode code : m_native->keycodes[virtualKey]) {
        if (m_native->keys[code / 8] & (1 << (code % 8)))
            return true;
    }
    return false;
}

#endif

KeyState::~KeyState() = default;

void KeyState::setOverride(std::function<bool(int virtualKey)> isDown)
{
    g_override = std::move(isDown);
}
