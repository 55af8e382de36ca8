#pragma once

#include <QString>

#include <span>

// One stock map of a game. The internal name is what the server is told; the button names are
// the controls' names in that game's maps dialog, and the entry's position in its catalogue is the
// position of its preview picture.
struct MapEntry
{
    const char *button;
    const char *pictureButton;
    const char *name;
    const char *description;
};

// A gametype as the rotation editor offers it, and the code sv_maprotation knows it by.
struct GametypeEntry
{
    const char *name;
    const char *code;
};

// Everything that tells one game's maps dialog from another's.
struct MapCatalogue
{
    const char *gameKind;  // as GameKind() names the game
    const char *formName;  // the dialog's window name
    const char *gameTitle; // put before the word "Maps" in the dialog's title
    std::span<const MapEntry> maps;
    std::span<const GametypeEntry> gametypes; // the first is the initial choice
    // Lists the server's map files; null where the stock maps live in packed files the server
    // cannot list (CoD4), which also leaves out the "Retrieve Maps" tab and "Retrieve maps".
    const char *dirCommand;
    bool fastRestart;
    // CoD4 announces only this one map, naming it by its description; null: every map button
    // announces its internal name.
    const char *soleAnnouncedMap;
    std::span<const char *const> rotationMapsAtStart; // lstMaps before anything is retrieved
};

// CoD, CoD UO, CoD2, CoD4, in that order.
std::span<const MapCatalogue> mapCatalogues();

// Null for a game kind without maps ("noco" or anything unknown).
const MapCatalogue *mapCatalogue(const QString &gameKind);

// The code of a gametype name, matched exactly; null when the name is none of the catalogue's.
const char *gametypeCode(const MapCatalogue &catalogue, const QString &name);
