#include "maps/MapCatalogues.h"

#include <array>

namespace {

// clang-format off

// Call of Duty: the description is the internal name.
constexpr std::array<MapEntry, 16> kCoDMaps = {{
    // button              picture button     internal name     description
    {"cmdBocage",          "cmdBocPic",       "mp_bocage",      "mp_bocage"},
    {"cmdBrecourt",        "cmdBrePic",       "mp_brecourt",    "mp_brecourt"},
    {"cmdCarentan",        "cmdCarPic",       "mp_carentan",    "mp_carentan"},
    {"cmdChateau",         "cmdChaPic",       "mp_chateau",     "mp_chateau"},
    {"cmdDawnville",       "cmdDawPic",       "mp_dawnville",   "mp_dawnville"},
    {"cmdDepot",           "cmdDepPic",       "mp_depot",       "mp_depot"},
    {"cmdHarbor",          "cmdHarPic",       "mp_harbor",      "mp_harbor"},
    {"cmdHurtgen",         "cmdHurPic",       "mp_hurtgen",     "mp_hurtgen"},
    {"cmdNeuville",        "cmdNeuPic",       "mp_neuville",    "mp_neuville"},
    {"cmdPavlov",          "cmdPavPic",       "mp_pavlov",      "mp_pavlov"},
    {"cmdPowcamp",         "cmdPowPic",       "mp_powcamp",     "mp_powcamp"},
    {"cmdRailyard",        "cmdRaiPic",       "mp_railyard",    "mp_railyard"},
    {"cmdRocket",          "cmdRocPic",       "mp_rocket",      "mp_rocket"},
    {"cmdShip",            "cmdShiPic",       "mp_ship",        "mp_ship"},
    {"cmdStalingrad",      "cmdStaPic",       "mp_stalingrad",  "mp_stalingrad"},
    {"cmdTigertown",       "cmdTigPic",       "mp_tigertown",   "mp_tigertown"},
}};

// United Offensive adds its own maps after the sixteen of Call of Duty.
constexpr std::array<MapEntry, 19> kUOOnlyMaps = {{
    // button              picture button        internal name      description
    {"cmdArnhem",          "cmdArnhemPic",       "mp_arnhem",       "mp_arnhem"},
    {"cmdBerlin",          "cmdBerlinPic",       "mp_berlin",       "mp_berlin"},
    {"cmdCassino",         "cmdCassinoPic",      "mp_cassino",      "mp_cassino"},
    {"cmdFoy",             "cmdFoyPic",          "mp_foy",          "mp_foy"},
    {"cmdItaly",           "cmdItalyPic",        "mp_italy",        "mp_italy"},
    {"cmdKharkov",         "cmdKharkovPic",      "mp_kharkov",      "mp_kharkov"},
    {"cmdKursk",           "cmdKurskPic",        "mp_kursk",        "mp_kursk"},
    {"cmdPonyri",          "cmdPonyriPic",       "mp_ponyri",       "mp_ponyri"},
    {"cmdRhinevalley",     "cmdRhinevalleyPic",  "mp_rhinevalley",  "mp_rhinevalley"},
    {"cmdSicily",          "cmdSicilyPic",       "mp_sicily",       "mp_sicily"},
    {"cmdStanjel",         "cmdStanjelPic",      "mp_uo_stanjel",   "mp_uo_stanjel"},
    {"cmdPeaks",           "cmdPeaksPic",        "mp_peaks",        "mp_peaks"},
    {"cmdStreets",         "cmdStreetsPic",      "mp_streets",      "mp_streets"},
    {"cmdUOCarentan",      "cmdUOCarentanPic",   "mp_uo_carentan",  "mp_uo_carentan"},
    {"cmdUODawnville",     "cmdUODawnvillePic",  "mp_uo_dawnville", "mp_uo_dawnville"},
    {"cmdUODepot",         "cmdUODepotPic",      "mp_uo_depot",     "mp_uo_depot"},
    {"cmdUOHarbor",        "cmdUOHarborPic",     "mp_uo_harbor",    "mp_uo_harbor"},
    {"cmdUOHurtgen",       "cmdUOHurtgenPic",    "mp_uo_hurtgen",   "mp_uo_hurtgen"},
    {"cmdUOPowcamp",       "cmdUOPowcampPic",    "mp_uo_powcamp",   "mp_uo_powcamp"},
}};

constexpr std::array<MapEntry, 15> kCoD2Maps = {{
    // button              picture button        internal name      description
    {"cmdBreakout",        "cmdBreakoutPic",     "mp_breakout",     "mp_breakout (Villers-Bocage, France)"},
    {"cmdBrecourt",        "cmdBrecourtPic",     "mp_brecourt",     "mp_brecourt (Brecourt, France)"},
    {"cmdBurgundy",        "cmdBurgundyPic",     "mp_burgundy",     "mp_burgundy (Burgundy, France)"},
    {"cmdCarentan",        "cmdCarentanPic",     "mp_carentan",     "mp_carentan (Carentan, France)"},
    {"cmdDawnville",       "cmdDawnvillePic",    "mp_dawnville",    "mp_dawnville (St. Mere Eglise, France)"},
    {"cmdDecoy",           "cmdDecoyPic",        "mp_decoy",        "mp_decoy (El Alamein, Egypt)"},
    {"cmdDowntown",        "cmdDowntownPic",     "mp_downtown",     "mp_downtown (Moscow, Russia)"},
    {"cmdFarmhouse",       "cmdfarmhousePic",    "mp_farmhouse",    "mp_farmhouse (Beltot, France)"},
    {"cmdLeningrad",       "cmdLeningradPic",    "mp_leningrad",    "mp_leningrad (Leningrad, Russia)"},
    {"cmdMatmata",         "cmdMatmataPic",      "mp_matmata",      "mp_matmata (Matmata, Tunisia)"},
    {"cmdStalingrad",      "cmdStalingradPic",   "mp_railyard",     "mp_railyard (Stalingrad, Russia)"},
    {"cmdToujane",         "cmdToujanePic",      "mp_toujane",      "mp_toujane (Toujane, Tunisia)"},
    {"cmdTrainstation",    "cmdTrainstationPic", "mp_trainstation", "mp_trainstation (Caen, France)"},
    {"cmdHarbor",          "cmdHarborPic",       "mp_harbor",       "mp_harbor (Rostov, Russia)"},
    {"cmdRhine",           "cmdRhinePic",        "mp_rhine",        "mp_rhine (Wallendar, Germany)"},
}};

constexpr std::array<MapEntry, 17> kCoD4Maps = {{
    // button              picture button        internal name      description
    {"cmdAmbush",          "cmdAmbushPic",       "mp_convoy",       "mp_convoy (Ambush)"},
    {"cmdBacklot",         "cmdBacklotPic",      "mp_backlot",      "mp_backlot (Backlot)"},
    {"cmdBloc",            "cmdBlocPic",         "mp_bloc",         "mp_bloc (Bloc)"},
    {"cmdBog",             "cmdBogPic",          "mp_bog",          "mp_bog (Bog)"},
    {"cmdCountdown",       "cmdCountdownPic",    "mp_countdown",    "mp_countdown (Countdown)"},
    {"cmdCrash",           "cmdCrashPic",        "mp_crash",        "mp_crash (Crash)"},
    {"cmdCrossfire",       "cmdCrossfirePic",    "mp_crossfire",    "mp_crossfire (Crossfire)"},
    {"cmdDistrict",        "cmdDistrictPic",     "mp_citystreets",  "mp_citystreets (District)"},
    {"cmdDownpour",        "cmdDownpourPic",     "mp_farm",         "mp_farm (Downpour)"},
    {"cmdOvergrown",       "cmdOvergrownPic",    "mp_overgrown",    "mp_overgrown (Overgrown)"},
    {"cmdPipeline",        "cmdPipelinePic",     "mp_pipeline",     "mp_pipeline (Pipeline)"},
    {"cmdShipment",        "cmdShipmentPic",     "mp_shipment",     "mp_shipment (Shipment)"},
    {"cmdShowdown",        "cmdShowdownPic",     "mp_showdown",     "mp_showdown (Showdown)"},
    {"cmdStrike",          "cmdStrikePic",       "mp_strike",       "mp_strike (Strike)"},
    {"cmdVacant",          "cmdVacantPic",       "mp_vacant",       "mp_vacant (Vacant)"},
    {"cmdWetwork",         "cmdWetworkPic",      "mp_cargoship",    "mp_cargoship (Wet Work)"},
    {"cmdCrashSnow",       "cmdCrashSnowPic",    "mp_crash_snow",   "mp_crash_snow (Crash Snow)"},
}};

// The stock maps of CoD4 come packed, so its rotation list cannot be read from the server.
constexpr std::array<const char *, 17> kCoD4RotationMaps = {
    "mp_backlot",    "mp_bloc",      "mp_bog",       "mp_cargoship", "mp_citystreets",
    "mp_convoy",     "mp_countdown", "mp_crash",     "mp_crash_snow", "mp_crossfire",
    "mp_farm",       "mp_overgrown", "mp_pipeline",  "mp_shipment",  "mp_showdown",
    "mp_strike",     "mp_vacant",
};

constexpr std::array<GametypeEntry, 6> kCoDGametypes = {{
    {"DeathMatch",         "dm"},
    {"Team DeathMatch",    "tdm"},
    {"Search & Destroy",   "sd"},
    {"HeadQuarters",       "hq"},
    {"Behind Enemy Lines", "bel"},
    {"Retrieval",          "re"},
}};

constexpr std::array<GametypeEntry, 9> kCoDUOGametypes = {{
    {"DeathMatch",         "dm"},
    {"Team DeathMatch",    "tdm"},
    {"Search & Destroy",   "sd"},
    {"HeadQuarters",       "hq"},
    {"Behind Enemy Lines", "bel"},
    {"Retrieval",          "re"},
    {"Domination",         "dom"},
    {"Base Assault",       "bas"},
    {"Capture the Flag",   "ctf"},
}};

constexpr std::array<GametypeEntry, 5> kCoD2Gametypes = {{
    {"DeathMatch",         "dm"},
    {"Team DeathMatch",    "tdm"},
    {"Search & Destroy",   "sd"},
    {"Capture the Flag",   "ctf"},
    {"HeadQuarters",       "hq"},
}};

constexpr std::array<GametypeEntry, 6> kCoD4Gametypes = {{
    {"Free For All",       "dm"},
    {"Team DeathMatch",    "tdm"},
    {"Search & Destroy",   "sd"},
    {"Domination",         "dom"},
    {"Sabotage",           "sab"},
    {"King of the Hill",   "koth"},
}};

// clang-format on

template<std::size_t N, std::size_t M>
constexpr std::array<MapEntry, N + M> join(const std::array<MapEntry, N> &a,
                                           const std::array<MapEntry, M> &b)
{
    std::array<MapEntry, N + M> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = a[i];
    for (std::size_t i = 0; i < M; ++i)
        out[N + i] = b[i];
    return out;
}

constexpr auto kCoDUOMaps = join(kCoDMaps, kUOOnlyMaps);

// clang-format off
constexpr std::array<MapCatalogue, 4> kCatalogues = {{
    // game     window                 title                   maps         gametypes
    //          dir command            fast restart  sole announced map  rotation maps at start
    {"cod",     "frmDialogCoDMaps",    "Call of Duty - ",      kCoDMaps,    kCoDGametypes,
                "dir maps/mp bsp",     false,        nullptr,            {}},
    {"coduo",   "frmDialogCoDUOMaps",  "Call of Duty: UO - ",  kCoDUOMaps,  kCoDUOGametypes,
                "dir maps/mp bsp",     false,        nullptr,            {}},
    {"cod2",    "frmDialogCoD2Maps",   "Call of Duty 2 - ",    kCoD2Maps,   kCoD2Gametypes,
                "dir maps/mp d3dbsp",  true,         nullptr,            {}},
    {"cod4",    "frmDialogCoD4Maps",   "Call of Duty 4 - ",    kCoD4Maps,   kCoD4Gametypes,
                nullptr,               true,         "mp_convoy",        kCoD4RotationMaps},
}};
// clang-format on

} // namespace

std::span<const MapCatalogue> mapCatalogues()
{
    return kCatalogues;
}

const MapCatalogue *mapCatalogue(const QString &gameKind)
{
    for (const MapCatalogue &c : kCatalogues) {
        if (gameKind == QLatin1String(c.gameKind))
            return &c;
    }
    return nullptr;
}

const char *gametypeCode(const MapCatalogue &catalogue, const QString &name)
{
    for (const GametypeEntry &g : catalogue.gametypes) {
        if (name == QLatin1String(g.name))
            return g.code;
    }
    return nullptr;
}
