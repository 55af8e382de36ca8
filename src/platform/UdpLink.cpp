#include "platform/UdpLink.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

UdpLink::UdpLink(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("UDPClient"));
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
    const QList<QByteArray> waiting = std::exchange(m_waiting, {});
    for (const QByteArray &d : waiting)
        m_socket->write(d);
}

void UdpLink::close()
{
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    m_lookupId = -1;
    m_state = Closed;
    m_waiting.clear();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->close();
        m_socket->deleteLater();
        m_socket = nullptr;
    }
}

void UdpLink::send(const QByteArray &datagram)
{
    if (m_state != Open)
        return;
    if (!m_socket) {
        m_waiting << datagram;
        return;
    }
    // A refused earlier datagram (ICMP port unreachable) may leave an error behind; the
    // connected socket still sends, and errors are not the sender's business.
    m_socket->write(datagram);
}

void UdpLink::readPending()
{
    // Qt may have dropped the socket to unconnected state after an ICMP error; keep reading
    // whatever is pending regardless.
    QUdpSocket *socket = m_socket;
    while (socket && socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket->receiveDatagram();
        if (!d.isValid())
            break;
        emit datagramArrived(d.data());
        socket = m_socket; // the handler may have closed the link
    }
}
