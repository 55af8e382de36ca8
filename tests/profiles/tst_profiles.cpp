#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "RunningProgram.h"
#include "TestEnv.h"

#include "config/Profiles.h"
#include "mainwindow/StatusPanels.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace {
const QByteArray kDefaultPrefs = "[Ping Settings]\r\nPingMeterEnable=0\r\nPingMeterTime=5\r\n"
                                 "[FTP Settings]\r\nIP=\r\nPort=\r\nUsername=\r\nPassword=\r\n"
                                 "LogsDirectory=\r\n";

bool exists(const QString &relative)
{
    return QFileInfo::exists(programPath(relative));
}

// The files hold passwords: nobody but their owner may read them.
bool ownerOnly(const QString &relative)
{
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                        | QFileDevice::WriteOther;
    return !(QFileInfo(programPath(relative)).permissions() & others);
}

// A profile as an earlier start left it: file, folders and preferences.
void layProfile(const TestProgramDir &env, const QString &name, const QByteArray &ini)
{
    env.writeFile("Profiles/" + name + ".ini", ini);
    env.writeFile("Profiles/" + name + "/Preferences.ini", kDefaultPrefs);
    QDir().mkpath(programPath("Dialogs/" + name));
}

// Ctrl+V as a keyboard sends it: the key with the control character it types.
void paste(QLineEdit *box, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QCoreApplication::sendEvent(box, &press);
}
} // namespace

class TestProfiles : public QObject
{
    Q_OBJECT

private slots:
    // Add writes the profile, its folders and its preferences. The name box takes only name
    // characters from the keyboard; a host name is left as it is, and a pasted address is split
    // over the address and port boxes, the last line before an empty one winning. Edit appears with
    // a selection and Save writes the file the name box names.
    void addAndEdit()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        RunningProgram program;
        program.clickTab(1);
        auto *name = program.control<QLineEdit>("txtAddPName");
        QTest::keyClicks(name, u"My& srv/.2:\\*"_s);
        paste(name, u"xy"_s); // a key that types a control character is swallowed
        auto *ip = program.control<QLineEdit>("txtAddIP");
        paste(ip, u"game.example.org"_s);
        QSignalSpy ticks(program.control<QTimer>("tmrIPPORT"), &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 3);
        QCOMPARE(ip->text(), u"game.example.org"_s);
        ip->clear();
        paste(ip, "1.1.1.1:1\r\n10.0.0.7:28961\r\n\r\nx:3");
        QTest::keyClicks(program.control<QLineEdit>("txtAddRcon"), u"pass word"_s);
        QTest::keyClicks(program.control<QLineEdit>("txtAddName"), u"Boss"_s);
        QTRY_COMPARE(program.control<QLineEdit>("txtAddPort")->text(), u"28961"_s);
        QTest::mouseClick(program.control<QPushButton>("cmdAddAdd"), Qt::LeftButton);
        QByteArray file
            = "[My srv.2]\r\nIP=10.0.0.7\r\nPort=28961\r\nRcon=pass word\r\nName=Boss\r\n";
        QCOMPARE(env.readFile("Profiles/My srv.2.ini"), file);
        QCOMPARE(env.readFile("Profiles/My srv.2/Preferences.ini"), kDefaultPrefs);
        QVERIFY(exists("Dialogs/My srv.2") && ownerOnly("Profiles/My srv.2.ini"));
        QVERIFY(ownerOnly("Profiles/My srv.2/Preferences.ini"));
        QCOMPARE(name->text(), QString());

