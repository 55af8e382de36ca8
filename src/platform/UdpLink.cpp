#include "platform/UdpLink.h"

#include "platform/Clock.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <cerrno>
#include <sys/socket.h>
#endif

namespace {
// The error a "port unreachable" left on the socket, taken off it (so that it no longer stands in
// the way of reads and writes); true when it was one.
bool takeRefusal(QUdpSocket *socket)
{
    const qintptr fd = socket->socketDescriptor();
    if (fd < 0)
        return false;
    int error = 0;
#ifdef Q_OS_WIN
    int length = sizeof(error);
    if (getsockopt(SOCKET(fd), SOL_SOCKET, SO_ERROR, reinterpret_cast<char *>(&error), &length)
        != 0)
        return false;
    return error == WSAECONNRESET || error == WSAECONNREFUSED;
#else
    socklen_t length = sizeof(error);
    if (getsockopt(int(fd), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return false;
    return error == ECONNREFUSED;
#endif
}
} // namespace

UdpLink::UdpLink(QObject *parent)
    : QObject(parent)
    , m_listen(new QTimer(this))
{
    setObjectName(QStringLiteral("UDPClient"));
    m_listen->setObjectName(QStringLiteral("tmrKeepListening"));
    Clock::setInterval(m_listen, 500);
    connect(m_listen, &QTimer::timeout, this, &UdpLink::keepListening);
}

QString UdpLink::remoteHostIP() const
{
    if (!m_address.isNull())
        return m_address.toString();
    return m_host;
}

void UdpLink::open()
{
    if (m_state == Open)
        return;
    m_state = Open;
    m_waiting.clear();
    m_address.clear();
    setReachable(true);
    QHostAddress literal;
    if (literal.setAddress(m_host)) {
        connectTo(literal);
        return;
    }
    const quint16 port = m_port;
    m_lookupId = QHostInfo::lookupHost(m_host, this, [this, port](const QHostInfo &info) {
        if (m_state != Open || info.lookupId() != m_lookupId)
            return;
        m_lookupId = -1;
        for (const QHostAddress &a : info.addresses()) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                m_port = port;
                connectTo(a);
                return;
            }
        }
        if (!info.addresses().isEmpty())
            connectTo(info.addresses().first());
        else
            m_waiting.clear(); // unknown host: what was sent is lost, as on a dead line
    });
}

void UdpLink::connectTo(const QHostAddress &address)
{
    m_address = address;
    delete m_socket;
    m_socket = new QUdpSocket(this);
    connect(m_socket, &QUdpSocket::readyRead, this, &UdpLink::readPending);
    m_socket->connectToHost(address, m_port);
    m_listen->start();
    const QList<QByteArray> waiting = std::exchange(m_waiting, {});
    for (const QByteArray &d : waiting)
        send(d);
}

void UdpLink::close()
{
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    m_lookupId = -1;
    m_state = Closed;
    m_waiting.clear();
    m_listen->stop();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->close();
        m_socket->deleteLater();
        m_socket = nullptr;
    }
    setReachable(true);
}

void UdpLink::send(const QByteArray &datagram)
{
    if (m_state != Open)
        return;
    if (!m_socket) {
        m_waiting << datagram;
        return;
    }
    // A refusal still standing on the socket would fail this write and the datagram would be
    // lost; take it off first.
    keepListening();
    if (m_socket && m_socket->write(datagram) < 0 && m_socket) {
        keepListening();
        m_socket->write(datagram);
    }
}

void UdpLink::readPending()
{
    m_readQueued = false;
    // A socket that turns readable with no datagram carries a refusal: see it before a peek takes
    // it away, and make sure the socket is watched again.
    if (m_socket && takeRefusal(m_socket)) {
        setReachable(false);
        QMetaObject::invokeMethod(this, &UdpLink::keepListening, Qt::QueuedConnection);
        return;
    }
    int read = 0;
    QUdpSocket *socket = m_socket;
    while (socket && socket->hasPendingDatagrams()) {
        if (read == kBatch) {
            // The rest waits for the next turn, after the window had its share.
            if (!m_readQueued) {
                m_readQueued = true;
                QMetaObject::invokeMethod(this, &UdpLink::readPending, Qt::QueuedConnection);
            }
            return;
        }
        const QNetworkDatagram d = socket->receiveDatagram();
        if (!d.isValid())
            break;
        ++read;
        setReachable(true);
        emit datagramArrived(d.data());
        socket = m_socket; // the handler may have closed the link
    }
}

// Qt stops watching a socket whose only news is an error and waits for a read that would clear
// it; the link takes the error off itself and reads once, so that the watch goes on.
void UdpLink::keepListening()
{
    if (!m_socket)
        return;
    // Before anything peeks at the socket: a peek takes the error off it unseen.
    if (takeRefusal(m_socket))
        setReachable(false);
    if (m_socket->hasPendingDatagrams()) {
        readPending();
        return;
    }
    const QNetworkDatagram d = m_socket->receiveDatagram(65536);
    if (d.isValid()) {
        setReachable(true);
        emit datagramArrived(d.data());
    }
    if (m_socket && m_socket->hasPendingDatagrams())
        readPending();
}

void UdpLink::setReachable(bool reachable)
{
    if (m_reachable == reachable)
        return;
    m_reachable = reachable;
    emit reachableChanged(reachable);
}
