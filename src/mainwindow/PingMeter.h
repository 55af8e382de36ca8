#pragma once

#include "platform/IcmpPing.h"

#include <QObject>

#include <functional>

class frmMain;

// The ping meter in status panel 3: an ICMP echo to the address in the server field, every few
// seconds as the current profile says ([Ping Settings] in its Preferences.ini). The echo is
// answered through the event loop, so a server that never answers costs the window nothing.
//
// tmrCheckPingMeter arms the meter: it reads the profile's settings once and starts or stops
// tmrPing. Start-up, a change of profile and a write to the profile's preferences file start it.
class PingMeter : public QObject
{
    Q_OBJECT
public:
    explicit PingMeter(frmMain *main);

    // A round trip above this shows as this, with the hint and the slow retry.
    static constexpr int kLongestShownMs = 999;
    static constexpr int kRetryMs = 30000;
    static constexpr int kEchoTimeoutMs = 200;

    // Sends one echo to the address; its outcome must come back through echoReplied() or
    // echoFailed(). Tests put their own here to play a server's answers.
    using EchoSender = std::function<void(const QString &address)>;
    void setEchoSender(EchoSender sender);

    // The whole-second period of the current profile (at least one second).
    int periodMs() const;

    void tmrCheckPingMeter_Timer();
    void tmrPing_Timer();

    void echoReplied(int milliseconds);
    void echoFailed(IcmpPing::Failure failure, const QString &reason);

private:
    QString profileFile() const;
    void show(const QString &text);
    void show(const QString &text, const QString &toolTip);

    frmMain *m_main;
    IcmpPing *m_echo;
    EchoSender m_sender;
};
