#include "ServerRig.h"

#include "admin/frmDialogExecConfig.h"
#include "admin/frmDialogPunkbuster.h"
#include "admin/frmDialogPunkbusterLists.h"
#include "platform/ConsoleText.h"
#include "platform/UdpLink.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString kPb = u"^3PunkBuster Server: "_s;
const QString kGuid = u"0123456789abcdef0123456789ABCDEF"_s;
const QString kSniper
    = kPb + u"1  "_s + kGuid + u"(-) 10.0.0.5:28960 OK   1 5.0 0 (W) \"Sniper\""_s;

QString field(const QWidget *w, const char *name)
{
    return control<QLineEdit>(w, name)->text();
}

} // namespace

class TestPunkbusterExecConfig : public QObject
{
    Q_OBJECT
private slots:
    // Console texts as PunkBuster prints them, and the rows the lists show.
    void listParsers_data()
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

        const QString bad = u"PunkBuster Server: 4: 5 \"c\"\r\n"_s;
        // Only the line that carries the client's system has its name unquoted.
        QTest::newRow("no system word")
            << false << header + QString(kSniper).remove(u" (W)"_s)
            << QStringList{"1|" + kGuid + "|10.0.0.5|OK|1|5.0|0|\"Sniper\""};
        QTest::newRow("bad-name header missing")
            << true
            << bad + QString(38 - bad.size() - 2, QLatin1Char('x')) + "\r\n" + kPb
                   + "9: 5 \"cheater\""
            << QStringList{"9|5|cheater"};
    }

    void listParsers()
    {
        QFETCH(bool, badNames);
        QFETCH(QString, console);
        QStringList got;
        for (const PbBadNameRow &r : badNames ? pbBadNameRows(console) : QList<PbBadNameRow>())
            got << QStringList{r.slot, r.seconds, r.filter}.join(QLatin1Char('|'));
        for (const PbPlayerRow &r : badNames ? QList<PbPlayerRow>() : pbPlayerRows(console))
            got << QStringList{r.slot,  r.guid,     r.address,  r.status,
                               r.power, r.authRate, r.recentSs, r.name}
                       .join(QLatin1Char('|'));
        QTEST(got, "rows");
    }

    void playerListFromServer()
    {
        ServerRig rig(FakeGame::CoD4, 10.0); // a one-second read-back is 100 ms
        rig.server.setPlayers(
            {{3, 0, 48, kGuid.toLatin1(), "Big Boss", 0, "10.0.0.7:-27419", 0, 25000, {}}});
        frmDialogPunkbuster dialog(&rig.session);
        dialog.show();
        auto *lv1 = control<QTreeWidget>(&dialog, "lv1");

        press(&dialog, "cmdTakeScreenshot");
        QCOMPARE(rig.boxes.last().icon, MsgIcon::Critical); // nobody chosen: nothing to send

        rig.session.console()->setText(u"older console text"_s);
        press(&dialog, "cmdGetPBList");
        QVERIFY(!rig.session.console()->text().contains("older"_L1));
        QTRY_COMPARE(rowsOf(lv1->model()),
                     QStringList{"4|" + kGuid + "|10.0.0.7|OK|1|5.0|0|Big Boss"});

        QTest::mouseClick(lv1->viewport(), Qt::LeftButton, {},
                          lv1->visualItemRect(lv1->topLevelItem(0)).center());
        QCOMPARE(QStringList({field(&dialog, "txtKickName"), field(&dialog, "txtBanName"),
                              field(&dialog, "txtGuidBanName"), field(&dialog, "txtGuidBanGuid"),
                              field(&dialog, "txtGuidBanIP")}),
                 QStringList({"Big Boss", "Big Boss", "Big Boss", kGuid, "10.0.0.7"}));

        rig.session.replyBuffer()->setText(u"stale reply"_s);
        press(&dialog, "cmdTakeScreenshot");
        QTRY_COMPARE(rig.server.commands(), (QList<QByteArray>{"pb_sv_plist", "pb_sv_getss 4"}));
        QVERIFY(!rig.session.replyText().contains("stale"_L1));

        // Not connected: the box, and the console and the list are emptied for a read-back all the
        // same.
        rig.session.link()->close();
        press(&dialog, "cmdGetPBList");
        QCOMPARE(rig.boxes.last().icon, MsgIcon::Exclamation);
        QVERIFY(rig.session.console()->text().isEmpty() && lv1->topLevelItemCount() == 0);
        QVERIFY(control<QTimer>(&dialog, "tmrGetPlayerlist")->isActive());
    }

    // Fields as typed (name=text;...), the button, the command on the wire.
    void commands_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("kick, empty reasons")
            << "txtKickName=Bob;txtKickTime=5"
            << "cmdKick" << QByteArray("pb_sv_Kick \"Bob\" 5 \"\" | \"\"");
        QTest::newRow("ban")
            << "txtBanName=Big Boss;txtBanReason=aim;txtBanPrivateReason=seen twice"
            << "cmdBan" << QByteArray("pb_sv_Ban \"Big Boss\" \"aim\" | \"seen twice\"");
        QTest::newRow("ban guid, name and ip unknown")
            << "txtGuidBanGuid=0123abcd;txtGuidBanReason=cheat"
            << "cmdBanGuid" << QByteArray("pb_sv_BanGuid \"0123abcd\" \"???\" ??? \"cheat\"");
        QTest::newRow("quote in a reason: refused") << "txtBanName=Bob;txtBanReason=say \"hi\""
                                                    << "cmdBan" << QByteArray();
        QTest::newRow("add bad name") << "txtBadNameAddName=admin;txtBadNameAddTime=20"
                                      << "cmdBadNameAdd" << QByteArray("pb_sv_BadName 20 admin");
    }

    void commands()
    {
        QFETCH(QString, fields);
        QFETCH(QString, button);
        QFETCH(QByteArray, command);
        ServerRig rig(FakeGame::CoD4, 10.0);
        frmDialogPunkbuster dialog(&rig.session);
        dialog.show();
        fill(&dialog, fields.split(QLatin1Char(';')));
        press(&dialog, button.toLatin1().constData());
        QCOMPARE(rig.boxes.boxes.size(), command.isEmpty() ? 1 : 0);
        if (command.isEmpty()) // refused: the next command is the first on the wire
            press(&dialog, "cmdUpdateBanFile");
        QTRY_COMPARE(rig.server.commands(),
                     QList<QByteArray>{command.isEmpty() ? "pb_sv_UpdBanFile" : command});

        // The digit fields take digits, points and blanks only.
        auto *minutes = control<QLineEdit>(&dialog, "txtKickTime");
        minutes->clear();
        QTest::keyClicks(minutes, u"1a2.-b 3x9"_s);
        QTest::keyClick(minutes, Qt::Key_Backspace);
        QCOMPARE(minutes->text(), u"12. 3"_s);
    }

    void removeBadName()
    {
        ServerRig rig(FakeGame::CoD4, 10.0);
        frmDialogPunkbuster dialog(&rig.session);
        dialog.show();
        auto *lv2 = control<QTreeWidget>(&dialog, "lv2");
        press(&dialog, "cmdBadNamesList");
        QTRY_COMPARE(lv2->topLevelItemCount(), 3);
        lv2->topLevelItem(1)->setSelected(true);
        const QStringList kept = rowsOf(lv2->model()).mid(0, 1) + rowsOf(lv2->model()).mid(2);

        rig.server.clearReceived();
        press(&dialog, "cmdBadNamesRemove");
        QTRY_COMPARE(rig.server.commands(),
                     (QList<QByteArray>{"pb_sv_BadNameDel 2", "pb_sv_BadNameList"}));
        // A second on the clock between them.
        QVERIFY(rig.server.received()[1].elapsedMs - rig.server.received()[0].elapsedMs >= 95);
        QTRY_COMPARE(rowsOf(lv2->model()), kept);

        // Not connected: the removal and the list it asks for again each show the box.
        rig.session.link()->close();
        press(&dialog, "cmdBadNamesRemove");
        QCOMPARE(rig.boxes.boxes.size(), 2);
        QVERIFY(lv2->topLevelItemCount() == 0 && rig.session.console()->text().isEmpty());
        QVERIFY(control<QTimer>(&dialog, "tmrBadNamesList")->isActive());
    }

    // What the server's root holds, and what of it the window offers.
    // Only the administrator's own files are offered, letter case telling them from the stock
    // ones; the chosen one is executed and the window closes.
    void execute()
    {
        ServerRig rig(FakeGame::CoD4, 10.0);
        rig.server.setDirListing("/ cfg", {"default_mp.cfg", "match.cfg", "server_sd.cfg",
                                           "dvar_defaults.cfg", "thumbstick_default.cfg",
                                           "Default_mp.cfg", "match.cfg"});
        QPointer<frmDialogExecConfig> dialog = new frmDialogExecConfig(&rig.session);
        dialog->show();
        auto *cbConfigs = control<QComboBox>(dialog, "cbConfigs");
        auto *cmdSetConfig = control<QPushButton>(dialog, "cmdSetConfig");
        QVERIFY(!cmdSetConfig->isEnabled());
        // Not connected, the listing is read back all the same, and its "status" shows a second
        // box.
        rig.session.link()->close();
        press(dialog, "cmdGetConfigs");
        QTRY_COMPARE(rig.boxes.boxes.size(), 2);
        rig.session.link()->open();
        rig.session.console()->setText(u"old console"_s);
        press(dialog, "cmdGetConfigs");
        // The listing is read once, then "status" refills the emptied console with the players.
        QTRY_COMPARE(rig.server.commands(), (QByteArrayList{"dir / cfg", "status"}));
        QCOMPARE(rowsOf(cbConfigs->model()).mid(1),
                 (QStringList{"match.cfg", "Default_mp.cfg", "match.cfg"}));
        QCOMPARE(cbConfigs->currentIndex(), 0);
        QVERIFY(!rig.session.console()->text().contains("old console"_L1));
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
};

QTEST_MAIN(TestPunkbusterExecConfig)
#include "tst_punkbuster_execconfig.moc"
