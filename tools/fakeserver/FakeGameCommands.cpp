// The console commands of the fake server: what each engine prints for a command line that got
// past the password.

#include "FakeGameData.h"
#include "FakeGameServer.h"

namespace {

QByteArray joined(const QList<QByteArray> &args, qsizetype from)
{
    return args.mid(from).join(' ');
}

// Game scripts register their variables when a map loads, so a name of this form is accepted
// even when the built-in tables lack it.
bool looksLikeCvar(const QByteArray &name)
{
    static const char *const prefixes[] = {"sv_", "g_",   "scr_", "ui_", "cl_",     "cg_",  "bg_",
                                           "fs_", "net_", "com_", "r_",  "player_", "jump_"};
    const QByteArray lower = name.toLower();
    for (const char *p : prefixes) {
        if (lower.startsWith(p) && lower.size() > qsizetype(qstrlen(p)))
            return true;
    }
    return false;
}

} // namespace

FakeGameServer::Reply FakeGameServer::execute(const QByteArray &line)
{
    const Args args = fakeTokenize(line);
    if (args.isEmpty())
        return QByteArray();

    using Handler = Reply (FakeGameServer::*)(const Args &);
    struct Command
    {
        const char *name;
        Handler handler;
    };
    static const Command commands[] = {
        {"status", &FakeGameServer::statusCommand},
        {"serverinfo", &FakeGameServer::serverinfoCommand},
        {"systeminfo", &FakeGameServer::systeminfoCommand},
        {"dumpuser", &FakeGameServer::dumpuserCommand},
        {"say", &FakeGameServer::quietCommand},
        {"tell", &FakeGameServer::quietCommand},
        {"writeconfig", &FakeGameServer::quietCommand},
        {"set", &FakeGameServer::setCommand},
        {"seta", &FakeGameServer::setCommand},
        {"sets", &FakeGameServer::setCommand},
        {"map", &FakeGameServer::mapCommand},
        {"devmap", &FakeGameServer::mapCommand},
        {"map_rotate", &FakeGameServer::mapRotateCommand},
        {"map_restart", &FakeGameServer::mapRestartCommand},
        {"fast_restart", &FakeGameServer::mapRestartCommand},
        {"quit", &FakeGameServer::quitCommand},
        {"killserver", &FakeGameServer::quitCommand},
        {"kick", &FakeGameServer::kickByNameCommand},
        {"onlykick", &FakeGameServer::kickByNameCommand},
        {"banuser", &FakeGameServer::kickByNameCommand},
        {"tempbanuser", &FakeGameServer::kickByNameCommand},
        {"clientkick", &FakeGameServer::kickBySlotCommand},
        {"banclient", &FakeGameServer::kickBySlotCommand},
        {"tempbanclient", &FakeGameServer::kickBySlotCommand},
        {"dir", &FakeGameServer::dirCommand},
        {"exec", &FakeGameServer::execCommand},
    };
    const QByteArray name = args.first().toLower();
    for (const Command &c : commands) {
        if (name == c.name)
            return (this->*c.handler)(args);
    }
    if (name.startsWith("pb_sv_") && cvarValue("sv_punkbuster") == "1")
        return punkBusterCommand(args);
    QByteArray reply;
    if (cvarCommand(args, &reply))
        return reply;
    return fakeUnknownCommandText(args.first());
}

bool FakeGameServer::cvarCommand(const Args &args, QByteArray *reply)
{
    const FakeCvar *c = findCvar(args.first());
    if (!c && (args.size() < 2 || !looksLikeCvar(args.first())))
        return false;
    // Like "set", but only the first word counts: a value with blanks needs its quotes.
    *reply = args.size() == 1 ? fakeCvarText(m_game, *c) : assign(args.first(), args[1]);
    return true;
}

