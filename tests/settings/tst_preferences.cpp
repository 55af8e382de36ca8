#include "ServerRig.h"

#include "config/Profiles.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "profiles/frmRestoreDirectory.h"
#include "rcon/RconSession.h"
#include "settings/frmPreferences.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

namespace {

QByteArray shippedPreferences()
{
    QFile shipped(QFINDTESTDATA("../../defaults/Preferences.ini"));
    return shipped.open(QIODevice::ReadOnly) ? shipped.readAll() : QByteArray();
}

// The main window on the shipped preferences with the profile "Clan" loaded; the preferences
// open from one of its menus.
struct Rig
{
    Rig()
    {
        env.writeFile(u"Preferences.ini"_s, shippedPreferences());
        Profiles::createFolders(u"Clan"_s);
        Profiles::writeDefaultPreferences(u"Clan"_s);
        session.setProfile(u"Clan"_s);
        main = std::make_unique<frmMain>(&session);
    }
    void open(QAction *item)
    {
        item->trigger();
        prefs = main->findChild<frmPreferences *>(u"frmPreferences"_s);
    }
    ~Rig() { main.reset(); }
    template<typename T = QPushButton> T *control(const char *name) const
    {
        return ::control<T>(prefs, name);
    }

    TestProgramDir env{20.0};
    DialogRecorder dialogs;
    RconSession session;
    std::unique_ptr<frmMain> main;
    frmPreferences *prefs = nullptr;
};

} // namespace

