#include "settings/GametypeTables.h"

#include <array>

namespace {

// clang-format off

// --- Call of Duty and United Offensive: the gametypes they share -------------------------------

// "Behind Enemey Lines" is how these announcements have always read on the servers' chat.
constexpr GametypeButton kDeathmatch        = {"Deathmatch",         "cmdDeathmatch",       "dm",  "Gametype changed to Deathmatch"};
constexpr GametypeButton kTeamDeathmatch    = {"Team Deathmatch",    "cmdTeamDeathmatch",   "tdm", "Gametype changed to Team Deathmatch"};
constexpr GametypeButton kSearchAndDestroy  = {"Search and Destroy", "cmdSearchAndDestroy", "sd",  "Gametype changed to Search and Destroy"};
constexpr GametypeButton kRetrieval         = {"Retrieval",          "cmdRetrieval",        "re",  "Gametype changed to Retrieval"};
constexpr GametypeButton kBehindEnemyLines  = {"Behind Enemy Lines", "cmdBehindEnemyLines", "bel", "Gametype changed to Behind Enemey Lines"};
constexpr GametypeButton kHeadquarters      = {"Headquarters",       "cmdHeadquarters",     "hq",  "Gametype changed to Headquarters"};
constexpr GametypeButton kCaptureTheFlag    = {"Capture the Flag",   "cmdCaptureTheFlag",   "ctf", "Gametype changed to Capture the Flag"};
constexpr GametypeButton kDomination        = {"Domination",         "cmdDomination",       "dom", "Gametype changed to Domination"};

constexpr GametypeRow kDM[] = {
    //    label            stem          prefix                  default
    entry("Score limit:", "ScoreLimit", "scr_dm_scorelimit ",   "50"),
    entry("Time limit:",  "TimeLimit",  "scr_dm_timelimit ",    "20"),
};

constexpr GametypeRow kTDM[] = {
    entry("Score limit:",         "ScoreLimit",       "scr_tdm_scorelimit ",   "150"),
    entry("Time limit:",          "TimeLimit",        "scr_tdm_timelimit ",    "20"),
    entry("Team score penalty:",  "TeamScorePenalty", "scr_teamscorepenalty ", "0"),
};

constexpr GametypeRow kSD[] = {
    entry("Score limit:",   "ScoreLimit",  "scr_sd_scorelimit ",  "6"),
    entry("Time limit:",    "TimeLimit",   "scr_sd_timelimit ",   "20"),
    entry("Round limit:",   "RoundLimit",  "scr_sd_roundlimit ",  "11"),
    entry("Round length:",  "RoundLength", "scr_sd_roundlength ", "4"),
    entry("Grace period:",  "GracePeriod", "scr_sd_graceperiod ", "15"),
};

constexpr GametypeRow kRE[] = {
    entry("Score limit:",   "ScoreLimit",  "scr_re_scorelimit ",  "6"),
    entry("Time limit:",    "TimeLimit",   "scr_re_timelimit ",   "20"),
    entry("Round limit:",   "RoundLimit",  "scr_re_roundlimit ",  "11"),
    entry("Round length:",  "RoundLength", "scr_re_roundlength ", "4"),
    entry("Grace period:",  "GracePeriod", "scr_re_graceperiod ", "15"),
    tick("Show carrier on compass", "ShowCarrier", "scr_re_showcarrier "),
};

// The seconds an Allied player has to stay alive to score a point: the BEL script reads them
// from scr_bel_alivepointtime.
constexpr GametypeRow kBEL[] = {
    entry("Score limit:",       "ScoreLimit",     "scr_bel_scorelimit ",     "60"),
    entry("Time limit:",        "TimeLimit",      "scr_bel_timelimit ",      "20"),
    entry("Alive point time:",  "AlivePointTime", "scr_bel_alivepointtime ", "10"),
};

constexpr GametypeRow kHQ[] = {
    entry("Score limit:", "ScoreLimit", "scr_hq_scorelimit ", "350"),
    entry("Time limit:",  "TimeLimit",  "scr_hq_timelimit ",  "20"),
};

// --- United Offensive only ----------------------------------------------------------------------

constexpr GametypeButton kBaseAssault = {"Base Assault", "cmdBaseAssault", "bas", "Gametype changed to Base Assault"};

constexpr GametypeRow kBAS[] = {
    entry("Score limit:",         "ScoreLimit",      "scr_bas_scorelimit ",        "200"),
    entry("Time limit:",          "TimeLimit",       "scr_bas_timelimit ",         "20"),
    entry("Round limit:",         "RoundLimit",      "scr_bas_roundlimit ",        "7"),
    entry("Round length:",        "RoundLength",     "scr_bas_roundlength ",       "5"),
    entry("Start round delay:",   "StartRoundDelay", "scr_bas_startrounddelay ",   "3"),
    entry("End round delay:",     "EndRoundDelay",   "scr_bas_endrounddelay ",     "3"),
    entry("Respawn wave time:",   "RespawnWaveTime", "scr_bas_respawn_wave_time ", "25"),
    tick("Clear score each round", "ClearScore",     "scr_bas_clearscoreeachround "),
};

// CTF clears its scores between rounds like BAS and DOM do, under its own gametype's name.
constexpr GametypeRow kUOCTF[] = {
    entry("Score limit:",         "ScoreLimit",      "scr_ctf_scorelimit ",        "200"),
    entry("Time limit:",          "TimeLimit",       "scr_ctf_timelimit ",         "20"),
    entry("Round limit:",         "RoundLimit",      "scr_ctf_roundlimit ",        "7"),
    entry("Round length:",        "RoundLength",     "scr_ctf_roundlength ",       "4"),
    entry("Start round delay:",   "StartRoundDelay", "scr_ctf_startrounddelay ",   "3"),
    entry("End round delay:",     "EndRoundDelay",   "scr_ctf_endrounddelay ",     "3"),
    tick("Show carrier on compass", "ShowCarrier",   "scr_ctf_showoncompass "),
    tick("Clear score each round",  "ClearScore",    "scr_ctf_clearscoreeachround "),
};

constexpr GametypeRow kDOM[] = {
    entry("Score limit:",         "ScoreLimit",      "scr_dom_scorelimit ",        "200"),
    entry("Time limit:",          "TimeLimit",       "scr_dom_timelimit ",         "20"),
    entry("Round limit:",         "RoundLimit",      "scr_dom_roundlimit ",        "7"),
    entry("Round length:",        "RoundLength",     "scr_dom_roundlength ",       "5"),
    entry("Start round delay:",   "StartRoundDelay", "scr_dom_startrounddelay ",   "3"),
    entry("End round delay:",     "EndRoundDelay",   "scr_dom_endrounddelay ",     "3"),
    entry("Respawn wave time:",   "RespawnWaveTime", "scr_dom_respawn_wave_time ", "25"),
    tick("Clear score each round", "ClearScore",     "scr_dom_clearscoreeachround "),
};

constexpr GametypeButton kCoDButtons[] = {
    kDeathmatch, kTeamDeathmatch, kSearchAndDestroy, kRetrieval, kBehindEnemyLines, kHeadquarters,
};

constexpr GametypeTab kCoDTabs[] = {
    {"DM", kDM}, {"TDM", kTDM}, {"SD", kSD}, {"RE", kRE}, {"BEL", kBEL}, {"HQ", kHQ},
};

constexpr GametypeButton kCoDUOButtons[] = {
    kDeathmatch, kTeamDeathmatch, kSearchAndDestroy, kRetrieval, kBehindEnemyLines, kHeadquarters,
    kBaseAssault, kCaptureTheFlag, kDomination,
};

constexpr GametypeTab kCoDUOTabs[] = {
    {"DM", kDM}, {"TDM", kTDM}, {"SD", kSD}, {"RE", kRE}, {"BEL", kBEL}, {"HQ", kHQ},
    {"BAS", kBAS}, {"CTF", kUOCTF}, {"DOM", kDOM},
};

// --- Call of Duty 2 -----------------------------------------------------------------------------

constexpr GametypeButton kCoD2Buttons[] = {
    kDeathmatch,
    {"Team Deathmatch", "cmdTeamDeathmatch", "tdm", "Gametype changed to TeamDeathmatch"},
    kSearchAndDestroy,
    kCaptureTheFlag,
    kHeadquarters,
};

constexpr GametypeRow kCoD2DM[] = {
    entry("Score limit:", "ScoreLimit", "scr_dm_scorelimit ", "50"),
    entry("Time limit:",  "TimeLimit",  "scr_dm_timelimit ",  "30"),
};

constexpr GametypeRow kCoD2TDM[] = {
    entry("Score limit:", "ScoreLimit", "scr_tdm_scorelimit ", "100"),
    entry("Time limit:",  "TimeLimit",  "scr_tdm_timelimit ",  "30"),
};

constexpr GametypeRow kCoD2SD[] = {
    entry("Score limit:",   "ScoreLimit",  "scr_sd_scorelimit ",  "10"),
    entry("Time limit:",    "TimeLimit",   "scr_sd_timelimit ",   "0"),
    entry("Round limit:",   "RoundLimit",  "scr_sd_roundlimit ",  "0"),
    entry("Round length:",  "RoundLength", "scr_sd_roundlength ", "4"),
    entry("Bomb timer:",    "BombTimer",   "scr_sd_bombtimer ",   "60"),
    entry("Grace period:",  "GracePeriod", "scr_sd_graceperiod ", "15"),
};

constexpr GametypeRow kCoD2CTF[] = {
    entry("Score limit:", "ScoreLimit", "scr_ctf_scorelimit ", "5"),
    entry("Time limit:",  "TimeLimit",  "scr_ctf_timelimit ",  "30"),
};

constexpr GametypeRow kCoD2HQ[] = {
    entry("Score limit:", "ScoreLimit", "scr_hq_scorelimit ", "450"),
    entry("Time limit:",  "TimeLimit",  "scr_hq_timelimit ",  "30"),
};

constexpr GametypeTab kCoD2Tabs[] = {
    {"DM", kCoD2DM}, {"TDM", kCoD2TDM}, {"SD", kCoD2SD}, {"CTF", kCoD2CTF}, {"HQ", kCoD2HQ},
};

// --- Call of Duty 4 -----------------------------------------------------------------------------

constexpr GametypeButton kCoD4Buttons[] = {
    {"Free For All",        "cmdFreeForAll",     "dm",   "Gametype changed to Free For All"},
    {"Team Deathmatch",     "cmdTeamDeathmatch", "war",  "Gametype changed to Team Deathmatch"},
    kSearchAndDestroy,
    kDomination,
    {"Sabotage",            "cmdSabotage",       "sab",  "Gametype changed to Sabotage"},
    {"King of the Hill",    "cmdKingOfTheHill",  "koth", "Gametype changed to King of the Hill"},
};

constexpr CommonField kCoD4Common[] = {
    // label                    stem                  variable
    {"Score limit:",           "ScoreLimit",         "scorelimit"},
    {"Time limit:",            "TimeLimit",          "timelimit"},
    {"Round limit:",           "RoundLimit",         "roundlimit"},
    {"Lives:",                 "Lives",              "numlives"},
    {"Player Respawn Delay:",  "PlayerRespawnDelay", "playerrespawndelay"},
    {"Wave Respawn Delay:",    "WaveRespawnDelay",   "waverespawndelay"},
};

constexpr GametypeRow kCoD4SD[] = {
    entry("Round switch:",  "RoundSwitch", "scr_sd_roundswitch ", "3"),
    entry("Bomb timer:",    "BombTimer",   "scr_sd_bombtimer ",   "45"),
    entry("Plant time:",    "PlantTime",   "scr_sd_planttime ",   "5"),
    entry("Defuse time:",   "DefuseTime",  "scr_sd_defusetime ",  "5"),
    tick("Multi bomb", "MultiBomb", "scr_sd_multibomb "),
};

constexpr GametypeRow kCoD4SAB[] = {
    entry("Round switch:",  "RoundSwitch", "scr_sab_roundswitch ", "1"),
    entry("Bomb timer:",    "BombTimer",   "scr_sab_bombtimer ",   "30"),
    entry("Plant time:",    "PlantTime",   "scr_sab_planttime ",   "2.5"),
    entry("Defuse time:",   "DefuseTime",  "scr_sab_defusetime ",  "5"),
    tick("Hot Potato", "HotPotato", "scr_sab_hotpotato "),
};

// The KOTH variables are the engine's own, without "scr_", and spelled with its capitals.
constexpr GametypeRow kCoD4KOTH[] = {
    entry("Round switch:",       "RoundSwitch",       "scr_koth_roundswitch ",  "1"),
    entry("Capture time:",       "CaptureTime",       "koth_capturetime ",      "20"),
    entry("Spawn delay:",        "SpawnDelay",        "koth_spawnDelay ",       "60"),
    entry("Delay player:",       "DelayPlayer",       "koth_delayPlayer ",      "0"),
    entry("Destroy time:",       "DestroyTime",       "koth_destroytime ",      "10"),
    entry("KOTH mode:",          "KOTHMode",          "koth_kothmode ",         "0"),
    entry("Spawn time:",         "SpawnTime",         "koth_spawntime ",        "0"),
    entry("Auto-destroy time:",  "AutoDestroyTime",   "koth_autodestroytime ",  "60"),
};

constexpr GametypeTab kCoD4Tabs[] = {
    // tab     further rows  code    score   time   rounds lives player wave
    {"FFA",  {},           "dm",   {"150", "10",  "1",   "0",  "0",   "0"}},
    {"TDM",  {},           "war",  {"750", "10",  "1",   "0",  "0",   "0"}},
    {"SD",   kCoD4SD,      "sd",   {"4",   "2.5", "0",   "1",  "0",   "0"}},
    {"DOM",  {},           "dom",  {"200", "0",   "1",   "0",  "0",   "0"}},
    {"SAB",  kCoD4SAB,     "sab",  {"1",   "20",  "0",   "0",  "7.5", "0"}},
    {"KOTH", kCoD4KOTH,    "koth", {"250", "15",  "1",   "0",  "0",   "0"}},
};

constexpr std::array<GametypeTable, 4> kTables = {{
    // game     form                       title prefix           buttons        tabs        common
    {"cod",   "frmDialogCoDGametype",   "Call of Duty - ",     kCoDButtons,   kCoDTabs,   {}},
    {"coduo", "frmDialogCoDUOGametype", "Call of Duty: UO - ", kCoDUOButtons, kCoDUOTabs, {}},
    {"cod2",  "frmDialogCoD2Gametype",  "Call of Duty 2 - ",   kCoD2Buttons,  kCoD2Tabs,  {}},
    {"cod4",  "frmDialogcoD4Gametype",  "Call of Duty 4 - ",   kCoD4Buttons,  kCoD4Tabs,  kCoD4Common},
}};

// clang-format on

constexpr bool tablesHold()
{
    for (const GametypeTable &t : kTables) {
        for (const GametypeTab &tab : t.tabs) {
            if (!prefixesEndInBlank(tab.rows))
                return false;
            // Common fields need a code and all six defaults, and only where the game has them.
            const bool common = tab.commonCode != nullptr;
            if (common != !t.commonFields.empty())
                return false;
            for (const char *d : tab.commonDefaults) {
                if ((d != nullptr) != common)
                    return false;
            }
        }
    }
    return true;
}
static_assert(tablesHold(), "a prefix lacks its blank, or an entry or common field its default");

} // namespace

std::span<const GametypeTable> gametypeTables()
{
    return kTables;
}

const GametypeTable *gametypeTable(const QString &gameKind)
{
    for (const GametypeTable &t : kTables) {
        if (gameKind == QLatin1String(t.gameKind))
            return &t;
    }
    return nullptr;
}

QString commonFieldPrefix(const char *code, const CommonField &field)
{
    return QStringLiteral("scr_") + QLatin1String(code) + QLatin1Char('_')
           + QLatin1String(field.variable) + QLatin1Char(' ');
}
