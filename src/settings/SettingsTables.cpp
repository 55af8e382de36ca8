#include "settings/SettingsTables.h"

#include <array>

namespace {

// clang-format off

// --- Call of Duty ------------------------------------------------------------------------------

constexpr SettingRow kCoDGeneral[] = {
    //       label               stem             buttons         command              announcements
    buttons("Team Balance:",    "TeamBalance",   kOnOff,         "scr_teambalance",   {"Auto-TeamBalance set to ON", "Auto-TeamBalance set to OFF"}),
    buttons("Enemy Spectate:",  "EnemySpectate", kOnOff,         "scr_spectateenemy", {"Enemy Spectate set to ON", "Enemy Spectate set to OFF"}),
    buttons("Free Look:",       "FreeLook",      kOnOff,         "scr_freelook",      {"Free Look set to ON", "Free Look set to OFF"}),
    buttons("Killcam:",         "Killcam",       kOnOff,         "setkillcam",        {"Killcam set to ON", "Killcam set to OFF"}),
    buttons("Friendly Fire:",   "FriendlyFire",  kFriendlyFire,  "setfriendlyfire",   {"Friendlyfire set to OFF", "Friendlyfire set to ON", "Friendlyfire set to REFLECT", "Friendlyfire set to SHARED"}),
    buttons("Team icons:",      "TeamIcons",     kOnOff,         "setdrawfriend",     {"Draw Friend (Team Icons) set to ON", "Draw Friend (Team Icons) set to OFF"}),
    buttons("Force respawn:",   "ForceRespawn",  kOnOff,         "scr_forcerespawn",  {"Force Respawn set to ON", "Force Respawn set to OFF"}),
};

constexpr SettingsTab kCoDTabs[] = {
    {"General", "frameGeneral", nullptr, kCoDGeneral},
    {"Weapons", "frameWeapons", nullptr, {}},
};

// The queries name the server's variables; the buttons of Killcam, Friendly Fire and Team icons
// use the game's own setter commands, which spell them differently.
constexpr SettingQuery kCoDQueries[] = {
    {"scr_friendlyfire",  "FriendlyFire"},
    {"scr_killcam",       "Killcam"},
    {"scr_spectatefree",  "FreeLook"},
    {"scr_spectateenemy", "EnemySpectate"},
    {"scr_teambalance",   "TeamBalance"},
    {"scr_drawfriend",    "TeamIcons"},
    {"scr_forcerespawn",  "ForceRespawn"},
};

// --- Call of Duty: United Offensive ------------------------------------------------------------

constexpr SettingRow kCoDUOGeneral[] = {
    //       label                  stem                 buttons          command              announcements
    buttons("Team Balance:",       "TeamBalance",       kOnOff,          "scr_teambalance",   {"Auto-TeamBalance set to ON", "Auto-TeamBalance set to OFF"}),
    buttons("Enemy Spectate:",     "EnemySpectate",     kOnOff,          "scr_spectateenemy", {"Enemy Spectate set to ON", "Enemy Spectate set to OFF"}),
    buttons("Free Look:",          "FreeLook",          kOnOff,          "scr_freelook",      {"Free Look set to ON", "Free Look set to OFF"}),
    buttons("Killcam:",            "Killcam",           kOnOff,          "setkillcam",        {"Killcam set to ON", "Killcam set to OFF"}),
    buttons("Friendly Fire:",      "FriendlyFire",      kFriendlyFire,   "setfriendlyfire",   {"Friendlyfire set to OFF", "Friendlyfire set to ON", "Friendlyfire set to REFLECT", "Friendlyfire set to SHARED"}),
    buttons("Team icons:",         "TeamIcons",         kOnOff,          "setdrawfriend",     {"Draw Friend (Team Icons) set to ON", "Draw Friend (Team Icons) set to OFF"}),
    buttons("Force respawn:",      "ForceRespawn",      kOnOff,          "scr_forcerespawn",  {"Force Respawn set to ON", "Force Respawn set to OFF"}),
    buttons("Drop health:",        "DropHealth",        kEnableDisable,  "scr_drophealth",    {"Drop health ENABLED", "Drop health DISABLED"}),
    buttons("Shellshock:",         "Shellshock",        kEnableDisable,  "scr_shellshock",    {"Shellshock ENABLED", "Shellshock DISABLED"}),
    buttons("Show Obituaries:",    "ShowObituaries",    kOnOff,          "sv_obituary",       {"Show Obituaries set to ON", "Show Obituaries set to OFF"}),
    buttons("Battle rank",         "BattleRank",        kEnableDisable,  "scr_battlerank",    {"Battle rank ENABLED", "Battle rank DISABLED"}),
    buttons("Battle rank symbols", "BattleRankSymbols", kEnableDisable,  "setdrawfriend",     {"Draw Friend (Team Icons) set to ON", "Draw Friend (Team Icons) set to OFF"}),
    note("lblBattleRankSymbolsInfo", "This shows the battle rank symbols above the head of your teammates."),
    heading("frameIdleSpectatorsKick", "Idle spectators kick"),
    //     label       field                    default  command
    field("Seconds:", "txtIdleSpectatorsKick", "300",   "g_inactivityspectator "),
    note("lblIdleSpectatorsKickInfo", "Idle spectators will be kicked after being idle for the entered seconds."),
};

constexpr SettingRow kCoDUOAdvanced[] = {
    heading("frameNightTime", "Night time"),
    // A click only sends: what the server makes of night time shows on the next retrieval.
    quietButtons("",  "NightTime", kEnableDisable, "sv_night", Click::SendOnly),
    //     label       field                      default  command
    field("Percent:", "txtNightTimePercent",     nullptr, "cg_tracerNightScale "),
    heading("frameWeaponTracers", "Weapon tracers"),
    field("Percent:", "txtWeaponTracersPercent", nullptr, "cg_tracerchanceLMG "),
    field("Width:",   "txtWeaponTracersWidth",   nullptr, "cg_tracerwidthLMG "),
    field("Length:",  "txtWeaponTracersLength",  nullptr, "cg_tracerlengthLMG "),
};

constexpr SettingsTab kCoDUOTabs[] = {
    {"General",  "frameGeneral",  nullptr, kCoDUOGeneral},
    {"Weapons",  "frameWeapons",  nullptr, {}},
    {"Vehicles", "frameVehicles", nullptr, {}},
    {"Advanced", "frameAdvanced", nullptr, kCoDUOAdvanced},
};

constexpr SettingQuery kCoDUOQueries[] = {
    {"scr_friendlyfire",      "FriendlyFire"},
    {"scr_killcam",           "Killcam"},
    {"scr_spectatefree",      "FreeLook"},
    {"scr_spectateenemy",     "EnemySpectate"},
    {"scr_teambalance",       "TeamBalance"},
    {"scr_drawfriend",        "TeamIcons"},
    {"scr_forcerespawn",      "ForceRespawn"},
    {"scr_drophealth",        "DropHealth"},
    {"scr_shellshock",        "Shellshock"},
    {"sv_obituary",           "ShowObituaries"},
    {"g_inactivityspectator", "txtIdleSpectatorsKick"},
    {"scr_battlerank",        "BattleRank"},
    {"setdrawfriend",         "BattleRankSymbols"},
    {"cg_tracerchanceLMG",    "txtWeaponTracersPercent"},
    {"cg_tracerwidthLMG",     "txtWeaponTracersWidth"},
    {"cg_tracerlengthLMG",    "txtWeaponTracersLength"},
    {"sv_night",              "NightTime"},
    {"cg_tracerNightScale",   "txtNightTimePercent"},
};

// --- CoD2 and CoD4: the tabs they share ----------------------------------------------------------

constexpr SettingRow kVoiceChat[] = {
    //       label                  stem              buttons          command              announcements
    buttons("Voice Chat:",         "VoiceChat",       kEnableDisable,  "sv_voice",          {"Voice Chat ENABLED", "Voice Chat DISABLE"}),
    slider("Quality:",             "slrVoiceChatQuality",              "sv_voicequality "),
    buttons("Voice Deadchat:",     "VoiceDeadchat",   kOnOff,          "voice_deadChat",    {"Voice Deadchat ENABLED", "Voice Deadchat DISABLED"}),
    buttons("Voice Global:",       "VoiceGlobal",     kOnOff,          "voice_global",      {"Voice Global ENABLED", "Voice Global DISABLED"}),
    buttons("Local Echo:",         "LocalEcho",       kOnOff,          "voice_localEcho",   {"Voice Local Echo set to ON", "Voice Local Echo set to OFF"}),
    buttons("WinVoice Mic Mute:",  "WinVoiceMicMute", kOnOff,          "winvoice_mic_mute", {"WinVoice Mic Mute set to ON", "WinVoice Mic Mute set to OFF"}),
};

constexpr SettingRow kClientSettings[] = {
    //     label            field            default  command
    field("Time Out:",     "txtTimeOut",    "240",   "sv_timeout "),
    field("Zombie Time:",  "txtZombieTime", "2",     "sv_zombietime "),
    //       label                     stem                    buttons  command                    announcements
    buttons("Inactivity:",            "Inactivity",           kOnOff,  "g_inactivity",            {"Inactivity Timeout set to ON", "Inactivity Timeout set to OFF"}),
    buttons("Spectator Inactivity:",  "SpectatorInactivity",  kOnOff,  "g_inactivityspectator",   {"Inactivity Spectator Timeout set to ON", "Inactivity Spectator Timeout set to OFF"}),
    buttons("Disable Clientconsole:", "DisableClientconsole", kOnOff,  "sv_disableClientConsole", {"Disable Client Console set to ON", "Disable Client Console set to OFF"}),
    buttons("No Script Spam:",        "NoScriptSpam",         kOnOff,  "g_no_script_spam",        {"No Script Spam set to ON", "No Script Spam set to OFF"}),
    buttons("Anti Lag:",              "AntiLag",              kOnOff,  "g_antilag",               {"Anti Lag set to ON", "Anti Lag set to OFF"}),
};

// --- Call of Duty 2 ----------------------------------------------------------------------------

constexpr SettingRow kCoD2General[] = {
    //       label               stem             buttons         command              announcements
    buttons("Team Balance:",    "TeamBalance",   kOnOff,         "scr_teambalance",   {"Auto-TeamBalance set to ON", "Auto-TeamBalance set to OFF"}),
    buttons("Enemy Spectate:",  "EnemySpectate", kOnOff,         "scr_spectateenemy", {"Enemy Spectate set to ON", "Enemy Spectate set to OFF"}),
    buttons("Free Spectate:",   "FreeSpectate",  kOnOff,         "scr_spectatefree",  {"Free Spectate set to ON", "Free Spectate set to OFF"}),
    buttons("Killcam:",         "Killcam",       kOnOff,         "scr_killcam",       {"Killcam set to ON", "Killcam set to OFF"}),
    buttons("Friendly Fire:",   "FriendlyFire",  kFriendlyFire,  "scr_friendlyfire",  {"Friendlyfire set to OFF", "Friendlyfire set to ON", "Friendlyfire set to REFLECT", "Friendlyfire set to SHARED"}),
    buttons("Team Icons:",      "TeamIcons",     kOnOff,         "scr_drawfriend",    {"Draw Friend (Team Icons) set to ON", "Draw Friend (Team Icons) set to OFF"}),
    buttons("Force Respawn:",   "ForceRespawn",  kOnOff,         "scr_forcerespawn",  {"Force Respawn set to ON", "Force Respawn set to OFF"}),
};

constexpr SettingsTab kCoD2Tabs[] = {
    {"General",         "frameGeneral",        nullptr, kCoD2General},
    {"Weapons",         "frameWeapons",        nullptr, {}},
    {"Voice Chat",      "frameVoiceChat",      nullptr, kVoiceChat},
    {"Client Settings", "frameClientSettings", nullptr, kClientSettings},
};

constexpr SettingQuery kCoD2Queries[] = {
    {"scr_friendlyfire",        "FriendlyFire"},
    {"scr_killcam",             "Killcam"},
    {"scr_spectatefree",        "FreeSpectate"},
    {"scr_spectateenemy",       "EnemySpectate"},
    {"scr_teambalance",         "TeamBalance"},
    {"scr_drawfriend",          "TeamIcons"},
    {"scr_forcerespawn",        "ForceRespawn"},
    {"sv_voice",                "VoiceChat"},
    {"sv_voicequality",         "slrVoiceChatQuality"},
    {"voice_deadChat",          "VoiceDeadchat"},
    {"voice_global",            "VoiceGlobal"},
    {"voice_localEcho",         "LocalEcho"},
    {"winvoice_mic_mute",       "WinVoiceMicMute"},
    {"sv_timeout",              "txtTimeOut"},
    {"sv_zombietime",           "txtZombieTime"},
    {"g_inactivity",            "Inactivity"},
    {"g_inactivityspectator",   "SpectatorInactivity"},
    {"sv_disableClientConsole", "DisableClientconsole"},
    {"g_no_script_spam",        "NoScriptSpam"},
    {"g_antilag",               "AntiLag"},
};

// --- Call of Duty 4 ----------------------------------------------------------------------------

// Read back, anything but team-only (1) or free (2) shows as Disable, as the pairs show Off.
constexpr Choice kSpectateTypeChoices[] = {
    {"Disable", 0, "DISABLE"}, {"Team/Players Only", 1, "TEAM"}, {"Free", 2, "FREE"}};
constexpr ChoiceSet kSpectateType = {kSpectateTypeChoices, Unmatched::MarksZero};

constexpr SettingRow kCoD4General[] = {
    //       label                        stem                    buttons          command                    announcements
    buttons("Team Balance:",             "TeamBalance",          kOnOff,          "scr_teambalance",         {"Auto-TeamBalance set to ON", "Auto-TeamBalance set to OFF"}),
    buttons("Killcam:",                  "Killcam",              kOnOff,          "scr_game_allowkillcam",   {"Killcam set to ON", "Killcam set to OFF"}),
    buttons("Friendly Fire:",            "FriendlyFire",         kFriendlyFire,   "scr_team_fftype",         {"Friendlyfire set to OFF", "Friendlyfire set to ON", "Friendlyfire set to REFLECT", "Friendlyfire set to SHARED"}),
    buttons("Team Icons:",               "TeamIcons",            kOnOff,          "scr_drawfriend",          {"Draw Friend (Team Icons) set to ON", "Draw Friend (Team Icons) set to OFF"}),
    buttons("Force Respawn:",            "ForceRespawn",         kOnOff,          "scr_player_forcerespawn", {"Force Respawn set to ON", "Force Respawn set to OFF"}),
    buttons("Spectate Type:",            "SpectateType",         kSpectateType,   "scr_game_spectatetype",   {"Spectate Type set to DISABLED", "Spectate Type set to TEAM/PLAYERS ONLY", "Spectate Type set to FREE"}),
    buttons("Show Enemies on Compass:",  "ShowEnemiesOnCompass", kEnableDisable,  "g_compassShowEnemies",    {"Show Enemies on Compass ENABLED", "Show Enemies on Compass DISABLED"}),
    buttons("Hardcore:",                 "Hardcore",             kOnOff,          "scr_hardcore",            {"Hardcore set to ON", "Hardcore set to OFF"}),
    buttons("Oldschool:",                "Oldschool",            kOnOff,          "scr_oldschool_mw",        {"Oldschool set to ON", "Oldschool set to OFF"}),
    buttons("Nightvision:",              "Nightvision",          kEnableDisable,  "scr_enable_nightvision",  {"Nightvision ENABLED", "Nightvision DISABLED"}),
    buttons("Music:",                    "Music",                kEnableDisable,  "scr_enable_music",        {"Music ENABLED", "Music DISABLED"}),
    buttons("Hit Icon:",                 "HitIcon",              kEnableDisable,  "scr_enable_hiticon",      {"Hit Icon ENABLED", "Hit Icon DISABLED"}),
    buttons("Show Obituaries:",          "ShowObituaries",       kOnOff,          "ui_hud_obituaries",       {"Show Obituaries set to ON", "Show Obituaries set to OFF"}),
    buttons("Show Object Icons:",        "ShowObjectIcons",      kOnOff,          "ui_hud_showobjicons",     {"Show Object Icons set to ON", "Show Object Icons set to OFF"}),
};

// Sprint Time and Health Regent Time keep the two blanks these buttons have always sent before the
// value; the server's console skips repeated blanks, so they change nothing there.
constexpr SettingRow kCoD4Specials[] = {
    //     label                   field                  default  command
    field("Sprint Time:",         "txtSprintTime",       "4",     "scr_player_sprinttime  "),
    field("Health Regent Time:",  "txtHealthRegentTime", "5",     "scr_player_healthregentime  "),
    field("Max. Health:",         "txtMaxHealth",        "100",   "scr_player_maxhealth "),
    //       label                        stem                     buttons          command                         announcements
    buttons("Hardpoints",                "Hardpoints",            kEnableDisable,  "scr_game_hardpoints",          {"Hardpoints ENABLED", "Hardpoints DISABLED"}),
    buttons("Allow Artillery:",          "AllowArtillery",        kOnOff,          "scr_hardpoint_allowartillery", {"Hardpoints Allow Artillery set to ON", "Hardpoints Allow Artillery set to OFF"}),
    buttons("Allow AUV:",                "AllowAUV",              kOnOff,          "scr_hardpoint_allowuav",       {"Hardpoints Allow AUV set to ON", "Hardpoints Allow AUV set to OFF"}),
    buttons("Allow Helicopter:",         "AllowHelicopter",       kOnOff,          "scr_hardpoint_allowhelicopter",{"Hardpoints Allow Helicopter set to ON", "Hardpoints Allow Helicopter set to OFF"}),
    buttons("Force AUV:",                "ForceAUV",              kOnOff,          "scr_game_forceuav",            {"Force AUV set to ON", "Force AUV set to OFF"}),
    buttons("Only Headshots:",           "OnlyHeadshots",         kOnOff,          "scr_game_onlyheadshots",       {"Only Headshots set to ON", "Only Headshots set to OFF"}),
    buttons("Death Point Loss:",         "DeathPointLoss",        kOnOff,          "scr_game_deathpointloss",      {"Death Point Loss set to ON", "Death Point Loss set to OFF"}),
    buttons("Teamkill Point Loss:",      "TeamkillPointLoss",     kOnOff,          "scr_team_teamkillpointloss",   {"Teamkill Point Loss ON", "Teamkill Point Loss OFF"}),
    buttons("Suicide Point Loss:",       "SuicidePointLoss",      kOnOff,          "scr_game_suicidepointloss",    {"Suicide Point Loss set to ON", "Suicide Point Loss set to OFF"}),
    buttons("Suicide Spawn Delay:",      "SuicideSpawnDelay",     kOnOff,          "scr_player_suicidespawndelay", {"Suicide Spawn Delay set to ON", "Suicide Spawn Delay set to OFF"}),
    buttons("Teamkillers Spawn Delay:",  "TeamkillersSpawnDelay", kOnOff,          "scr_team_teamkillspawndelay",  {"Teamkillers Spawn Delay set to ON", "Teamkillers Spawn Delay set to OFF"}),
    buttons("Kick Teamkillers:",         "KickTeamkillers",       kOnOff,          "scr_team_kickteamkillers",     {"Kick Teamkillers set to ON", "Kick Teamkillers set to OFF"}),
};

constexpr SettingsTab kCoD4Tabs[] = {
    {"General",         "frameGeneral",        "tabGeneral",        kCoD4General},
    {"Specials",        "frameSpecials",       "tabSpecials",       kCoD4Specials},
    {"Weapons",         "frameWeapons",        "tabWeapons",        {}},
    {"Voice Chat",      "frameVoiceChat",      "tabVoiceChat",      kVoiceChat},
    {"Client Settings", "frameClientSettings", "tabClientSettings", kClientSettings},
};

// Force Respawn is read as scr_forcerespawn although CoD4 sets it as scr_player_forcerespawn.
constexpr SettingQuery kCoD4Queries[] = {
    {"scr_team_fftype",               "FriendlyFire"},
    {"scr_game_allowkillcam",         "Killcam"},
    {"scr_game_spectatetype",         "SpectateType"},
    {"scr_teambalance",               "TeamBalance"},
    {"scr_drawfriend",                "TeamIcons"},
    {"scr_forcerespawn",              "ForceRespawn"},
    {"g_compassShowEnemies",          "ShowEnemiesOnCompass"},
    {"scr_enable_nightvision",        "Nightvision"},
    {"scr_enable_music",              "Music"},
    {"scr_enable_hiticon",            "HitIcon"},
    {"ui_hud_obituaries",             "ShowObituaries"},
    {"ui_hud_showobjicons",           "ShowObjectIcons"},
    {"scr_hardcore",                  "Hardcore"},
    {"scr_oldschool_mw",              "Oldschool"},
    {"scr_team_kickteamkillers",      "KickTeamkillers"},
    {"scr_team_teamkillspawndelay",   "TeamkillersSpawnDelay"},
    {"scr_team_teamkillpointloss",    "TeamkillPointLoss"},
    {"scr_player_suicidespawndelay",  "SuicideSpawnDelay"},
    {"scr_game_suicidepointloss",     "SuicidePointLoss"},
    {"scr_game_deathpointloss",       "DeathPointLoss"},
    {"scr_game_onlyheadshots",        "OnlyHeadshots"},
    {"scr_game_forceuav",             "ForceAUV"},
    {"scr_player_maxhealth",          "txtMaxHealth"},
    {"scr_player_healthregentime",    "txtHealthRegentTime"},
    {"scr_player_sprinttime",         "txtSprintTime"},
    {"scr_game_hardpoints",           "Hardpoints"},
    {"scr_hardpoint_allowartillery",  "AllowArtillery"},
    {"scr_hardpoint_allowuav",        "AllowAUV"},
    {"scr_hardpoint_allowhelicopter", "AllowHelicopter"},
    {"sv_voice",                      "VoiceChat"},
    {"sv_voicequality",               "slrVoiceChatQuality"},
    {"voice_deadChat",                "VoiceDeadchat"},
    {"voice_global",                  "VoiceGlobal"},
    {"voice_localEcho",               "LocalEcho"},
    {"winvoice_mic_mute",             "WinVoiceMicMute"},
    {"sv_timeout",                    "txtTimeOut"},
    {"sv_zombietime",                 "txtZombieTime"},
    {"g_inactivity",                  "Inactivity"},
    {"g_inactivityspectator",         "SpectatorInactivity"},
    {"sv_disableClientConsole",       "DisableClientconsole"},
    {"g_no_script_spam",              "NoScriptSpam"},
    {"g_antilag",                     "AntiLag"},
};

constexpr std::array<SettingsTable, 4> kTables = {{
    // game     form               title               tabs         queries        watch
    {"cod",   "frmDialogCoD",   "Call of Duty",     kCoDTabs,    kCoDQueries,   true},
    {"coduo", "frmDialogCoDUO", "Call of Duty: UO", kCoDUOTabs,  kCoDUOQueries, false},
    {"cod2",  "frmDialogCoD2",  "Call of Duty 2",   kCoD2Tabs,   kCoD2Queries,  true},
    {"cod4",  "frmDialogCoD4",  "Call of Duty 4",   kCoD4Tabs,   kCoD4Queries,  true},
}};

// clang-format on

constexpr bool tablesHold()
{
    for (const SettingsTable &t : kTables) {
        if (!queriesHaveTargets(t.queries, t.tabs))
            return false;
        for (const SettingsTab &tab : t.tabs) {
            if (!rowsAreComplete(tab.rows))
                return false;
        }
    }
    return true;
}
static_assert(tablesHold(), "a query fills no control, or a group lacks an announcement");

} // namespace

std::span<const SettingsTable> settingsTables()
{
    return kTables;
}

const SettingsTable *settingsTable(const QString &gameKind)
{
    for (const SettingsTable &t : kTables) {
        if (gameKind == QLatin1String(t.gameKind))
            return &t;
    }
    return nullptr;
}
