// Time from the process's start to its first window being shown, as the program starts up.
// Run: scripts/bench.sh (or build/bench_startup under QT_QPA_PLATFORM=offscreen).
#include "TestEnv.h"
#include "mainwindow/Startup.h"
#include "rcon/RconSession.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {
// Milliseconds since this process was started by the kernel.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowMs = boot.tv_sec * 1000.0 + boot.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

class FirstShow : public QObject
{
public:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType()
            && static_cast<QWidget *>(o)->isWindow()) {
            std::printf("start-up to first shown window (%s): %.1f ms\n",
                        qPrintable(o->objectName()), msSinceProcessStart());
            // Shown from inside start-up, before the event loop runs: quit once it does.
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            qApp->removeEventFilter(this);
        }
        return false;
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestProgramDir env;
    // A user with one server profile: the profile manager opens without its "No profiles" box.
    env.writeFile(QStringLiteral("Profiles/Bench.ini"), "[Bench]\r\nIP=127.0.0.1\r\n");
    FirstShow watcher;
    app.installEventFilter(&watcher);
    RconSession session;
    startVantor(&session);
    return app.exec();
}
