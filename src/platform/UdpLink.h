#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>

class QTimer;
class QUdpSocket;

// The one UDP socket to the game server. It is connected to the server's address, so the system
// drops datagrams from anybody else: a stranger cannot write into the administrator's console.
//
// A connected socket also hears "port unreachable" when the server is down for a moment (a
// restart, a map change on some mods). The link takes that as news, not as the end: it keeps
// reading, says the server is unreachable, and says it is back with the next datagram.
class UdpLink : public QObject
{
    Q_OBJECT
public:
    enum State { Closed = 0, Open = 1 };

    explicit UdpLink(QObject *parent = nullptr);

    void setRemoteHost(const QString &host) { m_host = host; }
    QString remoteHost() const { return m_host; }
    void setRemotePort(quint16 port) { m_port = port; }
    quint16 remotePort() const { return m_port; }
    // The resolved address as a dotted text once known, else the host text.
    QString remoteHostIP() const;

    // Opens on a port the system chooses; a host name is resolved without blocking and datagrams
    // sent meanwhile leave once it is known. Opening an open link changes nothing.
    void open();
    void close();
    State state() const { return m_state; }
    bool isOpen() const { return m_state == Open; }

    void send(const QByteArray &datagram);

    // False from a "port unreachable" until the server's next datagram.
    bool isReachable() const { return m_reachable; }

    // At most this many datagrams are read in one turn of the event loop, so that a flood of
    // replies leaves room for the window to repaint and take input.
    static constexpr int kBatch = 64;

signals:
    void datagramArrived(const QByteArray &datagram);
    void reachableChanged(bool reachable);

private:
    void connectTo(const QHostAddress &address);
    void readPending();
    void keepListening();
    void setReachable(bool reachable);

    QString m_host;
    quint16 m_port = 0;
    State m_state = Closed;
    QUdpSocket *m_socket = nullptr;
    QTimer *m_listen = nullptr;
    QHostAddress m_address;
    QList<QByteArray> m_waiting;
    int m_lookupId = -1;
    bool m_reachable = true;
    bool m_readQueued = false;
};
