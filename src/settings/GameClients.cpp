#include "settings/GameClients.h"

#include "platform/Ini.h"

#include <iterator>

namespace {
// clang-format off
constexpr GameClient kClients[] = {
    // game     directory key  program          rcon option       Directory's item      file dialog
    {"cod",   "JoinGame",   "CoDMP.exe",    "+rconpassword",  "Call of Duty: ",    "CoD executable"},
    {"coduo", "JoinGameUO", "CoDUOMP.exe",  "+rconpassword",  "Call of Duty UO: ", "CoD:UO executable"},
    {"cod2",  "JoinGame2",  "CoD2MP_s.exe", "+rcon_password", "Call of Duty 2: ",  "CoD2 executable"},
    {"cod4",  "JoinGame4",  "iw3mp.exe",    "+rcon_password", "Call of Duty 4: ",  "CoD4 executable"},
};
// clang-format on
} // namespace

std::span<const GameClient> gameClients()
{
    return kClients;
}

const GameClient *gameClient(const QString &gameKind)
{
    for (const GameClient &c : kClients) {
        if (gameKind == QLatin1String(c.gameKind))
            return &c;
    }
    return nullptr;
}

QString gameDirectory(const GameClient &client)
{
    return ReadPref(QStringLiteral("Directory"), QLatin1String(client.directoryKey));
}

QString gameProgram(const GameClient &client, const QString &directory)
{
    return directory + QLatin1String(client.program);
}

QString gameProgramFilter(const GameClient &client)
{
    return QLatin1String(client.filterName) + QStringLiteral(" (") + QLatin1String(client.program)
           + QLatin1Char(')');
}

QStringList consoleModeArguments()
{
    return {QStringLiteral("-console"), QStringLiteral("-game")};
}

QStringList joinArguments(const GameClient &client, const QString &address, const QString &port,
                          const QString &joinPassword, const QString &rconPassword)
{
    // Each value is one argument of its own, so a password with a blank reaches the game whole.
    return consoleModeArguments()
           + QStringList{QStringLiteral("+connect"),       address + QLatin1Char(':') + port,
                         QStringLiteral("+password"),      joinPassword,
                         QLatin1String(client.rconOption), rconPassword};
}