FakeGameServer::Reply FakeGameServer::setCommand(const Args &args)
{
    if (args.size() < 3)
        return QByteArray("usage: " + args.first().toLower() + " <variable> <value>\n");
    const int extraFlags = args.first().toLower() == "sets" ? FakeCvar::ServerInfo : 0;
    return assign(args[1], joined(args, 2), extraFlags);
}

FakeGameServer::Reply FakeGameServer::statusCommand(const Args &)
{
    return fakeStatusText(m_game, map(), m_players);
}

FakeGameServer::Reply FakeGameServer::serverinfoCommand(const Args &)
{
    return infoText("Server info settings:", FakeCvar::ServerInfo);
}

FakeGameServer::Reply FakeGameServer::systeminfoCommand(const Args &)
{
    return infoText("System info settings:", FakeCvar::SystemInfo);
}

FakeGameServer::Reply FakeGameServer::dumpuserCommand(const Args &args)
{
    if (args.size() != 2)
        return QByteArray("Usage: dumpuser <userid>\n");
    const int i = playerIndexByName(args[1]);
    if (i < 0)
        return QByteArray("Player " + args[1] + " is not on the server\n");
    return fakeUserinfoText(m_game, m_players[i]);
}

FakeGameServer::Reply FakeGameServer::quietCommand(const Args &)
{
    return QByteArray();
}

FakeGameServer::Reply FakeGameServer::mapCommand(const Args &args)
{
    if (args.size() < 2)
        return QByteArray();
    loadMap(args[1]);
    return std::nullopt; // the server is busy loading and never flushes its reply
}

FakeGameServer::Reply FakeGameServer::mapRotateCommand(const Args &)
{
    // The rest of the rotation lives in sv_mapRotationCurrent; when it runs out the whole
    // rotation starts again.
    QByteArray rest = cvarValue("sv_mapRotationCurrent");
    if (rest.trimmed().isEmpty())
        rest = cvarValue("sv_mapRotation");
    Args words = fakeTokenize(rest);
    QByteArray next;
    while (words.size() >= 2 && next.isEmpty()) {
        const QByteArray key = words.takeFirst().toLower();
        const QByteArray value = words.takeFirst();
        if (key == "gametype")
            setCvar("g_gametype", value);
        else if (key == "map")
            next = value;
    }
    setCvar("sv_mapRotationCurrent", words.join(' '));
    loadMap(next.isEmpty() ? map() : next);
    return std::nullopt;
}

FakeGameServer::Reply FakeGameServer::mapRestartCommand(const Args &)
{
    loadMap(map());
    return QByteArray();
}

FakeGameServer::Reply FakeGameServer::quitCommand(const Args &)
{
    return std::nullopt;
}

FakeGameServer::Reply FakeGameServer::kickByNameCommand(const Args &args)
{
    if (args.size() < 2)
        return QByteArray("Usage: " + args.first().toLower() + " <player name>\n");
    const int i = playerIndexByName(args[1]);
    if (i < 0)
        return QByteArray("Player " + args[1] + " is not on the server\n");
    m_players.removeAt(i);
    return QByteArray();
}

FakeGameServer::Reply FakeGameServer::kickBySlotCommand(const Args &args)
{
    if (args.size() < 2)
        return QByteArray("Usage: " + args.first().toLower() + " <client number>\n");
    bool isNumber = false;
    const int slot = args[1].toInt(&isNumber);
    if (!isNumber || args[1].startsWith('-') || args[1].startsWith('+'))
        return QByteArray("Bad slot number: " + args[1] + '\n');
    if (slot >= cvarValue("sv_maxclients").toInt())
        return QByteArray("Bad client slot: " + QByteArray::number(slot) + '\n');
    for (qsizetype i = 0; i < m_players.size(); ++i) {
        if (m_players[i].slot == slot) {
            m_players.removeAt(i);
            return QByteArray();
        }
    }
    return QByteArray("Client " + QByteArray::number(slot) + " is not active\n");
}

