#include "platform/FtpClient.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPointer>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QUrl>

#include <curl/curl.h>

#include <climits>
#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

// libcurl is opened the first time an FTP client is made, not when the program starts: linked
// directly, its thirty-odd libraries (TLS, Kerberos, LDAP, SSH...) would join every symbol lookup
// and triple the time to the first window, for a feature most sessions never use.
struct CurlApi
{
    decltype(&::curl_global_init) global_init = nullptr;
    decltype(&::curl_easy_init) easy_init = nullptr;
    decltype(&::curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&::curl_easy_strerror) easy_strerror = nullptr;
    CURLcode (*easy_setopt)(CURL *, CURLoption, ...) = nullptr;
    decltype(&::curl_multi_init) multi_init = nullptr;
    decltype(&::curl_multi_cleanup) multi_cleanup = nullptr;
    CURLMcode (*multi_setopt)(CURLM *, CURLMoption, ...) = nullptr;
    decltype(&::curl_multi_add_handle) multi_add_handle = nullptr;
    decltype(&::curl_multi_remove_handle) multi_remove_handle = nullptr;
    decltype(&::curl_multi_socket_action) multi_socket_action = nullptr;
    CURLMcode (*multi_socket_all)(CURLM *, int *) = nullptr;
    decltype(&::curl_multi_info_read) multi_info_read = nullptr;
};

// Null when the library cannot be opened here.
const CurlApi *curl()
{
    static const CurlApi *api = []() -> const CurlApi * {
        static QLibrary library;
        for (const auto &[name, version] : {std::pair{"curl", 4}, std::pair{"libcurl", -1},
                                            std::pair{"libcurl-4", -1}, std::pair{"curl", -1}}) {
            library.setFileNameAndVersion(QLatin1String(name), version);
            if (library.load())
                break;
        }
        if (!library.isLoaded())
            return nullptr;
        static CurlApi a;
        const auto get = [](auto &fn, const char *symbol) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(library.resolve(symbol));
            return fn != nullptr;
        };
        const bool all
            = get(a.global_init, "curl_global_init") && get(a.easy_init, "curl_easy_init")
              && get(a.easy_cleanup, "curl_easy_cleanup")
              && get(a.easy_strerror, "curl_easy_strerror")
              && get(a.easy_setopt, "curl_easy_setopt") && get(a.multi_init, "curl_multi_init")
              && get(a.multi_cleanup, "curl_multi_cleanup")
              && get(a.multi_setopt, "curl_multi_setopt")
              && get(a.multi_add_handle, "curl_multi_add_handle")
              && get(a.multi_remove_handle, "curl_multi_remove_handle")
              && get(a.multi_socket_action, "curl_multi_socket_action")
              && get(a.multi_socket_all, "curl_multi_socket_all")
              && get(a.multi_info_read, "curl_multi_info_read");
        if (!all || a.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            return nullptr;
        return &a;
    }();
    return api;
}
#ifdef Q_OS_WIN
constexpr int kSocketFlags = 0;
int closeFd(curl_socket_t s)
{
    return closesocket(s);
}
void shutDown(qintptr s)
{
    shutdown(static_cast<SOCKET>(s), SD_BOTH);
}
#else
constexpr int kSocketFlags = SOCK_CLOEXEC; // no game client started later inherits them
int closeFd(curl_socket_t s)
{
    return close(s);
}
void shutDown(qintptr s)
{
    shutdown(static_cast<int>(s), SHUT_RDWR);
}
#endif
} // namespace

