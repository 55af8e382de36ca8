#include "settings/GeneralTables.h"

#include <iterator>

namespace {

// clang-format off

// The button names these pairs have always had, whatever their captions say.
constexpr Choice kYesNoChoices[] = {{"Yes", 1, "YES"}, {"No", 0, "NO"}};
constexpr Choice kEnableDisableOnOffChoices[] = {{"Enable", 1, "ON"}, {"Disable", 0, "OFF"}};
constexpr Choice kAllowChoices[] = {{"Allow", 1, "ON"}, {"Don't allow", 0, "OFF"}};
constexpr Choice kConsoleChatChoices[] = {{"Allow", 1, "ENABLED"}, {"Don't allow", 0, "DISABLED"}};
constexpr ChoiceSet kYesNo = {kYesNoChoices, Unmatched::MarksZero};
constexpr ChoiceSet kEnableDisableOnOff = {kEnableDisableOnOffChoices, Unmatched::MarksZero};
constexpr ChoiceSet kAllow = {kAllowChoices, Unmatched::MarksZero};
constexpr ChoiceSet kConsoleChat = {kConsoleChatChoices, Unmatched::MarksZero};

constexpr SettingRow rconPasswordField()
{
    // Not quoted: the engines take the password up to the first blank anyway.
    SettingRow row = field("Rcon Password:", "txtRconPassword", nullptr, "rconpassword ");
    row.commandCoD2CoD4 = "rcon_password ";
    return row;
}

constexpr SettingRow kServerFields[] = {
    //           label                      field                 default                   command
    quotedField("Server Name:",             "txtServername",      "CoDHost",                "sv_hostname "),
    field(      "Number of slots (1-64):",  "txtSlots",           "10",                     "sv_maxclients "),
    field(      "Min. Ping:",               "txtMinPing",         "0",                      "sv_minPing "),
    field(      "Max. Ping:",               "txtMaxPing",         "0",                      "sv_maxPing "),
    field(      "Max. Rate:",               "txtMaxRate",         "0",                      "sv_maxRate "),
    rconPasswordField(),
    quotedField("Motd:",                    "txtMotd",            "Welcome to our server!", "scr_motd "),
    quotedField("Server Password:",         "txtServerPassword",  nullptr,                  "g_password "),
    removeButton("cmdRemoveServerPassword", "Remove pass",                                  "g_password "),
    field(      "Temporary Ban Time:",      "txtKickBanTime",     "300",                    "sv_kickbantime "),
    field(      "Reconnect Limit:",         "txtReconnectLimit",  "3",                      "sv_reconnectlimit "),
};

constexpr SettingRow kServerToggles[] = {
    //            label                 stem              buttons               command
    quietButtons("Console chat:",      "ConsoleChat",    kConsoleChat,         "sv_disableClientConsole", Click::Send),
    //       label                 stem              buttons               command              announcements
    buttons("Dead People Chat:",  "DeadChat",       kOnOff,               "g_deadChat",        {"Dead people chat set to ON", "Dead people chat set to OFF"}),
    buttons("Allow Anonymous:",   "AllowAnonymous", kYesNo,               "sv_allowAnonymous", {"Allow Anonymous set to YES", "Allow Anonymous set to NO"}),
    buttons("Cheatcodes:",        "CheatCodes",     kEnableDisableOnOff,  "sv_cheats",         {"Cheatcodes ENABLED", "Cheatcodes DISABLED"}),
    buttons("Flood Protect:",     "FP",             kOnOff,               "sv_floodProtect",   {"Flood protection set to ON", "Flood protection set to OFF"}),
    buttons("Allow Download:",    "AllowDownload",  kOnOff,               "sv_allowDownload",  {"Allow Download ENABLED", "Allow Download DISABLED"}),
    buttons("Allow Vote:",        "Vote",           kOnOff,               "g_allowvote",       {"Vote set to ON", "Vote set to OFF"}),
    buttons("Pure:",              "Pure",           kYesNo,               "sv_pure",           {"Pure set to YES", "Pure set to NO"}),
};

constexpr SettingRow kTeamNames[] = {
    //     label     field                default      no Set of its own
    field("Allies:", "txtTeamNameAllies", "Good Guys", nullptr),
    field("Axis:",   "txtTeamNameAxis",   "Bad Guys",  nullptr),
};

constexpr SettingRow kPrivateSlots[] = {
    //           label                        field               default  command
    quotedField("Password:",                 "txtPvtSlotPass",   nullptr, "sv_privatePassword "),
    removeButton("cmdRemovePvtSlotPass",     "Remove",                    "sv_privatePassword "),
    quotedField("Number of private slots:",  "txtPvtSlotNumber", nullptr, "sv_privateClients "),
};

constexpr SettingRow kVoting[] = {
    //       label                     stem           buttons  command                     announcements
    buttons("Vote clientnumber ban",  "VoteCBan",    kAllow,  "g_allowvotetempbanclient", {"Vote Tempban client set to ON", "Vote Tempban client set to OFF"}),
    buttons("Vote name ban",          "VoteNBan",    kAllow,  "g_allowvotetempbanuser",   {"Vote Tempban User set to ON", "Vote Tempban User set to OFF"}),
    buttons("Vote clientnumber kick", "VoteCKick",   kAllow,  "g_allowvoteclientkick",    {"Vote Kick client set to ON", "Vote Kick client set to OFF"}),
    buttons("Vote name kick",         "VoteNKick",   kAllow,  "g_allowvotekick",          {"Vote Kick set to ON", "Vote Kick set to OFF"}),
    buttons("Vote gametype",          "VoteG",       kAllow,  "g_allowvotegametype",      {"Vote Gametype set to ON", "Vote Gametype set to OFF"}),
    buttons("Vote map",               "VoteMap",     kAllow,  "g_allowvotemap",           {"Vote Map set to ON", "Vote Map set to OFF"}),
    buttons("Vote gametype and map",  "VoteGandM",   kAllow,  "g_allowvotetypemap",       {"Vote Gametype and map set to ON", "Vote Gametype and map set to OFF"}),
    buttons("Vote next map",          "VoteNext",    kAllow,  "g_allowvotemaprotate",     {"Vote Next map set to ON", "Vote Next map set to OFF"}),
    buttons("Vote map restart",       "VoteRestart", kAllow,  "g_allowvotemaprestart",    {"Vote Map restart set to ON", "Vote Map restart set to OFF"}),
    buttons("Allow Vote",             "AllowVote",   kAllow,  "g_allowvote",              {"Vote set to ON", "Vote set to OFF"}),
};

constexpr SettingRow kTimeOuts[] = {
    //     label                            field                    default  command
    field("Number of Time-outs per team:", "txtNumberTimeOut",      nullptr, "g_timeoutsAllowed "),
    field("Lenght of Time-outs:",          "txtLenghtTimeOut",      nullptr, "g_timeoutLength "),
    field("Time between two Time-outs:",   "txtTimeBetweenTimeOut", nullptr, "g_timeoutRecovery "),
    field("Total Team Amount:",            "txtAmoutTimeOut",       nullptr, "g_timeoutBank "),
};

// The servers look variables up whatever their case, so the queries keep the spellings the
// administrators know, which are not everywhere the commands' ("sv_allowdownload").
constexpr SettingQuery kQueries[] = {
    {"sv_hostname",              "txtServername"},
    {"sv_maxclients",            "txtSlots"},
    {"sv_minPing",               "txtMinPing"},
    {"sv_maxPing",               "txtMaxPing"},
    {"sv_maxRate",               "txtMaxRate"},
    {"scr_motd",                 "txtMotd"},
    {"g_password",               "txtServerPassword"},
    {.query = "rconPassword",    .target = "txtRconPassword", .queryCoD2CoD4 = "rcon_Password"},
    {"sv_allowdownload",         "AllowDownload"},
    {"sv_allowAnonymous",        "AllowAnonymous"},
    {"sv_pure",                  "Pure"},
    {"g_allowvote",              "Vote", "AllowVote"},
    {"sv_cheats",                "CheatCodes"},
    {"sv_floodProtect",          "FP"},
    {"sv_reconnectlimit",        "txtReconnectLimit"},
    {"sv_kickbantime",           "txtKickBanTime"},
    {"g_deadChat",               "DeadChat"},
    {"sv_disableClientConsole",  "ConsoleChat"},
    {"sv_privatePassword",       "txtPvtSlotPass"},
    {"sv_privateClients",        "txtPvtSlotNumber"},
    // Where CoD2 and CoD4 stop.
    {"g_allowvotetypemap",       "VoteGandM"},
    {"g_allowvotegametype",      "VoteG"},
    {"g_allowvotekick",          "VoteNKick"},
    {"g_allowvoteclientkick",    "VoteCKick"},
    {"g_allowvotemaprotate",     "VoteNext"},
    {"g_allowvotemap",           "VoteMap"},
    {"g_allowvotemaprestart",    "VoteRestart"},
    {"g_allowvotetempbanuser",   "VoteNBan"},
    {"g_allowvotetempbanclient", "VoteCBan"},
    {"g_timeoutsAllowed",        "txtNumberTimeOut"},
    {"g_timeoutLength",          "txtLenghtTimeOut"},
    {"g_timeoutRecovery",        "txtTimeBetweenTimeOut"},
    {"g_timeoutBank",            "txtAmoutTimeOut"},
};

// clang-format on

constexpr GeneralTable kTable
    = {kServerFields, kServerToggles, kTeamNames, kPrivateSlots, kVoting, kTimeOuts, kQueries, 20};

// The parts as tabs, so that the checks of the per-game tables serve here too.
constexpr SettingsTab kParts[] = {
    {"", "", nullptr, kServerFields}, {"", "", nullptr, kServerToggles},
    {"", "", nullptr, kTeamNames},    {"", "", nullptr, kPrivateSlots},
    {"", "", nullptr, kVoting},       {"", "", nullptr, kTimeOuts},
};

constexpr bool tableHolds()
{
    for (const SettingsTab &part : kParts) {
        if (!rowsAreComplete(part.rows))
            return false;
    }
    return queriesHaveTargets(kQueries, kParts)
           && kTable.queriesCoD2CoD4 <= int(std::size(kQueries));
}
static_assert(tableHolds(), "a query fills no control, or a group lacks an announcement");

} // namespace

const GeneralTable &generalTable()
{
    return kTable;
}
