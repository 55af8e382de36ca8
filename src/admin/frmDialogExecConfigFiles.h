#pragma once

#include <QString>

// True for a configuration file that the games' installations ship with (their defaults,
// presets and developer files), and for the few non-file lines a directory listing holds. The
// config executor offers only what is left: the server's own files. The comparison is exact and
// case-sensitive, like the names the server lists.
bool isShippedConfig(const QString &name);
