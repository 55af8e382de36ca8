// Appends 20,000 replies of about 1 KB to the console through the receive path and reports the
// mean time per append over the first and the last thousand, and the process's peak memory.
// Run: scripts/bench.sh (or build/bench_console under QT_QPA_PLATFORM=offscreen).
#include "TestEnv.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "rcon/RconSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {
double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * 4096 / (1024.0 * 1024.0) : 0;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestProgramDir env;
    RconSession session;
    frmMain main(&session);
    main.show();

    // A realistic chunk of a status reply: header, rows with colour codes, LF line ends.
    QByteArray reply("\xFF\xFF\xFF\xFFprint\n", 10);
    int row = 0;
    while (reply.size() < 1000) {
        reply += QByteArray::number(row).rightJustified(3, ' ')
                 + "    12   48 123456 ^1Big ^7Player^7        50 192.168.0.10:28960    12345 "
                   "25000\n";
        ++row;
    }

    QCoreApplication::processEvents();
    const double idleMiB = residentMiB();

    constexpr int kReplies = 20000;
    constexpr int kWindow = 1000;
    double first = 0, last = 0;
    QElapsedTimer t;
    for (int i = 0; i < kReplies; ++i) {
        t.start();
        session.receive(reply);
        const qint64 ns = t.nsecsElapsed();
        if (i < kWindow)
            first += ns;
        else if (i >= kReplies - kWindow)
            last += ns;
        if (i % 100 == 0)
            QCoreApplication::processEvents();
    }
    first /= kWindow * 1000.0;
    last /= kWindow * 1000.0;

    // One screen from the middle of the console, painted at once.
    QScrollBar *bar = main.txtConsole->verticalScrollBar();
    QCoreApplication::processEvents();
    double paintMs = 0;
    for (int i = 0; i < 10; ++i) {
        t.start();
        bar->setValue(bar->maximum() / 2 + i * 37);
        main.txtConsole->viewport()->repaint();
        paintMs = std::max(paintMs, t.nsecsElapsed() / 1e6);
        std::printf("    paint %d: %.2f ms\n", i, t.nsecsElapsed() / 1e6);
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("console append: %d replies of %lld bytes\n", kReplies,
                static_cast<long long>(reply.size()));
    std::printf("  mean per append, first %d: %.1f us\n", kWindow, first);
    std::printf("  mean per append, last  %d: %.1f us\n", kWindow, last);
    std::printf("  last / first: %.2f (flat when below 1.2)\n", last / first);
    std::printf("  console text: %lld characters\n",
                static_cast<long long>(main.txtConsole->model()->size()));
    const double peakMiB = usage.ru_maxrss / 1024.0;
    const double chars = double(main.txtConsole->model()->size());
    std::printf("  peak memory (max RSS): %.1f MiB, idle before: %.1f MiB\n", peakMiB, idleMiB);
    std::printf("  above idle per console character: %.2f bytes\n",
                (peakMiB - idleMiB) * 1024 * 1024 / chars);
    std::printf("  scroll to the middle and paint one screen: %.2f ms (slowest of 10)\n", paintMs);
    return last / first < 1.2 ? 0 : 1;
}
