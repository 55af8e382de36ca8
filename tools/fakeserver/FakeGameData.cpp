#include "FakeGameData.h"

#include <QCryptographicHash>

#include <algorithm>

namespace {

constexpr int SI = FakeCvar::ServerInfo;
constexpr int SY = FakeCvar::SystemInfo;
constexpr int RO = FakeCvar::ReadOnly;

struct CvarRow
{
    const char *name;
    const char *value;
    const char *defaultValue;
    const char *domain;
    int flags;
};

// clang-format off
// Registered by every one of the four engines.
constexpr CvarRow kCommonCvars[] = {
    // name                  value     default  domain (CoD2, CoD4)             flags
    {"g_password",            "",       "",      "",                             0},
    {"sv_punkbuster",         "1",      "1",     "0 or 1",                       SI},
    {"sv_privateClients",     "0",      "0",     "any integer from 0 to 64",     SI},
    {"sv_maxRate",            "25000",  "0",     "any integer from 0 to 25000",  SI},
    {"sv_minPing",            "0",      "0",     "any integer from 0 to 999",    SI},
    {"sv_maxPing",            "0",      "0",     "any integer from 0 to 999",    SI},
    {"sv_floodProtect",       "1",      "1",     "0 or 1",                       SI},
    {"sv_allowDownload",      "1",      "1",     "0 or 1",                       SI},
    {"sv_fps",                "20",     "20",    "any integer from 10 to 1000",  0},
    {"g_allowvote",           "1",      "1",     "0 or 1",                       0},
    {"sv_pure",               "1",      "1",     "0 or 1",                       SY},
    {"sv_cheats",             "0",      "0",     "0 or 1",                       SY},
    {"sv_serverid",           "483920", "0",     "",                             SY | RO},
    {"fs_game",               "",       "",      "",                             SY},
    {"sv_mapRotationCurrent", "",       "",      "",                             0},
    {"scr_friendlyfire",      "0",      "0",     "any integer from 0 to 3",      0},
    {"scr_killcam",           "1",      "1",     "0 or 1",                       0},
};

// Domains as CoD2 and CoD4 describe them.
constexpr const char *kBool = "0 or 1";
constexpr const char *kCount = "any integer from 0 to 9999";
constexpr const char *kMinutes = "any value from 0 to 1440";
constexpr const char *kSlots = "any integer from 1 to 64";

constexpr const char *kHostname = "^1Vantor ^7Demo Server";
constexpr const char *kCodVersion = "CoD MP 1.5 build win-x86 Jan 26 2005";
constexpr const char *kCodRotation =
    "gametype dm map mp_harbor gametype tdm map mp_carentan gametype sd map mp_dawnville gametype "
    "re map mp_brecourt gametype bel map mp_pavlov gametype hq map mp_railyard";
constexpr const char *kUoVersion = "CoD:UO MP 1.51 build win-x86 Jun 23 2005";
constexpr const char *kUoRotation =
    "gametype dm map mp_arnhem gametype tdm map mp_berlin gametype ctf map mp_foy gametype dom map "
    "mp_kursk gametype bas map mp_sicily gametype sd map mp_uo_carentan";
constexpr const char *kCod2Version =
    "CoD2 MP 1.3 build pc_1.3_1_1 Mon May 01 2006 05:05:43PM win-x86";
constexpr const char *kCod2Rotation =
    "gametype tdm map mp_toujane gametype dm map mp_burgundy gametype ctf map mp_carentan gametype "
    "sd map mp_dawnville gametype hq map mp_matmata";
constexpr const char *kCod4Version =
    "CoD4 MP 1.7 build 568 nightly Wed Jun 18 2008 04:48:38PM win-x86";
constexpr const char *kCod4Rotation =
    "gametype war map mp_crash gametype dm map mp_backlot gametype sd map mp_strike gametype dom "
    "map mp_crossfire gametype koth map mp_bloc gametype sab map mp_citystreets";

constexpr CvarRow kCodCvars[] = {
    {"gamename",           "Call of Duty", "Call of Duty", "", SI | RO},
    {"shortversion",       "1.5",          "1.5",          "", SI | RO},
    {"version",            kCodVersion,    kCodVersion,    "", RO},
    {"protocol",           "6",            "6",            "", SI | RO},
    {"sv_hostname",        kHostname,      "CoDHost",      "", SI},
    {"mapname",            "mp_harbor",    "",             "", SI | RO},
    {"g_gametype",         "dm",           "dm",           "", SI},
    {"sv_maxclients",      "20",           "20",           "", SI},
    {"sv_mapRotation",     kCodRotation,   "",             "", 0},
    {"rconpassword",       "",             "",             "", 0},
    {"scr_dm_scorelimit",  "50",           "50",           "", 0},
    {"scr_dm_timelimit",   "30",           "30",           "", 0},
    {"scr_tdm_scorelimit", "100",          "100",          "", 0},
    {"scr_tdm_timelimit",  "30",           "30",           "", 0},
    {"scr_sd_scorelimit",  "10",           "10",           "", 0},
    {"scr_sd_roundlength", "4",            "4",            "", 0},
    {"scr_re_scorelimit",  "10",           "10",           "", 0},
    {"scr_bel_scorelimit", "50",           "50",           "", 0},
    {"scr_hq_scorelimit",  "450",          "450",          "", 0},
};

constexpr CvarRow kUoCvars[] = {
    {"gamename",           "CoD:United Offensive", "CoD:United Offensive", "", SI | RO},
    {"shortversion",       "1.51",                 "1.51",                 "", SI | RO},
    {"version",            kUoVersion,             kUoVersion,             "", RO},
    {"protocol",           "22",                   "22",                   "", SI | RO},
    {"sv_hostname",        kHostname,              "CoDHost",              "", SI},
    {"mapname",            "mp_arnhem",            "",                     "", SI | RO},
    {"g_gametype",         "dm",                   "dm",                   "", SI},
    {"sv_maxclients",      "32",                   "20",                   "", SI},
    {"sv_mapRotation",     kUoRotation,            "",                     "", 0},
    {"rconpassword",       "",                     "",                     "", 0},
    {"scr_dm_scorelimit",  "50",                   "50",                   "", 0},
    {"scr_dm_timelimit",   "30",                   "30",                   "", 0},
    {"scr_tdm_scorelimit", "100",                  "100",                  "", 0},
    {"scr_tdm_timelimit",  "30",                   "30",                   "", 0},
    {"scr_ctf_scorelimit", "5",                    "5",                    "", 0},
    {"scr_dom_scorelimit", "5",                    "5",                    "", 0},
    {"scr_bas_scorelimit", "2",                    "2",                    "", 0},
    {"scr_sd_scorelimit",  "10",                   "10",                   "", 0},
};

constexpr CvarRow kCod2Cvars[] = {
    {"gamename",                "Call of Duty 2", "Call of Duty 2", "",       SI | RO},
    {"shortversion",            "1.3",            "1.3",            "",       SI | RO},
    {"version",                 kCod2Version,     kCod2Version,     "",       RO},
    {"protocol",                "118",            "118",            "",       SI | RO},
    {"sv_hostname",             kHostname,        "CoD2Host",       "",       SI},
    {"mapname",                 "mp_toujane",     "",               "",       SI | RO},
    {"g_gametype",              "tdm",            "dm",             "",       SI},
    {"sv_maxclients",           "20",             "20",             kSlots,   SI},
    {"sv_disableClientConsole", "0",              "0",              kBool,    SI},
    {"sv_mapRotation",          kCod2Rotation,    "",               "",       0},
    {"rcon_password",           "",               "",               "",       0},
    {"scr_dm_scorelimit",       "50",             "50",             kCount,   0},
    {"scr_dm_timelimit",        "30",             "30",             kMinutes, 0},
    {"scr_tdm_scorelimit",      "300",            "300",            kCount,   0},
    {"scr_tdm_timelimit",       "30",             "30",             kMinutes, 0},
    {"scr_sd_scorelimit",       "10",             "10",             kCount,   0},
    {"scr_ctf_scorelimit",      "5",              "5",              kCount,   0},
    {"scr_hq_scorelimit",       "450",            "450",            kCount,   0},
    {"scr_teambalance",         "0",              "0",              kBool,    0},
};

constexpr CvarRow kCod4Cvars[] = {
    {"gamename",                "Call of Duty 4", "Call of Duty 4", "",       SI | RO},
    {"shortversion",            "1.7",            "1.7",            "",       SI | RO},
    {"version",                 kCod4Version,     kCod4Version,     "",       RO},
    {"protocol",                "6",              "6",              "",       SI | RO},
    {"sv_hostname",             kHostname,        "CoD4Host",       "",       SI},
    {"mapname",                 "mp_crash",       "",               "",       SI | RO},
    {"g_gametype",              "war",            "war",            "",       SI},
    {"sv_maxclients",           "24",             "24",             kSlots,   SI},
    {"sv_disableClientConsole", "0",              "0",              kBool,    SI},
    {"sv_mapRotation",          kCod4Rotation,    "",               "",       0},
    {"rcon_password",           "",               "",               "",       0},
    {"scr_dm_scorelimit",       "150",            "150",            kCount,   0},
    {"scr_dm_timelimit",        "10",             "10",             kMinutes, 0},
    {"scr_war_scorelimit",      "750",            "750",            kCount,   0},
    {"scr_war_timelimit",       "10",             "10",             kMinutes, 0},
    {"scr_sd_scorelimit",       "4",              "4",              kCount,   0},
    {"scr_dom_scorelimit",      "200",            "200",            kCount,   0},
    {"scr_koth_scorelimit",     "250",            "250",            kCount,   0},
    {"scr_sab_scorelimit",      "2",              "2",              kCount,   0},
    {"scr_hardcore",            "0",              "0",              kBool,    0},
    {"scr_oldschool",           "0",              "0",              kBool,    0},
    {"scr_teambalance",         "0",              "0",              kBool,    0},
};
// clang-format on

template<std::size_t N> void appendRows(QList<FakeCvar> &out, const CvarRow (&rows)[N])
{
    for (const CvarRow &r : rows)
        out.append({r.name, r.value, r.defaultValue, r.domain, r.flags});
}

// clang-format off
// Listings as the engines print them: unsorted, and a map shipped again in a custom pak shows
// twice.
const char *const kCodMaps[] = {
    "mp_harbor.bsp",    "mp_carentan.bsp",  "mp_brecourt.bsp",  "mp_chateau.bsp",
    "mp_dawnville.bsp", "mp_depot.bsp",     "mp_hurtgen.bsp",   "mp_neuville.bsp",
    "mp_pavlov.bsp",    "mp_powcamp.bsp",   "mp_railyard.bsp",  "mp_rocket.bsp",
    "mp_ship.bsp",      "mp_stalingrad.bsp","mp_tigertown.bsp", "mp_carentan.bsp",
};
const char *const kUoMaps[] = {
    "mp_arnhem.bsp",      "mp_berlin.bsp",      "mp_cassino.bsp",     "mp_foy.bsp",
    "mp_italy.bsp",       "mp_kharkov.bsp",     "mp_kursk.bsp",       "mp_ponyri.bsp",
    "mp_rhinevalley.bsp", "mp_sicily.bsp",      "mp_uo_carentan.bsp", "mp_uo_dawnville.bsp",
    "mp_uo_depot.bsp",    "mp_uo_harbor.bsp",   "mp_uo_hurtgen.bsp",  "mp_uo_powcamp.bsp",
    "mp_uo_stanjel.bsp",  "mp_harbor.bsp",      "mp_kursk.bsp",
};
const char *const kCod2Maps[] = {
    "mp_toujane.d3dbsp",     "mp_breakout.d3dbsp",    "mp_brecourt.d3dbsp",
    "mp_burgundy.d3dbsp",    "mp_carentan.d3dbsp",    "mp_dawnville.d3dbsp",
    "mp_decoy.d3dbsp",       "mp_downtown.d3dbsp",    "mp_farmhouse.d3dbsp",
    "mp_leningrad.d3dbsp",   "mp_matmata.d3dbsp",     "mp_railyard.d3dbsp",
    "mp_trainstation.d3dbsp","mp_harbor.d3dbsp",      "mp_rhine.d3dbsp",
    "mp_toujane.d3dbsp",
};
// CoD4 keeps its stock maps in fast files: only loose custom maps show.
const char *const kCod4Maps[] = {"mp_crash_snow.d3dbsp", "mp_killhouse.d3dbsp"};
// clang-format on

struct PlayerRow
{
    int slot;
    int score;
    int ping;
    const char *guid;
    const char *name;
    int lastmsg;
    const char *address;
    int qport;
    int rate;
};

// A realistic crowd: one and several blanks, colour codes, a long name, a client still
// connecting, a CP1251 name, a negative port on a 22-character address, gaps between slots.
// clang-format off
constexpr PlayerRow kDefaultPlayers[] = {
    // slot, score, ping, guid, name, lastmsg, address, qport, rate
    {0, 12, 48,  "123456", "Big Player",         50,   "192.168.0.10:28960",     12345, 25000},
    {1, 7,  95,  "0",      "^1Red^7Baron",       0,    "82.16.4.200:28960",      4567,  20000},
    {2, 3,  130, "654321", "[VT] Big  Bad Wolf", 100,  "10.0.0.5:28960",         31000, 25000},
    {4, 0,  -1,  "0",      "Newcomer",           3150, "172.16.3.99:28960",      999,   5000},
    {5, 21, 61,  "222333", "LongerThanSixteen",  0,    "192.168.100.200:-27419", 23456, 25000},
    {7, -2, 210, "99",     "\xc8\xe2\xe0\xed",   50,   "77.88.21.3:28961",       6100,  25000},
};
// clang-format on

template<std::size_t N> QList<QByteArray> listOf(const char *const (&names)[N])
{
    QList<QByteArray> out;
    for (const char *n : names)
        out.append(n);
    return out;
}

const QByteArray kPbPrefix = "^3PunkBuster Server: ";

QByteArray padded(const QByteArray &field, int width)
{
    return field.size() >= width ? field : field + QByteArray(width - field.size(), ' ');
}

QByteArray rightAligned(const QByteArray &field, int width)
{
    return field.size() >= width ? field : QByteArray(width - field.size(), ' ') + field;
}

QByteArray num(int value, int width)
{
    return rightAligned(QByteArray::number(value), width);
}

QByteArray pingField(const FakePlayer &p)
{
    if (!p.pingText.isEmpty())
        return p.pingText;
    if (p.ping < 0)
        return "CNCT";
    return num(std::min(p.ping, 9999), 4);
}

bool isBot(const FakePlayer &p)
{
    return p.address == "bot" || p.address == "unknown";
}

QByteArray punkBusterGuid(FakeGame game, const FakePlayer &p)
{
    // CoD4 shows the PunkBuster guid in its own status table; the older games keep them apart.
    if (game == FakeGame::CoD4 && p.guid.size() == 32)
        return p.guid;
    return QCryptographicHash::hash(p.name + p.address, QCryptographicHash::Md5).toHex();
}

} // namespace