// curl calls these with the client as its user pointer; they only note things down, so that no
// signal (and no user code) ever runs inside curl.
struct FtpCallbacks
{
    static int socket(CURL *, curl_socket_t s, int what, void *self, void *)
    {
        static_cast<FtpClient *>(self)->watch(s, what);
        return 0;
    }
    static int timer(CURLM *, long ms, void *self)
    {
        QTimer &t = static_cast<FtpClient *>(self)->m_timer;
        if (ms < 0)
            t.stop();
        else
            t.start(static_cast<int>(std::min<long>(ms, INT_MAX)));
        return 0;
    }
    static size_t write(char *data, size_t size, size_t count, void *self)
    {
        const qint64 n = static_cast<qint64>(size * count);
        return static_cast<FtpClient *>(self)->take(data, n) == n ? size * count : 0;
    }
    static curl_socket_t openSocket(void *self, curlsocktype, curl_sockaddr *a)
    {
        const curl_socket_t s = ::socket(a->family, a->socktype | kSocketFlags, a->protocol);
        if (s != CURL_SOCKET_BAD)
            static_cast<FtpClient *>(self)->m_sockets.insert(s);
        return s;
    }
    static int closeSocket(void *self, curl_socket_t s)
    {
        static_cast<FtpClient *>(self)->m_sockets.remove(s);
        return closeFd(s);
    }
    static int debug(CURL *, curl_infotype type, char *data, size_t size, void *self)
    {
        if (type == CURLINFO_TEXT || type == CURLINFO_HEADER_IN || type == CURLINFO_HEADER_OUT)
            static_cast<FtpClient *>(self)->noteTraffic(
                type, QByteArray(data, static_cast<qsizetype>(size)));
        return 0;
    }
};

FtpClient::FtpClient(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("inetFTP"));
    if (const CurlApi *api = curl()) {
        m_multi = api->multi_init();
        api->multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &FtpCallbacks::socket);
        api->multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
        api->multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &FtpCallbacks::timer);
        api->multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    }
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { drive(CURL_SOCKET_TIMEOUT, 0); });
    // libcurl 7.88 can leave an FTP transfer waiting with neither a socket to watch nor a timer
    // due (seen when the answer to EPSV is read in the same call that sent it, and then it waits
    // for its connection time-out). Running every transfer now and then keeps it going.
    m_kick.setInterval(100);
    connect(&m_kick, &QTimer::timeout, this, [this] { drive(CURL_SOCKET_BAD, -1); });
}

FtpClient::~FtpClient()
{
    hangUp();
    release();
    if (m_multi)
        curl()->multi_cleanup(m_multi); // closes the kept connection; may still call back into us
}

void FtpClient::hangUp()
{
    // Closing a kept connection, curl sends QUIT and waits for the answer, blocking, for up to the
    // time-out; with the sockets shut down first it gives up at once. The server needs no QUIT.
    for (qintptr s : std::as_const(m_sockets))
        shutDown(s);
}

bool FtpClient::list(const QString &dir)
{
    const QString path = resolve(dir);
    return start(Kind::List, path == QLatin1String("/") ? path : path + QLatin1Char('/'));
}

bool FtpClient::changeDirectory(const QString &dir)
{
    const QString path = resolve(dir);
    return start(Kind::Cd, path == QLatin1String("/") ? path : path + QLatin1Char('/'));
}

bool FtpClient::get(const QString &remoteFile, const QString &localFile)
{
    return start(Kind::Get, resolve(remoteFile), localFile);
}

