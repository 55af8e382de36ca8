#include "mainwindow/PingMeter.h"

#include "config/Language.h"
#include "config/Numbers.h"
#include "config/Profiles.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Ini.h"
#include "rcon/RconSession.h"

#include <QDir>
#include <QLineEdit>
#include <QTimer>

namespace {
constexpr int kPanel = 3;
const QString kSection = QStringLiteral("Ping Settings");
// A day between two echoes is as slow as the meter goes; more would overflow the timer.
constexpr int kLongestPeriodSeconds = 24 * 60 * 60;
} // namespace

PingMeter::PingMeter(frmMain *main)
    : QObject(main)
    , m_main(main)
    , m_echo(new IcmpPing(this))
{
    setObjectName(QStringLiteral("pingMeter"));
    m_echo->setObjectName(QStringLiteral("pingEcho"));
    main->tmrCheckPingMeter = Controls::timer(main, "tmrCheckPingMeter", 100);
    main->tmrCheckPingMeter->setSingleShot(true);
    main->tmrPing = Controls::timer(main, "tmrPing", 5000);

    m_sender = [this](const QString &address) { m_echo->ping(address, kEchoTimeoutMs); };
    connect(m_echo, &IcmpPing::replied, this, &PingMeter::echoReplied);
    connect(m_echo, &IcmpPing::failed, this, &PingMeter::echoFailed);
    connect(main->tmrCheckPingMeter, &QTimer::timeout, this, &PingMeter::tmrCheckPingMeter_Timer);
    connect(main->tmrPing, &QTimer::timeout, this, &PingMeter::tmrPing_Timer);

    // Another profile, or new settings written into this one's file, take effect at once.
    connect(main->session(), &RconSession::profileChanged, main->tmrCheckPingMeter,
            qOverload<>(&QTimer::start));
    connect(IniNotifier::instance(), &IniNotifier::written, this, [this](const QString &file) {
        if (QDir::cleanPath(file) == QDir::cleanPath(profileFile()))
            m_main->tmrCheckPingMeter->start();
    });
}

void PingMeter::setEchoSender(EchoSender sender)
{
    m_sender = std::move(sender);
}

QString PingMeter::profileFile() const
{
    return Profiles::preferencesFile(m_main->session()->profile());
}

int PingMeter::periodMs() const
{
    const double seconds
        = leadingNumber(ReadIni(profileFile(), kSection, QStringLiteral("PingMeterTime")));
    // A period of nothing would ping without pause.
    return int(std::clamp(seconds, 1.0, double(kLongestPeriodSeconds))) * 1000;
}

void PingMeter::show(const QString &text)
{
    m_main->sb1->setText(kPanel, text);
}

// Only a failure explains itself in the tooltip; a later answer leaves the explanation standing.
void PingMeter::show(const QString &text, const QString &toolTip)
{
    show(text);
    m_main->sb1->setPanelToolTip(kPanel, toolTip);
}

void PingMeter::tmrCheckPingMeter_Timer()
{
    const bool on
        = ReadIni(profileFile(), kSection, QStringLiteral("PingMeterEnable")) == QLatin1String("1");
    Clock::setInterval(m_main->tmrPing, periodMs());
    m_echo->cancel();
    if (on) {
        show(LangText(QStringLiteral("frmMain"), QStringLiteral("PingMeter1"),
                      QStringLiteral("Starting ping meter..."))
             + QLatin1Char(' '));
        m_main->tmrPing->start();
    } else {
        show(LangText(QStringLiteral("frmMain"), QStringLiteral("PingMeter2"),
                      QStringLiteral("Ping meter off"))
             + QLatin1Char(' '));
        m_main->tmrPing->stop();
    }
    m_main->tmrCheckPingMeter->stop();
}

// The next period counts from the answer, as it did when the echo held the window up; the
// outcome sets it.
void PingMeter::tmrPing_Timer()
{
    m_sender(m_main->txtServerIP->text());
}

void PingMeter::echoReplied(int milliseconds)
{
    // An answer to an echo sent before the meter was switched off.
    if (!m_main->tmrPing->isActive())
        return;
    if (milliseconds > kLongestShownMs) {
        echoFailed(IcmpPing::TimedOut, QString());
        return;
    }
    show(QStringLiteral("Ping: ") + QString::number(milliseconds) + QLatin1Char(' '));
    Clock::setInterval(m_main->tmrPing, periodMs());
}

void PingMeter::echoFailed(IcmpPing::Failure failure, const QString &reason)
{
    if (!m_main->tmrPing->isActive())
        return;
    switch (failure) {
    case IcmpPing::NotAvailable:
        // Nothing to measure with; the slow retry notices a change of the system's ICMP rules.
        show(QStringLiteral("Ping unavailable "), reason);
        Clock::setInterval(m_main->tmrPing, kRetryMs);
        break;
    case IcmpPing::BadAddress:
        // Nobody to ping yet; the address may be typed any moment.
        show(QStringLiteral("Ping: - "),
             QStringLiteral("The server field holds no IPv4 address (four numbers) to ping."));
        Clock::setInterval(m_main->tmrPing, periodMs());
        break;
    case IcmpPing::TimedOut:
    case IcmpPing::Unreachable:
        show(QStringLiteral("Ping: 999 "),
             QStringLiteral("It's possible that the server blocked ping."));
        Clock::setInterval(m_main->tmrPing, kRetryMs);
        break;
    }
}
