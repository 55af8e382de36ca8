#pragma once

#include <array>
#include <span>
#include <string_view>

// The rows the settings dialogs are built from: one row is one line of a tab, as an administrator
// reads it on paper (a caption, then its buttons or its field). The tables are plain constexpr
// data; the dialogs make and name the controls from them.
//
// Control names come from the row's name:
//   buttons  lbl<stem>, cmd<stem><choice suffix> (cmdTeamBalanceON, cmdFriendlyFireREFLECT)
//   field    lbl<Name>, txt<Name>, cmdSet<Name>  (the row names the text box: "txtSprintTime")
//   slider   lbl<Name>, slr<Name>, cmdSet<Name>
//   heading  the group box itself ("frameNightTime"); rows after it sit inside it
//   note     the label itself
//   remove   the button itself, on the row of the field above it

// One button of a setting group.
struct Choice
{
    const char *caption;
    int value;          // sent after the command, and matched when the value is read back
    const char *suffix; // ends the button's name
};

// What a value read from the server does when no button of the group sends it.
enum class Unmatched {
    MarksZero,      // the button that sends 0 turns bold: "any other value" means off
    ChangesNothing, // the fonts stay as they were
};

struct ChoiceSet
{
    std::span<const Choice> choices;
    Unmatched unmatched;
};

// What a click on a group's button does.
enum class Click {
    Announce, // in-game announcement, then the command; the button turns bold
    Send,     // the command alone; the button turns bold
    SendOnly, // the command alone; the fonts stay as they were
};

enum class RowKind { Buttons, Field, Slider, Heading, Note, Remove };

struct SettingRow
{
    RowKind kind;
    const char *label; // heading: its title; note and remove: their text
    const char *name;
    // Buttons: the command the choice's value follows after a blank. Field and slider: the text
    // the value follows directly (blanks included); null for a field without its own Set button.
    // Remove: the text an empty quoted value follows.
    const char *command = nullptr;
    const ChoiceSet *choices = nullptr;
    std::array<const char *, 4> announcements = {};
    const char *defaultText = nullptr;
    Click click = Click::Announce;
    bool quoted = false; // the value is sent inside double quotes
    // Where CoD2 and CoD4 spell the command differently; null: the same for all four games.
    const char *commandCoD2CoD4 = nullptr;
};

// --- the rows, as the tables write them ---------------------------------------------------------

constexpr SettingRow buttons(const char *label, const char *stem, const ChoiceSet &choices,
                             const char *command, std::array<const char *, 4> announcements,
                             Click click = Click::Announce)
{
    return {RowKind::Buttons, label, stem, command, &choices, announcements, nullptr, click};
}

// A group whose buttons only send, without an announcement.
constexpr SettingRow quietButtons(const char *label, const char *stem, const ChoiceSet &choices,
                                  const char *command, Click click)
{
    return {RowKind::Buttons, label, stem, command, &choices, {}, nullptr, click};
}

constexpr SettingRow field(const char *label, const char *name, const char *defaultText,
                           const char *command)
{
    return {RowKind::Field, label, name, command, nullptr, {}, defaultText};
}

constexpr SettingRow quotedField(const char *label, const char *name, const char *defaultText,
                                 const char *command)
{
    SettingRow row = field(label, name, defaultText, command);
    row.quoted = true;
    return row;
}

constexpr SettingRow slider(const char *label, const char *name, const char *command)
{
    return {RowKind::Slider, label, name, command};
}

constexpr SettingRow heading(const char *name, const char *title)
{
    return {RowKind::Heading, title, name};
}

constexpr SettingRow note(const char *name, const char *text)
{
    return {RowKind::Note, text, name};
}

constexpr SettingRow removeButton(const char *name, const char *caption, const char *command)
{
    return {RowKind::Remove, caption, name, command, nullptr, {}, nullptr, Click::Send, true};
}

// --- the button sets the dialogs share ----------------------------------------------------------

// clang-format off
inline constexpr Choice kOnOffChoices[] = {{"On", 1, "ON"}, {"Off", 0, "OFF"}};
inline constexpr Choice kEnableDisableChoices[] = {{"Enable", 1, "ENABLE"},
                                                   {"Disable", 0, "DISABLE"}};
inline constexpr ChoiceSet kOnOff = {kOnOffChoices, Unmatched::MarksZero};
inline constexpr ChoiceSet kEnableDisable = {kEnableDisableChoices, Unmatched::MarksZero};

// Friendly fire knows four values; a value beyond them is some mod's own, and says nothing
// about which of ours is on.
inline constexpr Choice kFriendlyFireChoices[] = {
    {"Off", 0, "OFF"}, {"On", 1, "ON"}, {"Reflect", 2, "REFLECT"}, {"Share", 3, "SHARE"}};
inline constexpr ChoiceSet kFriendlyFire = {kFriendlyFireChoices, Unmatched::ChangesNothing};
// clang-format on

// --- checks the tables must pass to build ------------------------------------------------------

// The name of the control a retrieval fills: a field's or slider's own name, a group's stem.
constexpr bool rowHasTarget(const SettingRow &row, std::string_view target)
{
    return (row.kind == RowKind::Buttons || row.kind == RowKind::Field
            || row.kind == RowKind::Slider)
           && std::string_view(row.name) == target;
}

constexpr bool rowsHaveTarget(std::span<const SettingRow> rows, std::string_view target)
{
    for (const SettingRow &row : rows) {
        if (rowHasTarget(row, target))
            return true;
    }
    return false;
}

// Every group has an announcement per button, or none at all when it only sends.
constexpr bool rowsAreComplete(std::span<const SettingRow> rows)
{
    for (const SettingRow &row : rows) {
        if (row.kind != RowKind::Buttons)
            continue;
        const std::size_t n = row.choices->choices.size();
        if (n < 2 || n > row.announcements.size())
            return false;
        for (std::size_t i = 0; i < row.announcements.size(); ++i) {
            const bool wanted = row.click == Click::Announce && i < n;
            if ((row.announcements[i] != nullptr) != wanted)
                return false;
        }
    }
    return true;
}
