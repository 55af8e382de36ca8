#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <span>
#include <string_view>

// The weapon tabs of the settings dialogs as data. A weapon is allowed by its server variable, the
// game's prefix followed by the weapon's name, set to 1, and forbidden by 0.
//
// Control names come from the weapon's name: lblWeapon_<w>, cmdEnable_<w>, cmdDisable_<w>
// (cmdEnable_MG30cal). A set's button and timer carry the set's name (cmdSniperOnly,
// tmrSniperOnly; cmdSniperRiflesON, tmrSniperRiflesOFF; cmdRusEnableAll, tmrRusDisableAll), its
// progress bar the name of its group (pbWeaponType, pbSniperRifles, pbRus).

struct WeaponSwitch
{
    const char *weapon;  // follows the game's prefix in the variable's name
    const char *caption; // the weapon as players know it
    const char *enableCaption = "Enable";
    const char *disableCaption = "Disable";
};

// The weapons of a set, in the order their commands are sent; unused places are null.
using WeaponList = std::array<const char *, 24>;

constexpr std::size_t weaponCount(const WeaponList &list)
{
    std::size_t n = 0;
    while (n < list.size() && list[n])
        ++n;
    return n;
}

constexpr bool listHas(const WeaponList &list, std::string_view weapon)
{
    for (const char *w : list) {
        if (w && weapon == w)
            return true;
    }
    return false;
}

// A set over the game's type order: the listed weapons (all of them with `all`) get 1, the rest 0.
struct TypeSet
{
    const char *caption;
    const char *name;
    bool all;
    WeaponList allowed;
};

// A weapon class or a nation: one button sends every listed weapon with 1, the other with 0.
struct WeaponGroup
{
    const char *caption;
    const char *name;
    WeaponList weapons;
};

struct WeaponTable
{
    const char *gameKind; // as the session names the game
    const char *prefix;
    std::span<const WeaponSwitch> weapons;
    std::span<const WeaponSwitch> vehicles; // on their own tab
    // The weapon sets; a game without them has no type order.
    WeaponList typeOrder;
    std::span<const TypeSet> typeSets;
    int typeSetMs; // between two commands of a type set
    std::span<const WeaponGroup> classes;
    std::span<const WeaponGroup> nations;
};

// Class and nation sets send one command a second.
inline constexpr int kGroupSetMs = 1000;

// CoD, CoD UO, CoD2, CoD4, in that order.
std::span<const WeaponTable> weaponTables();
// Null for a game kind without weapon tabs ("noco" or anything unknown).
const WeaponTable *weaponTable(const QString &gameKind);

// The commands of a set, in the order they are sent.
QStringList typeSetCommands(const WeaponTable &table, const TypeSet &set);
QStringList groupSetCommands(const WeaponTable &table, const WeaponGroup &group, bool allow);