FakeGame fakeGameFromName(const QString &name, bool *ok)
{
    const QString n = name.trimmed().toLower();
    bool found = true;
    FakeGame game = FakeGame::CoD4;
    if (n == QLatin1String("cod"))
        game = FakeGame::CoD;
    else if (n == QLatin1String("coduo"))
        game = FakeGame::CoDUO;
    else if (n == QLatin1String("cod2"))
        game = FakeGame::CoD2;
    else if (n != QLatin1String("cod4"))
        found = false;
    if (ok)
        *ok = found;
    return game;
}

QString fakeGameName(FakeGame game)
{
    switch (game) {
    case FakeGame::CoD:
        return QStringLiteral("cod");
    case FakeGame::CoDUO:
        return QStringLiteral("coduo");
    case FakeGame::CoD2:
        return QStringLiteral("cod2");
    case FakeGame::CoD4:
        break;
    }
    return QStringLiteral("cod4");
}

QList<FakeCvar> fakeDefaultCvars(FakeGame game)
{
    QList<FakeCvar> out;
    switch (game) {
    case FakeGame::CoD:
        appendRows(out, kCodCvars);
        break;
    case FakeGame::CoDUO:
        appendRows(out, kUoCvars);
        break;
    case FakeGame::CoD2:
        appendRows(out, kCod2Cvars);
        break;
    case FakeGame::CoD4:
        appendRows(out, kCod4Cvars);
        break;
    }
    appendRows(out, kCommonCvars);
    return out;
}

