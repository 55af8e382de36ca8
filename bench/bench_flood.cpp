// A server that floods the console: 5,000 small replies a second for 5 s reach the shown main
// window, while a 5 ms timer measures how long the window ever goes without a turn of its event
// loop (its longest stall). Run: scripts/bench.sh (or build/bench_flood offscreen).
#include "TestEnv.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleText.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <thread>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestProgramDir env;
    RconSession session;
    frmMain main(&session);
    main.show();

    // Other floods: bench_flood <datagrams a second> <seconds> <bytes each>.
    const QStringList args = QCoreApplication::arguments();
    const int kPerSecond = args.size() > 1 ? args.at(1).toInt() : 5000;
    const int kSeconds = args.size() > 2 ? args.at(2).toInt() : 5;
    const int kBytes = args.size() > 3 ? args.at(3).toInt() : 42;
    std::atomic<quint16> floodPort{0};
    std::atomic<bool> done{false};
    std::thread flooder([&] {
        QUdpSocket socket;
        socket.bind(QHostAddress::LocalHost, 0);
        floodPort = socket.localPort();
        if (!socket.waitForReadyRead(5000))
            return;
        const QNetworkDatagram hello = socket.receiveDatagram();
        QByteArray reply("\xFF\xFF\xFF\xFFprint\nbroadcast: ^1Flood^7 says hello\n", 42);
        while (reply.size() < kBytes)
            reply += "  1    12   48 123456 ^1Big ^7Player^7   50 192.168.0.10:28960 12345 25000\n";
        reply.truncate(kBytes);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kPerSecond * kSeconds; ++i) {
            socket.writeDatagram(hello.makeReply(reply));
            std::this_thread::sleep_until(start
                                          + std::chrono::microseconds(i * 1000000LL / kPerSecond));
        }
        done = true;
    });
    while (floodPort == 0)
        std::this_thread::yield();

    session.link()->setRemoteHost(QStringLiteral("127.0.0.1"));
    session.link()->setRemotePort(floodPort);
    session.link()->open();
    session.setPassword(QStringLiteral("x"));
    session.SendCommand(QStringLiteral("status"));

    qint64 longest = 0;
    int received = 0;
    QObject::connect(session.link(), &UdpLink::datagramArrived, [&] { ++received; });
    QElapsedTimer since;
    since.start();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, since.elapsed());
        since.restart();
        if (done)
            app.quit();
    });
    tick.start(5);
    app.exec();
    flooder.join();

    std::printf("reply flood: %d datagrams of %d bytes a second for %d s\n", kPerSecond, kBytes,
                kSeconds);
    std::printf("  received: %d, console: %lld characters\n", received,
                static_cast<long long>(session.console()->size()));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("  peak memory (max RSS): %.1f MiB\n", usage.ru_maxrss / 1024.0);
    std::printf("  longest stall of the window: %lld ms (goal: under 100 ms)\n",
                static_cast<long long>(longest));
    return longest < 100 ? 0 : 1;
}
