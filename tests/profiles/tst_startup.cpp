#include "DialogRecorder.h"
#include "RunningProgram.h"
#include "TestEnv.h"

#include "mainwindow/StatusPanels.h"
#include "platform/Ini.h"
#include "platform/OnTop.h"
#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

static const QByteArray kHome = "[Home server]\r\nIP=127.0.0.1\r\nPort=28960\r\nRcon=pw\r\n";

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void firstStartWelcomesOnce_data()
    {
        QTest::addColumn<bool>("byCloseButton");
        QTest::newRow("OK") << false;
        QTest::newRow("close button") << true;
    }

    // The welcome comes once, on top, with its sound (asked for though none was shipped), and
    // leads on to the manager as any start does.
    void firstStartWelcomesOnce()
    {
        QFETCH(bool, byCloseButton);
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        env.writeFile("Profiles/Home server.ini", kHome);
        WritePref("Settings", "FirstTimeStartup", "1");
        for (bool first : {true, false}) {
            RunningProgram program;
            QWidget *welcome = program.window("frmFirstTimeStart");
            QCOMPARE(bool(welcome), first);
            if (first) {
                QVERIFY(welcome->isVisible() && isOnTop(welcome));
                QCOMPARE(ReadPref("Settings", "FirstTimeStartup"), u"0"_s);
                QCOMPARE(dialogs.sounds, QStringList{programPath("Tempfiles/firststart.wav")});
                QVERIFY(!program.managerShown() && !program.main->isVisible());
                if (byCloseButton)
                    welcome->close();
                else
                    QTest::mouseClick(welcome->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
                QTRY_VERIFY(!program.window("frmFirstTimeStart"));
            }
            QVERIFY(program.main);
            QVERIFY(program.managerShown() && !program.main->isVisible());
        }
        QVERIFY(dialogs.sounds.size() == 1 && dialogs.boxes.isEmpty());
    }

    void profilesAtStart_data()
    {
        QTest::addColumn<QString>("dontShow");
        QTest::addColumn<bool>("managerFirst");
        QTest::newRow("switched off") << "1" << false;
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
        QVERIFY(!program.window("frmFirstTimeStart") && dialogs.boxes.isEmpty());
    }

    // Without a profile nothing is filled in and nothing connects; File > Profiles List brings
    // the manager back with the profiles read afresh, and closing it then leaves the main window.
    void withoutProfileAndBack()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        env.writeFile("Profiles/Home server.ini", kHome);
        WritePref("Settings", "ConnectOnSelect", "1");
        RunningProgram program;
        program.clickEntry("Home server");
        QTest::mouseClick(program.control<QPushButton>("cmdNoProfile"), Qt::LeftButton);
        QVERIFY(program.main->isVisible() && !program.managerShown());
        QCOMPARE(program.main->sb1->text(5) + program.main->sb1->tag(5), "Profile: none ");
        QVERIFY(program.main->txtServerIP->text().isEmpty() && !program.main->tmrCOS->isActive());

        env.writeFile("Profiles/Restored.ini", "[Restored]\r\nIP=10.9.9.9\r\n");
        program.main->mnuFileProfilesList->trigger();
        QVERIFY(program.managerShown()
                && program.control<QListWidget>("lstProfiles")->count() == 2);
        program.manager()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(program.main && program.main->isVisible() && !program.managerShown());
    }

    // Closed at start before any main window appeared, the manager ends the program.
    void closingTheManagerFirstEndsTheProgram()
    {
        TestProgramDir env(20.0);
        DialogRecorder dialogs;
        env.writeFile("Profiles/Home server.ini", kHome);
        RunningProgram program;
        QVERIFY(program.managerShown());
        program.manager()->close();
        QTRY_VERIFY(!program.main);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