QString FtpClient::resolve(const QString &path) const
{
    QStringList parts;
    const QString full = path.startsWith(QLatin1Char('/')) ? path : m_dir + path;
    for (const QString &piece : full.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (piece == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (piece != QLatin1String(".")) {
            parts << piece;
        }
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

bool FtpClient::start(Kind kind, const QString &path, const QString &localFile)
{
    if (isBusy())
        return false;
    m_kind = kind;
    m_target = path;
    m_local = localFile;
    m_response.clear();
    m_readPos = 0;
    m_code = 0;
    m_reply.clear();
    m_failure = Failure::None;
    m_errorText.clear();
    m_state = None;
    m_pending.clear();
    const QString session
        = QStringList{m_host, QString::number(m_port), m_user, m_password}.join(QLatin1Char('\n'));
    if (session != m_session) // the kept connection is of no more use
        hangUp();
    m_session = session;

    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(m_host);
    url.setPort(m_port > 0 ? m_port : 21);
    url.setPath(path); // "/a/b/" makes curl change into a, then b, relative to the login directory

    const CurlApi *api = curl();
    if (!m_multi || !api) {
        // Told from the loop, as every other failure is.
        m_failure = Failure::Other;
        m_errorText = QStringLiteral("FTP is not available: the curl library (libcurl) could not "
                                     "be loaded.");
        m_state = Error;
        QMetaObject::invokeMethod(
            this,
            [this] {
                QPointer<FtpClient> self(this);
                emit stateChanged(Error);
                if (!self)
                    return;
                emit failed(m_failure, m_errorText);
                if (self)
                    emit finished(false);
            },
            Qt::QueuedConnection);
        return true;
    }
    CURL *easy = api->easy_init();
    m_easy = easy;
    api->easy_setopt(easy, CURLOPT_URL, url.toEncoded().constData());
    if (!m_user.isEmpty()) {
        api->easy_setopt(easy, CURLOPT_USERNAME, m_user.toUtf8().constData());
        api->easy_setopt(easy, CURLOPT_PASSWORD, m_password.toUtf8().constData());
    }
    api->easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    if (m_timeout > 0) {
        const long seconds = m_timeout;
        api->easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, seconds);
        api->easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, seconds);
        api->easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
        api->easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, seconds);
    }
    if (kind == Kind::Cd)
        api->easy_setopt(easy, CURLOPT_NOBODY, 1L); // only the CWD steps, no listing
    api->easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, &FtpCallbacks::openSocket);
    api->easy_setopt(easy, CURLOPT_OPENSOCKETDATA, this);
    api->easy_setopt(easy, CURLOPT_CLOSESOCKETFUNCTION, &FtpCallbacks::closeSocket);
    api->easy_setopt(easy, CURLOPT_CLOSESOCKETDATA, this);
    api->easy_setopt(easy, CURLOPT_WRITEFUNCTION, &FtpCallbacks::write);
    api->easy_setopt(easy, CURLOPT_WRITEDATA, this);
    api->easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &FtpCallbacks::debug);
    api->easy_setopt(easy, CURLOPT_DEBUGDATA, this);
    api->easy_setopt(easy, CURLOPT_VERBOSE, 1L); // feeds the state notifications, prints nothing
    advance(ResolvingHost);
    m_kick.start();
    api->multi_add_handle(m_multi, easy); // asks for a zero timer: the work starts from the loop
    return true;
}

void FtpClient::cancel()
{
    if (!isBusy())
        return;
    release();
    m_failure = Failure::Cancelled;
    m_errorText = QStringLiteral("The FTP request was cancelled.");
    if (report(Disconnecting) && report(Disconnected))
        emit finished(false);
}

bool FtpClient::report(State state)
{
    QPointer<FtpClient> self(this); // a slot may delete the client
    m_state = state;
    emit stateChanged(state);
    return self;
}

void FtpClient::release()
{
    if (m_easy) {
        curl()->multi_remove_handle(m_multi, m_easy); // mid-transfer this drops the connection
        curl()->easy_cleanup(m_easy);
        m_easy = nullptr;
    }
    m_kick.stop();
    m_file.reset(); // an uncommitted local file is thrown away, the old one stays
    m_pending.clear();
}

void FtpClient::watch(qintptr socket, int what)
{
    if (what == CURL_POLL_REMOVE) {
        const Watch w = m_watches.take(socket);
        for (QSocketNotifier *n : {w.read, w.write}) {
            if (n) {
                n->setEnabled(false);
                n->deleteLater(); // we may be inside its own activated()
            }
        }
        return;
    }
    Watch &w = m_watches[socket];
    const auto arm
        = [this, socket](QSocketNotifier *&n, QSocketNotifier::Type type, int action, bool on) {
              if (!n && on) {
                  n = new QSocketNotifier(socket, type, this);
                  connect(n, &QSocketNotifier::activated, this,
                          [this, socket, action] { drive(socket, action); });
              }
              if (n)
                  n->setEnabled(on);
          };
    arm(w.read, QSocketNotifier::Read, CURL_CSELECT_IN, what & CURL_POLL_IN);
    arm(w.write, QSocketNotifier::Write, CURL_CSELECT_OUT, what & CURL_POLL_OUT);
}

