#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <memory>

class QTimer;

// One ICMP echo ("Echo This") to an IPv4 address, answered through the event loop: a server that
// never answers costs the interface nothing while the echo is out.
class IcmpPing : public QObject
{
    Q_OBJECT
public:
    enum Failure { TimedOut, Unreachable, NotAvailable, BadAddress };
    Q_ENUM(Failure)
    // What this process may use to send an echo; Windows has its own ICMP service.
    enum Method { NoMethod, DatagramSocket, RawSocket, WindowsIcmp };
    Q_ENUM(Method)

    explicit IcmpPing(QObject *parent = nullptr);
    ~IcmpPing() override;

    // Sends one echo to a dotted address ("192.168.1.20"; names are not looked up). Exactly one
    // of replied() or failed() follows, always later from the event loop, never inside this
    // call. A new ping abandons the one still out without a word about it.
    void ping(const QString &dottedAddress, int timeoutMs = 200);
    bool isBusy() const;
    void cancel();

    static Method method();
    static bool isAvailable() { return method() != NoMethod; }
    // Why no echo can be sent here, for the status bar; empty when one can.
    static QString unavailableReason();

signals:
    void replied(int milliseconds);
    void failed(IcmpPing::Failure failure, const QString &reason);

private:
    struct Echo;

    void failSoon(Failure failure, const QString &reason);
    void answered();
    void refused(const QString &reason);
    void finish();

    std::unique_ptr<Echo> m_echo;
    QTimer *m_timer = nullptr;
    QElapsedTimer m_sent;
    Failure m_failure = TimedOut;
    QString m_reason;
};
