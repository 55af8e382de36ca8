#pragma once

#include <QString>
#include <QStringList>

#include <span>

// The administrator's own game clients, one per game: where the preferences keep the installation
// directory, which program in it to start, and how its command line takes the remote-console
// password. The directory is stored with its trailing separator, so the program's name is simply
// appended to it.
struct GameClient
{
    const char *gameKind;     // as the session names the game
    const char *directoryKey; // in [Directory]
    const char *program;
    const char *rconOption;  // the command-line option that sets the remote-console password
    const char *menuCaption; // the Join game > Directory's item, followed by the directory
    const char *filterName;  // what the file dialog calls the program
};

// CoD, CoD UO, CoD2, CoD4, in that order.
std::span<const GameClient> gameClients();
// Null for "noco" and anything unknown.
const GameClient *gameClient(const QString &gameKind);

// The client's installation directory as the preferences hold it ("" when not set).
QString gameDirectory(const GameClient &client);
// The directory followed by the program's name.
QString gameProgram(const GameClient &client, const QString &directory);
// The file dialog's filter that offers only this client's program.
QString gameProgramFilter(const GameClient &client);

// The arguments that start a client in console mode.
QStringList consoleModeArguments();
// The arguments that start a client connected to a server. Put together with single blanks they
// read "-console -game +connect <address>:<port> +password <join password> <rcon option> <rcon
// password>"; an empty join password stays an (empty) argument of its own.
QStringList joinArguments(const GameClient &client, const QString &address, const QString &port,
                          const QString &joinPassword, const QString &rconPassword);