QByteArray fakePasswordCvarName(FakeGame game)
{
    return game == FakeGame::CoD || game == FakeGame::CoDUO ? "rconpassword" : "rcon_password";
}

QHash<QByteArray, QList<QByteArray>> fakeDefaultDirListings(FakeGame game)
{
    switch (game) {
    case FakeGame::CoD:
        return {{"maps/mp bsp", listOf(kCodMaps)}};
    case FakeGame::CoDUO:
        return {{"maps/mp bsp", listOf(kUoMaps)}};
    case FakeGame::CoD2:
        return {{"maps/mp d3dbsp", listOf(kCod2Maps)}};
    case FakeGame::CoD4:
        break;
    }
    return {{"maps/mp d3dbsp", listOf(kCod4Maps)}};
}

QList<QByteArray> fakeDefaultConfigFiles()
{
    return {"server.cfg", "dedicated.cfg", "tdm.cfg", "sd.cfg", "maprotation.cfg"};
}

int fakeDefaultChunkSize(FakeGame game)
{
    return game == FakeGame::CoD || game == FakeGame::CoDUO ? 1300 : 1294;
}

QByteArray fakeBadPasswordText(FakeGame game)
{
    if (game == FakeGame::CoD || game == FakeGame::CoDUO)
        return "Bad rconpassword.\n";
    return "Invalid password.\n";
}

