#include "platform/IcmpPing.h"

#include <QTimer>

#include <cstring>

#ifdef Q_OS_WIN
#include <QWinEventNotifier>
// The ICMP header needs these before it, in this order.
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on
#else
#include <QSocketNotifier>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/ip_icmp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {
constexpr char kPayload[] = "Echo This";
constexpr int kPayloadSize = sizeof kPayload - 1;

// Only the four-number form: a server field holding a name is not something to ping.
bool parseDotted(const QString &text, quint32 *address)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint32 value = 0;
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return false;
        for (const QChar c : part) {
            if (c.unicode() < u'0' || c.unicode() > u'9')
                return false;
        }
        const uint number = part.toUInt();
        if (number > 255)
            return false;
        value = value << 8 | number;
    }
    *address = value;
    return true;
}

QString noIcmpReason()
{
    return QStringLiteral("Ping unavailable: this user may not send ICMP echoes");
}
} // namespace

#ifdef Q_OS_WIN

// The system's ICMP service, asked without blocking: IcmpSendEcho2 signals an event that the
// event loop watches. The system writes the reply into our buffer until the request ends, so an
// abandoned request keeps its buffer and handles until then (its own time-out equals ours).
struct IcmpPing::Echo
{
    explicit Echo(IcmpPing *owner)
        : owner(owner)
    {}

    ~Echo()
    {
        if (!notifier) {
            close(handle, event);
            return;
        }
        notifier->disconnect();
        if (completed) {
            notifier->setEnabled(false);
            notifier->deleteLater();
            close(handle, event);
            return;
        }
        QWinEventNotifier *n = notifier;
        QObject::connect(n, &QWinEventNotifier::activated,
                         [n, h = handle, e = event, buffer = reply.release()] {
                             n->setEnabled(false);
                             n->deleteLater();
                             close(h, e);
                             delete[] buffer;
                         });
    }

    static void close(HANDLE h, HANDLE e)
    {
        if (h != INVALID_HANDLE_VALUE)
            IcmpCloseHandle(h);
        if (e)
            CloseHandle(e);
    }

    bool send(quint32 address, int timeoutMs, Failure *failure, QString *reason)
    {
        handle = IcmpCreateFile();
        if (handle == INVALID_HANDLE_VALUE) {
            *failure = NotAvailable;
            *reason = noIcmpReason();
            return false;
        }
        event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        char payload[kPayloadSize];
        memcpy(payload, kPayload, kPayloadSize);
        const DWORD sent
            = IcmpSendEcho2(handle, event, nullptr, nullptr, htonl(address), payload, kPayloadSize,
                            nullptr, reply.get(), kReplySize, DWORD(timeoutMs));
        if (sent == 0 && GetLastError() != ERROR_IO_PENDING) {
            *failure = Unreachable;
            *reason = QStringLiteral("ICMP error %1").arg(GetLastError());
            return false;
        }
        notifier = new QWinEventNotifier(event);
        QObject::connect(notifier, &QWinEventNotifier::activated, owner, [this] { done(); });
        return true;
    }

    void done()
    {
        completed = true;
        const auto *answer = reinterpret_cast<const ICMP_ECHO_REPLY *>(reply.get());
        if (IcmpParseReplies(reply.get(), kReplySize) > 0 && answer->Status == IP_SUCCESS)
            owner->answered();
        else if (answer->Status != IP_REQ_TIMED_OUT)
            owner->refused(QStringLiteral("ICMP status %1").arg(answer->Status));
        // A time-out is left to our own timer, which says so in the same words everywhere.
    }

    static constexpr DWORD kReplySize = 1024;
    IcmpPing *owner;
    HANDLE handle = INVALID_HANDLE_VALUE;
    HANDLE event = nullptr;
    QWinEventNotifier *notifier = nullptr;
    std::unique_ptr<char[]> reply = std::make_unique<char[]>(kReplySize);
    bool completed = false;
};

IcmpPing::Method IcmpPing::method()
{
    const HANDLE h = IcmpCreateFile();
    if (h == INVALID_HANDLE_VALUE)
        return NoMethod;
    IcmpCloseHandle(h);
    return WindowsIcmp;
}

#else

namespace {
int openIcmpSocket(IcmpPing::Method *method)
{
    // The datagram kind needs no privilege where net.ipv4.ping_group_range admits one of our
    // groups, and the kernel then matches replies to the socket; the raw kind needs CAP_NET_RAW.
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
    *method = IcmpPing::DatagramSocket;
    if (fd < 0) {
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
        *method = IcmpPing::RawSocket;
    }
    if (fd < 0)
        *method = IcmpPing::NoMethod;
    return fd;
}

quint16 internetChecksum(const uchar *data, int size)
{
    quint32 sum = 0;
    for (int i = 0; i + 1 < size; i += 2)
        sum += quint32(data[i] << 8 | data[i + 1]);
    if (size % 2)
        sum += quint32(data[size - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xffff) + (sum >> 16);
    return quint16(~sum);
}

quint16 word(const uchar *at)
{
    return quint16(at[0] << 8 | at[1]);
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(strerror(error));
}
} // namespace

struct IcmpPing::Echo
{
    enum Verdict { Other, Reply, Refusal };

    explicit Echo(IcmpPing *owner)
        : owner(owner)
    {}

