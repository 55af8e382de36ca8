#include "settings/WeaponTables.h"

namespace {

// clang-format off

// --- Call of Duty ------------------------------------------------------------------------------

constexpr std::array<WeaponSwitch, 18> kCoDWeapons = {{
    // weapon           caption
    {"bar",            "BAR"},
    {"bren",           "Bren"},
    {"enfield",        "Lee-Enfield"},
    {"enfieldsniper",  "Lee-Enfield scoped"},
    {"fg42",           "FG42",               "FG42 On",        "FG42 Off"},
    {"kar98k",         "Kar98k"},
    {"kar98ksniper",   "Kar98k scoped"},
    {"m1carbine",      "M1A1 Carbine"},
    {"m1garand",       "M1 Garand"},
    {"mp40",           "MP40"},
    {"mp44",           "MP44"},
    {"nagant",         "Mosin-Nagant"},
    {"nagantsniper",   "Mosin-Nagant scoped"},
    {"panzerfaust",    "Panzerfaust",        "Panzerfaust On", "Panzerfaust Off"},
    {"ppsh",           "PPSh"},
    {"springfield",    "Springfield"},
    {"sten",           "Sten"},
    {"thompson",       "Thompson"},
}};

// The type sets of CoD and UO leave the FG42, the Panzerfaust, the scoped Lee-Enfield and UO's
// own weapons as they are.
constexpr WeaponList kCoDTypeOrder = {
    "springfield", "kar98ksniper", "kar98k", "mp40", "mp44", "nagantsniper", "ppsh", "nagant",
    "bren", "enfield", "sten", "bar", "m1carbine", "m1garand", "thompson"};

constexpr TypeSet kCoDTypeSets[] = {
    // caption             name               all    set to 1 (the others 0)
    {"All weapons",       "AllWeapons",      true,  {}},
    {"No weapons",        "NoWeapons",       false, {}},
    {"Rifle only",        "RifleOnly",       false, {"kar98k", "nagant", "enfield", "m1carbine", "m1garand"}},
    {"Sniper only",       "SniperOnly",      false, {"springfield", "kar98ksniper", "nagantsniper"}},
    {"Rifle and Sniper",  "RifleAndSniper",  false, {"springfield", "kar98ksniper", "kar98k", "nagantsniper", "nagant", "enfield", "m1carbine", "m1garand"}},
    {"Assault only",      "AssaultOnly",     false, {"mp40", "mp44", "ppsh", "bren", "sten", "bar", "thompson"}},
};

constexpr WeaponGroup kCoDClasses[] = {
    {"Sniper rifles",  "SniperRifles",  {"springfield", "kar98ksniper", "enfieldsniper", "nagantsniper"}},
    {"Rifles",         "Rifles",        {"m1carbine", "m1garand", "kar98k", "enfield", "nagant"}},
    {"Assaults",       "Assaults",      {"thompson", "bar", "mp40", "mp44", "sten", "bren", "ppsh"}},
};

constexpr WeaponGroup kCoDNations[] = {
    {"US",       "US",    {"m1carbine", "m1garand", "springfield", "thompson", "bar"}},
    {"British",  "Brit",  {"enfield", "enfieldsniper", "sten", "bren"}},
    {"German",   "Ger",   {"kar98k", "kar98ksniper", "mp40", "mp44"}},
    {"Russian",  "Rus",   {"nagant", "nagantsniper", "ppsh"}},
};

// --- Call of Duty: United Offensive --------------------------------------------------------------

// UO's own weapons follow the eighteen of Call of Duty. The machine gun's variable is spelled
// with capitals.
constexpr std::array<WeaponSwitch, 13> kUOOnlyWeapons = {{
    {"MG30cal",        ".30 cal MG"},
    {"artillery",      "Artillery"},
    {"bazooka",        "Bazooka"},
    {"dp28",           "DP-28"},
    {"flamethrower",   "Flamethrower"},
    {"gewehr43",       "Gewehr 43"},
    {"grenades",       "Grenades"},
    {"mg34",           "MG34"},
    {"panzerschreck",  "Panzerschreck"},
    {"pistols",        "Pistols"},
    {"satchel",        "Satchel charges"},
    {"smoke",          "Smoke grenades"},
    {"svt40",          "SVT-40"},
}};

constexpr WeaponSwitch kUOVehicles[] = {
    {"flak88",     "Flak88"},
    {"elefant",    "German heavy tank"},
    {"panzeriv",   "German tank"},
    {"su152",      "Russian heavy tank"},
    {"t34",        "Russian tank"},
    {"sherman",    "American tank"},
    {"horch",      "German car"},
    {"gaz67b",     "Russian jeep"},
    {"willyjeep",  "American jeep"},
};

// --- Call of Duty 2 ----------------------------------------------------------------------------

constexpr WeaponSwitch kCoD2Weapons[] = {
    {"bar",            "BAR"},
    {"bren",           "Bren"},
    {"enfield",        "Lee-Enfield"},
    {"enfieldsniper",  "Lee-Enfield scoped"},
    {"fraggrenades",   "Frag grenades"},
    {"g43",            "Gewehr 43"},
    {"greasegun",      "Grease Gun"},
    {"kar98k",         "Kar98k"},
    {"kar98ksniper",   "Kar98k scoped"},
    {"m1carbine",      "M1A1 Carbine"},
    {"m1garand",       "M1 Garand"},
    {"mp40",           "MP40"},
    {"mp44",           "MP44"},
    {"nagant",         "Mosin-Nagant"},
    {"nagantsniper",   "Mosin-Nagant scoped"},
    {"pps42",          "PPS-42"},
    {"ppsh",           "PPSh"},
    {"shotgun",        "Shotgun"},
    {"smokegrenades",  "Smoke grenades"},
    {"springfield",    "Springfield"},
    {"sten",           "Sten"},
    {"svt40",          "SVT-40"},
    {"thompson",       "Thompson"},
};

// Grenades belong to no set.
constexpr WeaponList kCoD2TypeOrder = {
    "springfield", "kar98ksniper", "kar98k", "mp40", "mp44", "nagantsniper", "ppsh", "nagant",
    "bren", "enfield", "sten", "bar", "m1carbine", "m1garand", "thompson", "greasegun", "g43",
    "svt40", "pps42", "enfieldsniper", "shotgun"};

constexpr TypeSet kCoD2TypeSets[] = {
    // caption             name               all    set to 1 (the others 0)
    {"All weapons",       "AllWeapons",      true,  {}},
    {"No weapons",        "NoWeapons",       false, {}},
    {"Rifle only",        "RifleOnly",       false, {"kar98k", "nagant", "enfield", "m1carbine", "m1garand", "g43", "svt40"}},
    {"Sniper only",       "SniperOnly",      false, {"springfield", "kar98ksniper", "nagantsniper", "enfieldsniper"}},
    {"Rifle and Sniper",  "RifleAndSniper",  false, {"springfield", "kar98ksniper", "kar98k", "nagantsniper", "nagant", "enfield", "m1carbine", "m1garand", "g43", "svt40", "enfieldsniper"}},
    {"Assault only",      "AssaultOnly",     false, {"mp40", "mp44", "ppsh", "bren", "sten", "bar", "thompson", "greasegun", "pps42", "shotgun"}},
};

constexpr WeaponGroup kCoD2Classes[] = {
    {"Sniper rifles",  "SniperRifles",  {"springfield", "kar98ksniper", "enfieldsniper", "nagantsniper"}},
    {"Rifles",         "Rifles",        {"m1carbine", "m1garand", "kar98k", "g43", "enfield", "nagant", "svt40"}},
    {"Assaults",       "Assaults",      {"greasegun", "thompson", "bar", "mp40", "mp44", "sten", "bren", "pps42", "ppsh"}},
};

constexpr WeaponGroup kCoD2Nations[] = {
    {"US",       "US",    {"m1carbine", "m1garand", "springfield", "greasegun", "thompson", "bar"}},
    {"British",  "Brit",  {"enfield", "enfieldsniper", "sten", "bren"}},
    {"German",   "Ger",   {"kar98k", "g43", "kar98ksniper", "mp40", "mp44"}},
    {"Russian",  "Rus",   {"nagant", "svt40", "nagantsniper", "pps42", "ppsh"}},
};

// --- Call of Duty 4 ----------------------------------------------------------------------------

constexpr WeaponSwitch kCoD4Weapons[] = {
    {"ak47",                "AK-47"},
    {"ak74u",               "AK-74u"},
    {"barrett",             "Barrett .50cal"},
    {"beretta",             "M9"},
    {"colt45",              "M1911 .45"},
    {"concussion_grenade",  "Stun grenade"},
    {"deserteagle",         "Desert Eagle"},
    {"deserteaglegold",     "Gold Desert Eagle"},
    {"dragunov",            "Dragunov"},
    {"flash_grenade",       "Flash grenade"},
    {"frag_grenade",        "Frag grenade"},
    {"g3",                  "G3"},
    {"g36c",                "G36C"},
    {"m1014",               "M1014"},
    {"m14",                 "M14"},
    {"m16",                 "M16A4"},
    {"m21",                 "M21"},
    {"m4",                  "M4 Carbine"},
    {"m40a3",               "M40A3"},
    {"m60e4",               "M60E4"},
    {"mp44",                "MP44"},
    {"mp5",                 "MP5"},
    {"p90",                 "P90"},
    {"remington700",        "R700"},
    {"rpd",                 "RPD"},
    {"saw",                 "M249 SAW"},
    {"skorpion",            "Skorpion"},
    {"smoke_grenade",       "Smoke grenade"},
    {"usp",                 "USP .45"},
    {"uzi",                 "Mini-Uzi"},
    {"winchester1200",      "W1200"},
};

// clang-format on

template<std::size_t N, std::size_t M>
constexpr std::array<WeaponSwitch, N + M> join(const std::array<WeaponSwitch, N> &a,
                                               const std::array<WeaponSwitch, M> &b)
{
    std::array<WeaponSwitch, N + M> all{};
    for (std::size_t i = 0; i < N; ++i)
        all[i] = a[i];
    for (std::size_t i = 0; i < M; ++i)
        all[N + i] = b[i];
    return all;
}

constexpr auto kCoDUOWeapons = join(kCoDWeapons, kUOOnlyWeapons);

// clang-format off
constexpr std::array<WeaponTable, 4> kTables = {{
    // game     prefix          weapons         vehicles     type order       type sets       ms    classes        nations
    {"cod",   "scr_allow_",   kCoDWeapons,    {},          kCoDTypeOrder,   kCoDTypeSets,   1000, kCoDClasses,   kCoDNations},
    {"coduo", "scr_allow_",   kCoDUOWeapons,  kUOVehicles, kCoDTypeOrder,   kCoDTypeSets,   1000, kCoDClasses,   kCoDNations},
    {"cod2",  "scr_allow_",   kCoD2Weapons,   {},          kCoD2TypeOrder,  kCoD2TypeSets,  800,  kCoD2Classes,  kCoD2Nations},
    {"cod4",  "weap_allow_",  kCoD4Weapons,   {},          {},              {},             0,    {},            {}},
}};
// clang-format on

constexpr bool hasSwitch(std::span<const WeaponSwitch> switches, std::string_view weapon)
{
    for (const WeaponSwitch &s : switches) {
        if (weapon == s.weapon)
            return true;
    }
    return false;
}

constexpr bool allSwitched(std::span<const WeaponSwitch> switches, const WeaponList &list)
{
    for (std::size_t i = 0; i < weaponCount(list); ++i) {
        if (!hasSwitch(switches, list[i]))
            return false;
    }
    return true;
}

// A set names only weapons the tab has switches for, and a type set only weapons of its order:
// a misspelt name would otherwise send a variable no server knows.
constexpr bool tablesHold()
{
    for (const WeaponTable &t : kTables) {
        if (!allSwitched(t.weapons, t.typeOrder))
            return false;
        for (const TypeSet &s : t.typeSets) {
            for (std::size_t i = 0; i < weaponCount(s.allowed); ++i) {
                if (!listHas(t.typeOrder, s.allowed[i]))
                    return false;
            }
        }
        for (const auto &groups : {t.classes, t.nations}) {
            for (const WeaponGroup &g : groups) {
                if (!allSwitched(t.weapons, g.weapons))
                    return false;
            }
        }
    }
    return true;
}
static_assert(tablesHold(), "a weapon set names a weapon the game has no switch for");

QString command(const WeaponTable &table, const char *weapon, bool allow)
{
    return QLatin1String(table.prefix) + QLatin1String(weapon)
           + (allow ? QLatin1String(" 1") : QLatin1String(" 0"));
}

} // namespace

std::span<const WeaponTable> weaponTables()
{
    return kTables;
}

const WeaponTable *weaponTable(const QString &gameKind)
{
    for (const WeaponTable &t : kTables) {
        if (gameKind == QLatin1String(t.gameKind))
            return &t;
    }
    return nullptr;
}

QStringList typeSetCommands(const WeaponTable &table, const TypeSet &set)
{
    QStringList commands;
    for (std::size_t i = 0; i < weaponCount(table.typeOrder); ++i) {
        const char *weapon = table.typeOrder[i];
        commands << command(table, weapon, set.all || listHas(set.allowed, weapon));
    }
    return commands;
}

QStringList groupSetCommands(const WeaponTable &table, const WeaponGroup &group, bool allow)
{
    QStringList commands;
    for (std::size_t i = 0; i < weaponCount(group.weapons); ++i)
        commands << command(table, group.weapons[i], allow);
    return commands;
}
