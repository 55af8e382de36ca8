#include "mainwindow/ShortcutKeys.h"

#include "mainwindow/AutoScreenshots.h"
#include "mainwindow/MainLifecycle.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmTray.h"
#include "platform/Controls.h"
#include "platform/Ini.h"
#include "platform/KeyState.h"
#include "platform/ProgramDir.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTime>
#include <QTimer>

namespace {
enum class Act {
    SwitchOn,
    SwitchOff,
    ShowWindow,
    HideWindow,
    Announce, // the announcement, two seconds, the command
    Send,
    SayTime,
    StartScreenshots,
    StopScreenshots,
    SayText, // "Say " and a text of \Other.ini [ShortkeySay]
    InGameWindow,
};

// Windows virtual-key numbers, as the key state is asked.
constexpr int Ctrl = 17, Alt = 18;
constexpr int PageUp = 33, PageDown = 34, End = 35, Home = 36, Insert = 45;
constexpr int Keypad0 = 96, Keypad1 = 97, Keypad3 = 99, Keypad6 = 102, Keypad9 = 105;
constexpr int KeypadStar = 106, KeypadPlus = 107, KeypadMinus = 109, KeypadPoint = 110;
constexpr int F1 = 112, F2 = 113, F3 = 114, F5 = 116, F6 = 117, F7 = 118, F8 = 119, F9 = 120,
              F10 = 121, F11 = 122;

constexpr bool Always = true, Switched = false;
} // namespace

// One key combination. The command is `others` unless the connected game has its own spelling
// (an empty `cod4` or `cod2` means the same as the others); `text` is the announcement, or the
// \Other.ini key of a say text.
struct ShortcutKeys::Row
{
    int modifier;
    int key;
    bool always; // fires with the switch off too
    Act act;
    const char *cod4;
    const char *cod2;
    const char *others;
    const char *text;
};

namespace {
constexpr ShortcutKeys::Row kRows[] = {
    // modifier, key, always?, action, CoD4, CoD2, CoD and CoD UO, announcement
    {Ctrl, KeypadPlus, Always, Act::SwitchOn, "", "", "", ""},
    {Ctrl, KeypadMinus, Always, Act::SwitchOff, "", "", "", ""},
    {Ctrl, PageUp, Always, Act::ShowWindow, "", "", "", ""},
    {Ctrl, PageDown, Always, Act::HideWindow, "", "", "", ""},
    {Ctrl, Keypad0, Switched, Act::Announce, "", "", "map_restart", "Map restart"},
    {Ctrl, Keypad1, Switched, Act::Send, "", "", "fast_restart", ""},
    {Ctrl, KeypadPoint, Switched, Act::Announce, "", "", "map_rotate", "Next map"},
    {Ctrl, F1, Switched, Act::Announce, "", "", "g_allowvote 1", "Vote set to ON"},
    {Alt, F1, Switched, Act::Announce, "", "", "g_allowvote 0", "Vote set to OFF"},
    {Ctrl, F2, Switched, Act::Announce, "scr_game_allowkillcam 1", "scr_killcam 1", "setkillcam 1",
     "Killcam set to ON"},
    {Alt, F2, Switched, Act::Announce, "scr_game_allowkillcam 0", "scr_killcam 0", "setkillcam 0",
     "Killcam set to OFF"},
    {Ctrl, F3, Switched, Act::Announce, "", "", "scr_drawfriend 1",
     "Draw Friend (Team Icons) set to ON"},
    {Alt, F3, Switched, Act::Announce, "", "", "scr_drawfriend 0",
     "Draw Friend (Team Icons) set to OFF"},
    {Ctrl, F5, Switched, Act::Announce, "scr_team_fftype 1", "scr_friendlyfire 1",
     "setfriendlyfire 1", "Friendlyfire set to ON"},
    {Ctrl, F6, Switched, Act::Announce, "scr_team_fftype 0", "scr_friendlyfire 0",
     "setfriendlyfire 0", "Friendlyfire set to OFF"},
    {Ctrl, F7, Switched, Act::Announce, "scr_team_fftype 2", "scr_friendlyfire 2",
     "setfriendlyfire 2", "Friendlyfire set to REFLECT"},
    {Ctrl, F8, Switched, Act::Announce, "scr_team_fftype 3", "scr_friendlyfire 3",
     "setfriendlyfire 3", "Friendlyfire set to SHARED"},
    {Ctrl, F9, Switched, Act::Announce, "scr_game_spectatetype 2", "", "scr_freelook 1",
     "Free Look set to ON"},
    {Alt, F9, Switched, Act::Announce, "scr_game_spectatetype 0", "", "scr_freelook 0",
     "Free Look set to OFF"},
    {Ctrl, F10, Switched, Act::Announce, "scr_game_spectatetype 1", "", "scr_spectateenemy 1",
     "Enemy Spectate set to ON"},
    {Alt, F10, Switched, Act::Announce, "scr_game_spectatetype 0", "", "scr_spectateenemy 0",
     "Enemy Spectate set to OFF"},
    {Ctrl, F11, Switched, Act::Announce, "", "", "scr_teambalance 1", "Auto-TeamBalance set to ON"},
    {Alt, F11, Switched, Act::Announce, "", "", "scr_teambalance 0", "Auto-TeamBalance set to OFF"},
    {Ctrl, End, Switched, Act::SayTime, "", "", "", ""},
    {Ctrl, Insert, Switched, Act::StartScreenshots, "", "", "", ""},
    {Alt, Insert, Switched, Act::StopScreenshots, "", "", "", ""},
    {Ctrl, Home, Switched, Act::Send, "", "", "pb_sv_getss", ""},
    {Ctrl, Keypad3, Switched, Act::SayText, "", "", "", "Say1"},
    {Ctrl, Keypad6, Switched, Act::SayText, "", "", "", "Say2"},
    {Ctrl, Keypad9, Switched, Act::SayText, "", "", "", "Say3"},
    {Ctrl, KeypadStar, Always, Act::InGameWindow, "", "", "", ""},
};
} // namespace

