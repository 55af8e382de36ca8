#pragma once

#include <QString>

#include <functional>
#include <span>

// What a War Center step sends after its command: nothing, the text of one of the panel's fields,
// the chosen map, the set-up announcement, or one of the panel's check boxes as "0" or "1".
enum class WarValue {
    None,
    Announcement,
    Password,
    ScoreLimit,
    TimeLimit,
    RoundLimit,
    RoundLength,
    GracePeriod,
    Map,
    Killcam,
    Freelook,
    EnemySpectate,
    FriendlyFire,
    DrawFriend,
    ForceRespawn,
    FG42,
    Panzerfaust,
};

// One command of a match set-up. CoD2 renamed some of the older games' variables.
struct WarStep
{
    const char *cod2;  // on a CoD2 server
    const char *other; // on every other game
    WarValue value;    // follows the command after a blank
};

// A text field of a panel, in the order the panel checks them; an empty field stops the set-up
// with its message before anything is sent.
struct WarField
{
    const char *name;
    const char *caption;
    const char *initial;
    WarValue value;
    const char *missing;
};

struct WarCheckBox
{
    const char *name;
    const char *caption;
    WarValue value;
};

// The settings every set-up makes without asking, shown on each panel.
struct WarFixedSetting
{
    const char *name; // after "lbl" and the panel's prefix
    const char *caption;
};

// One match type: its tab, controls and the commands it sends, one per timer tick.
struct WarPanel
{
    const char *prefix; // "SD", "TDM": in the names of the panel's own labels
    const char *frame;
    const char *tabCaption;
    const char *matchName; // in the set-up announcement
    const char *mapBox;
    const char *getMapsButton;
    const char *setButton;
    const char *setCaption;
    const char *timer;
    const char *progressBar;
    std::span<const WarField> fields;
    std::span<const WarCheckBox> checkBoxes;
    std::span<const WarStep> steps;
};

// Search and Destroy (the first tab), then Team Deathmatch.
std::span<const WarPanel> warPanels();
std::span<const WarFixedSetting> warFixedSettings();
// The maps both panels offer, in their order, duplicates included.
std::span<const char *const> warMaps();

constexpr int kWarStepMs = 700;

// The command line of one step; valueOf gives the text that stands for a value.
QString warCommand(const WarStep &step, bool cod2, const std::function<QString(WarValue)> &valueOf);
