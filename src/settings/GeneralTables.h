#pragma once

#include "settings/SettingRows.h"
#include "settings/SettingsTables.h"

#include <span>

// What the general server dialog sets and reads: the settings the four games share. Every part
// is laid out on its own place of the dialog.
struct GeneralTable
{
    std::span<const SettingRow> serverFields;  // tab General, left: fields with Set buttons
    std::span<const SettingRow> serverToggles; // tab General, right
    std::span<const SettingRow> teamNames;     // tab Advanced, sent together by "Change"
    std::span<const SettingRow> privateSlots;  // tab Advanced
    std::span<const SettingRow> voting;        // tab Voting
    std::span<const SettingRow> timeOuts;      // tab CoD/CoD:UO
    std::span<const SettingQuery> queries;     // in the order they are asked
    // CoD2 and CoD4 have no voting switches and no match time-outs: they read only this many.
    int queriesCoD2CoD4;
};

const GeneralTable &generalTable();

// The team names, sent one after the other.
inline constexpr char kTeamNameAlliesCommand[] = "g_teamname_allies ";
inline constexpr char kTeamNameAxisCommand[] = "g_teamname_axis ";
