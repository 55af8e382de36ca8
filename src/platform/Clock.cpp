#include "platform/Clock.h"

#include <QEventLoop>
#include <QTimer>
#include <QVariant>

#include <cmath>

namespace {
double g_speed = 1.0;
constexpr const char *kLogicalInterval = "vantorInterval";
} // namespace

void Clock::setSpeed(double factor)
{
    g_speed = factor > 0 ? factor : 1.0;
}

double Clock::speed()
{
    return g_speed;
}

int Clock::scaled(int ms)
{
    if (ms <= 0)
        return 0;
    return std::max(1, static_cast<int>(std::lround(ms / g_speed)));
}

void Clock::setInterval(QTimer *timer, int ms)
{
    // Coarse timers may fire 5% early; the program's cadences are promises to the server.
    timer->setTimerType(Qt::PreciseTimer);
    timer->setProperty(kLogicalInterval, ms);
    timer->setInterval(scaled(ms));
}

int Clock::interval(const QTimer *timer)
{
    const QVariant v = timer->property(kLogicalInterval);
    return v.isValid() ? v.toInt() : timer->interval();
}

void Wait(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(Clock::scaled(static_cast<int>(std::lround(seconds * 1000.0))),
                       Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
