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
const QString kEngine = QStringLiteral("/usr/lib/ioquake3/ioq3ded");
const QString kBasePath = QStringLiteral("/usr/lib/openarena-server");
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
            *why = QStringLiteral("no free port or home directory");
            return false;
        }
        QStringList args
            = {QStringLiteral("+set"), QStringLiteral("com_basegame"), QStringLiteral("baseoa"),
               QStringLiteral("+set"), QStringLiteral("fs_basepath"), kBasePath,
               QStringLiteral("+set"), QStringLiteral("fs_homepath"), home.path(),
               // Loopback and IPv4 only, a LAN server: it talks to nobody else.
               QStringLiteral("+set"), QStringLiteral("net_enabled"), QStringLiteral("1"),
               QStringLiteral("+set"), QStringLiteral("net_ip"), QStringLiteral("127.0.0.1"),
               QStringLiteral("+set"), QStringLiteral("net_port"), QString::number(port),
               QStringLiteral("+set"), QStringLiteral("dedicated"), QStringLiteral("1")};
        if (!rconPassword.isEmpty())
            args << QStringLiteral("+set") << QStringLiteral("rconpassword")
                 << QString::fromLatin1(rconPassword);
        args << QStringLiteral("+map") << QStringLiteral("oa_dm1");
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(kEngine, args);
        if (!process.waitForStarted(5000)) {
            *why = QStringLiteral("the engine did not start: ") + process.errorString();
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
        *why = QStringLiteral("no answer on port %1: ").arg(port)
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
        main.txtServerIP->setText(QStringLiteral("127.0.0.1"));
        main.txtServerPORT->setText(QString::number(port));
        main.txtServername->setText(QStringLiteral("Admin"));
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
    void initTestCase();
    void cleanup();
    void refusedThenGoodLogin();
    void noRconPasswordSet();

private:
    std::unique_ptr<OpenArenaServer> m_server;
};

void tst_OpenArena::initTestCase()
{
    if (!QFileInfo(kEngine).isExecutable()
        || !QFileInfo::exists(kBasePath + QStringLiteral("/baseoa")))
        QSKIP("openarena-server is not installed");
}

void tst_OpenArena::cleanup()
{
    m_server.reset(); // kills the engine, whatever the test's outcome
}

void tst_OpenArena::refusedThenGoodLogin()
{
    m_server = std::make_unique<OpenArenaServer>();
    QString why;
    QVERIFY2(m_server->start("oa-secret", &why), qPrintable(why));
    const QString at = QStringLiteral("127.0.0.1:") + QString::number(m_server->port);
    Window w(m_server->port);

    QVERIFY(w.login(QStringLiteral("guess")));
    QCOMPARE(w.rec.boxes.size(), 1);
    QCOMPARE(w.rec.last().title, QStringLiteral("Bad rconpassword"));
    QCOMPARE(w.main.sb1->text(2),
             QStringLiteral("Details: wrong rconpassword for: ") + at + QLatin1Char(' '));
    QCOMPARE(w.main.lblServerStatus->text(), QStringLiteral("Connection error!"));
    QVERIFY(!w.session.link()->isOpen());

    // The engine answers "g_password" with an empty value and a gamename that is none of the
    // four games: a public server, connected, with the game left undecided.
    QVERIFY(w.login(QStringLiteral("oa-secret")));
    QCOMPARE(w.rec.boxes.size(), 1);
    QCOMPARE(w.main.sb1->text(2), QStringLiteral("Details: public "));
    QCOMPARE(w.main.sb1->text(1), QStringLiteral("Connected with: ") + at);
    QCOMPARE(w.main.lblServerStatus->text(), QStringLiteral("Connected!"));
    QVERIFY(w.session.link()->isOpen());
    QCOMPARE(w.session.gameKind(), QStringLiteral("noco"));
    QVERIFY(w.main.lblGame->isHidden());
    QVERIFY(w.main.mnuOptionsCoD4->menuAction()->isEnabled()); // every game's dialogs on offer
    // "sv_punkbuster" is an unknown command there: no number, so the buttons stay as they were.
    QVERIFY(w.main.cmdOptionsPB->isEnabled());
    // The status table of this engine: no guid column.
    QTRY_VERIFY_WITH_TIMEOUT(w.session.console()->text().contains(QLatin1String("map: oa_dm1")),
                             3000);
    QVERIFY(w.session.console()->text().contains(QLatin1String("cl score ping name")));
}

void tst_OpenArena::noRconPasswordSet()
{
    m_server = std::make_unique<OpenArenaServer>();
    QString why;
    QVERIFY2(m_server->start(QByteArray(), &why), qPrintable(why));
    Window w(m_server->port);
    QVERIFY(w.login(QStringLiteral("anything")));
    QCOMPARE(w.rec.boxes.size(), 1);
    QCOMPARE(w.rec.last().title, QStringLiteral("No rconpassword"));
    QVERIFY(
        w.rec.last().text.startsWith(QLatin1String("This server has no rconpassword set.\r\n")));
    QCOMPARE(w.main.sb1->text(2), QStringLiteral("Details: 127.0.0.1:")
                                      + QString::number(m_server->port)
                                      + QStringLiteral(" has no rconpassword set "));
    QCOMPARE(w.session.gameKind(), QStringLiteral("noco"));
    QVERIFY(!w.session.link()->isOpen());
}

QTEST_MAIN(tst_OpenArena)
#include "tst_openarena.moc"