        auto *ts1 = program.control<QTabBar>("ts1");
        program.clickTab(0);
        program.clickEntry("My srv.2");
        QTRY_COMPARE(ts1->count(), 3);
        program.clickTab(2);
        auto *editIp = program.control<QLineEdit>("txtEditIP");
        editIp->clear();
        QTest::keyClicks(editIp, u"192.168.0.9"_s);
        QTest::keyClicks(program.control<QLineEdit>("txtEditPName"), u"/b"_s);
        QTest::mouseClick(program.control<QPushButton>("cmdSave"), Qt::LeftButton);
        QCOMPARE(env.readFile("Profiles/My srv.2b.ini"),
                 file.replace("10.0.0.7", "192.168.0.9").replace("srv.2]", "srv.2b]"));
        QVERIFY(ownerOnly("Profiles/My srv.2b.ini") && exists("Profiles/My srv.2.ini"));
        program.clickEntry("My srv.2", Qt::ControlModifier); // deselects
        QTRY_COMPARE(ts1->count(), 2);
    }

    void loading_data()
    {
        QTest::addColumn<bool>("picked");
        QTest::addColumn<QString>("connectOnSelect");
        QTest::newRow("connect on select") << true << "1";
        QTest::newRow("only fill") << true << "0";
        QTest::newRow("nothing picked") << false << "1";
    }

    // The preview never shows the password; loading fills the main window and names the profile,
    // and with connect-on-select the connection logs in with the profile's password.
    void loading()
    {
        QFETCH(bool, picked);
        QFETCH(QString, connectOnSelect);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        FakeGameServer server;
        QVERIFY(server.start(0));
        server.setPassword("hunter2");
        const QString port = QString::number(server.port());
        layProfile(env, "Home",
                   "[Home]\r\nIP=127.0.0.1\r\nPort=" + port.toLatin1()
                       + "\r\nRcon=hunter2\r\nName=Admin\r\n");
        WritePref("Settings", "ConnectOnSelect", connectOnSelect);
        RunningProgram program;
        if (picked)
            program.clickEntry("Home");
        QCOMPARE(program.control<QLineEdit>("txtPort")->text(), picked ? port : QString());
        for (const QLineEdit *box : program.manager()->findChildren<QLineEdit *>())
            QVERIFY(!box->text().contains("hunter2"));
        QTest::mouseClick(program.control<QPushButton>("cmdOK"), Qt::LeftButton);
        QCOMPARE(dialogs.boxes.size(), picked ? 0 : 1);
        QCOMPARE(program.main->isVisible(), picked);
        QCOMPARE(program.managerShown(), !picked);
        if (!picked)
            return;
        const QStringList fields{
            program.main->txtServerIP->text(), program.main->txtServerPORT->text(),
            program.main->txtServerRCON->text(), program.main->txtServername->text()};
        QCOMPARE(fields, QStringList({"127.0.0.1", port, "hunter2", "Admin"}));
        QCOMPARE(program.main->sb1->text(5) + program.main->sb1->tag(5), "Profile: Home Home");
        if (connectOnSelect != "1"_L1) {
            QVERIFY(!program.main->tmrCOS->isActive());
            return;
        }
        QTRY_VERIFY(!server.received().isEmpty());
        QCOMPARE(server.received().first().bytes,
                 QByteArray("\xFF\xFF\xFF\xFFrcon hunter2 g_password"));
    }

    void deleting_data()
    {
        QTest::addColumn<bool>("picked");
        QTest::addColumn<bool>("otherFile");
        QTest::newRow("nothing selected") << false << false;
        QTest::newRow("folder holds only the preferences") << true << false;
        QTest::newRow("folder holds another file") << true << true;
    }

    // Deleting takes the file, the preferences and an emptied folder, never the dialogs folder;
    // with nothing selected it takes nothing. Either way a status shows for a while.
    void deleting()
    {
        QFETCH(bool, picked);
        QFETCH(bool, otherFile);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        layProfile(env, "Home server", "[Home server]\r\nIP=10.0.0.1\r\n");
        layProfile(env, "Other", "[Other]\r\nIP=10.1.1.1\r\n");
        if (otherFile)
            env.writeFile("Profiles/Home server/notes.txt", "keep");
        RunningProgram program;
        if (picked)
            program.clickEntry("Home server");
        QTest::mouseClick(program.control<QPushButton>("cmdRemove"), Qt::LeftButton);
        QCOMPARE(dialogs.boxes.size(), picked ? 0 : 1);
        QCOMPARE(exists("Profiles/Home server.ini"), !picked);
        QCOMPARE(exists("Profiles/Home server/Preferences.ini"), !picked);
        QCOMPARE(exists("Profiles/Home server"), !picked || otherFile);
        QVERIFY(exists("Dialogs/Home server") && exists("Profiles/Other.ini"));
        auto *list = program.control<QListWidget>("lstProfiles");
        QCOMPARE(list->count(), picked ? 1 : 2);
        QVERIFY(list->selectedItems().isEmpty());
        auto *status = program.control<QLabel>("lblDelError");
        QCOMPARE(status->text(), picked ? "Profile deleted" : "Error deleting profile");
        QTRY_COMPARE(status->text(), QString());
    }

    // ".." is the program directory: such a profile is not added (it would write into the
    // program's own preferences), and deleting one takes only its file, never those preferences.
    void profileNamedLikeTheProgramDirectory()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        RunningProgram program;
        const QByteArray prefs = env.readFile(u"Preferences.ini"_s);
        program.clickTab(1);
        QTest::keyClicks(program.control<QLineEdit>("txtAddPName"), u".."_s);
        QTest::mouseClick(program.control<QPushButton>("cmdAddAdd"), Qt::LeftButton);
        QVERIFY(!exists(u"Profiles/...ini"_s));
        env.writeFile(u"Profiles/...ini"_s, "[..]\r\n");
        Profiles::remove(u".."_s);
        QCOMPARE(env.readFile(u"Preferences.ini"_s), prefs);
    }

    void listing_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("by name, any case of .ini, other files skipped")
            << QStringList{"Zeta.ini", "alpha one.ini", "My.srv.INI", "notes.txt"}
            << QStringList{"alpha one", "My.srv", "Zeta"};
        QTest::newRow("folder without profiles") << QStringList{"notes.txt"} << QStringList{};
    }

    // Profiles copied from an older installation are completed once the manager is open:
    // folders, default preferences (tuned ones kept) and owner-only files. No profile at all is
    // a warning naming the folder.
    void listing()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, listed);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        for (const QString &f : files)
            env.writeFile("Profiles/" + f, "[x]\r\n");
        const QByteArray tuned = "[Ping Settings]\r\nPingMeterEnable=1\r\nPingMeterTime=9\r\n";
        if (!listed.isEmpty())
            env.writeFile("Profiles/Zeta/Preferences.ini", tuned);
        RunningProgram program;
        auto *list = program.control<QListWidget>("lstProfiles");
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(list->item(i)->text(), listed.value(i));
        QCOMPARE(list->count(), listed.size());
        if (listed.isEmpty()) {
            QCOMPARE(dialogs.boxes.size(), 1);
            QCOMPARE(dialogs.last().text,
                     "No profiles\r\n" + QDir::toNativeSeparators(env.path() + "/Profiles"));
            return;
        }
        QTRY_COMPARE(env.readFile("Profiles/alpha one/Preferences.ini"), kDefaultPrefs);
        QVERIFY(exists("Dialogs/alpha one") && ownerOnly("Profiles/alpha one.ini"));
        QCOMPARE(env.readFile("Profiles/Zeta/Preferences.ini"), tuned);
        QVERIFY(!exists("Dialogs/Zeta") && dialogs.boxes.isEmpty());
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
