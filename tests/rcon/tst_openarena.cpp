// The connection sequence against a real id-tech-3 server: Debian's openarena-server, started on
// a free loopback port for each test and stopped afterwards, also when the test fails.

#include "DialogRecorder.h"
#include "TestEnv.h"

#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleText.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"

#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>

namespace {
const QString kEngine = u"/usr/lib/ioquake3/ioq3ded"_s;
const QString kBasePath = u"/usr/lib/openarena-server"_s;
const QHostAddress kLoopback(QHostAddress::LocalHost);

// A port nobody on 127.0.0.1 uses: the engine would quietly take the next one if ours were taken.
quint16 freeUdpPort()
{
    QUdpSocket probe;
    if (!probe.bind(kLoopback, 0))
        return 0;
    return probe.localPort();
}

class OpenArenaServer
{
public:
    ~OpenArenaServer() { stop(); }

    // Starts the engine and waits (a few seconds at most) until it answers on our port.
    bool start(const QByteArray &rconPassword, QString *why)
    {
        port = freeUdpPort();
        if (!port || !home.isValid()) {
            *why = u"no free port or home directory"_s;
            return false;
        }
        QStringList args
            = {u"+set"_s, u"com_basegame"_s, u"baseoa"_s, u"+set"_s, u"fs_basepath"_s, kBasePath,
               u"+set"_s, u"fs_homepath"_s, home.path(),
               // Loopback and IPv4 only, a LAN server: it talks to nobody else.
               u"+set"_s, u"net_enabled"_s, u"1"_s, u"+set"_s, u"net_ip"_s, u"127.0.0.1"_s,
               u"+set"_s, u"net_port"_s, QString::number(port), u"+set"_s, u"dedicated"_s, u"1"_s};
        if (!rconPassword.isEmpty())
            args << u"+set"_s << u"rconpassword"_s << QString::fromLatin1(rconPassword);
        args << u"+map"_s << u"oa_dm1"_s;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(kEngine, args);
        if (!process.waitForStarted(5000)) {
            *why = u"the engine did not start: "_s + process.errorString();
            return false;
        }
        // One status query every 250 ms until the answer comes from our port; each answered
        // query counts against the engine's per-address limit, so stop at the first.
        QUdpSocket probe;
        probe.bind(kLoopback, 0);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 8000 && process.state() == QProcess::Running) {
            probe.writeDatagram(QByteArray("\xFF\xFF\xFF\xFFgetstatus"), kLoopback, port);
            if (probe.waitForReadyRead(250)) {
                while (probe.hasPendingDatagrams()) {
                    const QNetworkDatagram d = probe.receiveDatagram();
                    if (d.senderPort() == port
                        && d.data().startsWith("\xFF\xFF\xFF\xFFstatusResponse"))
                        return true;
                }
            }
        }
        *why = u"no answer on port %1: "_s.arg(port)
               + QString::fromLocal8Bit(process.readAll().right(2000));
        return false;
    }

    void stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.kill();
        process.waitForFinished(5000);
    }

    quint16 port = 0;
    QProcess process;
    QTemporaryDir home;
};

// The main window, its fields filled for the server, on a clock four times as fast: the engine
// answers within milliseconds on loopback.
struct Window
{
    explicit Window(quint16 port)
        : env(4.0)
    {
        main.txtServerIP->setText(u"127.0.0.1"_s);
        main.txtServerPORT->setText(QString::number(port));
        main.txtServername->setText(u"Admin"_s);
    }
    bool login(const QString &password)
    {
        main.txtServerRCON->setText(password);
        QTest::mouseClick(main.cmdConnect, Qt::LeftButton);
        return QTest::qWaitFor([this] { return !main.tmrConnectProcess->isActive(); }, 10000);
    }
    TestProgramDir env;
    DialogRecorder rec;
    RconSession session;
    frmMain main{&session};
};
} // namespace

class tst_OpenArena : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFileInfo(kEngine).isExecutable() || !QFileInfo::exists(kBasePath + u"/baseoa"_s))
            QSKIP("openarena-server is not installed");
    }

    void cleanup()
    {
        m_server.reset(); // kills the engine, whatever the test's outcome
    }

    void refusedThenGoodLogin()
    {
        m_server = std::make_unique<OpenArenaServer>();
        QString why;
        QVERIFY2(m_server->start("oa-secret", &why), qPrintable(why));
        const QString at = u"127.0.0.1:"_s + QString::number(m_server->port);
        Window w(m_server->port);

        QVERIFY(w.login(u"guess"_s));
        QCOMPARE(w.rec.boxes.size(), 1);
        QCOMPARE(w.rec.last().title, u"Bad rconpassword"_s);
        QCOMPARE(w.main.sb1->text(2),
                 u"Details: wrong rconpassword for: "_s + at + QLatin1Char(' '));
        QCOMPARE(w.main.lblServerStatus->text(), u"Connection error!"_s);
        QVERIFY(!w.session.link()->isOpen());

        // The engine answers "g_password" with an empty value and a gamename that is none of the
        // four games: a public server, connected, with the game left undecided.
        QVERIFY(w.login(u"oa-secret"_s));
        QCOMPARE(w.rec.boxes.size(), 1);
        QCOMPARE(w.main.sb1->text(2), u"Details: public "_s);
        QCOMPARE(w.main.sb1->text(1), u"Connected with: "_s + at);
        QCOMPARE(w.main.lblServerStatus->text(), u"Connected!"_s);
        QVERIFY(w.session.link()->isOpen());
        QCOMPARE(w.session.gameKind(), u"noco"_s);
        QVERIFY(w.main.lblGame->isHidden());
        QVERIFY(w.main.mnuOptionsCoD4->menuAction()->isEnabled()); // every game's dialogs on offer
        // "sv_punkbuster" is an unknown command there: no number, so the buttons stay as they were.
        QVERIFY(w.main.cmdOptionsPB->isEnabled());
        // The status table of this engine: no guid column.
        QTRY_VERIFY_WITH_TIMEOUT(w.session.console()->text().contains("map: oa_dm1"_L1), 3000);
        QVERIFY(w.session.console()->text().contains("cl score ping name"_L1));
    }

    void noRconPasswordSet()
    {
        m_server = std::make_unique<OpenArenaServer>();
        QString why;
        QVERIFY2(m_server->start(QByteArray(), &why), qPrintable(why));
        Window w(m_server->port);
        QVERIFY(w.login(u"anything"_s));
        QCOMPARE(w.rec.boxes.size(), 1);
        QCOMPARE(w.rec.last().title, u"No rconpassword"_s);
        QVERIFY(w.rec.last().text.startsWith("This server has no rconpassword set.\r\n"_L1));
        QCOMPARE(w.main.sb1->text(2), u"Details: 127.0.0.1:"_s + QString::number(m_server->port)
                                          + u" has no rconpassword set "_s);
        QCOMPARE(w.session.gameKind(), u"noco"_s);
        QVERIFY(!w.session.link()->isOpen());
    }

private:
    std::unique_ptr<OpenArenaServer> m_server;
};

QTEST_MAIN(tst_OpenArena)
#include "tst_openarena.moc"
