#include "admin/frmDialogExecConfigFiles.h"

#include <span>

namespace {

// The configuration files in each game's installation, as its directory listing spells them.
// A name shipped by several games stands in each game's table.

// clang-format off
constexpr const char *kCoD[] = {
    "default.cfg",          "default_mp.cfg",
    "configure.cfg",        "configure_mp.cfg",
    "safemode.cfg",         "safemode_mp.cfg",
    "language.cfg",
    "server_dm.cfg",        "server_tdm.cfg",       "server_sd.cfg",
    "server_re.cfg",        "server_bel.cfg",       "server_hq.cfg",
    "developer.cfg",        "developer_mp.cfg",     "test.cfg",
};

constexpr const char *kCoDUO[] = {
    "default.cfg",          "default_mp.cfg",
    "configure.cfg",        "configure_mp.cfg",     "uoconfig_mp.cfg",
    "safemode.cfg",         "safemode_mp.cfg",      "safemode_mp_server.cfg",
    "language.cfg",
    "server_dm.cfg",        "server_tdm.cfg",       "server_sd.cfg",
    "server_re.cfg",        "server_bel.cfg",       "server_hq.cfg",
    "server_ctf.cfg",       "server_bas.cfg",       "server_dom.cfg",
    "developer.cfg",        "developer_mp.cfg",     "test.cfg",
};

constexpr const char *kCoD2[] = {
    "default.cfg",          "default_mp.cfg",
    "configure.cfg",        "configure_mp.cfg",
    "safemode.cfg",         "safemode_mp.cfg",      "safemode_mp_server.cfg",
    "language.cfg",         "options_graphics.cfg",
    "server_dm.cfg",        "server_tdm.cfg",       "server_sd.cfg",
    "server_ctf.cfg",       "server_hq.cfg",
    "thumbstick_default.cfg",   "thumbstick_southpaw.cfg",
    "thumbstick_legacy.cfg",    "thumbstick_legacysouthpaw.cfg",
    "viewsensitivity_low.cfg",  "viewsensitivity_medium.cfg",
    "viewsensitivity_high.cfg", "viewsensitivity_ultra.cfg",
    "developer.cfg",        "developer_mp.cfg",     "autoexec_dev.cfg",
    "devgui_main.cfg",      "test.cfg",
};

constexpr const char *kCoD4[] = {
    "default.cfg",          "default_mp.cfg",
    "default_mp_controls.cfg", "default_mp_gamesettings.cfg", "default_filter.cfg",
    "default_splitscreen.cfg", "default_systemlink.cfg",     "default_xboxlive.cfg",
    "safemode.cfg",         "safemode_mp.cfg",      "safemode_mp_server.cfg",
    "language.cfg",         "options_graphics.cfg",
    "server_dm.cfg",        "server_tdm.cfg",       "server_sd.cfg",
    "server_dom.cfg",       "server_sab.cfg",       "server_hq.cfg",
    "server_map.cfg",       "server_avatar.cfg",
    "thumbstick_default.cfg",   "thumbstick_southpaw.cfg",
    "thumbstick_legacy.cfg",    "thumbstick_legacysouthpaw.cfg",
    "buttons_default.cfg",  "buttons_lefty.cfg",
    "buttons_tactical.cfg", "buttons_experimental.cfg",
    "viewsensitivity_low.cfg",  "viewsensitivity_medium.cfg",
    "viewsensitivity_high.cfg", "viewsensitivity_ultra.cfg",
    "developer.cfg",        "developer_mp.cfg",     "autoexec_dev.cfg",
    "devgui_main.cfg",      "devgui_maps.cfg",      "devgui_maps_mp.cfg",
    "dvar_defaults.cfg",    "test.cfg",
};

// Lines of the listing that are no file of the server's: the blank line that ends the reply,
// and leftovers of the developer folders that some installations list in the root.
constexpr const char *kNotFiles[] = {
    "", "devgui_map", "dev", "_sp.cfg",
};
// clang-format on

constexpr std::span<const char *const> kTables[] = {kCoD, kCoDUO, kCoD2, kCoD4, kNotFiles};

} // namespace

bool isShippedConfig(const QString &name)
{
    for (std::span<const char *const> table : kTables) {
        for (const char *shipped : table) {
            if (name == QLatin1String(shipped))
                return true;
        }
    }
    return false;
}
