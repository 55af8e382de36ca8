#include "rcon/Games.h"

#include <iterator>

namespace {
constexpr GameInfo kGames[] = {
    {"Call of Duty", "cod", "Call of Duty ", " - Call of Duty", false},
    {"CoD:United Offensive", "coduo", "Call of Duty: UO ", " - Call of Duty United Offensive",
     false},
    {"Call of Duty 2", "cod2", "Call of Duty 2 ", " - Call of Duty 2", true},
    {"Call of Duty 4", "cod4", "Call of Duty 4 ", " - Call of Duty 4", true},
};
} // namespace

const GameInfo *gameByName(const QString &gamename)
{
    for (const GameInfo &g : kGames) {
        if (gamename == QLatin1String(g.gamename))
            return &g;
    }
    return nullptr;
}

const GameInfo *gameByKind(const QString &kind)
{
    const int i = gameIndex(kind);
    return i < 0 ? nullptr : &kGames[i];
}

int gameIndex(const QString &kind)
{
    for (int i = 0; i < int(std::size(kGames)); ++i) {
        if (kind == QLatin1String(kGames[i].kind))
            return i;
    }
    return -1;
}
