#pragma once

#include <QPixmap>
#include <QSize>

struct MapEntry;

// The preview card of one map: a small tactical sketch (terrain, water, roads, buildings) drawn
// from the map's name, so the same map always gets the same picture, with its title and its
// picture number. `picture` is the 1-based position in the game's catalogue.
QPixmap drawMapPreview(const MapEntry &map, int picture, QSize size);