FakeGameServer::Reply FakeGameServer::dirCommand(const Args &args)
{
    if (args.size() < 2 || args.size() > 3)
        return QByteArray("usage: dir <directory> [extension]\n");
    const QByteArray path = args[1];
    const QByteArray extension = args.size() == 3 ? args[2] : QByteArray();
    const QByteArray key = extension.isEmpty() ? path : path + ' ' + extension;
    QList<QByteArray> files = m_dirListings.value(key);
    if (!m_dirListings.contains(key) && extension.toLower().endsWith("cfg"))
        files = fakeDefaultConfigFiles();
    return fakeDirText(path, extension, files);
}

FakeGameServer::Reply FakeGameServer::execCommand(const Args &args)
{
    if (args.size() < 2)
        return QByteArray("exec <filename> : execute a script file\n");
    QByteArray file = args[1];
    if (!file.contains('.'))
        file += ".cfg";
    const QList<QByteArray> configs = fakeDefaultConfigFiles();
    for (const QByteArray &c : configs) {
        if (c.toLower() == file.toLower())
            return QByteArray("execing " + file + '\n');
    }
    return QByteArray("couldn't exec " + file + '\n');
}

FakeGameServer::Reply FakeGameServer::punkBusterCommand(const Args &args)
{
    const QByteArray name = args.first().toLower();
    if (name == "pb_sv_plist")
        return fakePunkBusterPlayerList(m_game, m_players);
    if (name == "pb_sv_badnamelist")
        return fakePunkBusterBadNameList(m_badNames);
    if (name == "pb_sv_badname" && args.size() > 2)
        m_badNames.append({args[1], joined(args, 2)});
    if (name == "pb_sv_badnamedel") {
        const qsizetype slot = args.value(1).toInt();
        if (slot >= 1 && slot <= m_badNames.size())
            m_badNames[slot - 1].second = "*DELETED*";
    }
    return fakePunkBusterAck(args.join(' '));
}

FakeCvar *FakeGameServer::findCvar(const QByteArray &name)
{
    const QByteArray lower = name.toLower();
    for (FakeCvar &c : m_cvars) {
        if (c.name.toLower() == lower)
            return &c;
    }
    return nullptr;
}

const FakeCvar *FakeGameServer::findCvar(const QByteArray &name) const
{
    return const_cast<FakeGameServer *>(this)->findCvar(name);
}

QByteArray FakeGameServer::cvarValue(const QByteArray &name) const
{
    const FakeCvar *c = findCvar(name);
    return c ? c->value : QByteArray();
}

QByteArray FakeGameServer::assign(const QByteArray &name, const QByteArray &value, int extraFlags)
{
    FakeCvar *c = findCvar(name);
    if (!c) {
        m_cvars.append({name, value, value, {}, extraFlags});
        return QByteArray();
    }
    if (c->flags & FakeCvar::ReadOnly)
        return c->name + " is read only.\n";
    c->value = value;
    c->flags |= extraFlags;
    return QByteArray();
}

QByteArray FakeGameServer::infoText(const QByteArray &title, int flag) const
{
    FakeInfoPairs pairs;
    for (const FakeCvar &c : m_cvars) {
        if (c.flags & flag)
            pairs.append({c.name, c.value});
    }
    return fakeInfoText(title, pairs);
}

int FakeGameServer::playerIndexByName(const QByteArray &name) const
{
    // The engines compare without regard to case, first as typed, then without colour codes.
    const QByteArray wanted = name.toLower();
    for (qsizetype i = 0; i < m_players.size(); ++i) {
        const QByteArray &n = m_players[i].name;
        if (n.toLower() == wanted || fakeCleanName(n).toLower() == wanted)
            return int(i);
    }
    return -1;
}

void FakeGameServer::loadMap(const QByteArray &map)
{
    setMap(map);
    for (FakePlayer &p : m_players)
        p.score = 0;
}
