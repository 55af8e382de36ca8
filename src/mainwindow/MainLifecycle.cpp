#include "mainwindow/MainLifecycle.h"

#include "config/AppInfo.h"
#include "config/Language.h"
#include "config/Numbers.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/Communication.h"
#include "mainwindow/Icons.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/Twips.h"
#include "mainwindow/UpdateCheck.h"
#include "mainwindow/frmExit.h"
#include "mainwindow/frmInfo.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "platform/Ini.h"
#include "platform/OnTop.h"
#include "rcon/RconSession.h"
#include "ui/ApplyLanguage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace {
const QString kSettings = QStringLiteral("Settings");
// Marks a window that is on top only because the main window is.
const char kOnTopWithMain[] = "onTopWithMain";

// One of the program's own windows (not a box, menu or tip, which follow their owner anyway).
bool isOwnWindow(const QWidget *main, const QWidget *w)
{
    if (w == main || !w->isWindow() || w->windowType() != Qt::Window)
        return false;
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (p == main)
            return true;
    }
    return false;
}

void followMainOnTop(QWidget *w, bool on)
{
    if (on && !isOnTop(w)) {
        w->setProperty(kOnTopWithMain, true);
        SetOnTop(w, true);
    } else if (!on && w->property(kOnTopWithMain).toBool()) {
        w->setProperty(kOnTopWithMain, QVariant());
        SetOnTop(w, false);
    }
}
} // namespace

MainLifecycle::MainLifecycle(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("mainLifecycle"));
    wireMenus();
    qApp->installEventFilter(this);
}