QByteArray fakeEmptyPasswordText(FakeGame game)
{
    if (game == FakeGame::CoD || game == FakeGame::CoDUO)
        return fakeBadPasswordText(game);
    return "You must log in with 'rcon login <password>' before using 'rcon'.\n";
}

QByteArray fakeNoPasswordText(FakeGame game)
{
    if (game == FakeGame::CoD || game == FakeGame::CoDUO)
        return "No rconpassword set on the server.\n";
    return "The server must set 'rcon_password' for clients to use 'rcon'.\n";
}

QByteArray fakeUnknownCommandText(const QByteArray &name)
{
    return "Unknown command \"" + name + "\"\n";
}

QByteArray fakeCvarText(FakeGame game, const FakeCvar &cvar)
{
    const QByteArray quotedName = '"' + cvar.name + '"';
    if (game == FakeGame::CoD || game == FakeGame::CoDUO)
        return quotedName + " is:\"" + cvar.value + "^7\" default:\"" + cvar.defaultValue
               + "^7\"\n";
    const QByteArray domain = cvar.domain.isEmpty() ? QByteArray("any text") : cvar.domain;
    return quotedName + " is: \"" + cvar.value + "^7\" default: \"" + cvar.defaultValue
           + "^7\"\n  Domain is " + domain + '\n';
}

