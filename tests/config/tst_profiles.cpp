#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "RunningProgram.h"
#include "TestEnv.h"
#include "mainwindow/StatusPanels.h"
#include "platform/Clock.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace {
const QByteArray kHome = "[Home server]\r\nIP=127.0.0.1\r\nPort=28960\r\nRcon=top secret\r\n"
                         "Name=Admin\r\n";
const QByteArray kDefaultPrefs = "[Ping Settings]\r\nPingMeterEnable=0\r\nPingMeterTime=5\r\n"
                                 "[FTP Settings]\r\nIP=\r\nPort=\r\nUsername=\r\nPassword=\r\n"
                                 "LogsDirectory=\r\n";

bool exists(const QString &relative)
{
    return QFileInfo::exists(programPath(relative));
}

QFileDevice::Permissions othersAndGroup(const QString &relative)
{
    return QFileInfo(programPath(relative)).permissions()
           & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
              | QFileDevice::WriteOther);
}

// A profile as an earlier start left it: file, folders and preferences.
void layProfile(const TestProgramDir &env, const QString &name, const QByteArray &ini)
{
    env.writeFile("Profiles/" + name + ".ini", ini);
    env.writeFile("Profiles/" + name + "/Preferences.ini", kDefaultPrefs);
    QDir().mkpath(programPath("Dialogs/" + name));
}
} // namespace

class TestProfiles : public QObject
{
    Q_OBJECT

private slots:
    void addingWritesTheProfileAndItsFolders()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        RunningProgram program;
        auto *ts1 = program.control<QTabBar>("ts1");
        clickTab(ts1, 1);
        QVERIFY(program.control<QWidget>("frameAdd")->isVisible());
        QTest::keyClicks(program.control<QLineEdit>("txtAddPName"), "My srv.2");
        QTest::keyClicks(program.control<QLineEdit>("txtAddIP"), "10.0.0.7");
        QTest::keyClicks(program.control<QLineEdit>("txtAddPort"), "28961");
        QTest::keyClicks(program.control<QLineEdit>("txtAddRcon"), "pass word");
        QTest::keyClicks(program.control<QLineEdit>("txtAddName"), "Boss");
        QTest::mouseClick(program.control<QPushButton>("cmdAddAdd"), Qt::LeftButton);

        QCOMPARE(env.readFile("Profiles/My srv.2.ini"),
                 QByteArray("[My srv.2]\r\nIP=10.0.0.7\r\nPort=28961\r\nRcon=pass word\r\n"
                            "Name=Boss\r\n"));
        QCOMPARE(env.readFile("Profiles/My srv.2/Preferences.ini"), kDefaultPrefs);
        QVERIFY(QFileInfo(programPath("Dialogs/My srv.2")).isDir());
        // The files hold passwords: nobody but their owner may read them.
        QCOMPARE(othersAndGroup("Profiles/My srv.2.ini"), QFileDevice::Permissions());
        QCOMPARE(othersAndGroup("Profiles/My srv.2/Preferences.ini"), QFileDevice::Permissions());

