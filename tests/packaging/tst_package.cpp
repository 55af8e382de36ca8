// The .deb as an administrator gets it: made by CPack from this build, unpacked into a temporary
// root as a system install, and its program started there with a fresh home folder.

#include "config/AppInfo.h"

#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// A user with no display at all, or on Qt's offscreen one; the program is ended with the test.
struct Session : QProcess
{
    Session(const QString &home, bool offscreen)
    {
        QFile::setPermissions(home, QFile::Permissions(0x7755));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME"})
            env.remove(QLatin1String(name));
        env.insert("HOME", home);
        if (offscreen)
            env.insert("QT_QPA_PLATFORM", "offscreen");
        setProcessEnvironment(env);
    }
    ~Session() override
    {
        kill();
        waitForFinished();
    }
};
} // namespace

class TestPackage : public QObject
{
    Q_OBJECT
    QTemporaryDir m_work;
    QString m_root;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("dpkg-deb").isEmpty())
            QSKIP("dpkg-deb is missing: a .deb cannot be unpacked here");
        QFile::setPermissions(m_work.path(), QFile::Permissions(0x7755));
        const QString config = VANTOR_BUILD_DIR "/CPackConfig.cmake";
        QCOMPARE(QProcess::execute(VANTOR_CPACK, {"--config", config, "-B", m_work.path()}), 0);
        const QString deb = m_work.filePath(QDir(m_work.path()).entryList({"*.deb"}).value(0));
        m_root = m_work.filePath("root");
        QCOMPARE(QProcess::execute("dpkg-deb", {"-x", deb, m_root}), 0);
        QProcess control; // the libraries' packages, as dpkg-shlibdeps found them
        control.start("dpkg-deb", {"-f", deb, "Depends"});
        QVERIFY(control.waitForFinished() && control.readAll().contains("libqt6widgets6"));
        // Asking for the version needs no display.
        QTemporaryDir home;
        Session terminal(home.path(), false);
        terminal.start(m_root + "/usr/bin/vantor", {"--version"});
        QVERIFY(terminal.waitForFinished());
        QCOMPARE(terminal.readAll(), "Vantor " + AppInfo::version().toLatin1() + '\n');
    }

    void firstStartLaysTheDefaultsOnce_data()
    {
        QTest::addColumn<bool>("asNobody");
        QTest::newRow("by the test's own user") << false;
        QTest::newRow("by an unprivileged user") << true;
    }
    // Every shipped file arrives in the user's folder byte for byte, and nothing beside the
    // program; the next start keeps what the user made of them.
    void firstStartLaysTheDefaultsOnce()
    {
        QFETCH(bool, asNobody);
        if (asNobody && geteuid() != 0)
            QSKIP("only root can start the program as another user");
        const QString exe = m_root + "/usr/bin/vantor", shipped = m_root + "/usr/share/vantor";
        QTemporaryDir home;
        const auto start = [&](Session &s) {
            if (asNobody && QProcess::execute("chown", {"-R", "65534:65534", home.path()}) == 0)
                s.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", exe});
            else
                s.start(exe, {});
        };
        const QString user = home.filePath(".local/share/Vantor");
        {
            Session first(home.path(), true);
            start(first);
            for (QDirIterator it(shipped, QDir::Files, QDirIterator::Subdirectories);
                 it.hasNext();) {
                const QString file = it.next();
                QByteArray expected = readAll(file);
                // The welcome, once it is up, notes that the first start is done.
                expected.replace("FirstTimeStartup=1", "FirstTimeStartup=0");
                QTRY_COMPARE_WITH_TIMEOUT(readAll(user + file.mid(shipped.size())), expected,
                                          20000);
            }
            QCOMPARE(QDir(m_root + "/usr/bin").entryList(QDir::Files).size(), 2);
        }
        QFile prefs(user + "/Preferences.ini");
        const QByteArray mine
            = "[Settings]\r\nFirstTimeStartup=0\r\nDontShowProfilesOnStartup=1\r\n";
        QVERIFY(prefs.open(QIODevice::WriteOnly | QIODevice::Truncate) && prefs.write(mine) > 0);
        prefs.close();
        // The main window comes straight up and notes the version it runs as, and only that.
        Session next(home.path(), true);
        start(next);
        QTRY_COMPARE_WITH_TIMEOUT(readAll(prefs.fileName()),
                                  mine + "Version=" + AppInfo::version().toLatin1() + "\r\n",
                                  20000);
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