// While the main window stays on top, a window opened from it would open behind it, out of
// reach: the program's windows come up on top with it.
bool MainLifecycle::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() && isOnTop(m_main)) {
        QPointer<QWidget> w = static_cast<QWidget *>(watched);
        if (isOwnWindow(m_main, w) && !isOnTop(w)) {
            // Not inside its own show: the flag re-creates the native window.
            QMetaObject::invokeMethod(
                this,
                [this, w] {
                    if (w && w->isVisible() && isOnTop(m_main))
                        followMainOnTop(w, true);
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void MainLifecycle::startUp()
{
    ApplyLanguage(m_main);
    WritePref(kSettings, QStringLiteral("Version"), AppInfo::version());
    m_main->commandLine->applyBackColor(
        ReadPref(QStringLiteral("Console"), QStringLiteral("BackColor")));
    if (ReadPref(kSettings, QStringLiteral("MainOnTop")) == QLatin1String("Yes")) {
        m_main->mnuExtraAlwaysOnTop->setChecked(true);
        SetOnTop(m_main, true);
    }
    restoreWindowSize();
    showNotConnected();

    m_main->lblAppNamer->setText(AppInfo::name());
    m_main->lblAppShortNamer->setText(AppInfo::shortName());
    m_main->lblAppVersionr->setText(AppInfo::version());
    m_main->lblAutoPBSSCounter->setText(QStringLiteral("0"));
    m_main->session()->setGameKind(QStringLiteral("noco"));

    AddTrayIcon(m_main);
    setTrayWindowShown(true);
    if (ReadPref(kSettings, QStringLiteral("CheckForUpdate")) == QLatin1String("1"))
        startUpdateCheck(m_main);
    m_main->sb1->setText(4, QStringLiteral("Shortcut keys: Disabled "));

    m_main->communication->loadHistory();
    m_main->commandLine->loadHistory();
    m_main->tmrCheckPingMeter->start();
}

void MainLifecycle::restoreWindowSize()
{
    bool okWidth = false, okHeight = false;
    const double width = ReadPref(kSettings, QStringLiteral("mWidth")).trimmed().toDouble(&okWidth);
    const double height
        = ReadPref(kSettings, QStringLiteral("mHeight")).trimmed().toDouble(&okHeight);
    // A missing or broken size keeps the default the window was built with.
    const QSize current = m_main->size();
    const int w = okWidth && width > 0 ? twipsToPixels(width, m_main) : current.width();
    const int h = okHeight && height > 0 ? twipsToPixels(height, m_main) : current.height();
    m_main->resize(w, h);
}

void MainLifecycle::showNotConnected()
{
    const QString section = QStringLiteral("StatusMessages");
    m_main->sb1->setText(1, LangText(section, QStringLiteral("NotConnectedSB"),
                                     QStringLiteral("Not connected to a server!"))
                                + QLatin1Char(' '));
    m_main->sb1->setIcon(1, Icons::notConnected(), QStringLiteral("notconnected"));
    Icons::show(m_main->imgServerType, QStringLiteral("notconnected"));
    m_main->lblServerStatus->setText(
        LangText(section, QStringLiteral("NotConnected"), QStringLiteral("Not connected!")));
    m_main->sb1->setText(2, QStringLiteral("Details: ")
                                + LangText(section, QStringLiteral("NotConnectedSB2"),
                                           QStringLiteral("select a server and press connect!"))
                                + QLatin1Char(' '));
    Icons::setMenuIcons(m_main, QStringLiteral("noco"));
}

void MainLifecycle::saveWindowSize()
{
    const QSize size = m_main->isMaximized() || m_main->isMinimized()
                           ? m_main->normalGeometry().size()
                           : m_main->size();
    WritePref(kSettings, QStringLiteral("mWidth"),
              QString::number(qRound(pixelsToTwips(size.width(), m_main))));
    WritePref(kSettings, QStringLiteral("mHeight"),
              QString::number(qRound(pixelsToTwips(size.height(), m_main))));
}

void MainLifecycle::hideToTray()
{
    setTrayWindowShown(false);
    if (trayCanRestoreWindow())
        m_main->hide();
    else
        m_main->showMinimized(); // no icon to come back from: keep it on the task bar
}

void MainLifecycle::onClose(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    switch (int(leadingNumber(ReadPref(kSettings, QStringLiteral("MainCloseButtonFunction"))))) {
    case 1:
        event->ignore();
        hideToTray();
        break;
    case 0:
        saveWindowSize();
        event->accept();
        endProgram();
        break;
    default:
        // Any other setting takes the window off the screen and nothing more: the size is not
        // kept, the tray icon stays and the program runs on. The window is kept rather than
        // destroyed, so that the tray can still bring it back.
        event->ignore();
        if (trayCanRestoreWindow())
            m_main->hide();
        else
            m_main->showMinimized(); // no icon to come back from: keep it on the task bar
        break;
    }
}

void MainLifecycle::fileExit()
{
    if (m_main->session()->gameKind() != QLatin1String("noco"))
        m_main->session()->SendCommand(
            QStringLiteral("Say ") + m_main->lblAppNamer->text() + QLatin1Char(' ')
            + m_main->lblAppVersionr->text() + QStringLiteral(" ^4||^7 Username:^4 ")
            + m_main->txtServername->text() + QStringLiteral(" ^7disconnecting. ^4||"));
    saveWindowSize();
    endProgram();
}

void MainLifecycle::endProgram()
{
    m_ending = true;
    RemoveTrayIcon();
    if (m_about)
        m_about->close();
    if (m_exit)
        m_exit->close();
    m_main->close();
    QCoreApplication::quit();
}

void MainLifecycle::setAlwaysOnTop(bool on)
{
    m_main->mnuExtraAlwaysOnTop->setChecked(on);
    SetOnTop(m_main, on);
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (isOwnWindow(m_main, w) && (w->isVisible() || !on))
            followMainOnTop(w, on);
    }
    WritePref(kSettings, QStringLiteral("MainOnTop"),
              on ? QStringLiteral("Yes") : QStringLiteral("No"));
}

void MainLifecycle::setShortkeysEnabled(bool on)
{
    m_main->mnuExtraShortkeysEnable->setChecked(on);
    m_main->mnuExtraShortkeysDisable->setChecked(!on);
    m_main->mnuExtraShortkeys->menuAction()->setData(on ? QStringLiteral("1")
                                                        : QStringLiteral("0"));
    m_main->sb1->setText(4, on ? QStringLiteral("Shortcut keys: Enabled ")
                               : QStringLiteral("Shortcut keys: Disabled "));
}

frmInfo *MainLifecycle::showAbout()
{
    if (!m_about) {
        m_about = new frmInfo(m_main);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
    return m_about;
}

frmExit *MainLifecycle::showExitConfirmation()
{
    if (!m_exit) {
        m_exit = new frmExit(m_main);
        m_exit->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_exit->show();
    m_exit->raise();
    m_exit->activateWindow();
    return m_exit;
}
