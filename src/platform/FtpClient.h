#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

class QSaveFile;
class QSocketNotifier;

// FTP to the game server's host, for its ban file and its log directory: one request at a time
// (DIR, CD or GET) on libcurl, driven by the event loop through socket notifiers and a timer, so
// nothing ever blocks the window that asked. No thread of ours: curl's resolver looks up host
// names on a thread of its own.
//
// Paths are kept here, since FTP over curl is URL-based: "/" is the directory the server puts the
// user in after login, and CD only moves on once the server accepted the new directory. Signals
// are emitted from the event loop, never from inside curl nor from list(), changeDirectory() or
// get(); only cancel() emits its own states and finished(false) before it returns.
class FtpClient : public QObject
{
    Q_OBJECT
public:
    // The state numbers the FTP windows know, reported by stateChanged().
    enum State {
        None = 0,
        ResolvingHost = 1,
        HostResolved = 2,
        Connecting = 3,
        Connected = 4,
        Requesting = 5,
        RequestSent = 6,
        ReceivingResponse = 7,
        ResponseReceived = 8,
        Disconnecting = 9,
        Disconnected = 10,
        Error = 11,             // failure() and errorString() say which
        ResponseCompleted = 12, // the request succeeded; response() holds a listing
    };
    Q_ENUM(State)
    enum class Failure {
        None,
        LoginRefused, // user name or password refused (530)
        ServerDown,   // nobody answers at host:port (connection refused or unreachable)
        HostNotFound,
        TimedOut,    // no answer within the request time-out
        FileMissing, // the remote file or directory does not exist (or may not be entered)
        LocalFile,   // the local file of a GET could not be written
        Cancelled,
        Other,
    };
    Q_ENUM(Failure)

    explicit FtpClient(QObject *parent = nullptr);
    ~FtpClient() override;

    void setRemoteHost(const QString &host) { m_host = host; }
    void setRemotePort(int port) { m_port = port; } // 0 or less means 21
    void setUserName(const QString &user) { m_user = user; }
    void setPassword(const QString &password) { m_password = password; }
    // How long to wait for the server: to connect, for each answer, and while data stalls.
    void setRequestTimeout(int seconds) { m_timeout = seconds; }

    // Each starts a request and returns true, or returns false (and does nothing) while busy.
    // "DIR": the listing of a directory (relative to the current one; empty = current).
    bool list(const QString &dir = QString());
    // "CD": relative names, "..", and absolute paths beginning with "/"; a trailing "/" is fine.
    bool changeDirectory(const QString &dir);
    // "GET": the remote file (relative to the current directory) to a local path. The local file
    // is replaced only when the whole file arrived; its folder is created when missing.
    bool get(const QString &remoteFile, const QString &localFile);
    // Stops the running request at once: emits Disconnecting, Disconnected and finished(false),
    // with failure() Cancelled. Does nothing when idle.
    void cancel();

    bool isBusy() const { return m_easy != nullptr; }
    State state() const { return m_state; }
    QString currentDirectory() const { return m_dir; } // "/" or "/a/b/"

    // The last DIR's listing as the server sent it (LIST format), except that curl turns the CR LF
    // of an ASCII transfer into LF. readChunk() hands it out in pieces from the start and gives an
    // empty array once everything was read; entryNames() makes names of it.
    QByteArray response() const { return m_response; }
    QByteArray readChunk(int size);
    // The last reply code of the server (220, 226, 530, 550...), 0 before any.
    int responseCode() const { return m_code; }
    Failure failure() const { return m_failure; }
    QString errorString() const { return m_errorText; }

    // The entries of a LIST reply (Unix or DOS style); directories end with "/", "." and ".."
    // are left out.
    static QStringList entryNames(const QByteArray &listing);
    // "Finding Host IP Address" ... "Not Connected" for states 1..10; empty for the others.
    static QString stateText(int state);

signals:
    void stateChanged(int state);
    void failed(FtpClient::Failure failure, const QString &message);
    // Every request ends with exactly one finished(); a failure comes after failed().
    void finished(bool ok);

private:
    friend struct FtpCallbacks;
    enum class Kind { List, Cd, Get };

    bool start(Kind kind, const QString &path, const QString &localFile = QString());
    QString resolve(const QString &path) const;
    void watch(qintptr socket, int what);
    void drive(qintptr socket, int action);
    void settle();
    void finish(int code);
    void release();
    void hangUp();
    void advance(State state);
    bool report(State state);
    void noteTraffic(int type, const QByteArray &text);
    bool openLocal();
    qint64 take(const char *data, qint64 size);
    void describe(int code);

    QString m_host;
    int m_port = 21;
    QString m_user;
    QString m_password;
    int m_timeout = 60;

    void *m_multi = nullptr; // CURLM and CURL are void in curl's headers
    void *m_easy = nullptr;
    QTimer m_timer; // curl's own
    QTimer m_kick;
    struct Watch
    {
        QSocketNotifier *read = nullptr;
        QSocketNotifier *write = nullptr;
    };
    QHash<qintptr, Watch> m_watches;
    QSet<qintptr> m_sockets; // every socket curl has open
    QString m_session;       // host, port, user, password of the kept connection

    Kind m_kind = Kind::List;
    QString m_dir = QStringLiteral("/");
    QString m_target; // the path of the running request
    QString m_local;
    std::unique_ptr<QSaveFile> m_file;
    QByteArray m_response;
    int m_readPos = 0;
    State m_state = None;
    QList<State> m_pending; // states seen inside curl, emitted once curl has returned
    int m_code = 0;
    QString m_reply; // the server's last reply line
    Failure m_failure = Failure::None;
    QString m_errorText;
};
