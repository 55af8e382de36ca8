#include "admin/WarCenterSetups.h"

#include <array>

namespace {

// clang-format off

constexpr std::array<WarField, 6> kSDFields = {{
    // name                 caption            initial  value                    message when empty
    {"txtSDPassword",       "Password:",       "",      WarValue::Password,      "Set password!"},
    {"txtSDScoreLimit",     "Score limit:",    "10",    WarValue::ScoreLimit,    "Set score limit!"},
    {"txtSDTimeLimit",      "Time limit:",     "0",     WarValue::TimeLimit,     "Set time limit!"},
    {"txtSDRoundLimit",     "Round limit:",    "10",    WarValue::RoundLimit,    "Set round limit!"},
    {"txtSDRoundLength",    "Round length:",   "4",     WarValue::RoundLength,   "Set round length!"},
    {"txtSDGracePeriod",    "Grace period:",   "15",    WarValue::GracePeriod,   "Set grace period!"},
}};

constexpr std::array<WarField, 3> kTDMFields = {{
    {"txtTDMPassword",      "Password:",       "",      WarValue::Password,      "Set password!"},
    {"txtTDMScoreLimit",    "Score limit:",    "0",     WarValue::ScoreLimit,    "Set score limit!"},
    {"txtTDMTimeLimit",     "Time limit:",     "15",    WarValue::TimeLimit,     "Set time limit!"},
}};

constexpr std::array<WarCheckBox, 7> kSDCheckBoxes = {{
    {"ckSDKillcam",         "Killcam",                   WarValue::Killcam},
    {"ckSDFreelook",        "Freelook",                  WarValue::Freelook},
    {"ckSDEnemySpectate",   "Enemy Spectate",            WarValue::EnemySpectate},
    {"ckSDFriendlyFire",    "Friendlyfire",              WarValue::FriendlyFire},
    {"ckSDDrawFriend",      "Draw Friend (Team icons)",  WarValue::DrawFriend},
    {"ckSDFG42",            "FG42",                      WarValue::FG42},
    {"ckSDPF",              "Panzerfaust",               WarValue::Panzerfaust},
}};

constexpr std::array<WarCheckBox, 8> kTDMCheckBoxes = {{
    {"ckTDMKillcam",        "Killcam",                   WarValue::Killcam},
    {"ckTDMFreelook",       "Freelook",                  WarValue::Freelook},
    {"ckTDMEnemySpectate",  "Enemy Spectate",            WarValue::EnemySpectate},
    {"ckTDMFriendlyFire",   "Friendlyfire",              WarValue::FriendlyFire},
    {"ckTDMDrawFriend",     "Draw Friend (Team icons)",  WarValue::DrawFriend},
    {"ckTDMForceRespawn",   "Force Respawn",             WarValue::ForceRespawn},
    {"ckTDMFG42",           "FG42",                      WarValue::FG42},
    {"ckTDMPF",             "Panzerfaust",               WarValue::Panzerfaust},
}};

constexpr std::array<WarStep, 23> kSDSteps = {{
    // CoD2                     other games                value
    {"say",                     "say",                     WarValue::Announcement},     //  1
    {"scr_killcam",             "setkillcam",              WarValue::Killcam},          //  2
    {"scr_spectatefree",        "scr_freelook",            WarValue::Freelook},         //  3
    {"scr_spectateenemy",       "scr_spectateenemy",       WarValue::EnemySpectate},    //  4
    {"scr_friendlyfire",        "setfriendlyfire",         WarValue::FriendlyFire},     //  5
    {"scr_teambalance 0",       "scr_teambalance 0",       WarValue::None},             //  6
    {"scr_drawfriend",          "setdrawfriend",           WarValue::DrawFriend},       //  7
    {"g_password",              "g_password",              WarValue::Password},         //  8
    {"scr_sd_scorelimit",       "scr_sd_scorelimit",       WarValue::ScoreLimit},       //  9
    {"scr_sd_timelimit",        "scr_sd_timelimit",        WarValue::TimeLimit},        // 10
    {"scr_sd_roundlimit",       "scr_sd_roundlimit",       WarValue::RoundLimit},       // 11
    {"scr_sd_roundlength",      "scr_sd_roundlength",      WarValue::RoundLength},      // 12
    {"scr_sd_graceperiod",      "scr_sd_graceperiod",      WarValue::GracePeriod},      // 13
    {"scr_allow_fg42",          "scr_allow_fg42",          WarValue::FG42},             // 14
    {"scr_allow_panzerfaust",   "scr_allow_panzerfaust",   WarValue::Panzerfaust},      // 15
    {"set g_allowVote 0",       "set g_allowVote 0",       WarValue::None},             // 16
    {"sv_minPing 0",            "sv_minPing 0",            WarValue::None},             // 17
    {"sv_maxPing 0",            "sv_maxPing 0",            WarValue::None},             // 18
    {"sv_pure 1",               "sv_pure 1",               WarValue::None},             // 19
    {"sv_cheats 0",             "sv_cheats 0",             WarValue::None},             // 20
    {"logfile 1",               "logfile 1",               WarValue::None},             // 21
    {"g_gametype sd",           "g_gametype sd",           WarValue::None},             // 22
    {"map",                     "map",                     WarValue::Map},              // 23
}};

constexpr std::array<WarStep, 21> kTDMSteps = {{
    // CoD2                     other games                value
    {"say",                     "say",                     WarValue::Announcement},     //  1
    {"scr_killcam",             "setkillcam",              WarValue::Killcam},          //  2
    {"scr_spectatefree",        "scr_freelook",            WarValue::Freelook},         //  3
    {"scr_spectateenemy",       "scr_spectateenemy",       WarValue::EnemySpectate},    //  4
    {"scr_friendlyfire",        "setfriendlyfire",         WarValue::FriendlyFire},     //  5
    {"scr_teambalance 0",       "scr_teambalance 0",       WarValue::None},             //  6
    {"scr_drawfriend",          "setdrawfriend",           WarValue::DrawFriend},       //  7
    {"g_password",              "g_password",              WarValue::Password},         //  8
    {"scr_tdm_scorelimit",      "scr_tdm_scorelimit",      WarValue::ScoreLimit},       //  9
    {"scr_tdm_timelimit",       "scr_tdm_timelimit",       WarValue::TimeLimit},        // 10
    {"scr_forcerespawn",        "scr_forcerespawn",        WarValue::ForceRespawn},     // 11
    {"scr_allow_fg42",          "scr_allow_fg42",          WarValue::FG42},             // 12
    {"scr_allow_panzerfaust",   "scr_allow_panzerfaust",   WarValue::Panzerfaust},      // 13
    {"set g_allowVote 0",       "set g_allowVote 0",       WarValue::None},             // 14
    {"sv_minPing 0",            "sv_minPing 0",            WarValue::None},             // 15
    {"sv_maxPing 0",            "sv_maxPing 0",            WarValue::None},             // 16
    {"sv_pure 1",               "sv_pure 1",               WarValue::None},             // 17
    {"sv_cheats 0",             "sv_cheats 0",             WarValue::None},             // 18
    {"logfile 1",               "logfile 1",               WarValue::None},             // 19
    {"g_gametype tdm",          "g_gametype tdm",          WarValue::None},             // 20
    {"map",                     "map",                     WarValue::Map},              // 21
}};

constexpr std::array<WarFixedSetting, 7> kFixedSettings = {{
    {"AllowVote",     "Allow vote OFF"},
    {"Teambalance",   "Auto-Teambalance OFF"},
    {"Logfile",       "Logfile ON"},
    {"Cheats",        "Cheats OFF"},
    {"Pure",          "Pure: Yes"},
    {"MaxPing",       "Max. Ping: 0"},
    {"MinPing",       "Min. Ping: 0"},
}};

constexpr std::array<const char *, 50> kMaps = {
    // Call of Duty
    "mp_bocage", "mp_brecourt", "mp_carentan", "mp_chateau", "mp_dawnville", "mp_depot",
    "mp_harbor", "mp_hurtgen", "mp_neuville", "mp_pavlov", "mp_powcamp", "mp_railyard",
    "mp_rocket", "mp_ship", "mp_stalingrad", "mp_tigertown",
    // United Offensive
    "mp_arnhem", "mp_berlin", "mp_cassino", "mp_foy", "mp_italy", "mp_kharkov", "mp_kursk",
    "mp_ponyri", "mp_rhinevalley", "mp_sicily", "mp_uo_stanjel", "mp_peaks", "mp_streets",
    "mp_uo_carentan", "mp_uo_dawnville", "mp_uo_depot", "mp_uo_harbor", "mp_uo_hurtgen",
    "mp_uo_powcamp",
    // Call of Duty 2
    "mp_breakout", "mp_brecourt", "mp_burgundy", "mp_carentan", "mp_dawnville", "mp_decoy",
    "mp_downtown", "mp_farmhouse", "mp_leningrad", "mp_matmata", "mp_railyard", "mp_toujane",
    "mp_trainstation", "mp_harbor", "mp_rhine",
};

constexpr std::array<WarPanel, 2> kPanels = {{
    {"SD", "frameSD", "Search and Destroy [All SD]", "Search and Destroy",
     "cbMap1", "cmdGetMapsSD", "cmdSetSD", "Set SD War Config", "tmrSetSD", "pb1",
     kSDFields, kSDCheckBoxes, kSDSteps},
    {"TDM", "frameTDM", "Team Deathmatch [All TDM and DM 1on1]", "Team Deathmatch",
     "cbMap2", "cmdGetMapsTDM", "cmdSetTDM", "Set TDM War Config", "tmrSetTDM", "pbTDM",
     kTDMFields, kTDMCheckBoxes, kTDMSteps},
}};

// clang-format on

} // namespace

std::span<const WarPanel> warPanels()
{
    return kPanels;
}

std::span<const WarFixedSetting> warFixedSettings()
{
    return kFixedSettings;
}

std::span<const char *const> warMaps()
{
    return kMaps;
}

QString warCommand(const WarStep &step, bool cod2, const std::function<QString(WarValue)> &valueOf)
{
    const QString command = QLatin1String(cod2 ? step.cod2 : step.other);
    if (step.value == WarValue::None)
        return command;
    return command + QLatin1Char(' ') + valueOf(step.value);
}
