// Appends 20,000 replies of about 1 KB to the console through the receive path and reports the
// mean time per append over the first and the last thousand, and the process's peak memory.
// Run: scripts/bench.sh (or build/bench_console under QT_QPA_PLATFORM=offscreen).
#include "TestEnv.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "rcon/RconSession.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <sys/resource.h>

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

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("console append: %d replies of %lld bytes\n", kReplies,
                static_cast<long long>(reply.size()));
    std::printf("  mean per append, first %d: %.1f us\n", kWindow, first);
    std::printf("  mean per append, last  %d: %.1f us\n", kWindow, last);
    std::printf("  last / first: %.2f (flat when below 1.5)\n", last / first);
    std::printf("  console text: %lld characters\n",
                static_cast<long long>(main.txtConsole->text().size()));
    std::printf("  peak memory (max RSS): %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return last / first < 1.5 ? 0 : 1;
}
