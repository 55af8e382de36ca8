#include "platform/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace {
DialogHandler *g_handler = nullptr;

// A box without a window to belong to is a window of its own, and closing it would end the
// program if it were the last one; the active window, else any window on screen, owns it.
QWidget *ownerFor(QWidget *asked)
{
    if (asked)
        return asked->window();
    if (QWidget *active = QApplication::activeWindow())
        return active;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w->isVisible() && !w->isMinimized() && w->windowType() != Qt::Popup
            && w->windowType() != Qt::ToolTip)
            return w;
    }
    return nullptr;
}

// "Text (pattern)|pattern|..." pairs as the program states them, turned into Qt's ";;" form.
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts.at(i) + QStringLiteral(" (") + parts.at(i + 1) + QLatin1Char(')');
    if (out.isEmpty())
        return filter;
    return out.join(QStringLiteral(";;"));
}
} // namespace

void setDialogHandler(DialogHandler *handler)
{
    g_handler = handler;
}

MsgAnswer MsgBox(const QString &text, MsgIcon icon, const QString &title, MsgButtons buttons,
                 QWidget *parent)
{
    if (g_handler)
        return g_handler->messageBox(text, icon, title, buttons);

    QMessageBox box(ownerFor(parent));
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::None:
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return MsgAnswer::Ok;
    }
}

QString askOpenFile(const QString &title, const QString &dir, const QString &filter)
{
    if (g_handler)
        return g_handler->openFile(title, dir, filter);
    return QFileDialog::getOpenFileName(ownerFor(nullptr), title, dir, qtFilter(filter));
}

QString askFolder(const QString &title, const QString &dir)
{
    if (g_handler)
        return g_handler->folder(title, dir);
    return QFileDialog::getExistingDirectory(ownerFor(nullptr), title, dir);
}

QColor askColor(const QColor &initial)
{
    if (g_handler)
        return g_handler->color(initial);
    return QColorDialog::getColor(initial, ownerFor(nullptr));
}

bool startProgram(const QString &program, const QStringList &arguments, const QString &workingDir)
{
    if (g_handler)
        return g_handler->program(program, arguments, workingDir);
    if (!QFileInfo(program).isFile())
        return false;
    return QProcess::startDetached(program, arguments, workingDir);
}

bool OpenWebPage(const QString &url)
{
    if (g_handler)
        return g_handler->webPage(url);
    return QDesktopServices::openUrl(QUrl(url));
}

void playSound(const QString &wavFile)
{
    if (g_handler) {
        g_handler->sound(wavFile);
        return;
    }
    // No sound library is linked for one greeting; hand the file to the desktop's player when
    // there is one, and stay silent otherwise.
    if (QFileInfo(wavFile).isFile()) {
#ifdef Q_OS_WIN
        QDesktopServices::openUrl(QUrl::fromLocalFile(wavFile));
#else
        QProcess::startDetached(QStringLiteral("aplay"), {QStringLiteral("-q"), wavFile});
#endif
    }
}
