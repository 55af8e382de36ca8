#include "mainwindow/UpdateCheck.h"

#include "config/AppInfo.h"
#include "config/Language.h"
#include "mainwindow/MainLifecycle.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"

#include <QAction>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QRegularExpression>

namespace {
// A request that hangs is given up after this long and counts as an empty answer.
constexpr int kRequestTimeoutMs = 15000;
constexpr int kFlashBlanks = 13;
} // namespace

UpdateCheck::UpdateCheck(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("updateCheck"));
    tmrCheckUpdate = Controls::timer(this, "tmrCheckUpdate", 1000);
    tmrCheckUpdateFlash = Controls::timer(this, "tmrCheckUpdateFlash", 700);
    lblNewVersion = Controls::label(main, "lblNewVersion");
    lblNewVersion->hide();
    pbCheckUpdate = Controls::named(new QProgressBar(main), "pbCheckUpdate");
    pbCheckUpdate->hide();
    inetCheckUpdate = Controls::named(new QNetworkAccessManager(this), "inetCheckUpdate");

    connect(tmrCheckUpdate, &QTimer::timeout, this, &UpdateCheck::tmrCheckUpdate_Timer);
    connect(tmrCheckUpdateFlash, &QTimer::timeout, this, &UpdateCheck::tmrCheckUpdateFlash_Timer);
    connect(inetCheckUpdate, &QNetworkAccessManager::finished, this, &UpdateCheck::answered);
    connect(main->mnuHelpUpdater, &QAction::triggered, this, &UpdateCheck::runUpdater);
    connect(main->mnuCheckUpdate, &QAction::triggered, this, &UpdateCheck::mnuCheckUpdate_Click);
}

QString UpdateCheck::defaultBaseAddress()
{
    return QStringLiteral("https://vantor.example.org");
}

void UpdateCheck::start()
{
    pbCheckUpdate->setValue(0);
    m_attempts = 0;
    m_pauseTicks = 0;
    tmrCheckUpdate->start();
}

bool UpdateCheck::isRunning() const
{
    return tmrCheckUpdate->isActive() || m_reply;
}

QUrl UpdateCheck::checkUrl() const
{
    QString base = ReadPref(QStringLiteral("Settings"), QStringLiteral("UpdateURL")).trimmed();
    if (base.isEmpty())
        base = defaultBaseAddress();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + QStringLiteral("/updater/") + AppInfo::version()
                + QStringLiteral("/check.update"));
}

QString UpdateCheck::publishedVersion(const QString &answer)
{
    static const QRegularExpression tag(QStringLiteral("</?ver>"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QStringList pieces = answer.split(tag);
    if (pieces.size() < 2)
        return QString();
    return pieces.at(1).section(QLatin1Char(' '), 0, 0);
}

bool UpdateCheck::isNewer(const QString &published, const QString &running)
{
    return QString::compare(published, running, Qt::CaseSensitive) > 0;
}

void UpdateCheck::tmrCheckUpdate_Timer()
{
    if (m_reply)
        return; // still asking; the count goes on once the answer is in
    if (m_pauseTicks > 0) {
        --m_pauseTicks;
        return;
    }
    pbCheckUpdate->setValue(pbCheckUpdate->value() + 1);
    if (pbCheckUpdate->value() == 1) {
        request();
    } else if (pbCheckUpdate->value() == 2) {
        tmrCheckUpdate->stop();
        if (isNewer(lblNewVersion->text(), m_main->lblAppVersionr->text()))
            tmrCheckUpdateFlash->start();
    }
}

void UpdateCheck::request()
{
    ++m_attempts;
    QNetworkRequest request(checkUrl());
    request.setTransferTimeout(Clock::scaled(kRequestTimeoutMs));
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      AppInfo::shortName() + QLatin1Char('/') + AppInfo::version());
    m_reply = inetCheckUpdate->get(request);
}

void UpdateCheck::answered(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    // A failure counts as an empty answer, as does an error page.
    const QString answer = reply->error() == QNetworkReply::NoError
                               ? QString::fromLatin1(reply->readAll())
                               : QString();
    if (!answer.isEmpty()) {
        lblNewVersion->setText(publishedVersion(answer));
        return;
    }
    if (m_attempts >= kMaxAttempts) {
        tmrCheckUpdate->stop();
        return;
    }
    pbCheckUpdate->setValue(0);
    m_pauseTicks = kRetryTicks * m_attempts;
}

void UpdateCheck::tmrCheckUpdateFlash_Timer()
{
    QAction *item = m_main->mnuCheckUpdate;
    item->setVisible(true);
    m_flashOn = !m_flashOn;
    const QString text = LangText(QStringLiteral("frmMain"), QStringLiteral("mnuCheckUpdate"),
                                  QStringLiteral("Update available!"));
    item->setText(m_flashOn ? text : text + QString(kFlashBlanks, QLatin1Char(' ')));
}

void UpdateCheck::mnuCheckUpdate_Click()
{
    tmrCheckUpdateFlash->stop();
    m_main->mnuCheckUpdate->setVisible(false);
    runUpdater();
}

void UpdateCheck::runUpdater()
{
    const MsgAnswer answer
        = MsgBox(LangText(QStringLiteral("frmMain"), QStringLiteral("UpdateMessage"),
                          QStringLiteral("To run Vantor Updater, Vantor will be closed!")),
                 MsgIcon::Question, AppInfo::name() + QStringLiteral(" Updater"),
                 MsgButtons::OkCancel, m_main);
    if (answer != MsgAnswer::Ok)
        return;
    startProgram(programPath(QStringLiteral("Updater.exe")), {}, programDir());
    m_main->lifecycle->endProgram();
}

void startUpdateCheck(frmMain *main)
{
    if (main && main->updateCheck)
        main->updateCheck->start();
}
