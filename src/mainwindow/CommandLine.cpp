#include "mainwindow/CommandLine.h"

#include "mainwindow/MainLifecycle.h"

#include "config/AppInfo.h"
#include "config/Language.h"
#include "mainwindow/Twips.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmSearchConsole.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"
#include "platform/TextFile.h"
#include "rcon/ConnectionSequence.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <limits>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString historyFile()
{
    return programPath(QStringLiteral("Logs/Console/Commands.log"));
}

QString console(const char *key, const char *english)
{
    return LangText(QStringLiteral("ConsoleMessages"), QLatin1String(key), QLatin1String(english));
}

// A period in whole seconds becomes milliseconds by writing "000" after it. Anything that does
// not make a positive number of milliseconds arms nothing. Periods beyond the old 65.535 s limit
// are kept as written: the timer holds them.
void armTimer(QTimer *timer, const QString &on, const QString &seconds)
{
    if (on == QLatin1String("0")) {
        timer->stop();
        return;
    }
    if (on != QLatin1String("1"))
        return;
    bool ok = false;
    const qlonglong ms = (seconds + QStringLiteral("000")).toLongLong(&ok);
    if (!ok || ms <= 0) {
        timer->stop();
        return;
    }
    Clock::setInterval(timer,
                       static_cast<int>(std::min<qlonglong>(ms, std::numeric_limits<int>::max())));
    timer->start();
}
} // namespace

