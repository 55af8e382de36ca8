#include "mainwindow/Icons.h"

#include "mainwindow/frmMain.h"

#include <QAction>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr const char *kIconName = "iconName";
constexpr int kSizes[] = {16, 24, 32, 48};

using Painter = void (*)(QPainter &, const QRectF &);

QPixmap painted(Painter paint, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p, QRectF(0, 0, size, size));
    p.end();
    return pixmap;
}

QIcon drawn(Painter paint)
{
    QIcon icon;
    for (int size : kSizes)
        icon.addPixmap(painted(paint, size));
    return icon;
}

// A round lamp: the state's colour, a darker rim and a highlight, as a status light looks.
void lamp(QPainter &p, const QRectF &r, const QColor &colour)
{
    const QRectF body
        = r.adjusted(r.width() * 0.08, r.height() * 0.08, -r.width() * 0.08, -r.height() * 0.08);
    QRadialGradient shade(body.center() - QPointF(body.width() * 0.18, body.height() * 0.18),
                          body.width() * 0.7);
    shade.setColorAt(0, colour.lighter(160));
    shade.setColorAt(1, colour);
    p.setBrush(shade);
    p.setPen(QPen(colour.darker(170), std::max(1.0, r.width() / 16)));
    p.drawEllipse(body);
}

void paintConnected(QPainter &p, const QRectF &r)
{
    lamp(p, r, QColor(40, 160, 60));
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.28, r.top() + r.height() * 0.52);
    tick.lineTo(r.left() + r.width() * 0.44, r.top() + r.height() * 0.68);
    tick.lineTo(r.left() + r.width() * 0.72, r.top() + r.height() * 0.34);
    p.setBrush(Qt::NoBrush);
    p.setPen(
        QPen(Qt::white, std::max(1.5, r.width() / 8), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void paintError(QPainter &p, const QRectF &r)
{
    lamp(p, r, QColor(200, 40, 40));
    const double a = r.width() * 0.33, b = r.width() * 0.67;
    p.setPen(QPen(Qt::white, std::max(1.5, r.width() / 8), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + a, r.top() + a), QPointF(r.left() + b, r.top() + b));
    p.drawLine(QPointF(r.left() + b, r.top() + a), QPointF(r.left() + a, r.top() + b));
}

void paintNotConnected(QPainter &p, const QRectF &r)
{
    lamp(p, r, QColor(130, 130, 130));
    p.setPen(QPen(Qt::white, std::max(1.5, r.width() / 8), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + r.width() * 0.3, r.center().y()),
               QPointF(r.left() + r.width() * 0.7, r.center().y()));
}

// A game's badge: a rounded plate in the game's colour with a short mark on it.
void badge(QPainter &p, const QRectF &r, const QColor &plate, const QString &mark)
{
    const QRectF body = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, plate.lighter(140));
    shade.setColorAt(1, plate.darker(120));
    p.setBrush(shade);
    p.setPen(QPen(plate.darker(180), std::max(1.0, r.width() / 20)));
    p.drawRoundedRect(body, r.width() * 0.18, r.height() * 0.18);
    QFont font;
    font.setBold(true);
    font.setPixelSize(std::max(6, static_cast<int>(r.height() * (mark.size() > 2 ? 0.36 : 0.5))));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(body, Qt::AlignCenter, mark);
}

void paintCoD(QPainter &p, const QRectF &r)
{
    badge(p, r, QColor(110, 90, 50), QStringLiteral("1"));
}
void paintCoDUO(QPainter &p, const QRectF &r)
{
    badge(p, r, QColor(150, 60, 30), QStringLiteral("UO"));
}
void paintCoD2(QPainter &p, const QRectF &r)
{
    badge(p, r, QColor(60, 90, 60), QStringLiteral("2"));
}
void paintCoD4(QPainter &p, const QRectF &r)
{
    badge(p, r, QColor(40, 60, 100), QStringLiteral("4"));
}

// The program's own mark, for its windows and the tray.
void paintApp(QPainter &p, const QRectF &r)
{
    badge(p, r, QColor(170, 40, 30), QStringLiteral("V"));
}

struct Named
{
    const char *name;
    Painter paint;
};
constexpr Named kPictures[] = {
    {"connected", paintConnected},
    {"error", paintError},
    {"notconnected", paintNotConnected},
    {"cod", paintCoD},
    {"coduo", paintCoDUO},
    {"cod2", paintCoD2},
    {"cod4", paintCoD4},
    {"app", paintApp},
};

QIcon cached(int index)
{
    static QIcon icons[std::size(kPictures)];
    if (icons[index].isNull())
        icons[index] = drawn(kPictures[index].paint);
    return icons[index];
}

void mark(QAction *action, const QString &name)
{
    if (!action)
        return;
    action->setIcon(Icons::byName(name));
    action->setProperty(kIconName, name);
}
} // namespace

QIcon Icons::byName(const QString &name)
{
    for (int i = 0; i < static_cast<int>(std::size(kPictures)); ++i) {
        if (name == QLatin1String(kPictures[i].name))
            return cached(i);
    }
    return QIcon();
}

QPixmap Icons::render(const QString &name, int size)
{
    for (const Named &picture : kPictures) {
        if (name == QLatin1String(picture.name))
            return painted(picture.paint, size);
    }
    return QPixmap();
}

QIcon Icons::connected()
{
    return byName(QStringLiteral("connected"));
}
QIcon Icons::error()
{
    return byName(QStringLiteral("error"));
}
QIcon Icons::app()
{
    return byName(QStringLiteral("app"));
}

QIcon Icons::notConnected()
{
    return byName(QStringLiteral("notconnected"));
}

QIcon Icons::game(const QString &gameKind)
{
    static const QStringList games = {QStringLiteral("cod"), QStringLiteral("coduo"),
                                      QStringLiteral("cod2"), QStringLiteral("cod4")};
    return games.contains(gameKind) ? byName(gameKind) : QIcon();
}

void Icons::show(QLabel *label, const QString &name, int size)
{
    if (!label)
        return;
    const QIcon icon = byName(name);
    label->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(size, size));
    label->setProperty(kIconName, name);
}

QString Icons::shownName(const QObject *control)
{
    return control ? control->property(kIconName).toString() : QString();
}

void Icons::setMenuIcons(frmMain *main, const QString &gameKind)
{
    if (!main)
        return;
    const struct
    {
        QMenu *menu;
        const char *game;
    } entries[] = {{main->mnuOptionsCoD, "cod"},
                   {main->mnuOptionsCoDUO, "coduo"},
                   {main->mnuOptionsCoD2, "cod2"},
                   {main->mnuOptionsCoD4, "cod4"}};
    for (const auto &e : entries) {
        if (!e.menu)
            continue;
        const bool on = gameKind == QLatin1String(e.game);
        mark(e.menu->menuAction(),
             on ? QString::fromLatin1(e.game) : QStringLiteral("notconnected"));
    }
}
