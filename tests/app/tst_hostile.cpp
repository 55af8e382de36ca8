// The program against a hostile or restarting server and a broken installation: each case once
// cost a reply, a setting or the window.
#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/Startup.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleText.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"
#include "platform/TextFile.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"

#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>

namespace {
void pointAt(RconSession &session, const FakeGameServer &server)
{
    session.setAddress(QStringLiteral("127.0.0.1"));
    session.setPort(QString::number(server.port()));
    session.setPassword(QStringLiteral("secret"));
    session.setAdminName(QStringLiteral("Admin"));
    session.link()->setRemoteHost(QStringLiteral("127.0.0.1"));
    session.link()->setRemotePort(server.port());
    session.link()->open();
}
} // namespace

class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void markupFromTheServerStaysText()
    {
        TestProgramDir env(20.0);
        DialogRecorder rec;
        FakeGameServer server(FakeGame::CoD4);
        server.setPassword("secret");
        QString deep;
        for (int i = 0; i < 3000; ++i)
            deep += QStringLiteral("<table><tr><td>");
        server.setCvar("g_password", deep.toLatin1());
        QVERIFY(server.start(0));
        RconSession session;
        frmMain main(&session);
        main.txtServerIP->setText(QStringLiteral("127.0.0.1"));
        main.txtServerPORT->setText(QString::number(server.port()));
        main.txtServerRCON->setText(QStringLiteral("secret"));
        main.txtServername->setText(QStringLiteral("Admin"));
        main.show();
        QElapsedTimer took;
        took.start();
        QTest::mouseClick(main.cmdConnect, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!main.tmrConnectProcess->isActive(), 10000);
        QVERIFY(main.sb1->text(2).contains(QLatin1String("<table><tr><td><table>")));
        // Every label the server's text can reach shows it as it is.
        const QList<QLabel *> labels = main.findChildren<QLabel *>();
        for (const QLabel *label : labels) {
            if (label->text().contains(QLatin1String("<table>")))
                QCOMPARE(label->textFormat(), Qt::PlainText);
        }
        QVERIFY2(took.elapsed() < 5000, "the window froze laying out the reply");
        server.stop();
    }

    void aServerAwayForOneCommandIsHeardAgain()
    {
        TestProgramDir env(20.0);
        DialogRecorder rec;
        FakeGameServer server(FakeGame::CoD2);
        server.setPassword("secret");
        QVERIFY(server.start(0));
        const quint16 port = server.port();
        RconSession session;
        frmMain main(&session);
        pointAt(session, server);
        main.sb1->setText(1, QStringLiteral("Connected with: here"));

        session.SendCommand(QStringLiteral("status"));
        QTRY_VERIFY(session.replyText().contains(QLatin1String("map:")));

        server.stop(); // a restart: this command meets a closed port
        session.SendCommand(QStringLiteral("status"));
        QTRY_VERIFY(!session.link()->isReachable());
        QVERIFY(main.sb1->text(1).contains(QLatin1String("unreachable")));

        QVERIFY(server.start(port));
        session.clearReplyBuffer();
        session.SendCommand(QStringLiteral("status"));
        QTRY_VERIFY(session.replyText().contains(QLatin1String("map:")));
        QVERIFY(session.link()->isReachable());
        QCOMPARE(main.sb1->text(1), QStringLiteral("Connected with: here"));
        server.stop();
    }

    void aFloodIsReadInTurns()
    {
        TestProgramDir env;
        QUdpSocket flooder;
        QVERIFY(flooder.bind(QHostAddress::LocalHost, 0));
        RconSession session;
        session.link()->setRemoteHost(QStringLiteral("127.0.0.1"));
        session.link()->setRemotePort(flooder.localPort());
        session.link()->open();
        session.SendCommand(QStringLiteral("status")); // the flooder learns where to answer
        QTRY_VERIFY(flooder.hasPendingDatagrams());
        const QNetworkDatagram request = flooder.receiveDatagram();
        const int flood = 3 * UdpLink::kBatch; // within what the system buffers
        for (int i = 0; i < flood; ++i)
            flooder.writeDatagram(request.makeReply(QByteArray("\xFF\xFF\xFF\xFFprint\nx\n", 12)));
        int received = 0;
        connect(session.link(), &UdpLink::datagramArrived, this, [&] { ++received; });
        // One turn of the event loop reads one batch, and the window's events come between.
        QElapsedTimer waited;
        waited.start();
        while (received == 0 && waited.elapsed() < 5000)
            QCoreApplication::processEvents();
        QVERIFY(received > 0);
        QVERIFY(received <= UdpLink::kBatch);
        QTRY_COMPARE(received, flood);
    }

    void anUnreadableSettingsFileIsNeverRewritten()
    {
        TestProgramDir env;
        DialogRecorder rec;
        const QByteArray prefs = "[Settings]\r\nLang=English\r\nMainOnTop=Yes\r\n";
        env.writeFile(QStringLiteral("Preferences.ini"), prefs);
        failReadsOfForTests(prefsFile());
        WritePref(QStringLiteral("Settings"), QStringLiteral("mWidth"), QStringLiteral("9000"));
        WritePref(QStringLiteral("Settings"), QStringLiteral("mHeight"), QStringLiteral("7000"));
        failReadsOfForTests(QString());
        QCOMPARE(env.readFile(QStringLiteral("Preferences.ini")), prefs);
        QCOMPARE(rec.boxes.size(), 1); // told once, not at every write
        QVERIFY(rec.last().text.contains(QLatin1String("Preferences.ini")));
        // A file that is merely missing is still created.
        WriteIni(programPath(QStringLiteral("Other.ini")), QStringLiteral("A"), QStringLiteral("b"),
                 QStringLiteral("c"));
        QCOMPARE(env.readFile(QStringLiteral("Other.ini")), QByteArray("[A]\r\nb=c\r\n"));
    }

    void theUserFolderGetsOnlyTheShippedDefaults()
    {
        QTemporaryDir exe, user;
        const auto put = [&](const QString &relative, QFile::Permissions mode) {
            const QString path = exe.path() + QLatin1Char('/') + relative;
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x\r\n");
            f.close();
            QFile::setPermissions(path, mode);
        };
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        put(QStringLiteral("Preferences.ini"), readOnly);
        put(QStringLiteral("Logs/Console/Commands.log"), readOnly);
        put(QStringLiteral("Profiles/Old.ini"), readOnly);
        put(QStringLiteral("vantor"), readOnly | QFile::ExeOwner);
        put(QStringLiteral("unrelated.txt"), readOnly);
        copyShippedDefaults(exe.path(), user.path());

        const QString u = user.path() + QLatin1Char('/');
        QVERIFY(!QFile::exists(u + QStringLiteral("vantor")));
        QVERIFY(!QFile::exists(u + QStringLiteral("unrelated.txt")));
        QVERIFY(QFile::permissions(u + QStringLiteral("Preferences.ini")) & QFile::WriteOwner);
        QVERIFY(QFile::permissions(u + QStringLiteral("Logs/Console/Commands.log"))
                & QFile::WriteOwner);
        QCOMPARE(QFile::permissions(u + QStringLiteral("Profiles/Old.ini"))
                     & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOwner),
                 QFile::Permissions(QFile::WriteOwner));

        // A second start never overwrites what the user changed.
        QFile mine(u + QStringLiteral("Preferences.ini"));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.write("mine");
        mine.close();
        copyShippedDefaults(exe.path(), user.path());
        QVERIFY(mine.open(QIODevice::ReadOnly));
        QCOMPARE(mine.readAll(), QByteArray("mine"));
    }

    void aNameWithAQuoteIsNotSent()
    {
        TestProgramDir env;
        DialogRecorder rec;
        FakeGameServer server(FakeGame::CoD4);
        server.setPassword("secret");
        QVERIFY(server.start(0));
        RconSession session;
        frmMain main(&session);
        pointAt(session, server);
        main.cbCommunicationPlayerList->addItem(QStringLiteral("a\"b\"c"));
        main.cbCommunicationPlayerList->setCurrentIndex(0);
        QTest::mouseClick(main.cmdCommunicationPlayerInfo, Qt::LeftButton);
        QCOMPARE(rec.boxes.size(), 1);
        QCOMPARE(rec.last().title, QStringLiteral("Not sent"));
        session.SendCommand(QStringLiteral("status")); // a marker: nothing went before it
        QTRY_COMPARE(server.commands(), QList<QByteArray>{"status"});
        server.stop();
    }

    void closingTheLastWindowDoesNotEndTheProgram()
    {
        TestProgramDir env;
        env.writeFile(QStringLiteral("Preferences.ini"),
                      "[Settings]\r\nDontShowProfilesOnStartup=1\r\n");
        RconSession session;
        frmMain *main = startVantor(&session);
        main->hide();
        QEventLoop loop;
        auto *box = new QWidget;
        box->setAttribute(Qt::WA_DeleteOnClose);
        QTimer::singleShot(0, box, [box] {
            box->show();
            box->close();
        });
        QTimer::singleShot(300, &loop, [&loop] { loop.exit(42); });
        QCOMPARE(loop.exec(), 42); // a quit would have ended the loop with 0
        delete main;
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
