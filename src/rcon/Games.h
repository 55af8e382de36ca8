#pragma once

#include <QString>

// The four games as the server names them in "gamename", and what the main window shows for
// each once connected.
struct GameInfo
{
    const char *gamename; // the server's gamename, compared exactly
    const char *kind;     // the session's game kind
    const char *caption;
    const char *titleSuffix;
    bool extraButtons; // systeminfo and fast_restart exist on this engine
};

// The game whose gamename this is; null for anything else.
const GameInfo *gameByName(const QString &gamename);
// The game of a game kind ("cod", "coduo", "cod2", "cod4"); null for "noco" and the unknown.
const GameInfo *gameByKind(const QString &kind);
// 0..3 in the order CoD, CoD UO, CoD2, CoD4; -1 for anything else.
int gameIndex(const QString &kind);
