#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

// Every modal question the program asks, and every program, page or sound it starts, goes
// through these functions. The program shows real dialogs; tests install a DialogHandler that
// records what would have been shown and answers for the user.

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// The box belongs to `parent`, the window that asks; without one, to the active window. Its
// text is shown as plain text, whatever it holds.
MsgAnswer MsgBox(const QString &text, MsgIcon icon, const QString &title,
                 MsgButtons buttons = MsgButtons::Ok, QWidget *parent = nullptr);

// An empty result means the user cancelled.
QString askOpenFile(const QString &title, const QString &dir, const QString &filter);
QString askFolder(const QString &title, const QString &dir);
QColor askColor(const QColor &initial); // invalid when cancelled

// Starts a program file; false when it could not be started.
bool startProgram(const QString &program, const QStringList &arguments = {},
                  const QString &workingDir = QString());
bool OpenWebPage(const QString &url);
void playSound(const QString &wavFile);

class DialogHandler
{
public:
    virtual ~DialogHandler() = default;
    virtual MsgAnswer messageBox(const QString &text, MsgIcon icon, const QString &title,
                                 MsgButtons buttons)
        = 0;
    virtual QString openFile(const QString &title, const QString &dir, const QString &filter) = 0;
    virtual QString folder(const QString &title, const QString &dir) = 0;
    virtual QColor color(const QColor &initial) = 0;
    virtual bool program(const QString &program, const QStringList &arguments,
                         const QString &workingDir)
        = 0;
    virtual bool webPage(const QString &url) = 0;
    virtual void sound(const QString &wavFile) = 0;
};

// nullptr restores the real dialogs.
void setDialogHandler(DialogHandler *handler);
