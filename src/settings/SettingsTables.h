#pragma once

#include "settings/SettingRows.h"

#include <QString>

#include <span>

// One tab of a per-game settings dialog. The weapon tabs come without rows: the weapon switches
// and sets are laid into their frames by the weapons code.
struct SettingsTab
{
    const char *caption;
    const char *frame;   // the frame's name
    const char *langKey; // the caption's key in the dialog's language section; null: not translated
    std::span<const SettingRow> rows;
};

// One read of a retrieval: the bare variable name asked for, and the control its value fills
// (a group's stem, a field's or slider's name). Where a second control shows the same variable,
// it is filled too; where CoD2 and CoD4 spell the name differently, they are asked that way.
struct SettingQuery
{
    const char *query;
    const char *target;
    const char *alsoTarget = nullptr;
    const char *queryCoD2CoD4 = nullptr;
};

// Everything that tells one game's settings dialog from another's.
struct SettingsTable
{
    const char *gameKind; // as the session names the game
    const char *formName;
    const char *title;
    std::span<const SettingsTab> tabs;
    std::span<const SettingQuery> queries; // in the order they are asked
    // The dialog enables its retrieval only while the link is open. CoD UO never had the watch:
    // its buttons stay usable, and a retrieval without a link runs through, each query telling
    // that nothing was sent.
    bool connectionWatch;
};

// CoD, CoD UO, CoD2, CoD4, in that order.
std::span<const SettingsTable> settingsTables();
// Null for a game kind without a settings dialog ("noco" or anything unknown).
const SettingsTable *settingsTable(const QString &gameKind);

// True when every query fills a control some tab of the table has.
constexpr bool queriesHaveTargets(std::span<const SettingQuery> queries,
                                  std::span<const SettingsTab> tabs)
{
    for (const SettingQuery &q : queries) {
        for (const char *target : {q.target, q.alsoTarget}) {
            if (!target)
                continue;
            bool found = false;
            for (const SettingsTab &tab : tabs)
                found = found || rowsHaveTarget(tab.rows, target);
            if (!found)
                return false;
        }
    }
    return true;
}