QByteArray fakeInfoText(const QByteArray &title, const FakeInfoPairs &pairs)
{
    QByteArray out = title + '\n';
    for (const auto &[key, value] : pairs)
        out += padded(key, 20) + value + '\n';
    return out;
}

QByteArray fakeDirText(const QByteArray &path, const QByteArray &extension,
                       const QList<QByteArray> &files)
{
    QByteArray out = "Directory of " + path + ' ' + extension + "\n---------------\n";
    for (const QByteArray &f : files)
        out += f + '\n';
    return out;
}

QByteArray fakeUserinfoText(FakeGame game, const FakePlayer &player)
{
    FakeInfoPairs pairs = {{"name", player.name},
                           {"rate", QByteArray::number(player.rate)},
                           {"snaps", "20"},
                           {"cl_punkbuster", "1"}};
    if (game == FakeGame::CoD2 || game == FakeGame::CoD4)
        pairs.append(qMakePair(QByteArray("cl_voice"), QByteArray("1")));
    if (game == FakeGame::CoD4)
        pairs.append(qMakePair(QByteArray("cl_wwwDownload"), QByteArray("1")));
    pairs.append(qMakePair(QByteArray("ip"), player.address));
    return fakeInfoText("userinfo\n--------", pairs);
}

QByteArray fakePunkBusterPlayerList(FakeGame game, const QList<FakePlayer> &players)
{
    QByteArray out
        = kPbPrefix
          + "Player List: [Slot #] [GUID] [Address] [Status] [Power] [Auth Rate] [Recent SS] "
            "[O/S] [Name]\n";
    int count = 0;
    for (const FakePlayer &p : players) {
        if (isBot(p))
            continue;
        out += kPbPrefix + QByteArray::number(p.slot + 1) + "  " + punkBusterGuid(game, p) + "(-) "
               + p.address + " OK   1 5.0 0 (W) \"" + p.name + "\"\n";
        ++count;
    }
    out += kPbPrefix + "End of Player List (" + QByteArray::number(count)
           + (count == 1 ? " Player)\n" : " Players)\n");
    return out;
}

QList<QPair<QByteArray, QByteArray>> fakeDefaultBadNames()
{
    return {{"0", "UnnamedPlayer"}, {"10", "admin"}, {"60", "Player"}};
}