ShortcutKeys::ShortcutKeys(frmMain *main)
    : QObject(main)
    , m_main(main)
    , m_keys(std::make_shared<KeyState>())
{
    setObjectName(QStringLiteral("shortcutKeys"));
    main->tmrShortKeys = Controls::timer(main, "tmrShortKeys", kPollMs);
    connect(main->tmrShortKeys, &QTimer::timeout, this, &ShortcutKeys::tmrShortKeys_Timer);
    showAvailability();
}

ShortcutKeys::~ShortcutKeys() = default;

void ShortcutKeys::readKeyboardOf(const QByteArray &x11Display)
{
    m_keys = std::make_shared<KeyState>(x11Display);
    showAvailability();
}

bool ShortcutKeys::isAvailable() const
{
    return m_keys->isAvailable();
}

// Where no global keyboard can be read the poll would only cost; panel 4 says why instead.
void ShortcutKeys::showAvailability()
{
    const bool available = m_keys->isAvailable();
    m_main->sb1->setPanelToolTip(
        4, available ? QStringLiteral("Ctrl + keypad + switches the shortcut keys on, Ctrl + "
                                      "keypad - switches them off.")
                     : m_keys->unavailableReason());
    if (available)
        m_main->tmrShortKeys->start();
    else
        m_main->tmrShortKeys->stop();
}

// A row that waits (an announcement) or asks (the not-connected box) holds the poll up until it
// is done: Qt never fires a timer again while its previous timeout is still running, so holding
// a key cannot pile up announcements inside one another.
void ShortcutKeys::tmrShortKeys_Timer()
{
    const std::shared_ptr<KeyState> keys = m_keys; // a row's wait may bring another keyboard
    keys->refresh();
    if (!keys->isDown(Ctrl) && !keys->isDown(Alt))
        return;
    const QPointer<ShortcutKeys> alive(this);
    for (const Row &row : kRows) {
        // A row earlier in this poll may have switched the keys on or off.
        const bool on
            = m_main->mnuExtraShortkeys->menuAction()->data().toString() == QLatin1String("1");
        if ((row.always || on) && keys->isDown(row.modifier) && keys->isDown(row.key))
            fire(row);
        if (!alive)
            return; // the program ended while the row waited
    }
}

QString ShortcutKeys::commandFor(const Row &row) const
{
    const QString game = m_main->session()->gameKind();
    if (game == QLatin1String("cod4") && *row.cod4)
        return QLatin1String(row.cod4);
    if (game == QLatin1String("cod2") && *row.cod2)
        return QLatin1String(row.cod2);
    return QLatin1String(row.others);
}

void ShortcutKeys::fire(const Row &row)
{
    RconSession *session = m_main->session();
    switch (row.act) {
    case Act::SwitchOn:
    case Act::SwitchOff:
        m_main->lifecycle->setShortkeysEnabled(row.act == Act::SwitchOn);
        break;
    case Act::ShowWindow:
    case Act::HideWindow:
        if (auto *tray = m_main->findChild<frmTray *>(QStringLiteral("frmTray"))) {
            if (row.act == Act::ShowWindow)
                tray->showMainWindow();
            else
                tray->hideMainWindow();
        }
        break;
    case Act::Announce:
        session->AnnounceChange(commandFor(row), QLatin1String(row.text));
        break;
    case Act::Send:
        session->SendCommand(commandFor(row));
        break;
    case Act::SayTime:
        session->SendCommand(QStringLiteral("say ^7") + m_main->lblAppShortNamer->text()
                             + QLatin1Char(' ') + m_main->lblAppVersionr->text()
                             + QStringLiteral(" ^4|| ^7Current time is ^4")
                             + QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
        break;
    case Act::StartScreenshots:
        m_main->autoScreenshots->cmdAutoPBSSStart_Click();
        break;
    case Act::StopScreenshots:
        m_main->autoScreenshots->cmdAutoPBSSStop_Click();
        break;
    case Act::SayText:
        // Read at the moment of the key, so a text changed by hand counts at once.
        session->SendCommand(QStringLiteral("Say ")
                             + ReadIni(programPath(QStringLiteral("Other.ini")),
                                       QStringLiteral("ShortkeySay"), QLatin1String(row.text)));
        break;
    case Act::InGameWindow:
        emit inGameWindowRequested();
        break;
    }
}