    ~Echo()
    {
        // This may run inside the notifier's own signal: let Qt delete it afterwards.
        if (notifier) {
            notifier->disconnect();
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
        if (fd >= 0)
            ::close(fd);
    }

    bool send(quint32 address, int, Failure *failure, QString *reason)
    {
        fd = openIcmpSocket(&method);
        if (fd < 0) {
            *failure = NotAvailable;
            *reason = noIcmpReason();
            return false;
        }
        static quint16 lastSequence = 0;
        sequence = ++lastSequence;
        id = quint16(::getpid());
        uchar packet[8 + kPayloadSize] = {
            ICMP_ECHO, 0, 0, 0, uchar(id >> 8), uchar(id), uchar(sequence >> 8), uchar(sequence)};
        memcpy(packet + 8, kPayload, kPayloadSize);
        const quint16 sum = internetChecksum(packet, sizeof packet);
        packet[2] = uchar(sum >> 8);
        packet[3] = uchar(sum);
        if (method == DatagramSocket) {
            // Otherwise a router's "unreachable" for this socket is dropped without a word.
            const int on = 1;
            setsockopt(fd, IPPROTO_IP, IP_RECVERR, &on, sizeof on);
        }
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(address);
        if (::sendto(fd, packet, sizeof packet, 0, reinterpret_cast<sockaddr *>(&to), sizeof to)
            < 0) {
            *failure = Unreachable;
            *reason = errorText(errno);
            return false;
        }
        notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
        QObject::connect(notifier, &QSocketNotifier::activated, owner, [this] { readAll(); });
        return true;
    }

    // Calls back the owner at most once, which destroys this echo: nothing here runs after it.
    void readAll()
    {
        uchar buffer[1500];
        for (;;) {
            const ssize_t size = ::recv(fd, buffer, sizeof buffer, 0);
            if (size < 0 && errno == EINTR)
                continue;
            if (size < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            if (size < 0)
                return owner->refused(errorText(errno));
            const Verdict verdict = method == RawSocket ? judgeRaw(buffer, int(size))
                                                        : judgeDatagram(buffer, int(size));
            if (verdict == Reply)
                return owner->answered();
            if (verdict == Refusal)
                return owner->refused(refusalText);
        }
    }

    // The kernel has matched the identifier already (it chose it) and left the IP header off.
    Verdict judgeDatagram(const uchar *icmp, int size) const
    {
        if (size >= 8 && icmp[0] == ICMP_ECHOREPLY && word(icmp + 6) == sequence)
            return Reply;
        return Other;
    }

    // A raw socket sees every ICMP message the host receives, behind its IP header; an error
    // message quotes the IP header and first 8 bytes of the request it is about.
    Verdict judgeRaw(const uchar *packet, int size)
    {
        const int ipSize = (packet[0] & 0x0f) * 4;
        if (size < ipSize + 8)
            return Other;
        const uchar *icmp = packet + ipSize;
        if (icmp[0] == ICMP_ECHOREPLY)
            return isOurs(icmp) ? Reply : Other;
        if (icmp[0] != ICMP_DEST_UNREACH && icmp[0] != ICMP_TIME_EXCEEDED)
            return Other;
        const uchar *quoted = icmp + 8;
        const int quotedIpSize = (quoted[0] & 0x0f) * 4;
        if (size < ipSize + 8 + 20 || size < ipSize + 8 + quotedIpSize + 8)
            return Other;
        const uchar *request = quoted + quotedIpSize;
        if (quoted[9] != IPPROTO_ICMP || request[0] != ICMP_ECHO || !isOurs(request))
            return Other;
        refusalText = icmp[0] == ICMP_TIME_EXCEEDED ? QStringLiteral("Time to live exceeded")
                                                    : QStringLiteral("Destination unreachable");
        return Refusal;
    }

    bool isOurs(const uchar *icmp) const
    {
        return word(icmp + 4) == id && word(icmp + 6) == sequence;
    }

    IcmpPing *owner;
    Method method = NoMethod;
    int fd = -1;
    QSocketNotifier *notifier = nullptr;
    quint16 id = 0;
    quint16 sequence = 0;
    QString refusalText;
};

IcmpPing::Method IcmpPing::method()
{
    Method m = NoMethod;
    const int fd = openIcmpSocket(&m);
    if (fd >= 0)
        ::close(fd);
    return m;
}

#endif

IcmpPing::IcmpPing(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    // A network does not answer faster for the test clock: this time-out is real time.
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] {
        const Failure failure = m_failure;
        const QString reason = m_reason;
        finish();
        emit failed(failure, reason);
    });
}

IcmpPing::~IcmpPing() = default;

QString IcmpPing::unavailableReason()
{
    return isAvailable() ? QString() : noIcmpReason();
}

void IcmpPing::ping(const QString &dottedAddress, int timeoutMs)
{
    finish();
    quint32 address = 0;
    if (!parseDotted(dottedAddress, &address)) {
        failSoon(BadAddress,
                 QStringLiteral("Not a dotted IPv4 address: \"%1\"").arg(dottedAddress));
        return;
    }
    m_echo = std::make_unique<Echo>(this);
    Failure failure = TimedOut;
    QString reason;
    m_sent.start();
    if (!m_echo->send(address, timeoutMs, &failure, &reason)) {
        finish();
        failSoon(failure, reason);
        return;
    }
    m_failure = TimedOut;
    m_reason = QStringLiteral("No answer within %1 ms").arg(timeoutMs);
    m_timer->start(timeoutMs);
}

bool IcmpPing::isBusy() const
{
    return m_timer->isActive();
}

void IcmpPing::cancel()
{
    finish();
}

void IcmpPing::failSoon(Failure failure, const QString &reason)
{
    m_failure = failure;
    m_reason = reason;
    m_timer->start(0);
}

void IcmpPing::answered()
{
    const int milliseconds = int(m_sent.elapsed());
    finish();
    emit replied(milliseconds);
}

void IcmpPing::refused(const QString &reason)
{
    finish();
    emit failed(Unreachable, reason);
}

void IcmpPing::finish()
{
    m_timer->stop();
    m_echo.reset();
}
