// The program against a hostile or restarting server and a broken installation: each case once
// cost a reply, a setting or the window.
#include "ServerRig.h"

#include "mainwindow/Startup.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"
#include "platform/TextFile.h"
#include "platform/UdpLink.h"

#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>

class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void markupFromTheServerStaysText()
    {
        ServerRig rig(FakeGame::CoD4, 20.0, ServerRig::Link::Closed);
        QString deep;
        for (int i = 0; i < 3000; ++i)
            deep += u"<table><tr><td>\n"_s;
        rig.server.setCvar("g_password", deep.toLatin1());
        frmMain main(&rig.session);
        rig.fillConnectionFields(main);
        main.show();
        const int barHeight = main.sb1->sizeHint().height();
        QElapsedTimer took;
        took.start();
        QTest::mouseClick(main.cmdConnect, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!main.tmrConnectProcess->isActive(), 10000);
        QVERIFY(main.sb1->text(2).contains("<table><tr><td>\r\n<table>"_L1));
        QCOMPARE(main.sb1->sizeHint().height(), barHeight); // its line breaks shown as blanks
        // Every label the server's text can reach shows it as it is.
        const QList<QLabel *> labels = main.findChildren<QLabel *>();
        for (const QLabel *label : labels) {
            if (label->text().contains("<table>"_L1))
                QCOMPARE(label->textFormat(), Qt::PlainText);
        }
        QVERIFY2(took.elapsed() < 5000, "the window froze laying out the reply");
    }

    void aServerAwayForOneCommandIsHeardAgain()
    {
        ServerRig rig(FakeGame::CoD2);
        const quint16 port = rig.server.port();
        frmMain main(&rig.session);
        main.sb1->setText(1, u"Connected with: here"_s);

        rig.session.SendCommand(u"status"_s);
        QTRY_VERIFY(rig.session.replyText().contains("map:"_L1));

        rig.server.stop(); // a restart: this command meets a closed port
        rig.session.SendCommand(u"status"_s);
        QTRY_VERIFY(!rig.session.link()->isReachable());
        QVERIFY(main.sb1->text(1).contains("unreachable"_L1));

        QVERIFY(rig.server.start(port));
        rig.session.clearReplyBuffer();
        rig.session.SendCommand(u"status"_s);
        QTRY_VERIFY(rig.session.replyText().contains("map:"_L1));
        QVERIFY(rig.session.link()->isReachable());
        QCOMPARE(main.sb1->text(1), u"Connected with: here"_s);
    }

    void aFloodIsReadInTurns()
    {
        TestProgramDir env;
        QUdpSocket flooder;
        QVERIFY(flooder.bind(QHostAddress::LocalHost, 0));
        RconSession session;
        session.link()->setRemoteHost(u"127.0.0.1"_s);
        session.link()->setRemotePort(flooder.localPort());
        session.link()->open();
        session.SendCommand(u"status"_s); // the flooder learns where to answer
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
        env.writeFile(u"Preferences.ini"_s, prefs);
        failReadsOfForTests(prefsFile());
        WritePref(u"Settings"_s, u"mWidth"_s, u"9000"_s);
        WritePref(u"Settings"_s, u"mHeight"_s, u"7000"_s);
        failReadsOfForTests(QString());
        QCOMPARE(env.readFile(u"Preferences.ini"_s), prefs);
        QCOMPARE(rec.boxes.size(), 1); // told once, not at every write
        QVERIFY(rec.last().text.contains("Preferences.ini"_L1));
        // A file that is merely missing is still created.
        WriteIni(programPath(u"Other.ini"_s), u"A"_s, u"b"_s, u"c"_s);
        QCOMPARE(env.readFile(u"Other.ini"_s), QByteArray("[A]\r\nb=c\r\n"));
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
        put(u"Preferences.ini"_s, readOnly);
        put(u"Logs/Console/Commands.log"_s, readOnly);
        put(u"Profiles/Old.ini"_s, readOnly);
        put(u"vantor"_s, readOnly | QFile::ExeOwner);
        put(u"unrelated.txt"_s, readOnly);
        copyShippedDefaults(exe.path(), user.path());

        const QString u = user.path() + QLatin1Char('/');
        QVERIFY(!QFile::exists(u + u"vantor"_s));
        QVERIFY(!QFile::exists(u + u"unrelated.txt"_s));
        QVERIFY(QFile::permissions(u + u"Preferences.ini"_s) & QFile::WriteOwner);
        QVERIFY(QFile::permissions(u + u"Logs/Console/Commands.log"_s) & QFile::WriteOwner);
        QCOMPARE(QFile::permissions(u + u"Profiles/Old.ini"_s)
                     & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOwner),
                 QFile::Permissions(QFile::WriteOwner));
    }

    void aNameWithAQuoteIsNotSent()
    {
        ServerRig rig;
        frmMain main(&rig.session);
        main.cbCommunicationPlayerList->addItem(u"a\"b\"c"_s);
        main.cbCommunicationPlayerList->setCurrentIndex(0);
        QTest::mouseClick(main.cmdCommunicationPlayerInfo, Qt::LeftButton);
        QCOMPARE(rig.boxes.boxes.size(), 1);
        QCOMPARE(rig.boxes.last().title, u"Not sent"_s);
        QCOMPARE(rig.commandsUpToNow(), QByteArrayList());
    }

    void closingTheLastWindowDoesNotEndTheProgram()
    {
        TestProgramDir env;
        env.writeFile(u"Preferences.ini"_s, "[Settings]\r\nDontShowProfilesOnStartup=1\r\n");
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
