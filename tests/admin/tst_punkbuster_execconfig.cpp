#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "admin/frmDialogExecConfig.h"
#include "admin/frmDialogPunkbuster.h"
#include "admin/frmDialogPunkbusterLists.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleText.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A session logged in to a fake game server on 127.0.0.1 with every box answered, on a clock
// ten times faster: a one-second read-back still leaves the loopback reply ample time. Closes
// the link and stops the server whatever a test's outcome.
struct SessionRig
{
    SessionRig()
    {
        server.setPassword("pw");
        server.start(0);
        session.setPassword(QStringLiteral("pw"));
        session.link()->setRemoteHost(QStringLiteral("127.0.0.1"));
        session.link()->setRemotePort(server.port());
        session.link()->open();
    }
    ~SessionRig()
    {
        session.link()->close();
        server.stop();
    }

    TestProgramDir env{10.0};
    DialogRecorder boxes;
    FakeGameServer server{FakeGame::CoD4};
    RconSession session;
};

// Clicks a button as the administrator would, its tab brought up first.
void press(QWidget *window, const char *name)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY2(button && button->isEnabled(), name);
    if (auto *tabs = window->findChild<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(button))
                tabs->setCurrentIndex(i);
        }
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

const QString kPb = QStringLiteral("^3PunkBuster Server: ");
const QString kGuid = QStringLiteral("0123456789abcdef0123456789ABCDEF");
const QString kSniper = kPb + QStringLiteral("1  ") + kGuid
                        + QStringLiteral("(-) 10.0.0.5:28960 OK   1 5.0 0 (W) \"Sniper\"");

QString field(const QWidget *w, const char *name)
{
    return w->findChild<QLineEdit *>(QLatin1String(name))->text();
}

