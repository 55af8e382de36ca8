#include "mainwindow/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {
double dpiScale(const QWidget *on)
{
    const double dpi = on ? on->logicalDpiX()
                          : (QGuiApplication::primaryScreen()
                                 ? QGuiApplication::primaryScreen()->logicalDotsPerInchX()
                                 : 96.0);
    return dpi > 0 ? dpi / 96.0 : 1.0;
}
} // namespace

int twipsToPixels(double twips, const QWidget *on)
{
    return static_cast<int>(std::lround(twips / 15.0 * dpiScale(on)));
}

double pixelsToTwips(int pixels, const QWidget *on)
{
    return pixels * 15.0 / dpiScale(on);
}
