#include "DialogRecorder.h"
#include "TestEnv.h"

#include "mainwindow/UpdateCheck.h"
#include "mainwindow/frmMain.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

// A one-page web server on 127.0.0.1: answers every GET with the same body, after a delay when
// asked to. Records the path of every request.
class TinyHttpServer : public QTcpServer
{
public:
    explicit TinyHttpServer(const QByteArray &body, int delayMs = 0)
    {
        connect(this, &QTcpServer::newConnection, this, [=, this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [=, this] {
                    if (!socket->peek(4096).contains("\r\n\r\n"))
                        return;
                    paths << QString::fromLatin1(socket->readAll().split(' ').value(1));
                    QTimer::singleShot(delayMs, socket, [=] {
                        socket->write("HTTP/1.1 200 OK\r\nContent-Length: "
                                      + QByteArray::number(body.size())
                                      + "\r\nConnection: close\r\n\r\n" + body);
                        socket->disconnectFromHost();
                    });
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QStringList paths;
};

void enableCheck(quint16 port)
{
    WritePref(u"Settings"_s, u"CheckForUpdate"_s, u"1"_s);
    WritePref(u"Settings"_s, u"UpdateURL"_s, u"http://127.0.0.1:"_s + QString::number(port) + u'/');
}

} // namespace

class tst_UpdateCheck : public QObject
{
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("serverDown");
        QTest::addColumn<QString>("published");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<int>("requests");

        const int all = UpdateCheck::kMaxAttempts;
        QTest::newRow("newer") << QByteArray("<ver>9.1.0</ver>") << false << "9.1.0" << true << 1;
        QTest::newRow("equal") << QByteArray("<html><ver>9.0.1</ver></html>\r\n") << false
                               << "9.0.1" << false << 1;
        QTest::newRow("capitals, beta")
            << QByteArray("Latest: <VER>9.2.0 beta</Ver>") << false << "9.2.0" << true << 1;
        // Compared as texts: "9.0.10" sorts before "9.0.9" and "9.0.1".
        QTest::newRow("text order")
            << QByteArray("<ver>9.0.10</ver>") << false << "9.0.10" << true << 1;
        // The version ends at the first blank, so a blank before it leaves nothing.
        QTest::newRow("blank first")
            << QByteArray("<ver> 9.1.0</ver>") << false << "" << false << 1;
        QTest::newRow("empty answer repeated") << QByteArray("") << false << "" << false << all;
        QTest::newRow("server down") << QByteArray() << true << "" << false << all;
    }

    // The check asks once, at the right address, and tries an empty answer again a bounded number
    // of times; only a newer version makes the notice appear.
    void check()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, serverDown);
        QFETCH(bool, announced);
        TestProgramDir env(100.0);
        DialogRecorder dialogs;
        TinyHttpServer server(answer);
        const quint16 port = server.serverPort();
        if (serverDown)
            server.close();
        enableCheck(port);
        RconSession session;
        frmMain main(&session);
        UpdateCheck *check = main.updateCheck;

        QTRY_VERIFY_WITH_TIMEOUT(!check->isRunning(), 20000);
        if (!serverDown) {
            QTEST(int(server.paths.size()), "requests");
            QCOMPARE(server.paths.first(), u"/updater/9.0.1/check.update"_s);
        }
        QTEST(check->lblNewVersion->text(), "published");
        QCOMPARE(check->tmrCheckUpdateFlash->isActive(), announced);
        if (announced)
            QTRY_VERIFY(main.mnuCheckUpdate->isVisible());
        else
            QVERIFY(!main.mnuCheckUpdate->isVisible());
        QVERIFY(dialogs.boxes.isEmpty());
    }

    // At real speed: the window keeps running while the server takes its time, and the notice then
    // blinks every 700 ms.
    void blinksWithoutBlocking()
    {
        TestProgramDir env;
        DialogRecorder dialogs;
        TinyHttpServer server("<ver>9.5</ver>", 500);
        enableCheck(server.serverPort());
        RconSession session;
        frmMain main(&session);

        QElapsedTimer clock;
        clock.start();
        qint64 last = 0, longestGap = 0;
        QTimer beat;
        beat.setInterval(10);
        connect(&beat, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, clock.elapsed() - last);
            last = clock.elapsed();
        });
        beat.start();
        QList<qint64> changes;
        QString caption;
        connect(main.mnuCheckUpdate, &QAction::changed, [&] {
            if (main.mnuCheckUpdate->text() != caption) {
                caption = main.mnuCheckUpdate->text();
                changes << clock.elapsed();
            }
        });
        QTRY_VERIFY_WITH_TIMEOUT(changes.size() >= 3, 6000);
        // A request that held the window would stall it for the whole 500 ms.
        QVERIFY2(longestGap < 400, qPrintable(QString::number(longestGap)));
        QVERIFY(main.mnuCheckUpdate->isVisible());
        const QString bare = u"Update available!"_s;
        QVERIFY(caption == bare || caption == bare + QString(13, u' '));
        QVERIFY(!main.mnuCheckUpdate->font().bold());
        for (int i = 1; i < changes.size(); ++i) {
            const qint64 gap = changes[i] - changes[i - 1];
            QVERIFY2(gap >= 600 && gap <= 1000, qPrintable(QString::number(gap)));
        }
    }

    void updater_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("updaterRuns");
        QTest::newRow("OK") << MsgAnswer::Ok << true;
        QTest::newRow("OK, no updater") << MsgAnswer::Ok << false;
        QTest::newRow("Cancel") << MsgAnswer::Cancel << true;
    }

    // The notice's click hides it and asks; OK ends the program, whether the updater started or
    // not.
    void updater()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, updaterRuns);
        const bool ends = answer == MsgAnswer::Ok;
        TestProgramDir env(50.0);
        DialogRecorder dialogs;
        TinyHttpServer server("<ver>9.9</ver>");
        enableCheck(server.serverPort());
        RconSession session;
        frmMain main(&session);
        main.show();
        QTRY_VERIFY(main.mnuCheckUpdate->isVisible());

        dialogs.answers.enqueue(answer);
        dialogs.programResult = updaterRuns;
        main.mnuCheckUpdate->trigger();
        QVERIFY(!main.mnuCheckUpdate->isVisible());
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.last().text, u"To run Vantor Updater, Vantor will be closed!"_s);
        QCOMPARE(dialogs.last().buttons, MsgButtons::OkCancel);
        QCOMPARE(dialogs.programs.size(), ends ? 1 : 0);
        if (ends)
            QCOMPARE(dialogs.programs[0].program, programPath(u"Updater.exe"_s));
        QCOMPARE(main.isVisible(), !ends);
        QVERIFY(!main.updateCheck->tmrCheckUpdateFlash->isActive());
    }
};

QTEST_MAIN(tst_UpdateCheck)
#include "tst_updatecheck.moc"