QStringList rowTexts(const QTreeWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(i)->text(c);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

QStringList entries(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

class TestPunkbusterExecConfig : public QObject
{
    Q_OBJECT
private slots:
    void listParsers_data();
    void listParsers();
    void playerListFromServer();
    void commands_data();
    void commands();
    void removeBadName();
    void openedFromMainWindow();
    void offersOwnFiles_data();
    void offersOwnFiles();
    void execute();
};

// Console texts as PunkBuster prints them, and the rows the lists show.
void TestPunkbusterExecConfig::listParsers_data()
{
    QTest::addColumn<bool>("badNames");
    QTest::addColumn<QString>("console");
    QTest::addColumn<QStringList>("rows");
    const QString header = kPb
                           + QStringLiteral("Player List: [Slot #] [GUID] [Address] [Status] "
                                            "[Power] [Auth Rate] [Recent SS] [O/S] [Name]\r\n");

    QTest::newRow("one-word name, guid with status, address with port")
        << false << header + kSniper + "\r\n" + kPb + "End of Player List (1 Player)\r\n"
        << QStringList{"1|" + kGuid + "|10.0.0.5|OK|1|5.0|0|Sniper"};
    // Without a header the list is read from character 113 on.
    const QString early = kSniper + "\r\n";
    QTest::newRow("player list header missing")
        << false
        << early + QString(112 - early.size() - 2, QLatin1Char('x')) + "\r\n"
               + QString(kSniper).replace(": 1 ", ": 7 ")
        << QStringList{"7|" + kGuid + "|10.0.0.5|OK|1|5.0|0|Sniper"};

    const QString bad = QStringLiteral("PunkBuster Server: 4: 5 \"c\"\r\n");
    // Only the line that carries the client's system has its name unquoted.
    QTest::newRow("no system word")
        << false << header + QString(kSniper).remove(QStringLiteral(" (W)"))
        << QStringList{"1|" + kGuid + "|10.0.0.5|OK|1|5.0|0|\"Sniper\""};
    QTest::newRow("bad-name header missing")
        << true
        << bad + QString(38 - bad.size() - 2, QLatin1Char('x')) + "\r\n" + kPb + "9: 5 \"cheater\""
        << QStringList{"9|5|cheater"};
}

void TestPunkbusterExecConfig::listParsers()
{
    QFETCH(bool, badNames);
    QFETCH(QString, console);
    QFETCH(QStringList, rows);
    QStringList got;
    for (const PbBadNameRow &r : badNames ? pbBadNameRows(console) : QList<PbBadNameRow>())
        got << QStringList{r.slot, r.seconds, r.filter}.join(QLatin1Char('|'));
    for (const PbPlayerRow &r : badNames ? QList<PbPlayerRow>() : pbPlayerRows(console))
        got << QStringList{r.slot,  r.guid,     r.address,  r.status,
                           r.power, r.authRate, r.recentSs, r.name}
                   .join(QLatin1Char('|'));
    QCOMPARE(got, rows);
}

void TestPunkbusterExecConfig::playerListFromServer()
{
    SessionRig rig;
    rig.server.setPlayers(
        {{3, 0, 48, kGuid.toLatin1(), "Big Boss", 0, "10.0.0.7:-27419", 0, 25000, {}}});
    frmDialogPunkbuster dialog(&rig.session);
    dialog.show();
    auto *lv1 = dialog.findChild<QTreeWidget *>(QStringLiteral("lv1"));

    press(&dialog, "cmdTakeScreenshot");
    QCOMPARE(rig.boxes.last().icon, MsgIcon::Critical); // nobody chosen: nothing to send

    rig.session.console()->setText(QStringLiteral("older console text"));
    press(&dialog, "cmdGetPBList");
    QVERIFY(!rig.session.console()->text().contains(QLatin1String("older")));
    QTRY_COMPARE(rowTexts(lv1), QStringList{"4|" + kGuid + "|10.0.0.7|OK|1|5.0|0|Big Boss"});

    QTest::mouseClick(lv1->viewport(), Qt::LeftButton, {},
                      lv1->visualItemRect(lv1->topLevelItem(0)).center());
    QCOMPARE(QStringList({field(&dialog, "txtKickName"), field(&dialog, "txtBanName"),
                          field(&dialog, "txtGuidBanName"), field(&dialog, "txtGuidBanGuid"),
                          field(&dialog, "txtGuidBanIP")}),
             QStringList({"Big Boss", "Big Boss", "Big Boss", kGuid, "10.0.0.7"}));

    rig.session.replyBuffer()->setText(QStringLiteral("stale reply"));
    press(&dialog, "cmdTakeScreenshot");
    QTRY_COMPARE(rig.server.commands(), (QList<QByteArray>{"pb_sv_plist", "pb_sv_getss 4"}));
    QVERIFY(!rig.session.replyText().contains(QLatin1String("stale")));

    // Not connected: the box, and the console and the list are emptied for a read-back all the
    // same.
    rig.session.link()->close();
    press(&dialog, "cmdGetPBList");
    QCOMPARE(rig.boxes.last().icon, MsgIcon::Exclamation);
    QVERIFY(rig.session.console()->text().isEmpty() && lv1->topLevelItemCount() == 0);
    QVERIFY(dialog.findChild<QTimer *>(QStringLiteral("tmrGetPlayerlist"))->isActive());
}

// Fields as typed (name=text;...), the button, the command on the wire.
void TestPunkbusterExecConfig::commands_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("kick, empty reasons")
        << "txtKickName=Bob;txtKickTime=5"
        << "cmdKick" << QByteArray("pb_sv_Kick \"Bob\" 5 \"\" | \"\"");
    QTest::newRow("ban") << "txtBanName=Big Boss;txtBanReason=aim;txtBanPrivateReason=seen twice"
                         << "cmdBan"
                         << QByteArray("pb_sv_Ban \"Big Boss\" \"aim\" | \"seen twice\"");
    QTest::newRow("ban guid, name and ip unknown")
        << "txtGuidBanGuid=0123abcd;txtGuidBanReason=cheat"
        << "cmdBanGuid" << QByteArray("pb_sv_BanGuid \"0123abcd\" \"???\" ??? \"cheat\"");
    QTest::newRow("quote in a reason: refused") << "txtBanName=Bob;txtBanReason=say \"hi\""
                                                << "cmdBan" << QByteArray();
    QTest::newRow("add bad name") << "txtBadNameAddName=admin;txtBadNameAddTime=20"
                                  << "cmdBadNameAdd" << QByteArray("pb_sv_BadName 20 admin");
}

void TestPunkbusterExecConfig::commands()
{
    QFETCH(QString, fields);
    QFETCH(QString, button);
    QFETCH(QByteArray, command);
    SessionRig rig;
    frmDialogPunkbuster dialog(&rig.session);
    dialog.show();
    const QStringList assignments = fields.split(QLatin1Char(';'));
    for (const QString &a : assignments)
        dialog.findChild<QLineEdit *>(a.section('=', 0, 0))->setText(a.section('=', 1));
    press(&dialog, button.toLatin1().constData());
    QCOMPARE(rig.boxes.boxes.size(), command.isEmpty() ? 1 : 0);
    if (command.isEmpty()) // refused: the next command is the first on the wire
        press(&dialog, "cmdUpdateBanFile");
    QTRY_COMPARE(rig.server.commands(),
                 QList<QByteArray>{command.isEmpty() ? "pb_sv_UpdBanFile" : command});

    // The digit fields take digits, points and blanks only.
    auto *minutes = dialog.findChild<QLineEdit *>(QStringLiteral("txtKickTime"));
    minutes->clear();
    QTest::keyClicks(minutes, QStringLiteral("1a2.-b 3x9"));
    QTest::keyClick(minutes, Qt::Key_Backspace);
    QCOMPARE(minutes->text(), QStringLiteral("12. 3"));
}

void TestPunkbusterExecConfig::removeBadName()
{
    SessionRig rig;
    frmDialogPunkbuster dialog(&rig.session);
    dialog.show();
    auto *lv2 = dialog.findChild<QTreeWidget *>(QStringLiteral("lv2"));
    press(&dialog, "cmdBadNamesList");
    QTRY_COMPARE(lv2->topLevelItemCount(), 3);
    lv2->topLevelItem(1)->setSelected(true);
    const QStringList kept = rowTexts(lv2).mid(0, 1) + rowTexts(lv2).mid(2);

    rig.server.clearReceived();
    press(&dialog, "cmdBadNamesRemove");
    QTRY_COMPARE(rig.server.commands(),
                 (QList<QByteArray>{"pb_sv_BadNameDel 2", "pb_sv_BadNameList"}));
    // A second on the clock between them.
    QVERIFY(rig.server.received()[1].elapsedMs - rig.server.received()[0].elapsedMs >= 95);
    QTRY_COMPARE(rowTexts(lv2), kept);

    // Not connected: the removal and the list it asks for again each show the box.
    rig.session.link()->close();
    press(&dialog, "cmdBadNamesRemove");
    QCOMPARE(rig.boxes.boxes.size(), 2);
    QVERIFY(lv2->topLevelItemCount() == 0 && rig.session.console()->text().isEmpty());
    QVERIFY(dialog.findChild<QTimer *>(QStringLiteral("tmrBadNamesList"))->isActive());
}

void TestPunkbusterExecConfig::openedFromMainWindow()
{
    TestProgramDir env(10.0);
    DialogRecorder boxes;
    RconSession session;
    frmMain main(&session);
    main.show();
    press(&main, "cmdOptionsPB");
    main.findChild<QAction *>(QStringLiteral("mnuOptionsExecConfig"))->trigger();
    for (const char *window : {"frmDialogPunkbuster", "frmDialogExecConfig"}) {
        auto *w = main.findChild<QWidget *>(QLatin1String(window));
        QVERIFY2(w && w->isVisible() && w->isWindow(), window);
    }
}

// What the server's root holds, and what of it the window offers.
void TestPunkbusterExecConfig::offersOwnFiles_data()
{
    QTest::addColumn<QByteArray>("listing");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("stock files hidden")
        << QByteArray("default_mp.cfg|clanwar.cfg|server_sd.cfg|dvar_defaults.cfg|"
                      "thumbstick_default.cfg|clanwar.cfg")
        << QStringList{"clanwar.cfg", "clanwar.cfg"};
    QTest::newRow("letter case counts") << QByteArray("Default_mp.cfg|server_SD.cfg")
                                        << QStringList{"Default_mp.cfg", "server_SD.cfg"};
}

void TestPunkbusterExecConfig::offersOwnFiles()
{
    QFETCH(QByteArray, listing);
    QFETCH(QStringList, offered);
    SessionRig rig;
    rig.server.setDirListing("/ cfg", listing.split('|'));
    frmDialogExecConfig dialog(&rig.session);
    dialog.show();
    auto *cbConfigs = dialog.findChild<QComboBox *>(QStringLiteral("cbConfigs"));

    rig.session.console()->setText(QStringLiteral("old console"));
    press(&dialog, "cmdGetConfigs");
    // The listing is read once, then "status" refills the emptied console with the players.
    QTRY_COMPARE(rig.server.commands(), (QList<QByteArray>{"dir / cfg", "status"}));
    QCOMPARE(entries(cbConfigs), QStringList{cbConfigs->itemText(0)} + offered);
    QCOMPARE(cbConfigs->currentIndex(), 0);
    QVERIFY(!rig.session.console()->text().contains(QLatin1String("old console")));
}

void TestPunkbusterExecConfig::execute()
{
    SessionRig rig;
    rig.server.setDirListing("/ cfg", {"server_tdm.cfg", "match.cfg", "public.cfg"});
    QPointer<frmDialogExecConfig> dialog = new frmDialogExecConfig(&rig.session);
    dialog->show();
    auto *cbConfigs = dialog->findChild<QComboBox *>(QStringLiteral("cbConfigs"));
    auto *cmdSetConfig = dialog->findChild<QPushButton *>(QStringLiteral("cmdSetConfig"));
    QVERIFY(!cmdSetConfig->isEnabled());
    // Not connected, the listing is read back all the same, and its "status" shows a second box.
    rig.session.link()->close();
    press(dialog, "cmdGetConfigs");
    QTRY_COMPARE(rig.boxes.boxes.size(), 2);
    rig.session.link()->open();
    press(dialog, "cmdGetConfigs");
    QTRY_COMPARE(rig.server.commands().size(), 2); // the listing and its "status"
    cbConfigs->setCurrentIndex(2);
    QTRY_VERIFY(cmdSetConfig->isEnabled());

    // Clicked before the check comes round to disable it: a box, and nothing sent.
    cbConfigs->setCurrentIndex(0);
    cmdSetConfig->click();
    QCOMPARE(rig.boxes.last().icon, MsgIcon::Critical);
    QTRY_VERIFY(!cmdSetConfig->isEnabled());

    rig.server.clearReceived();
    cbConfigs->setCurrentIndex(1);
    QTRY_VERIFY(cmdSetConfig->isEnabled());
    press(dialog, "cmdSetConfig");
    QTRY_COMPARE(rig.server.commands(), QList<QByteArray>{"exec match.cfg"});
    QCOMPARE(rig.boxes.last().icon, MsgIcon::Information);
    QTRY_VERIFY(!dialog);
}

QTEST_MAIN(TestPunkbusterExecConfig)
#include "tst_punkbuster_execconfig.moc"
