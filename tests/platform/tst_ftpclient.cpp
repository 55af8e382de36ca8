#include "platform/FtpClient.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

using namespace Qt::StringLiterals;

// Against a real FTP server: Debian's pyftpdlib on 127.0.0.1, serving a temporary tree
//   ban.txt  big.bin  main/readme.txt  main/logs/games_mp.log
// pyftpdlib's throttle lets 256 KiB pass at once, then pauses about 2 s per further 256 KiB:
// big.bin (640 KiB) takes about 2 s, the other files none.
class tst_FtpClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString python = QFile::exists(u"/usr/bin/python3"_s)
                                   ? u"/usr/bin/python3"_s // Debian's, not a pyenv shim
                                   : u"python3"_s;
        if (QProcess::execute(python, {u"-c"_s, u"import pyftpdlib"_s}) != 0)
            QSKIP("python3-pyftpdlib is not installed");
        const QString script = QFINDTESTDATA("../support/ftp_server.py");

        QDir root(m_root.path());
        QVERIFY(root.mkpath(u"main/logs"_s));
        const auto put = [&root](const QString &name, const QByteArray &bytes) {
            QFile f(root.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        };
        put(u"ban.txt"_s, "header\r\n--\r\nbadguy\r\n");
        put(u"big.bin"_s, QByteArray(640 << 10, 'x'));
        put(u"main/readme.txt"_s, "read me");
        put(u"main/logs/games_mp.log"_s, logBytes());

        m_server.start(
            python, {script, m_root.path(), u"admin"_s, u"s3cret"_s, QString::number(256 << 10)});
        QVERIFY2(m_server.waitForStarted() && m_server.waitForReadyRead(10000),
                 m_server.readAllStandardError().constData());
        m_port = m_server.readLine().trimmed().toInt();
        QVERIFY(m_port > 0);
    }

    void cleanupTestCase()
    {
        m_server.kill();
        m_server.waitForFinished();
    }

    void walksTwoLevelsAndDownloadsByteExact()
    {
        FtpClient ftp;
        configure(ftp);
        QList<int> states;
        connect(&ftp, &FtpClient::stateChanged, this, [&states](int s) { states << s; });

        QVERIFY(ftp.list());
        QVERIFY(!ftp.list()); // one request at a time
        QVERIFY(done(ftp));
        QStringList names = FtpClient::entryNames(ftp.response());
        names.sort(); // the server lists in the file system's order
        QCOMPARE(names, QStringList({u"ban.txt"_s, u"big.bin"_s, u"main/"_s}));
        QByteArray chunks;
        for (QByteArray c = ftp.readChunk(16); !c.isEmpty(); c = ftp.readChunk(16))
            chunks += c;
        QCOMPARE(chunks, ftp.response());
        QCOMPARE(states.first(), int(FtpClient::ResolvingHost));
        QCOMPARE(states.last(), int(FtpClient::ResponseCompleted));
        QVERIFY(std::is_sorted(states.begin(), states.end()));
        for (int s : {FtpClient::Connected, FtpClient::RequestSent, FtpClient::ReceivingResponse})
            QVERIFY2(states.contains(s), qPrintable(FtpClient::stateText(s)));

        QVERIFY(ftp.changeDirectory(u"main/"_s));
        QVERIFY(done(ftp));
        QVERIFY(ftp.changeDirectory(u"logs"_s));
        QVERIFY(done(ftp));
        QCOMPARE(ftp.currentDirectory(), u"/main/logs/"_s);
        QVERIFY(ftp.list());
        QVERIFY(done(ftp));
        QCOMPARE(FtpClient::entryNames(ftp.response()), QStringList(u"games_mp.log"_s));
        QVERIFY(ftp.changeDirectory(u".."_s));
        QVERIFY(done(ftp));
        QCOMPARE(ftp.currentDirectory(), u"/main/"_s);

        const QString local = m_local.filePath(u"Tempfiles/games_mp.log"_s);
        QVERIFY(ftp.get(u"logs/games_mp.log"_s, local)); // relative to /main/
        QVERIFY(done(ftp));
        QFile f(local);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), logBytes());
    }

    void failures_data()
    {
        QTest::addColumn<QString>(
            "server"); // "ftp", "down" (nobody listens), "mute" (never greets)
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("request");
        QTest::addColumn<FtpClient::Failure>("failure");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        const auto row
            = [](const char *name, const char *server, const char *password, const char *request,
                 FtpClient::Failure failure, int code, const char *text) {
                  QTest::newRow(name) << server << password << request << failure << code << text;
              };
        using F = FtpClient::Failure;
        row("refused login", "ftp", "guess", "GET ban.txt", F::LoginRefused, 530,
            "refused the login");
        row("missing file", "ftp", "s3cret", "GET main/nothing.txt", F::FileMissing, 550,
            "/main/nothing.txt was not found");
        row("missing dir", "ftp", "s3cret", "CD main/nowhere", F::FileMissing, 550,
            "/main/nowhere/ was not found");
        row("server down", "down", "s3cret", "DIR", F::ServerDown, 0,
            "is down or refuses connections");
        row("time-out", "mute", "s3cret", "GET ban.txt", F::TimedOut, 0,
            "did not answer within 1 s");
    }

    void failures()
    {
        QFETCH(QString, server);
        QFETCH(QString, request);
        QFETCH(QString, password);
        QFETCH(QString, text);
        QTcpServer other; // the mute one listens; the down one gives up a port that was just free
        QVERIFY(other.listen(QHostAddress::LocalHost));
        if (server == "down"_L1)
            other.close();
        FtpClient ftp;
        configure(ftp);
        ftp.setPassword(password);
        if (server != "ftp"_L1) {
            ftp.setRemotePort(other.serverPort());
            ftp.setRequestTimeout(1);
        }
        const QString local = m_local.filePath(u"failed.txt"_s);
        QFile old(local);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old list") == 8);
        old.close();
        QSignalSpy states(&ftp, &FtpClient::stateChanged);
        QSignalSpy failed(&ftp, &FtpClient::failed);

        const QString argument = request.section(QLatin1Char(' '), 1);
        QVERIFY(request.startsWith("GET"_L1)  ? ftp.get(argument, local)
                : request.startsWith("CD"_L1) ? ftp.changeDirectory(argument)
                                              : ftp.list());
        QVERIFY(!done(ftp));
        QTEST(ftp.failure(), "failure");
        QCOMPARE(failed.size(), 1);
        QVERIFY2(failed.first().last().toString().contains(text), qPrintable(ftp.errorString()));
        QTEST(ftp.responseCode(), "code");
        QCOMPARE(states.last().first().toInt(), int(FtpClient::Error));
        QCOMPARE(ftp.currentDirectory(), u"/"_s);
        QVERIFY(old.open(QIODevice::ReadOnly)); // a failed GET leaves the previous file as it was
        QCOMPARE(old.readAll(), QByteArray("old list"));
    }

    void cancelStopsARunningTransfer()
    {
        FtpClient ftp;
        configure(ftp);
        const QString local = m_local.filePath(u"cancelled.bin"_s);
        QList<int> states;
        connect(&ftp, &FtpClient::stateChanged, this, [&](int s) {
            states << s;
            if (s == FtpClient::ReceivingResponse && states.count(s) == 1)
                ftp.cancel();
        });
        QSignalSpy failed(&ftp, &FtpClient::failed);
        QVERIFY(ftp.get(u"big.bin"_s, local));
        QVERIFY(!done(ftp));
        QCOMPARE(ftp.failure(), FtpClient::Failure::Cancelled);
        QCOMPARE(failed.size(), 0); // a cancel is no failure
        QVERIFY(QDir(m_local.path()).entryList({u"cancelled*"_s}).isEmpty());
        QVERIFY(ftp.list()); // and the client works on
        QVERIFY(done(ftp));
        QCOMPARE(states.mid(states.indexOf(FtpClient::Disconnecting), 3),
                 QList<int>({FtpClient::Disconnecting, FtpClient::Disconnected,
                             FtpClient::ResolvingHost})); // nothing more came of the cancelled one
    }

    void eventLoopRunsDuringATransfer()
    {
        FtpClient ftp;
        configure(ftp);
        int ticksWhileBusy = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { ticksWhileBusy += ftp.isBusy(); });
        ticker.start(10);
        const QString local = m_local.filePath(u"big.bin"_s);
        QVERIFY(ftp.get(u"big.bin"_s, local));
        QVERIFY(done(ftp));
        QCOMPARE(QFileInfo(local).size(), qint64(640 << 10));
        QVERIFY2(ticksWhileBusy >= 50, qPrintable(QString::number(ticksWhileBusy))); // about 2 s
    }

    void closingNeverWaitsForTheServer()
    {
        auto ftp = std::make_unique<FtpClient>();
        configure(*ftp);
        QVERIFY(ftp->list());
        QVERIFY(done(*ftp)); // the logged-in connection stays open for the next request
        ::kill(pid_t(m_server.processId()), SIGSTOP); // the server hangs
        QElapsedTimer clock;
        clock.start();
        ftp.reset();
        const qint64 ms = clock.elapsed();
        ::kill(pid_t(m_server.processId()), SIGCONT);
        QVERIFY2(ms < 500, qPrintable(QString::number(ms)));
    }

    void entryNamesOfOtherServers()
    {
        const QByteArray listing = "total 12\r\n"
                                   "drwxr-xr-x 1 ftp ftp 0 Jan  1  2023 cod4 server\r\n"
                                   "lrwxrwxrwx 1 0 0 9 Mar 10 12:00 logs -> /var/log\r\n"
                                   "12-06-23  06:03AM       <DIR>          main\r\n"
                                   "12-06-23  06:03PM                 1234 ban.txt\r\n"
                                   "drwxr-xr-x 2 u g 4096 Dec 06 06:03 ..\n";
        QCOMPARE(FtpClient::entryNames(listing),
                 QStringList({u"cod4 server/"_s, u"logs"_s, u"main/"_s, u"ban.txt"_s}));
    }

private:
    void configure(FtpClient &ftp) const
    {
        ftp.setRemoteHost(u"127.0.0.1"_s);
        ftp.setRemotePort(m_port);
        ftp.setUserName(u"admin"_s);
        ftp.setPassword(u"s3cret"_s);
        ftp.setRequestTimeout(10);
    }
    // Waits for the running request; true when it succeeded.
    static bool done(FtpClient &ftp)
    {
        QSignalSpy spy(&ftp, &FtpClient::finished);
        return spy.wait(15000) && spy.first().first().toBool();
    }
    static QByteArray logBytes()
    {
        QByteArray b; // every byte value, CR LF and lone LF: a text-mode transfer would show
        for (int i = 0; i < 70000; ++i)
            b += char(i * 7 % 256);
        return b + "\r\nlast line\n";
    }

    QTemporaryDir m_root;
    QTemporaryDir m_local;
    QProcess m_server;
    int m_port = 0;
};

QTEST_MAIN(tst_FtpClient)
#include "tst_ftpclient.moc"
