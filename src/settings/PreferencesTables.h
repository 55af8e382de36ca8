#pragma once

// What the preferences dialog edits: each control, its caption and the key it loads and writes.
// The pages are the entries of the dialog's list, in its order.

enum class PrefPage { General, Server, Console, Messages, GameDirectories };

// A check box: "1" when checked, "0" when not.
struct PrefCheck
{
    PrefPage page;
    const char *name;
    const char *caption;
    const char *section;
    const char *key;
};

// clang-format off
inline constexpr PrefCheck kPrefChecks[] = {
    // page                       control                    caption                                                        section         key
    {PrefPage::General,         "ckConnectOnSelect",       "Connect automaticaly after selecting a profile.",             "Settings",     "ConnectOnSelect"},
    {PrefPage::General,         "ckMainCloseButton",       "Use the close button in the main window as hide button.",     "Settings",     "MainCloseButtonFunction"},
    {PrefPage::General,         "ckServProWin",            "Don't show the Server profiles window on startup.",           "Settings",     "DontShowProfilesOnStartup"},
    {PrefPage::General,         "ckCheckForUpdate",        "Check for update on start-up.",                               "Settings",     "CheckForUpdate"},
    {PrefPage::Console,         "ckConsoleHideColorNames", "Hide Color Names.",                                           "Console",      "ColorNames"},
    {PrefPage::Messages,        "ckIngameMess",            "Don't show the ingame setting messages.",                     "Messages",     "IngameMess"},
    {PrefPage::Messages,        "ckIngameMessOnChange",    "Don't show the program's name when changing settings.",       "Messages",     "IngameMessOnChange"},
    {PrefPage::Messages,        "ckIngameMessOnAuto",      "Don't show the program's name when sending auto messages.",   "Messages",     "IngameMessOnAuto"},
    {PrefPage::Messages,        "ckIngameMessOnSend",      "Don't show the program's name when sending a message.",       "Messages",     "IngameMessOnSend"},
    {PrefPage::GameDirectories, "ckNameShowJoin",          "Show message that you join with Vantor.",                     "GameSettings", "MessageJoin"},
    {PrefPage::GameDirectories, "ckCloseOnStart",          "Bring Vantor to tray when joining the server.",               "GameSettings", "BringToTray"},
};
// clang-format on

// A check box that switches something on a period, with the slider that sets the period in
// seconds. The ping meter's pair lives in the current profile's preferences.
struct PrefTimed
{
    PrefPage page;
    const char *check;
    const char *caption;
    const char *slider;
    const char *section;
    const char *onKey;
    const char *secondsKey;
    int minimum;
    int maximum;
    int initial; // until a value is read
    bool perProfile;
};

// clang-format off
inline constexpr PrefTimed kPrefTimed[] = {
    // page                check              caption                              slider              section          on key              seconds key           min max initial profile
    {PrefPage::Server,  "ckPingMeter",     "Turn ping meter on.",               "sldPingMeter",     "Ping Settings", "PingMeterEnable",  "PingMeterTime",      1,  20, 5,      true},
    {PrefPage::Console, "ckConsoleClear",  "Enable clear console (seconds):",   "slrConsoleClear",  "Console",       "ConsoleClear",     "ConsoleClearTime",   0,  65, 60,     false},
    {PrefPage::Console, "ckConsoleStatus", "Enable refresh status (seconds):",  "slrConsoleStatus", "Console",       "ConsoleStatus",    "ConsoleStatusTime",  0,  65, 30,     false},
};
// clang-format on

// One game's row on the Game Directory's page.
struct PrefGameDirectory
{
    const char *gameKind;
    const char *caption;
    const char *directoryLabel;
    const char *setButton;
    const char *resetButton;
    const char *testButton;
};

// clang-format off
inline constexpr PrefGameDirectory kPrefGameDirectories[] = {
    // game     caption                            directory       Set Directory   Reset            Test
    {"cod",   "Call of Duty:",                   "lblGameDir",   "cmdSetDir",    "cmdResetDir",   "cmdTestCoD"},
    {"coduo", "Call of Duty United Offensive:",  "lblGameUODir", "cmdSetUODir",  "cmdResetUODir", "cmdTestCoDUO"},
    {"cod2",  "Call of Duty 2:",                 "lblGame2Dir",  "cmdSet2Dir",   "cmdReset2Dir",  "cmdTestCoD2"},
    {"cod4",  "Call of Duty 4:",                 "lblGame4Dir",  "cmdSet4Dir",   "cmdReset4Dir",  "cmdTestCoD4"},
};
// clang-format on

// The per-profile FTP settings: the field (or, for the log directory, the label) and its key in
// [FTP Settings].
struct PrefFtpField
{
    const char *name;
    const char *caption;
    const char *key;
};

// clang-format off
inline constexpr PrefFtpField kPrefFtpFields[] = {
    {"txtFTPIP",            "FTP address:",   "IP"},
    {"txtFTPPort",          "Port:",          "Port"},
    {"txtFTPUsername",      "Username:",      "Username"},
    {"txtFTPPassword",      "Password:",      "Password"},
    {"lblFTPLogsDirectory", "Logs directory:", "LogsDirectory"},
};
// clang-format on