void FtpClient::drive(qintptr socket, int action)
{
    int running = 0;
    if (action < 0) { // every transfer, watched sockets updated
        curl()->multi_socket_all(m_multi, &running);
    } else {
        curl()->multi_socket_action(m_multi, static_cast<curl_socket_t>(socket), action, &running);
    }
    settle();
}

void FtpClient::settle()
{
    QPointer<FtpClient> self(this);
    while (!m_pending.isEmpty()) {
        emit stateChanged(m_pending.takeFirst());
        if (!self)
            return;
    }
    int left = 0;
    while (CURLMsg *msg = curl()->multi_info_read(m_multi, &left)) {
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == m_easy) {
            finish(msg->data.result);
            return;
        }
    }
}

void FtpClient::advance(State state)
{
    // Only forward: the data connection repeats "Trying" and "Connected" later on.
    if (state > m_state) {
        m_state = state;
        m_pending << state;
    }
}

void FtpClient::noteTraffic(int type, const QByteArray &text)
{
    if (type == CURLINFO_TEXT) {
        const QByteArray t = text.trimmed();
        if (t.startsWith("Trying")) {
            advance(HostResolved);
            advance(Connecting);
        } else if (t.startsWith("Connected to") || t.startsWith("Re-using")) {
            advance(Connected);
        }
    } else if (type == CURLINFO_HEADER_IN) {
        advance(Connected);
        static const QRegularExpression replyLine(QStringLiteral("^(\\d{3})( .*)?$"));
        for (const QByteArray &line : text.split('\n')) {
            const QString l = QString::fromUtf8(line).trimmed();
            const QRegularExpressionMatch m = replyLine.match(l);
            if (m.hasMatch()) {
                m_code = m.captured(1).toInt();
                m_reply = l;
            }
        }
        if (m_code == 125 || m_code == 150)
            advance(ReceivingResponse);
        else if (m_code == 226)
            advance(ResponseReceived);
    } else if (type == CURLINFO_HEADER_OUT) {
        advance(Requesting);
        for (const char *request : {"CWD", "LIST", "RETR"}) {
            if (text.startsWith(request))
                advance(RequestSent);
        }
    }
}

bool FtpClient::openLocal()
{
    if (!m_file) {
        QDir().mkpath(QFileInfo(m_local).absolutePath());
        m_file = std::make_unique<QSaveFile>(m_local);
        m_file->open(QIODevice::WriteOnly);
    }
    return m_file->isOpen();
}

qint64 FtpClient::take(const char *data, qint64 size)
{
    if (m_kind != Kind::Get) {
        m_response.append(data, static_cast<qsizetype>(size));
        return size;
    }
    return openLocal() ? m_file->write(data, size) : -1;
}

void FtpClient::finish(int code)
{
    if (code == CURLE_OK && m_kind == Kind::Get && !(openLocal() && m_file->commit()))
        code = CURLE_WRITE_ERROR;
    if (code == CURLE_OK && m_kind == Kind::Cd)
        m_dir = m_target;
    describe(code);
    release();
    if (code == CURLE_OK) {
        if ((m_state >= ResponseReceived || report(ResponseReceived)) && report(ResponseCompleted))
            emit finished(true);
        return;
    }
    QPointer<FtpClient> self(this);
    if (!report(Error))
        return;
    emit failed(m_failure, m_errorText);
    if (self)
        emit finished(false);
}