        auto *list = program.control<QListWidget>("lstProfiles");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("My srv.2"));
        for (const char *box :
             {"txtAddPName", "txtAddIP", "txtAddPort", "txtAddRcon", "txtAddName"})
            QCOMPARE(program.control<QLineEdit>(box)->text(), QString());

        // The next start lists it and loads it.
        delete program.main.data();
        RunningProgram again;
        auto *list2 = again.control<QListWidget>("lstProfiles");
        QCOMPARE(list2->count(), 1);
        clickEntry(list2, "My srv.2");
        QTest::mouseClick(again.control<QPushButton>("cmdOK"), Qt::LeftButton);
        QCOMPARE(again.main->txtServerRCON->text(), QStringLiteral("pass word"));
        QCOMPARE(again.main->sb1->tag(5), QStringLiteral("My srv.2"));
    }

    void loadingFillsTheMainWindow_data()
    {
        QTest::addColumn<QString>("connectOnSelect");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<bool>("connects");
        QTest::newRow("OK, connect on select") << "1" << false << true;
        QTest::newRow("double click, connect on select") << "1" << true << true;
        QTest::newRow("OK, only fill") << "0" << false << false;
        QTest::newRow("double click, setting missing") << QString() << true << false;
    }

    void loadingFillsTheMainWindow()
    {
        QFETCH(QString, connectOnSelect);
        QFETCH(bool, doubleClick);
        QFETCH(bool, connects);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        FakeGameServer server;
        QVERIFY(server.start(0));
        server.setPassword("hunter2");
        const QString port = QString::number(server.port());
        layProfile(env, "Home server",
                   "[Home server]\r\nIP=127.0.0.1\r\nPort=" + port.toLatin1()
                       + "\r\nRcon=hunter2\r\nName=Admin\r\n");
        layProfile(env, "Other", "[Other]\r\nIP=10.1.1.1\r\n");
        if (!connectOnSelect.isNull())
            WritePref("Settings", "ConnectOnSelect", connectOnSelect);
        RunningProgram program;
        QVERIFY(dialogs.boxes.isEmpty());
        auto *list = program.control<QListWidget>("lstProfiles");
        QCOMPARE(list->count(), 2);

        // The preview shows where the profile leads, never its password.
        clickEntry(list, "Home server");
        QVERIFY(program.control<QWidget>("framePreview")->isVisible());
        QCOMPARE(program.control<QLineEdit>("txtIP")->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(program.control<QLineEdit>("txtPort")->text(), port);
        QCOMPARE(program.control<QLineEdit>("txtName")->text(), QStringLiteral("Admin"));
        for (const QLineEdit *box :
             program.control<QWidget>("frameProfiles")->findChildren<QLineEdit *>())
            QVERIFY(!box->text().contains("hunter2"));

        QSignalSpy cos(program.main->tmrCOS, &QTimer::timeout);
        if (doubleClick) {
            const QRect r
                = list->visualItemRect(list->findItems("Home server", Qt::MatchExactly).first());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
        } else {
            QTest::mouseClick(program.control<QPushButton>("cmdOK"), Qt::LeftButton);
        }

        QVERIFY(program.main->isVisible());
        QVERIFY(!program.managerShown());
        QCOMPARE(program.main->txtServerIP->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(program.main->txtServerPORT->text(), port);
        QCOMPARE(program.main->txtServerRCON->text(), QStringLiteral("hunter2"));
        QCOMPARE(program.main->txtServername->text(), QStringLiteral("Admin"));
        QCOMPARE(program.main->sb1->text(5), QStringLiteral("Profile: Home server "));
        QCOMPARE(program.main->sb1->tag(5), QStringLiteral("Home server"));
        if (connects) {
            QTRY_VERIFY_WITH_TIMEOUT(!cos.isEmpty(), 2000);
            // The connection logs in with the profile's password.
            QTRY_VERIFY_WITH_TIMEOUT(!server.received().isEmpty(), 5000);
            QCOMPARE(server.received().first().bytes,
                     QByteArray("\xFF\xFF\xFF\xFFrcon hunter2 g_password"));
        } else {
            QVERIFY(!program.main->tmrCOS->isActive());
        }
    }

    void actingWithoutASelection_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        QTest::newRow("OK") << "cmdOK"
                            << "Select the profile you want to load then click OK."
                            << "";
        QTest::newRow("Delete") << "cmdRemove"
                                << "Select the profile you want to delete then click Delete."
                                << "Error deleting profile";
    }

    void actingWithoutASelection()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        QFETCH(QString, status);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        layProfile(env, "Home server", kHome);
        RunningProgram program;
        QTest::mouseClick(program.control<QPushButton>(button.toLatin1().constData()),
                          Qt::LeftButton);
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.last().title, QStringLiteral("Selecting error!"));
        QCOMPARE(dialogs.last().text, text);
        QCOMPARE(dialogs.last().icon, MsgIcon::Critical);
        QVERIFY(program.managerShown());
        QVERIFY(!program.main->isVisible());
        QVERIFY(exists("Profiles/Home server.ini"));
        auto *label = program.control<QLabel>("lblDelError");
        QCOMPARE(label->text(), status);
        QTRY_COMPARE_WITH_TIMEOUT(label->text(), QString(), 2000);
    }

    void deletingKeepsTheDialogsFolder_data()
    {
        QTest::addColumn<bool>("otherFile");
        QTest::newRow("folder holds only the preferences") << false;
        QTest::newRow("folder holds another file") << true;
    }

    void deletingKeepsTheDialogsFolder()
    {
        QFETCH(bool, otherFile);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        layProfile(env, "Home server", kHome);
        layProfile(env, "Other", "[Other]\r\nIP=10.1.1.1\r\n");
        if (otherFile)
            env.writeFile("Profiles/Home server/notes.txt", "keep");
        RunningProgram program;
        auto *list = program.control<QListWidget>("lstProfiles");
        clickEntry(list, "Home server");
        QTest::mouseClick(program.control<QPushButton>("cmdRemove"), Qt::LeftButton);

        QVERIFY(dialogs.boxes.isEmpty());
        QVERIFY(!exists("Profiles/Home server.ini"));
        QVERIFY(!exists("Profiles/Home server/Preferences.ini"));
        QCOMPARE(exists("Profiles/Home server"), otherFile);
        QVERIFY(QFileInfo(programPath("Dialogs/Home server")).isDir());
        QVERIFY(exists("Profiles/Other.ini"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Other"));
        QVERIFY(list->selectedItems().isEmpty());
        auto *label = program.control<QLabel>("lblDelError");
        QCOMPARE(label->text(), QStringLiteral("Profile deleted"));
        QTRY_COMPARE_WITH_TIMEOUT(label->text(), QString(), 2000);
    }

    void editTabFollowsTheSelection()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        layProfile(env, "Home server", kHome);
        RunningProgram program;
        auto *ts1 = program.control<QTabBar>("ts1");
        auto *list = program.control<QListWidget>("lstProfiles");
        QCOMPARE(ts1->count(), 2);
        clickEntry(list, "Home server");
        QTRY_COMPARE_WITH_TIMEOUT(ts1->count(), 3, 2000);
        QCOMPARE(ts1->tabText(2), QStringLiteral("Edit"));

        clickTab(ts1, 2);
        QVERIFY(program.control<QWidget>("frameEdit")->isVisible());
        auto *name = program.control<QLineEdit>("txtEditPName");
        auto *ip = program.control<QLineEdit>("txtEditIP");
        QCOMPARE(name->text(), QStringLiteral("Home server"));
        QCOMPARE(ip->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(program.control<QLineEdit>("txtEditPort")->text(), QStringLiteral("28960"));
        QCOMPARE(program.control<QLineEdit>("txtEditRcon")->text(), QStringLiteral("top secret"));
        QCOMPARE(program.control<QLineEdit>("txtEditName")->text(), QStringLiteral("Admin"));

        ip->clear();
        QTest::keyClicks(ip, "192.168.0.9");
        QTest::mouseClick(program.control<QPushButton>("cmdSave"), Qt::LeftButton);
        QCOMPARE(env.readFile("Profiles/Home server.ini"),
                 QByteArray("[Home server]\r\nIP=192.168.0.9\r\nPort=28960\r\nRcon=top secret\r\n"
                            "Name=Admin\r\n"));
        QCOMPARE(othersAndGroup("Profiles/Home server.ini"), QFileDevice::Permissions());
        for (const char *box :
             {"txtEditPName", "txtEditIP", "txtEditPort", "txtEditRcon", "txtEditName"})
            QCOMPARE(program.control<QLineEdit>(box)->text(), QString());

        clickTab(ts1, 0);
        QCOMPARE(program.control<QLineEdit>("txtIP")->text(), QStringLiteral("192.168.0.9"));
        clickEntry(list, "Home server", Qt::ControlModifier); // deselects
        QVERIFY(list->selectedItems().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(ts1->count(), 2, 2000);
        QVERIFY(dialogs.boxes.isEmpty());
    }

    void listingTheProfiles_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<bool>("warned");
        QTest::newRow("by name, any case of .ini, other files skipped")
            << QStringList{"Zeta.ini", "alpha one.ini", "My.srv.INI", "notes.txt"}
            << QStringList{"alpha one", "My.srv", "Zeta"} << false;
        QTest::newRow("folder without profiles")
            << QStringList{"notes.txt"} << QStringList{} << true;
        QTest::newRow("empty folder") << QStringList{} << QStringList{} << true;
        QTest::newRow("no folder") << QStringList{"-"} << QStringList{} << true;
    }

    void listingTheProfiles()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, listed);
        QFETCH(bool, warned);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        if (files != QStringList{"-"})
            QDir().mkpath(programPath("Profiles"));
        for (const QString &f : files)
            if (f != "-")
                env.writeFile("Profiles/" + f, "[x]\r\n");
        RunningProgram program;
        QVERIFY(program.managerShown());
        auto *list = program.control<QListWidget>("lstProfiles");
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        QCOMPARE(shown, listed);
        QCOMPARE(dialogs.boxes.size(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(dialogs.last().title, QStringLiteral("No profiles"));
            QCOMPARE(dialogs.last().icon, MsgIcon::Exclamation);
            QCOMPARE(dialogs.last().text,
                     "No profiles\r\n" + QDir::toNativeSeparators(env.path() + "/Profiles"));
        }
    }

    void profileNameKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letters, digits, blank, full stop") << "Clan war 2.v"
                                                           << ""
                                                           << "Clan war 2.v";
        QTest::newRow("ampersand and slash swallowed") << "a&b/c"
                                                       << ""
                                                       << "abc";
        QTest::newRow("other punctuation and accents") << "x:y\\z*é_-"
                                                       << ""
                                                       << "xyz";
        QTest::newRow("pasted good name") << "ab"
                                          << " cd.1"
                                          << "ab cd.1";
        QTest::newRow("pasted name with a slash refused") << "ab"
                                                          << "c/d"
                                                          << "ab";
    }

    void profileNameKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        RunningProgram program;
        clickTab(program.control<QTabBar>("ts1"), 1);
        auto *box = program.control<QLineEdit>("txtAddPName");
        for (const QChar c : typed) {
            if (c.unicode() < 128)
                QTest::keyClick(box, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.toUpper().unicode()), QString(c),
                                    {});
        }
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(box->text(), expected);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), expected.chopped(1));
    }

    void addressSplitter_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("keepsWatching");
        QTest::newRow("one line") << "1.2.3.4:28960"
                                  << "1.2.3.4"
                                  << "28960" << false;
        QTest::newRow("last line before an empty one wins")
            << "a.example:1\r\nb.example:2\r\n\r\nc.example:3"
            << "b.example"
            << "2" << false;
        QTest::newRow("lines ended by LF") << "a.example:1\nb.example:2"
                                           << "b.example"
                                           << "2" << false;
        QTest::newRow("no colon is left alone") << "game.example.org"
                                                << "game.example.org"
                                                << "" << true;
        QTest::newRow("nothing after the colon") << "host.example:"
                                                 << "host.example"
                                                 << "" << false;
    }

    void addressSplitter()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, ip);
        QFETCH(QString, port);
        QFETCH(bool, keepsWatching);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        RunningProgram program;
        clickTab(program.control<QTabBar>("ts1"), 1);
        auto *ipBox = program.control<QLineEdit>("txtAddIP");
        auto *portBox = program.control<QLineEdit>("txtAddPort");
        auto *splitter = program.control<QTimer>("tmrIPPORT");
        QCOMPARE(Clock::interval(splitter), 100);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(ipBox, Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(ipBox->text(), ip, 2000);
        QCOMPARE(portBox->text(), port);
        if (keepsWatching) {
            QSignalSpy ticks(splitter, &QTimer::timeout);
            QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 3, 2000);
            QCOMPARE(ipBox->text(), ip);
            QVERIFY(splitter->isActive());
            // ...and splits what the user adds next.
            QTest::keyClicks(ipBox, ":27960");
            QTRY_COMPARE_WITH_TIMEOUT(portBox->text(), QStringLiteral("27960"), 2000);
            QCOMPARE(ipBox->text(), ip);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!splitter->isActive(), 2000);
        }
    }

    void copiedProfilesAreCompleted()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        env.writeFile("Profiles/Old one.ini", "[Old one]\r\nIP=10.2.2.2\r\n");
        QFile::setPermissions(programPath("Profiles/Old one.ini"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        const QByteArray tuned = "[Ping Settings]\r\nPingMeterEnable=1\r\nPingMeterTime=9\r\n";
        env.writeFile("Profiles/Tuned.ini", "[Tuned]\r\nIP=10.3.3.3\r\n");
        env.writeFile("Profiles/Tuned/Preferences.ini", tuned);

        RunningProgram program;
        QTRY_COMPARE_WITH_TIMEOUT(env.readFile("Profiles/Old one/Preferences.ini"), kDefaultPrefs,
                                  2000);
        QVERIFY(QFileInfo(programPath("Dialogs/Old one")).isDir());
        QCOMPARE(othersAndGroup("Profiles/Old one.ini"), QFileDevice::Permissions());
        QCOMPARE(env.readFile("Profiles/Tuned/Preferences.ini"), tuned);
        QVERIFY(!exists("Dialogs/Tuned"));
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
