#include "maps/MapPreview.h"

#include "maps/MapCatalogues.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <cstdint>

namespace {

// A generator of our own with a fixed seed per map: qHash is salted per process, and the cards
// must come out the same on every start.
class Dice
{
public:
    explicit Dice(const char *text)
    {
        std::uint32_t h = 2166136261u; // FNV-1a
        for (const char *p = text; *p; ++p) {
            h ^= static_cast<unsigned char>(*p);
            h *= 16777619u;
        }
        m_state = h ? h : 1u;
    }
    std::uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int range(int lo, int hi) { return lo + static_cast<int>(next() % std::uint32_t(hi - lo + 1)); }
    double unit() { return (next() % 10000u) / 10000.0; }

private:
    std::uint32_t m_state;
};

enum class Terrain { Country, Snow, Desert, Town, Coast };

struct Palette
{
    QColor ground, patch, road, roof, wall, tree, water;
};

bool mentions(const QString &text, std::initializer_list<const char *> words)
{
    for (const char *w : words) {
        if (text.contains(QLatin1String(w), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

Terrain terrainOf(const MapEntry &map)
{
    const QString text
        = QLatin1String(map.name) + QLatin1Char(' ') + QLatin1String(map.description);
    if (mentions(text, {"snow", "stalingrad", "pavlov", "kharkov", "leningrad", "moscow", "bloc",
                        "peaks", "hurtgen", "kursk", "ponyri", "railyard"}))
        return Terrain::Snow;
    if (mentions(text, {"egypt", "tunisia", "decoy", "showdown", "crossfire", "backlot", "bog",
                        "vacant", "pipeline", "shipment", "italy", "sicily", "cassino"}))
        return Terrain::Desert;
    if (mentions(text, {"harbor", "ship", "cargoship", "rocket", "strike"}))
        return Terrain::Coast;
    if (mentions(text, {"berlin", "streets", "city", "downtown", "carentan", "dawnville", "depot",
                        "trainstation", "breakout", "arnhem", "crash", "countdown"}))
        return Terrain::Town;
    return Terrain::Country;
}

Palette paletteOf(Terrain terrain)
{
    switch (terrain) {
    case Terrain::Snow:
        return {QColor(0xe4, 0xe9, 0xee), QColor(0xc9, 0xd3, 0xdc), QColor(0x9a, 0x9a, 0x94),
                QColor(0x6d, 0x6a, 0x66), QColor(0xf6, 0xf6, 0xf4), QColor(0x4f, 0x66, 0x58),
                QColor(0x7f, 0x9c, 0xb4)};
    case Terrain::Desert:
        return {QColor(0xd8, 0xc0, 0x8e), QColor(0xc7, 0xa8, 0x72), QColor(0xee, 0xdf, 0xbd),
                QColor(0xa4, 0x7c, 0x52), QColor(0xe9, 0xd9, 0xb6), QColor(0x7d, 0x80, 0x4a),
                QColor(0x4f, 0x8f, 0xa8)};
    case Terrain::Town:
        return {QColor(0x9c, 0x9a, 0x86), QColor(0x86, 0x86, 0x72), QColor(0xc8, 0xc3, 0xb4),
                QColor(0x8a, 0x4b, 0x3c), QColor(0xd6, 0xcf, 0xbf), QColor(0x50, 0x66, 0x3e),
                QColor(0x4e, 0x72, 0x8c)};
    case Terrain::Coast:
        return {QColor(0xa4, 0xa3, 0x8c), QColor(0x8f, 0x8f, 0x7a), QColor(0xcf, 0xcb, 0xbd),
                QColor(0x5f, 0x64, 0x6e), QColor(0xd4, 0xd0, 0xc4), QColor(0x4d, 0x64, 0x42),
                QColor(0x3f, 0x6f, 0x98)};
    case Terrain::Country:
        break;
    }
    return {QColor(0x86, 0x9a, 0x5e), QColor(0x74, 0x8a, 0x50), QColor(0xc9, 0xb8, 0x8e),
            QColor(0x8e, 0x55, 0x3a), QColor(0xe0, 0xd6, 0xc0), QColor(0x3f, 0x5c, 0x33),
            QColor(0x4c, 0x78, 0x96)};
}

// "mp_convoy (Ambush)" -> "Ambush"; "mp_uo_harbor" -> "Harbor"; "mp_crash_snow" -> "Crash Snow".
QString titleOf(const MapEntry &map)
{
    const QString description = QLatin1String(map.description);
    const qsizetype open = description.indexOf(QLatin1Char('('));
    if (open >= 0) {
        QString inside = description.mid(open + 1);
        inside.chop(inside.endsWith(QLatin1Char(')')) ? 1 : 0);
        return inside.section(QLatin1Char(','), 0, 0).trimmed();
    }
    QStringList words = QString::fromLatin1(map.name).split(QLatin1Char('_'), Qt::SkipEmptyParts);
    if (!words.isEmpty() && words.first() == QLatin1String("mp"))
        words.removeFirst();
    if (!words.isEmpty() && words.first() == QLatin1String("uo"))
        words.removeFirst();
    for (QString &w : words)
        w[0] = w[0].toUpper();
    return words.join(QLatin1Char(' '));
}

void drawGround(QPainter &p, const QRectF &r, const Palette &pal, Dice &dice)
{
    p.fillRect(r, pal.ground);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 14; ++i) {
        QColor c = pal.patch;
        c.setAlpha(dice.range(60, 150));
        p.setBrush(c);
        const double w = r.width() * (0.15 + 0.3 * dice.unit());
        const double h = r.height() * (0.1 + 0.25 * dice.unit());
        p.drawEllipse(QRectF(r.left() + dice.unit() * r.width() - w / 2,
                             r.top() + dice.unit() * r.height() - h / 2, w, h));
    }
}

void drawWater(QPainter &p, const QRectF &r, const Palette &pal, Terrain terrain, Dice &dice)
{
    QPainterPath water;
    if (terrain == Terrain::Coast) {
        // A shore along one side of the map, with a pier or two sticking out into it.
        const double depth = r.height() * (0.25 + 0.15 * dice.unit());
        water.moveTo(r.left(), r.bottom());
        water.lineTo(r.left(), r.bottom() - depth);
        const int steps = 6;
        for (int i = 1; i <= steps; ++i) {
            const double x = r.left() + r.width() * i / steps;
            const double y = r.bottom() - depth + (dice.unit() - 0.5) * depth * 0.4;
            water.lineTo(x, y);
        }
        water.lineTo(r.right(), r.bottom());
        water.closeSubpath();
    } else {
        if (dice.range(0, 2) != 0)
            return;
        // A river across the map.
        const double y0 = r.top() + r.height() * (0.2 + 0.6 * dice.unit());
        const double y1 = r.top() + r.height() * (0.2 + 0.6 * dice.unit());
        QPainterPath bank;
        bank.moveTo(r.left(), y0);
        bank.cubicTo(r.left() + r.width() * 0.35, y0 + r.height() * (dice.unit() - 0.5) * 0.6,
                     r.left() + r.width() * 0.65, y1 + r.height() * (dice.unit() - 0.5) * 0.6,
                     r.right(), y1);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(pal.water, r.height() * 0.07, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(bank);
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(pal.water);
    p.drawPath(water);
    p.setPen(QPen(pal.water.lighter(130), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(water);
}

void drawRoads(QPainter &p, const QRectF &r, const Palette &pal, Dice &dice)
{
    p.setBrush(Qt::NoBrush);
    const int roads = dice.range(2, 3);
    for (int i = 0; i < roads; ++i) {
        QPainterPath road;
        if (i % 2 == 0) {
            const double y = r.top() + r.height() * (0.15 + 0.7 * dice.unit());
            road.moveTo(r.left() - 4, y);
            road.quadTo(r.center().x(), y + (dice.unit() - 0.5) * r.height() * 0.5, r.right() + 4,
                        r.top() + r.height() * (0.15 + 0.7 * dice.unit()));
        } else {
            const double x = r.left() + r.width() * (0.15 + 0.7 * dice.unit());
            road.moveTo(x, r.top() - 4);
            road.quadTo(x + (dice.unit() - 0.5) * r.width() * 0.4, r.center().y(),
                        r.left() + r.width() * (0.15 + 0.7 * dice.unit()), r.bottom() + 4);
        }
        p.setPen(QPen(pal.road.darker(125), 7, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(road);
        p.setPen(QPen(pal.road, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(road);
    }
}

void drawBuildings(QPainter &p, const QRectF &r, const Palette &pal, Terrain terrain, Dice &dice)
{
    const int count = terrain == Terrain::Town ? dice.range(16, 24) : dice.range(6, 12);
    // Buildings huddle around a centre, as villages and town squares do.
    const QPointF centre(r.left() + r.width() * (0.3 + 0.4 * dice.unit()),
                         r.top() + r.height() * (0.3 + 0.4 * dice.unit()));
    for (int i = 0; i < count; ++i) {
        const double w = 8 + dice.unit() * 16;
        const double h = 8 + dice.unit() * 14;
        const double x = centre.x() + (dice.unit() - 0.5) * r.width() * 0.75;
        const double y = centre.y() + (dice.unit() - 0.5) * r.height() * 0.7;
        const QRectF box(x, y, w, h);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRect(box.translated(2, 2));
        p.setBrush(i % 3 == 0 ? pal.wall : pal.roof);
        p.setPen(QPen(pal.roof.darker(150), 1));
        p.drawRect(box);
    }
}

void drawTrees(QPainter &p, const QRectF &r, const Palette &pal, Terrain terrain, Dice &dice)
{
    const int count = terrain == Terrain::Desert ? dice.range(3, 8)
                      : terrain == Terrain::Town ? dice.range(6, 12)
                                                 : dice.range(20, 36);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double d = 5 + dice.unit() * 6;
        const QPointF at(r.left() + dice.unit() * r.width(), r.top() + dice.unit() * r.height());
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawEllipse(at + QPointF(1.5, 1.5), d / 2, d / 2);
        p.setBrush(pal.tree);
        p.drawEllipse(at, d / 2, d / 2);
    }
}

void drawGridAndCompass(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(255, 255, 255, 45), 1));
    const int cells = 6;
    for (int i = 1; i < cells; ++i) {
        const double x = r.left() + r.width() * i / cells;
        const double y = r.top() + r.height() * i / cells;
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    const QPointF c(r.right() - 16, r.top() + 18);
    p.setPen(QPen(QColor(20, 20, 20, 200), 1));
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawEllipse(c, 11, 11);
    QPolygonF needle;
    needle << c + QPointF(0, -9) << c + QPointF(4, 2) << c + QPointF(-4, 2);
    p.setBrush(QColor(0xb0, 0x2a, 0x2a));
    p.drawPolygon(needle);
}

void drawCaption(QPainter &p, const QRectF &r, const MapEntry &map, int picture)
{
    const double band = r.height() * 0.24;
    const QRectF strip(r.left(), r.bottom() - band, r.width(), band);
    QLinearGradient fade(strip.topLeft(), strip.bottomLeft());
    fade.setColorAt(0, QColor(0, 0, 0, 90));
    fade.setColorAt(1, QColor(0, 0, 0, 200));
    p.fillRect(strip, fade);

    QFont title = p.font();
    title.setBold(true);
    title.setPixelSize(qMax(10, int(band * 0.42)));
    p.setFont(title);
    p.setPen(Qt::white);
    const QRectF text = strip.adjusted(10, 2, -10, -band * 0.42);
    p.drawText(text, Qt::AlignLeft | Qt::AlignBottom, titleOf(map));

    QFont small = title;
    small.setBold(false);
    small.setPixelSize(qMax(8, int(band * 0.28)));
    p.setFont(small);
    p.setPen(QColor(0xd8, 0xd8, 0xd8));
    p.drawText(strip.adjusted(10, band * 0.58, -10, -2), Qt::AlignLeft | Qt::AlignTop,
               QLatin1String(map.name));

    // The picture number, as the image list counts it.
    const QRectF badge(r.left() + 6, r.top() + 6, 24, 18);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawRoundedRect(badge, 4, 4);
    p.setPen(Qt::white);
    p.drawText(badge, Qt::AlignCenter, QString::number(picture));
}

} // namespace

QPixmap drawMapPreview(const MapEntry &map, int picture, QSize size)
{
    QPixmap card(size);
    card.fill(Qt::black);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size.width(), size.height());
    Dice dice(map.name);
    const Terrain terrain = terrainOf(map);
    const Palette pal = paletteOf(terrain);

    drawGround(p, r, pal, dice);
    drawWater(p, r, pal, terrain, dice);
    drawRoads(p, r, pal, dice);
    drawTrees(p, r, pal, terrain, dice);
    drawBuildings(p, r, pal, terrain, dice);
    drawGridAndCompass(p, r);
    drawCaption(p, r, map, picture);

    p.setPen(QPen(QColor(0, 0, 0, 160), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(1, 1, -1, -1));
    return card;
}

MapImageList::MapImageList(std::span<const MapEntry> maps, QSize size, QObject *parent)
    : QObject(parent)
    , m_maps(maps)
    , m_size(size)
    , m_images(int(maps.size()))
{}

QPixmap MapImageList::image(int picture)
{
    const int i = picture - 1;
    if (i < 0 || i >= m_images.size())
        return QPixmap();
    if (m_images[i].isNull())
        m_images[i] = drawMapPreview(m_maps[std::size_t(i)], picture, m_size);
    return m_images[i];
}
