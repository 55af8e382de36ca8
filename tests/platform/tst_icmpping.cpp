#include "platform/IcmpPing.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
enum Setup { HostNetwork = 0, LoopbackUp = 1, IgnoreEcho = 2, EveryGroup = 4, Nobody = 8 };
constexpr int kPrivate = 16, kAnyMethod = -1, kReplied = -1, kNothingYet = -2;

// A network of this thread's own while the object lives: a loopback, down at first, and ICMP
// settings of its own. A socket opened inside stays there after the thread has gone home, and
// nothing sent there can leave the machine.
class PrivateNetwork
{
public:
    bool enter(int setup)
    {
        m_home = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
        m_inside = m_home >= 0 && ::unshare(CLONE_NEWNET) == 0;
        return m_inside && set("icmp_echo_ignore_all", setup & IgnoreEcho ? "1" : "0")
               && set("ping_group_range", setup & EveryGroup ? "0 2147483647" : "1 0")
               && (!(setup & LoopbackUp) || setLoopbackUp())
               && (!(setup & Nobody) || (m_nobody = ::seteuid(65534) == 0));
    }
    ~PrivateNetwork()
    {
        if ((m_nobody && ::seteuid(0) != 0) || (m_inside && ::setns(m_home, CLONE_NEWNET) != 0))
            qFatal("cannot go back to the host network as root");
        if (m_home >= 0)
            ::close(m_home);
    }

private:
    static bool setLoopbackUp()
    {
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        ifreq request{};
        std::strcpy(request.ifr_name, "lo");
        request.ifr_flags = IFF_UP;
        const bool ok = ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
        ::close(fd);
        return ok;
    }
    static bool set(const char *setting, const char *value)
    {
        const int fd = ::open(QByteArray("/proc/sys/net/ipv4/") + setting, O_WRONLY | O_CLOEXEC);
        const bool ok = fd >= 0 && ::write(fd, value, strlen(value)) == ssize_t(strlen(value));
        ::close(fd);
        return ok;
    }

    int m_home = -1;
    bool m_inside = false;
    bool m_nobody = false;
};
} // namespace

class TestIcmpPing : public QObject
{
    Q_OBJECT

private slots:
    void outcomes_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("setup");
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("outcome");

        const QString loopback = u"127.0.0.1"_s;
        QTest::newRow("this machine") << loopback << int(HostNetwork) << kAnyMethod << kReplied;
        QTest::newRow("unprivileged datagram socket")
            << loopback << (kPrivate | LoopbackUp | EveryGroup) << int(IcmpPing::DatagramSocket)
            << kReplied;
        QTest::newRow("raw socket")
            << loopback << (kPrivate | LoopbackUp) << int(IcmpPing::RawSocket) << kReplied;
        QTest::newRow("network down")
            << loopback << kPrivate << int(IcmpPing::RawSocket) << int(IcmpPing::Unreachable);
        QTest::newRow("echo ignored") << loopback << (kPrivate | LoopbackUp | IgnoreEcho)
                                      << int(IcmpPing::RawSocket) << int(IcmpPing::TimedOut);
        QTest::newRow("echo ignored, datagram socket")
            << loopback << (kPrivate | LoopbackUp | IgnoreEcho | EveryGroup)
            << int(IcmpPing::DatagramSocket) << int(IcmpPing::TimedOut);
        QTest::newRow("no ICMP socket allowed")
            << loopback << (kPrivate | LoopbackUp | Nobody) << int(IcmpPing::NoMethod)
            << int(IcmpPing::NotAvailable);
        for (const char *name : {"localhost", "127.1", "127.0.0.256", "::1", " 127.0.0.1"})
            QTest::newRow(name) << QString::fromLatin1(name) << int(HostNetwork) << kAnyMethod
                                << int(IcmpPing::BadAddress);
    }

    void outcomes()
    {
        QFETCH(QString, address);
        QFETCH(int, setup);
        QFETCH(int, method);
        QFETCH(int, outcome);

        IcmpPing ping;
        int reported = kNothingYet, reportedMs = -1, ticks = 0;
        qint64 after = -1;
        QString reason;
        QElapsedTimer clock;
        QTimer ticker;
        auto record = [&](int what, const QString &text) {
            reported = what;
            after = clock.elapsed();
            reason = text;
        };
        connect(&ping, &IcmpPing::replied, this, [&](int ms) {
            reportedMs = ms;
            record(kReplied, {});
        });
        connect(&ping, &IcmpPing::failed, this,
                [&](IcmpPing::Failure failure, const QString &text) { record(failure, text); });
        connect(&ticker, &QTimer::timeout, this, [&] { ticks += reported == kNothingYet; });
        {
            PrivateNetwork network;
            if ((setup & kPrivate) && !network.enter(setup))
                QSKIP("no private network with ICMP settings of its own may be made here");
            if (outcome == kReplied && !IcmpPing::isAvailable())
                QSKIP(qPrintable(IcmpPing::unavailableReason()));
            QVERIFY(method == kAnyMethod || IcmpPing::method() == method);
            QCOMPARE(IcmpPing::unavailableReason().isEmpty(), IcmpPing::isAvailable());
            ticker.start(10);
            clock.start();
            ping.ping(address);
        }
        QVERIFY2(clock.elapsed() < 50, "ping() waited for the answer");
        QCOMPARE(reported, kNothingYet);
        QTRY_VERIFY(reported != kNothingYet);
        QVERIFY2(reported == outcome, qPrintable(reason));
        QVERIFY(outcome == kReplied ? reportedMs >= 0 && reportedMs <= after : !reason.isEmpty());
        // Only a time-out takes its 200 ms, and the event loop keeps running meanwhile: a
        // blocking wait would have kept the 10 ms ticker from running at all.
        const bool timedOut = outcome == IcmpPing::TimedOut;
        QVERIFY2(after >= (timedOut ? 195 : 0) && after <= (timedOut ? 500 : 150),
                 qPrintable(QString::number(after)));
        QVERIFY2(ticks >= after / 40, qPrintable(QString::number(ticks)));
        QVERIFY(!ping.isBusy());
    }
};

QTEST_GUILESS_MAIN(TestIcmpPing)
#include "tst_icmpping.moc"