QByteArray fakePunkBusterBadNameList(const QList<QPair<QByteArray, QByteArray>> &badNames)
{
    QByteArray out = kPbPrefix + "Slot: Grace Filter\n";
    for (qsizetype i = 0; i < badNames.size(); ++i)
        out += kPbPrefix + QByteArray::number(i + 1) + ": " + badNames[i].first + " \""
               + badNames[i].second + "\"\n";
    return out;
}

QByteArray fakePunkBusterAck(const QByteArray &commandLine)
{
    return kPbPrefix + "Command Issued: " + commandLine + '\n';
}

int fakeVisibleLength(const QByteArray &name)
{
    return int(fakeCleanName(name).size());
}

QByteArray fakeCleanName(const QByteArray &name)
{
    QByteArray out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == '^' && i + 1 < name.size() && name[i + 1] >= '0' && name[i + 1] <= '9')
            ++i;
        else
            out += name[i];
    }
    return out;
}

QList<QByteArray> fakeTokenize(const QByteArray &line)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    QList<QByteArray> out;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        while (i < n && blank(line[i]))
            ++i;
        if (i >= n)
            return out;
        QByteArray word;
        if (line[i] == '"') {
            ++i;
            while (i < n && line[i] != '"')
                word += line[i++];
            ++i; // the closing quote, when there is one
        } else {
            while (i < n && !blank(line[i]) && line[i] != '"')
                word += line[i++];
        }
        out.append(word);
    }
}

QByteArray fakeStatusText(FakeGame game, const QByteArray &map, const QList<FakePlayer> &players)
{
    const bool cod4 = game == FakeGame::CoD4;
    const int guidWidth = cod4 ? 32 : 6;
    QByteArray out = "map: " + map + '\n';
    out += "num score ping " + padded("guid", guidWidth)
           + " name            lastmsg address               qport rate\n";
    out += "--- ----- ---- " + QByteArray(guidWidth, '-')
           + " --------------- ------- --------------------- ----- -----\n";

    QList<FakePlayer> bySlot = players;
    std::stable_sort(bySlot.begin(), bySlot.end(),
                     [](const FakePlayer &a, const FakePlayer &b) { return a.slot < b.slot; });
    for (const FakePlayer &p : bySlot) {
        out += num(p.slot, 3) + ' ' + num(p.score, 5) + ' ' + pingField(p) + ' '
               + rightAligned(p.guid, guidWidth) + ' ';
        out += p.name + "^7" + QByteArray(std::max(0, 16 - fakeVisibleLength(p.name)), ' ');
        out += num(p.lastmsg, 7) + ' ' + padded(p.address, 22) + num(p.qport, 5) + ' '
               + num(p.rate, 5) + '\n';
    }
    return out + '\n';
}

QList<QByteArray> fakeChunks(const QByteArray &text, int chunkSize, bool dropByteBug)
{
    static const QByteArray header = "\xff\xff\xff\xffprint\n";
    const qsizetype size = std::max(1, chunkSize);
    QList<QByteArray> out;
    for (qsizetype pos = 0; pos < text.size(); pos += size) {
        QByteArray piece = text.mid(pos, size);
        // The CoD2/CoD4 flush loses the byte that filled the buffer.
        if (dropByteBug && piece.size() == size)
            piece.chop(1);
        out.append(header + piece);
    }
    if (out.isEmpty())
        out.append(header);
    return out;
}

QList<FakePlayer> fakeDefaultPlayers(FakeGame game)
{
    QList<FakePlayer> players;
    for (const PlayerRow &r : kDefaultPlayers)
        players.append(
            {r.slot, r.score, r.ping, r.guid, r.name, r.lastmsg, r.address, r.qport, r.rate, {}});
    if (game == FakeGame::CoD4) {
        const QByteArray guids[] = {
            "0a1b2c3d4e5f60718293a4b5c6d7e8f9", "f00dfacecafebeef0123456789abcdef",
            "1234567890abcdef1234567890abcdef", "00000000000000000000000000000000",
            "abcdefabcdefabcdefabcdefabcdef01", "9f8e7d6c5b4a39281706f5e4d3c2b1a0",
        };
        for (qsizetype i = 0; i < players.size(); ++i)
            players[i].guid = guids[i];
        players.append({8, 4, 999, {}, "bot0", 0, "bot", 34812, 5000, {}});
    }
    return players;
}
