#pragma once

#include <QString>

#include <array>
#include <span>
#include <string_view>

// The gametype dialogs as data: the buttons that switch the server's gametype, and per gametype
// the fields and switches that set its limits. The dialog names every control after its tab and
// its row, so that "Score limit:" of TDM is txtTDMScoreLimit with cmdSetTDMScoreLimit beside it.

// One button of the first tab: "g_gametype " + code, announced with its text.
struct GametypeButton
{
    const char *caption;
    const char *name; // the button's name
    const char *code;
    const char *announcement;
};

enum class GametypeRowKind { Entry, Tick };

// One line of a gametype's tab. An entry is a text box with its Set button; a tick a check box
// with its Set button, which sends 1 or 0.
struct GametypeRow
{
    GametypeRowKind kind;
    const char *label;  // an entry's caption before its box, a tick's caption on its box
    const char *stem;   // ends the names of its controls, after the tab's caption
    const char *prefix; // the value follows it directly; it ends in a blank
    const char *defaultText = nullptr;
};

constexpr GametypeRow entry(const char *label, const char *stem, const char *prefix,
                            const char *defaultText)
{
    return {GametypeRowKind::Entry, label, stem, prefix, defaultText};
}

constexpr GametypeRow tick(const char *label, const char *stem, const char *prefix)
{
    return {GametypeRowKind::Tick, label, stem, prefix};
}

// CoD4 gives every gametype six fields named after its code ("scr_war_numlives " on TDM); they
// come first on the tab, with the tab's own defaults.
struct CommonField
{
    const char *label;
    const char *stem;
    const char *variable; // after "scr_" + code + "_"
};

// A tab after the first. Its caption names its frame ("frameDM") and its controls.
struct GametypeTab
{
    const char *caption;
    std::span<const GametypeRow> rows;
    const char *commonCode = nullptr; // null: the tab has no common fields
    std::array<const char *, 6> commonDefaults = {};
};

struct GametypeTable
{
    const char *gameKind; // as the session names the game
    const char *formName;
    const char *titlePrefix; // the word for "Gametype" follows it
    std::span<const GametypeButton> buttons;
    std::span<const GametypeTab> tabs;
    std::span<const CommonField> commonFields;
};

// CoD, CoD UO, CoD2, CoD4, in that order.
std::span<const GametypeTable> gametypeTables();
// Null for a game kind without a gametype dialog ("noco" or anything unknown).
const GametypeTable *gametypeTable(const QString &gameKind);

// What a common field sends before its value: "scr_" + code + "_" + variable + " ".
QString commonFieldPrefix(const char *code, const CommonField &field);

// Every prefix ends in the one blank that separates it from the value.
constexpr bool prefixesEndInBlank(std::span<const GametypeRow> rows)
{
    for (const GametypeRow &row : rows) {
        const std::string_view prefix(row.prefix);
        if (prefix.empty() || prefix.back() != ' ')
            return false;
        if (row.kind == GametypeRowKind::Entry && !row.defaultText)
            return false;
    }
    return true;
}
