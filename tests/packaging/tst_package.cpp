// The .deb as an administrator gets it: made by CPack from this build, unpacked into a temporary
// root, and its program started there with a fresh home folder.

#include "config/AppInfo.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {
constexpr uint kNobody = 65534;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// Ends the program it started however the test ends.
struct Started : QProcess
{
    ~Started() override
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
    QString m_deb, m_root;

    int run(QProcess &p, const QString &program, const QStringList &args)
    {
        p.start(program, args);
        return p.waitForFinished(300000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode()
                                                                                   : -1;
    }
    int run(const QString &program, const QStringList &args)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        return run(p, program, args);
    }
    static QProcessEnvironment environment(const QString &home, bool display)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("HOME"), home);
        if (display)
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dpkg-deb")).isEmpty())
            QSKIP("dpkg-deb is missing: a .deb cannot be unpacked here");
        QFile::setPermissions(m_work.path(), QFile::Permissions(0x7755));
        QCOMPARE(
            run(QStringLiteral(VANTOR_CPACK),
                {QStringLiteral("--config"), QStringLiteral(VANTOR_BUILD_DIR "/CPackConfig.cmake"),
                 QStringLiteral("-B"), m_work.path()}),
            0);
        const QStringList debs = QDir(m_work.path()).entryList({QStringLiteral("*.deb")});
        QCOMPARE(debs.size(), 1);
        m_deb = m_work.filePath(debs.first());
        m_root = m_work.filePath(QStringLiteral("root"));
        QCOMPARE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_deb, m_root}), 0);
        // As a system install: nobody may write there (root can all the same).
        QCOMPARE(
            run(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a-w"), m_root}), 0);
    }
    void cleanupTestCase()
    {
        if (!m_root.isEmpty())
            run(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), m_root});
    }

    void controlNamesTheVersionAndTheLibraries()
    {
        QProcess p;
        QCOMPARE(run(p, QStringLiteral("dpkg-deb"),
                     {QStringLiteral("-f"), m_deb, QStringLiteral("Version"),
                      QStringLiteral("Depends")}),
                 0);
        const QString fields = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(fields.startsWith(QStringLiteral("Version: ") + AppInfo::version() + u'\n'),
                 qPrintable(fields));
        QVERIFY2(fields.contains(QStringLiteral("libqt6widgets6")), qPrintable(fields));
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("display");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed");
        QTest::newRow("version, no display")
            << "--version" << false << 0 << QStringLiteral("Vantor %1\n").arg(AppInfo::version());
        QTest::newRow("help, no display") << "--help" << false << 0 << "--version";
        QTest::newRow("unknown option") << "--connect" << true << 1 << "";
        QTest::newRow("argument") << "server.ini" << true << 1 << "";
    }
    void commandLine()
    {
        QFETCH(QString, argument);
        QFETCH(bool, display);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        QTemporaryDir home;
        QProcess p;
        p.setProcessEnvironment(environment(home.path(), display));
        QCOMPARE(run(p, m_root + QStringLiteral("/usr/bin/vantor"), {argument}), exitCode);
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        QVERIFY2(printed.isEmpty() ? out.isEmpty() : out.contains(printed), qPrintable(out));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral(".local"))));
    }

    // The first start lays every shipped file into the user's folder, byte for byte; the next
    // start keeps what the user made of them.
    void firstStartLaysTheDefaultsOnce_data()
    {
        QTest::addColumn<bool>("asNobody");
        QTest::newRow("started by the test's user") << false;
        QTest::newRow("started by an unprivileged user") << true;
    }
    void firstStartLaysTheDefaultsOnce()
    {
        QFETCH(bool, asNobody);
        if (asNobody && geteuid() != 0)
            QSKIP("only root can start the program as another user");
        QTemporaryDir home;
        QFile::setPermissions(home.path(), QFile::Permissions(0x7755));
        const auto own = [&](const QString &path) {
            QVERIFY(!asNobody || chown(QFile::encodeName(path).constData(), kNobody, kNobody) == 0);
        };
        own(home.path());
        const QString shipped = m_root + QStringLiteral("/usr/share/vantor");
        const QString user = home.filePath(QStringLiteral(".local/share/Vantor"));
        const QString prefs = user + QStringLiteral("/Preferences.ini");
        const auto start = [&](Started &p) {
            p.setProcessEnvironment(environment(home.path(), true));
            const QString exe = m_root + QStringLiteral("/usr/bin/vantor");
            if (asNobody)
                p.start(QStringLiteral("setpriv"),
                        {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                         QStringLiteral("--clear-groups"), exe});
            else
                p.start(exe, {});
        };
        {
            Started vantor;
            start(vantor);
            for (QDirIterator it(shipped, QDir::Files, QDirIterator::Subdirectories);
                 it.hasNext();) {
                const QString file = it.next();
                QTRY_COMPARE(readAll(user + file.mid(shipped.size())), readAll(file));
            }
            QCOMPARE(vantor.state(), QProcess::Running);
            QCOMPARE(QDir(m_root + QStringLiteral("/usr/bin"))
                         .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                     QStringList({QStringLiteral("vantor"), QStringLiteral("vantor-demo-server")}));
        }
        QVERIFY(QFile::remove(prefs));
        const QByteArray mine
            = "[Settings]\r\nFirstTimeStartup=0\r\nDontShowProfilesOnStartup=1\r\n";
        QFile f(prefs);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(mine) == mine.size());
        f.close();
        own(prefs);
        // The main window, coming straight up, notes the version it runs as, and only that.
        Started vantor;
        start(vantor);
        QTRY_COMPARE(readAll(prefs), mine + "Version=" + AppInfo::version().toLatin1() + "\r\n");
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
