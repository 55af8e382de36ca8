#include "config/AppInfo.h"
#include "mainwindow/Icons.h"
#include "mainwindow/Startup.h"
#include "platform/ProgramDir.h"
#include "rcon/RconSession.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void nameApplication()
{
    QCoreApplication::setApplicationName(AppInfo::name());
    QCoreApplication::setApplicationVersion(AppInfo::version());
}

// --help and --version are the whole command line: everything else is configured in the INI
// files. Anything else ends the program with a message and exit code 1, as Qt does for an
// unknown option.
void parseCommandLine(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Administers Call of Duty, Call of Duty: United Offensive, Call of Duty 2\n"
                       "and Call of Duty 4 servers over rcon.\n\n"
                       "Settings, profiles and logs are INI and text files in the program\n"
                       "directory: the executable's folder when that is writable and not a\n"
                       "system install, else %1")
            .arg(QDir::toNativeSeparators(
                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        const QString message = QStringLiteral("%1: unexpected argument '%2'\n")
                                    .arg(QCoreApplication::applicationName(),
                                         parser.positionalArguments().constFirst());
        std::fputs(message.toLocal8Bit().constData(), stderr);
        std::exit(1);
    }
}

// Asking for the help or the version must work where no display is, over ssh or in a script:
// those are answered before a GUI application (which needs a display) is made.
bool onlyAsksForText(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

// An installed copy keeps everything in the per-user folder, even when started by root, who could
// write beside it: settings and logs in /usr/bin would belong to no package and to no user.
void chooseProgramDir()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!QFileInfo::exists(exeDir + QStringLiteral("/../share/vantor/Preferences.ini"))) {
        initProgramDirFrom(exeDir, userDir);
        return;
    }
    QDir().mkpath(userDir);
    copyShippedDefaults(exeDir, userDir);
    setProgramDir(userDir);
}

} // namespace

int main(int argc, char **argv)
{
    if (onlyAsksForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        nameApplication();
        parseCommandLine(app);
    }
    QApplication app(argc, argv);
    nameApplication();
    // Qt's own options (-platform, -style...) are taken out of the arguments by now.
    parseCommandLine(app);
    // The name of the menu entry: a Wayland compositor finds the windows' icon through it.
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTOR_DESKTOP_ID));
    QApplication::setWindowIcon(Icons::app());
    chooseProgramDir();
    RconSession session;
    startVantor(&session);
    return app.exec();
}