class tst_Preferences : public QObject
{
    Q_OBJECT
private slots:
    void applyWritesEveryPage_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::newRow("connected") << true;
        QTest::newRow("not connected") << false;
    }

    // A handful of changes on every page land byte-exact in the two files, the rest of each file
    // untouched; the console timers follow only while connected.
    void applyWritesEveryPage()
    {
        QFETCH(bool, connected);
        Rig rig;
        rig.open(rig.main->mnuExtraPreferences);
        QVERIFY(rig.prefs && rig.prefs->isVisible());
        if (connected) {
            rig.session.link()->setRemoteHost(u"127.0.0.1"_s);
            rig.session.link()->setRemotePort(9);
            rig.session.link()->open();
        }
        rig.main->tmrCheckPingMeter->stop();

        rig.control<QCheckBox>("ckCheckForUpdate")->click();
        rig.control<QCheckBox>("ckConnectOnSelect")->click();
        rig.prefs->showPage(frmPreferences::Server);
        rig.control<QCheckBox>("ckPingMeter")->click();
        rig.control<QSlider>("sldPingMeter")->setValue(7);
        rig.control<QLineEdit>("txtFTPIP")->setText(u"ftp.example.net"_s);
        rig.control<QLineEdit>("txtFTPPassword")->setText(u"se cret"_s);
        rig.prefs->showPage(frmPreferences::Console);
        rig.control<QCheckBox>("ckConsoleClear")->click();
        // The slider follows its switch on the form's timer, not at the click.
        QVERIFY(!rig.control<QSlider>("slrConsoleClear")->isEnabled());
        QTRY_VERIFY(rig.control<QSlider>("slrConsoleClear")->isEnabled());
        rig.control<QSlider>("slrConsoleClear")->setValue(20);
        rig.prefs->showPage(frmPreferences::Messages);
        rig.control("cmdMessagesPMColor4")->click();
        // Dark blue: the caption on it is written in white to stay readable.
        QCOMPARE(rig.control<QLabel>("lblMessagesCurColor")->palette().color(QPalette::WindowText),
                 QColor(Qt::white));
        rig.prefs->showPage(frmPreferences::GameDirectories);
        rig.dialogs.fileAnswers.enqueue(u"/games/cod2/CoD2MP_s.exe"_s);
        rig.control("cmdSet2Dir")->click();
        rig.control<QCheckBox>("ckCloseOnStart")->click();
        rig.control("cmdApply")->click();

        QByteArray expected = shippedPreferences();
        for (const auto &[from, to] :
             {std::pair{"CheckForUpdate=0", "CheckForUpdate=1"},
              {"ConnectOnSelect=1", "ConnectOnSelect=0"},
              {"BringToTray=0", "BringToTray=1"},
              {"JoinGame2=\r", "JoinGame2=/games/cod2/\r"},
              {"PrivateMessageColor=65535", "PrivateMessageColor=16711680"},
              {"ConsoleClear=0", "ConsoleClear=1"},
              {"ConsoleClearTime=60", "ConsoleClearTime=20"}}) {
            QVERIFY(expected.contains(from));
            expected.replace(from, to);
        }
        QCOMPARE(rig.env.readFile(u"Preferences.ini"_s), expected);
        QCOMPARE(rig.env.readFile(u"Profiles/Clan/Preferences.ini"_s),
                 QByteArray("[Ping Settings]\r\nPingMeterEnable=1\r\nPingMeterTime=7\r\n"
                            "[FTP Settings]\r\nIP=ftp.example.net\r\nPort=\r\nUsername=\r\n"
                            "Password=se cret\r\nLogsDirectory=\r\n"));

        // The ping meter runs on the slider's period; the console timers only on a connected
        // window.
        QCOMPARE(rig.main->sb1->text(3), u"Starting ping meter... "_s);
        QVERIFY(rig.main->tmrPing->isActive());
        QCOMPARE(Clock::interval(rig.main->tmrPing), 7000);
        QCOMPARE(rig.main->tmrConsoleClear->isActive(), connected);
        QVERIFY(!rig.main->tmrConsoleStatus->isActive());
        if (connected)
            QCOMPARE(Clock::interval(rig.main->tmrConsoleClear), 20000);

        // OK writes too, and only hides the window; Cancel writes nothing.
        rig.control<QCheckBox>("ckConsoleClear")->click();
        rig.control("cmdCancel")->click();
        QVERIFY(!rig.prefs->isVisible());
        QCOMPARE(ReadPref(u"Console"_s, u"ConsoleClear"_s), u"1"_s);
        rig.main->mnuExtraPreferences->trigger();
        rig.control("cmdOK")->click();
        QCOMPARE(ReadPref(u"Console"_s, u"ConsoleClear"_s), u"0"_s);
        QVERIFY(!rig.main->tmrConsoleClear->isActive());
    }

    // Set Directory keeps the folder of the chosen program; the buttons follow the labels on the
    // form's timer; Test starts what was saved, not what is shown.
    void gameDirectories()
    {
        Rig rig;
        const QString saved = QDir::toNativeSeparators(u"/old/cod/"_s);
        WritePref(u"Directory"_s, u"JoinGame"_s, saved);
        rig.open(rig.main->mnuJoinGameSetDirectorys);
        QCOMPARE(rig.prefs->currentPage(), int(frmPreferences::GameDirectories));
        QCOMPARE(rig.control<QLabel>("lblGameDir")->text(), saved);
        QVERIFY(!rig.control("cmdSetDir")->isEnabled() && rig.control("cmdTestCoD")->isEnabled());

        rig.control("cmdResetDir")->click();
        QTRY_VERIFY(rig.control("cmdSetDir")->isEnabled()
                    && !rig.control("cmdTestCoD")->isEnabled());
        rig.dialogs.fileAnswers.enqueue(u"/new/cod/CoDMP.exe"_s);
        rig.control("cmdSetDir")->click();
        QCOMPARE(rig.control<QLabel>("lblGameDir")->text(), QDir::toNativeSeparators("/new/cod/"));
        QTRY_VERIFY(rig.control("cmdTestCoD")->isEnabled());
        rig.control("cmdTestCoD")->click();
        QCOMPARE(rig.dialogs.programs.size(), 1);
        QCOMPARE(rig.dialogs.programs[0].program, saved + u"CoDMP.exe"_s);
        QCOMPARE(rig.dialogs.programs[0].arguments.join(u' '), u"-console -game"_s);
        QCOMPARE(rig.dialogs.programs[0].workingDir, saved);

        rig.dialogs.fileAnswers.enqueue(u"/new/cod4/iw3mp.exe"_s);
        rig.control("cmdSet4Dir")->click();
        rig.control("cmdResetDir")->click();
        rig.control("cmdApply")->click();
        QCOMPARE(ReadPref(u"Directory"_s, u"JoinGame"_s), QString());
        QCOMPARE(rig.main->mnuJoinGameDirCoD4->text(),
                 u"Call of Duty 4: "_s + QDir::toNativeSeparators("/new/cod4/"));
        // Nothing saved any more: Test starts nothing and says nothing.
        rig.control("cmdTestCoD")->click();
        QCOMPARE(rig.dialogs.programs.size(), 1);
        QVERIFY(rig.dialogs.boxes.isEmpty());
    }

    // The profiles of an older installation are copied byte for byte, over a profile of the same
    // name, with their folders; their own preferences stay behind for the manager to complete.
    void restoreOldProfiles()
    {
        Rig rig;
        QTemporaryDir old;
        const auto writeOld = [&](const QString &relative, const QByteArray &bytes) {
            const QString path = old.filePath(relative);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        const QByteArray clan
            = "[Clan]\r\nIP=10.1.1.1\r\nPort=28960\r\nRcon=old pw\r\nName=Ann\r\n";
        const QByteArray duel
            = "[Duel]\r\nIP=duel.example.net\r\nPort=28961\r\nRcon=x\r\nName=Bo\r\n";
        writeOld(u"Profiles/Clan.ini"_s, clan);
        writeOld(u"Profiles/Duel.ini"_s, duel);
        writeOld(u"Profiles/Duel/Preferences.ini"_s, "[FTP Settings]\r\nIP=ftp.duel\r\n");

        rig.open(rig.main->mnuExtraPreferences);
        rig.control("cmdRestoreProfiles")->click();
        QVERIFY(rig.control<QWidget>("frameRestoreProfiles")->isVisible());
        rig.control("cmdSetProDir")->click();
        auto *picker = rig.prefs->findChild<frmRestoreDirectory *>();
        QVERIFY(picker && picker->isVisible());
        picker->setCurrentPath(QFileInfo(old.path()).absolutePath());
        const QList<QListWidgetItem *> entry
            = picker->dirRestore->findItems(QFileInfo(old.path()).fileName(), Qt::MatchExactly);
        QCOMPARE(entry.size(), 1);
        picker->dirRestore->setCurrentItem(entry.first());
        picker->cmdOK->click();
        QCOMPARE(rig.control<QLabel>("lblProDir")->text(), QDir::toNativeSeparators(old.path()));

        rig.control("cmdOldProfs")->click();
        auto *list = rig.control<QListWidget>("lstOldProfs");
        QCOMPARE(list->count(), 2);
        rig.control("cmdCopyProfs")->click();
        QCOMPARE(rig.dialogs.last().title, u"Restore Done"_s);
        QCOMPARE(rig.env.readFile(u"Profiles/Clan.ini"_s), clan);
        QCOMPARE(rig.env.readFile(u"Profiles/Duel.ini"_s), duel);
        QVERIFY(QFileInfo(rig.env.path() + u"/Profiles/Duel"_s).isDir());
        QVERIFY(!QFileInfo::exists(rig.env.path() + u"/Profiles/Duel/Preferences.ini"_s));

        // Switching pages leaves the restore panel.
        rig.prefs->lstMenu->setCurrentRow(frmPreferences::Console);
        QVERIFY(!rig.control<QWidget>("frameRestoreProfiles")->isVisible());
    }
};

QTEST_MAIN(tst_Preferences)
#include "tst_preferences.moc"
