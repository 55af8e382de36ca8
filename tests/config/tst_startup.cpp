#include "DialogRecorder.h"
#include "RunningProgram.h"
#include "TestEnv.h"
#include "mainwindow/StatusPanels.h"
#include "platform/Ini.h"
#include "platform/OnTop.h"
#include "platform/ProgramDir.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
const QByteArray kHome = "[Home server]\r\nIP=127.0.0.1\r\nPort=28960\r\nRcon=pw\r\nName=Admin\r\n";

void triggerMenu(QAction *action)
{
    QVERIFY(action);
    QVERIFY(action->isEnabled());
    action->trigger();
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void firstStartWelcomesOnce_data()
    {
        QTest::addColumn<bool>("byCloseButton");
        QTest::addColumn<bool>("managerOff"); // DontShowProfilesOnStartup
        QTest::newRow("OK") << false << false;
        QTest::newRow("close button") << true << false;
        QTest::newRow("OK, manager switched off at start") << false << true;
    }

    void firstStartWelcomesOnce()
    {
        QFETCH(bool, byCloseButton);
        QFETCH(bool, managerOff);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        env.writeFile("Profiles/Home server.ini", kHome);
        WritePref("Settings", "FirstTimeStartup", "1");
        WritePref("Settings", "DontShowProfilesOnStartup", managerOff ? "1" : "0");
        {
            RunningProgram program;
            QWidget *welcome = program.window("frmFirstTimeStart");
            QVERIFY(welcome);
            QVERIFY(welcome->isVisible());
            QVERIFY(isOnTop(welcome));
            QCOMPARE(welcome->windowTitle(), QStringLiteral("Welcome!"));
            QCOMPARE(welcome->findChild<QLabel *>("lblWelcome")->text(),
                     QStringLiteral("This is the first time that you're using Vantor."));
            QCOMPARE(ReadPref("Settings", "FirstTimeStartup"), QStringLiteral("0"));
            // The greeting is asked for although no sound file was shipped.
            QCOMPARE(dialogs.sounds, QStringList{programPath("Tempfiles/firststart.wav")});
            QVERIFY(!program.managerShown());
            QVERIFY(!program.main->isVisible());

            if (byCloseButton)
                welcome->close();
            else
                QTest::mouseClick(welcome->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!program.window("frmFirstTimeStart"), 2000);
            QVERIFY(program.main);
            // The welcome leads on as any start does: to the manager, or, when that is switched
            // off, straight to the main window.
            QCOMPARE(program.managerShown(), !managerOff);
            QCOMPARE(program.main->isVisible(), managerOff);
            if (!managerOff)
                QCOMPARE(program.control<QListWidget>("lstProfiles")->count(), 1);
        }
        RunningProgram second;
        QVERIFY(!second.window("frmFirstTimeStart"));
        QCOMPARE(second.managerShown(), !managerOff);
        QCOMPARE(second.main->isVisible(), managerOff);
        QCOMPARE(dialogs.sounds.size(), 1);
        QVERIFY(dialogs.boxes.isEmpty());
    }

    void profilesAtStart_data()
    {
        QTest::addColumn<QString>("dontShow");
        QTest::addColumn<bool>("managerFirst");
        QTest::newRow("switched off") << "1" << false;
        QTest::newRow("switched on") << "0" << true;
        QTest::newRow("not set") << QString() << true;
        QTest::newRow("only 1 means off") << "yes" << true;
    }

    void profilesAtStart()
    {
        QFETCH(QString, dontShow);
        QFETCH(bool, managerFirst);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        env.writeFile("Profiles/Home server.ini", kHome);
        if (!dontShow.isNull())
            WritePref("Settings", "DontShowProfilesOnStartup", dontShow);
        RunningProgram program;
        QCOMPARE(program.managerShown(), managerFirst);
        QCOMPARE(program.main->isVisible(), !managerFirst);
        QVERIFY(!program.window("frmFirstTimeStart"));
        QVERIFY(dialogs.boxes.isEmpty());
    }

    void startWithoutProfile()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        env.writeFile("Profiles/Home server.ini", kHome);
        RunningProgram program;
        clickEntry(program.control<QListWidget>("lstProfiles"), "Home server");
        QTest::mouseClick(program.control<QPushButton>("cmdNoProfile"), Qt::LeftButton);
        QVERIFY(program.main->isVisible());
        QVERIFY(!program.managerShown());
        QCOMPARE(program.main->sb1->text(5), QStringLiteral("Profile: none "));
        QCOMPARE(program.main->sb1->tag(5), QString());
        QCOMPARE(program.main->txtServerIP->text(), QString());
        QVERIFY(!program.main->tmrCOS->isActive());
    }

    void profilesListReopensTheManager()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        env.writeFile("Profiles/Home server.ini", kHome);
        RunningProgram program;
        auto *list = program.control<QListWidget>("lstProfiles");
        clickEntry(list, "Home server");
        QTest::mouseClick(program.control<QPushButton>("cmdOK"), Qt::LeftButton);
        QVERIFY(!program.managerShown());

        // A profile that appeared meanwhile (restored from an old installation) is listed too.
        env.writeFile("Profiles/Restored.ini", "[Restored]\r\nIP=10.9.9.9\r\n");
        triggerMenu(program.main->mnuFileProfilesList);
        QVERIFY(program.managerShown());
        QCOMPARE(list->count(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(
            QFileInfo::exists(programPath("Profiles/Restored/Preferences.ini")), 2000);

        // Closed while the main window is up, the manager just goes away.
        program.manager()->close();
        QVERIFY(!program.managerShown());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(program.main);
        QVERIFY(program.main->isVisible());
        QCOMPARE(program.main->sb1->tag(5), QStringLiteral("Home server"));
    }

    void closingTheManagerBeforeTheMainWindowEndsTheProgram()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        env.writeFile("Profiles/Home server.ini", kHome);
        RunningProgram program;
        QVERIFY(program.managerShown());
        program.manager()->close();
        QTRY_VERIFY_WITH_TIMEOUT(!program.main, 2000);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