CommandLine::CommandLine(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("commandLine"));
    m_themePalette = main->txtConsole->palette();

    // What is typed is what runs: no completion from the history may change a command's case or
    // finish it behind the user's back.
    main->cbCommand->setCompleter(nullptr);
    // Enter is taken before the line edit and the combo box see it: the line edit passes the key
    // on to its combo box, which hands it back, and the line would run twice.
    main->cbCommand->installEventFilter(this);
    main->cbCommand->lineEdit()->installEventFilter(this);

    connect(main->cmdStatus, &QPushButton::clicked, this,
            [this] { sendFresh(QStringLiteral("status")); });
    connect(main->cmdServerInfo, &QPushButton::clicked, this,
            [this] { sendFresh(QStringLiteral("serverinfo")); });
    connect(main->cmdSystemInfo, &QPushButton::clicked, this,
            [this] { sendFresh(QStringLiteral("systeminfo")); });
    connect(main->cmdRestartMap, &QPushButton::clicked, this, [this] {
        m_main->session()->AnnounceChange(QStringLiteral("map_restart"),
                                          QStringLiteral("Map restart"));
    });
    connect(main->cmdFastRestartMap, &QPushButton::clicked, this, [this] {
        m_main->session()->AnnounceChange(QStringLiteral("fast_restart"),
                                          QStringLiteral("Fast map restart"));
    });

    connect(main->mnuConsoleCopy, &QAction::triggered, this, &CommandLine::copy);
    connect(main->mnuConsoleClear, &QAction::triggered, this,
            [this] { m_main->txtConsole->clearText(); });
    connect(main->mnuConsoleSelectAll, &QAction::triggered, this, &CommandLine::selectAll);
    connect(main->mnuConsoleSearch, &QAction::triggered, this, [this] {
        frmSearchConsole *w = searchWindow();
        w->show();
        w->raise();
        w->activateWindow();
    });
    // The games' colours, drawn instead of their codes: off unless the administrator asks.
    const bool colours
        = ReadPref(QStringLiteral("Console"), QStringLiteral("ShowColours")) == QLatin1String("1");
    main->mnuConsoleShowColours->setChecked(colours);
    main->txtConsole->setShowColours(colours);
    connect(main->mnuConsoleShowColours, &QAction::toggled, this, [this](bool on) {
        m_main->txtConsole->setShowColours(on);
        WritePref(QStringLiteral("Console"), QStringLiteral("ShowColours"),
                  on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    connect(main->mnuConsoleColorChange, &QAction::triggered, this, &CommandLine::changeColor);
    connect(main->mnuConsoleColorDefault, &QAction::triggered, this, &CommandLine::defaultColor);

    connect(main->tmrConsoleClear, &QTimer::timeout, this,
            [this] { m_main->txtConsole->clearText(); });
    connect(main->tmrConsoleStatus, &QTimer::timeout, this,
            [this] { m_main->session()->SendCommand(QStringLiteral("status")); });
}

void CommandLine::loadHistory()
{
    QComboBox *cb = m_main->cbCommand;
    cb->clear();
    const QString path = historyFile();
    if (!QFile::exists(path)) {
        // A failure here only means the history is not kept.
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile(path).open(QIODevice::WriteOnly);
    }
    QStringList lines = readLatin1Lines(path);
    // The piece after the last line end is no line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    cb->addItems(lines);
    cb->setCurrentIndex(-1);
    cb->clearEditText();
}

bool CommandLine::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            onEnter();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void CommandLine::onEnter()
{
    runLine(m_main->cbCommand->currentText());
}

void CommandLine::runLine(const QString &line)
{
    appendLatin1Line(historyFile(), line);
    if (!runSlashCommand(line))
        m_main->session()->SendCommand(line);
    QComboBox *cb = m_main->cbCommand;
    cb->addItem(line);
    cb->clearEditText();
}

bool CommandLine::runSlashCommand(const QString &line)
{
    frmMain *m = m_main;
    if (line == QLatin1String("/clear")) {
        m->txtConsole->clearText();
        m->txtConsoleCommands->clearText();
    } else if (line == QLatin1String("/clearall")) {
        m->txtConsole->clearText();
        m->txtConsoleCommands->clearText();
        m->txtServerIP->clear();
        m->txtServerPORT->clear();
        m->txtServerRCON->clear();
        m->txtServername->clear();
    } else if (line == QLatin1String("/mini")) {
        m->lifecycle->hideToTray();
    } else if (line == QLatin1String("/def")) {
        if (m->isMaximized() || m->isMinimized())
            m->showNormal();
        m->resize(twipsToPixels(frmMain::kDefaultWidthTwips, m),
                  twipsToPixels(frmMain::kDefaultHeightTwips, m));
    } else if (line == QLatin1String("/c")) {
        MsgBox(credits(), MsgIcon::Information, QStringLiteral("Credits"), MsgButtons::Ok, m);
    } else if (line == QLatin1String("/connect")) {
        m->connection->connectToServer();
    } else if (line == QLatin1String("/disconnect")) {
        m->connection->disconnectFromServer();
    } else if (line == QLatin1String("/?")) {
        m->txtConsole->appendText(commandList());
        m->txtConsole->scrollToEnd();
    } else if (line == QLatin1String("/quit")) {
        // Ends the program whatever the close button is set to do.
        m->lifecycle->endProgram();
    } else {
        return false;
    }
    return true;
}

QString CommandLine::commandList()
{
    const QString rule = QString(30, QLatin1Char('='));
    QString t = kCrLf + AppInfo::name() + QLatin1Char(' ') + AppInfo::version() + QLatin1Char(' ')
                + console("Console1", "commandlist:") + QLatin1Char(':') + kCrLf;
    t += rule + kCrLf;
    t += QStringLiteral("/clear - ") + console("Console2", "clears the console") + kCrLf;
    t += QStringLiteral("/clearall - ")
         + console("Console3", "clears all the fields in the main window") + kCrLf;
    t += QStringLiteral("/mini - ")
         + console("Console4", "minimizes application to the system tray") + kCrLf;
    t += QStringLiteral("/def - ")
         + console("Console5", "goes back to default width and height for the mainwindow") + kCrLf;
    t += QStringLiteral("/connect - ") + console("Console6", "connects to the given ip and port")
         + kCrLf;
    t += QStringLiteral("/disconnect - ")
         + console("Console7", "disconnects from the current server") + kCrLf;
    t += QStringLiteral("/quit - ") + console("Console8", "shuts down the application") + kCrLf;
    t += rule + kCrLf;
    return t;
}

QString CommandLine::credits()
{
    return AppInfo::name() + QLatin1Char(' ') + AppInfo::version() + kCrLf + kCrLf
           + QStringLiteral("A remote console for Call of Duty, Call of Duty: United Offensive, "
                            "Call of Duty 2 and Call of Duty 4 servers.")
           + kCrLf + kCrLf + QStringLiteral("Programming: the Vantor team") + kCrLf
           + QStringLiteral("Pictures: drawn by the program itself") + kCrLf
           + QStringLiteral("Built with Qt ") + QLatin1String(qVersion()) + kCrLf + kCrLf
           + QStringLiteral("Thanks to every server administrator who tested it.");
}

void CommandLine::sendFresh(const QString &command)
{
    m_main->session()->sendForReply(command);
}

void CommandLine::armConsoleTimers()
{
    const QString section = QStringLiteral("Console");
    armTimer(m_main->tmrConsoleClear, ReadPref(section, QStringLiteral("ConsoleClear")),
             ReadPref(section, QStringLiteral("ConsoleClearTime")));
    armTimer(m_main->tmrConsoleStatus, ReadPref(section, QStringLiteral("ConsoleStatus")),
             ReadPref(section, QStringLiteral("ConsoleStatusTime")));
}

void CommandLine::copy()
{
    ConsoleBox *box = m_main->txtConsole;
    if (m_main->focusWidget() != box)
        return;
    const QString selected = box->selectedModelText();
    if (!selected.isEmpty())
        QApplication::clipboard()->setText(selected);
}

void CommandLine::selectAll()
{
    if (m_main->focusWidget() == m_main->txtConsole)
        m_main->txtConsole->selectAll();
}

void CommandLine::changeColor()
{
    const QColor chosen = askColor(m_main->txtConsole->palette().color(QPalette::Base));
    if (!chosen.isValid())
        return;
    setBackColor(chosen);
    const qint64 bgr = chosen.red() + chosen.green() * 0x100 + chosen.blue() * 0x10000;
    WritePref(QStringLiteral("Console"), QStringLiteral("BackColor"), QString::number(bgr));
}

void CommandLine::defaultColor()
{
    m_main->txtConsole->setPalette(m_themePalette);
    WritePref(QStringLiteral("Console"), QStringLiteral("BackColor"), QStringLiteral("&H80000001"));
}

void CommandLine::setBackColor(const QColor &colour)
{
    QPalette p = m_main->txtConsole->palette();
    p.setColor(QPalette::Base, colour);
    // Only the background changes, so the text keeps its colour even where it then reads badly.
    // [Console] ContrastText = "1" makes the text white on a dark background and black on a
    // light one; off unless the administrator writes it.
    p.setColor(QPalette::Text, m_themePalette.color(QPalette::Text));
    if (ReadPref(QStringLiteral("Console"), QStringLiteral("ContrastText")) == QLatin1String("1"))
        p.setColor(QPalette::Text, Controls::readableTextOn(colour));
    m_main->txtConsole->setPalette(p);
}

bool CommandLine::applyBackColor(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        QString digits = t.mid(2);
        if (digits.endsWith(QLatin1Char('&')))
            digits.chop(1);
        value = digits.toLongLong(&ok, 16);
    } else {
        value = t.toLongLong(&ok);
        if (ok && value < 0)
            value &= 0xFFFFFFFFLL; // a system colour written as a negative Long
    }
    if (!ok || value < 0 || value > 0xFFFFFFFFLL)
        return false;
    if (value & 0x80000000LL) {
        // System colours (the desktop's among them) have no counterpart here: the theme's own
        // background stands in for them.
        m_main->txtConsole->setPalette(m_themePalette);
        return true;
    }
    setBackColor(QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF));
    return true;
}

frmSearchConsole *CommandLine::searchWindow()
{
    if (!m_search)
        m_search = new frmSearchConsole(m_main);
    return m_search;
}
