#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;
class QTimer;
class frmMain;

// Asks the product's web server once after start-up which version is current and, when a newer
// one is published, makes the menu bar's "Update available!" item appear and blink. The request
// runs in the background: the window never waits for the network.
//
// The check is a count on a one-second timer, kept in the hidden pbCheckUpdate: at 1 it asks, at
// 2 it compares. The count waits while a request is out. An empty answer or a failed request is
// asked again after a pause that grows with each try, at most kMaxAttempts times in all; then the
// check gives up quietly until the next start.
class UpdateCheck : public QObject
{
    Q_OBJECT
public:
    explicit UpdateCheck(frmMain *main);

    static constexpr int kMaxAttempts = 5;
    // Ticks to wait before asking again after the n-th empty answer: n times this.
    static constexpr int kRetryTicks = 10;
    // Where the update server lives when [Settings] UpdateURL does not say.
    static QString defaultBaseAddress();

    void start();
    bool isRunning() const;
    // The base address from the preferences + "/updater/" + version + "/check.update".
    QUrl checkUrl() const;

    // The version an answer publishes between "<ver>" and "</ver>" (any case): the text up to the
    // first blank, so " beta" goes; empty when the answer has none.
    static QString publishedVersion(const QString &answer);
    // Versions compare as texts, character by character.
    static bool isNewer(const QString &published, const QString &running);

    // Help > Check for updates and a click on the notice: asks, then starts \Updater.exe and
    // ends the program, whether the updater started or not.
    void runUpdater();

    QTimer *tmrCheckUpdate = nullptr;
    QTimer *tmrCheckUpdateFlash = nullptr;
    QProgressBar *pbCheckUpdate = nullptr; // hidden: the check's count
    QLabel *lblNewVersion = nullptr;       // hidden: the published version
    QNetworkAccessManager *inetCheckUpdate = nullptr;

private:
    void tmrCheckUpdate_Timer();
    void tmrCheckUpdateFlash_Timer();
    void mnuCheckUpdate_Click();
    void request();
    void answered(QNetworkReply *reply);

    frmMain *m_main;
    int m_attempts = 0;
    int m_pauseTicks = 0;
    bool m_flashOn = false;
    QPointer<QNetworkReply> m_reply;
};

// Starts the check of the main window (start-up, when [Settings] CheckForUpdate is "1").
void startUpdateCheck(frmMain *main);