void FtpClient::describe(int code)
{
    const QString at = m_host + QLatin1Char(':') + QString::number(m_port > 0 ? m_port : 21);
    const QString reply
        = m_reply.isEmpty() ? QString() : QStringLiteral(" (") + m_reply + QLatin1Char(')');
    const auto set = [this](Failure failure, const QString &text) {
        m_failure = failure;
        m_errorText = text;
    };
    switch (code) {
    case CURLE_OK:
        return set(Failure::None, QString());
    case CURLE_LOGIN_DENIED:
        return set(Failure::LoginRefused,
                   QStringLiteral("The FTP server at %1 refused the login%2.").arg(at, reply));
    case CURLE_COULDNT_CONNECT:
        return set(Failure::ServerDown,
                   QStringLiteral("No FTP server answers at %1: it is down or refuses connections.")
                       .arg(at));
    case CURLE_COULDNT_RESOLVE_HOST:
        return set(Failure::HostNotFound,
                   QStringLiteral("The FTP host %1 was not found.").arg(m_host));
    case CURLE_OPERATION_TIMEDOUT:
        return set(Failure::TimedOut,
                   QStringLiteral("The FTP server at %1 did not answer within %2 s.")
                       .arg(at)
                       .arg(m_timeout));
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_REMOTE_ACCESS_DENIED: // a directory that cannot be entered
        return set(Failure::FileMissing,
                   QStringLiteral("%1 was not found on the FTP server%2.").arg(m_target, reply));
    case CURLE_WRITE_ERROR:
        return set(Failure::LocalFile, QStringLiteral("The file %1 could not be written.")
                                           .arg(QDir::toNativeSeparators(m_local)));
    default:
        return set(Failure::Other,
                   QStringLiteral("The FTP request to %1 failed: %2%3.")
                       .arg(at, QString::fromUtf8(curl()->easy_strerror(CURLcode(code))), reply));
    }
}

QByteArray FtpClient::readChunk(int size)
{
    const QByteArray chunk = m_response.mid(m_readPos, size);
    m_readPos += static_cast<int>(chunk.size());
    return chunk;
}

QStringList FtpClient::entryNames(const QByteArray &listing)
{
    // Unix: "drwxr-xr-x 2 owner group 4096 Dec 06 06:03 name", found by its date, since owner
    // and group columns vary; DOS (IIS): "12-06-23  06:03AM  <DIR>  name" or "... 1234 name".
    static const QRegularExpression unixLine(QStringLiteral(
        "^([-dlbcps])\\S{9}.*?\\s[A-Za-z]{3}\\s+\\d{1,2}\\s+(?:\\d{1,2}:\\d{2}|\\d{4})\\s(.+)$"));
    static const QRegularExpression dosLine(QStringLiteral(
        "^\\d{2}-\\d{2}-\\d{2,4}\\s+\\d{1,2}:\\d{2}\\s*(?:[AaPp][Mm])?\\s+(<DIR>|\\d+)\\s+(.+)$"));
    QStringList names;
    for (QByteArray line : listing.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString text = QString::fromUtf8(line);
        QString name;
        bool dir = false;
        if (const QRegularExpressionMatch m = unixLine.match(text); m.hasMatch()) {
            dir = m.captured(1) == QLatin1String("d");
            name = m.captured(2);
            if (m.captured(1) == QLatin1String("l")) // "name -> target"
                name = name.section(QStringLiteral(" -> "), 0, 0);
        } else if (const QRegularExpressionMatch d = dosLine.match(text); d.hasMatch()) {
            dir = d.captured(1) == QLatin1String("<DIR>");
            name = d.captured(2);
        } else if (!text.startsWith(QLatin1String("total ")) && !text.trimmed().isEmpty()) {
            name = text.trimmed(); // a server that lists bare names
        }
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        names << (dir ? name + QLatin1Char('/') : name);
    }
    return names;
}

QString FtpClient::stateText(int state)
{
    static const char *const texts[]
        = {"Finding Host IP Address", "IP Address Found", "Connecting To Host", "Connected",
           "Sending Request",         "Request Sent",     "Receiving Response", "Response Received",
           "Disconnecting",           "Not Connected"};
    return state >= 1 && state <= 10 ? QString::fromLatin1(texts[state - 1]) : QString();
}
