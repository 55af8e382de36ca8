#pragma once

#include "maps/MapCatalogues.h"

#include <QObject>
#include <QPixmap>
#include <QSize>
#include <QVector>

#include <span>

// The preview card of one map: a small tactical sketch (terrain, water, roads, buildings) drawn
// from the map's name, so the same map always gets the same picture, with its title and its
// picture number. `picture` is the 1-based position in the game's catalogue.
QPixmap drawMapPreview(const MapEntry &map, int picture, QSize size);

// A maps dialog's image list: one card per catalogue position, drawn the first time it is
// looked at, so that opening the dialog costs no drawing.
class MapImageList : public QObject
{
    Q_OBJECT
public:
    MapImageList(std::span<const MapEntry> maps, QSize size, QObject *parent);
    // `picture` is 1-based, as the catalogue counts its pictures.
    QPixmap image(int picture);

private:
    std::span<const MapEntry> m_maps;
    QSize m_size;
    QVector<QPixmap> m_images;
};
