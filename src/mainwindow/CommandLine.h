#pragma once

#include <QObject>
#include <QPalette>
#include <QPointer>

class frmMain;
class frmSearchConsole;
class QColor;

// The command line under the console, its history, the slash commands, the quick buttons, the
// Console menu and the console timers.
class CommandLine : public QObject
{
    Q_OBJECT
public:
    explicit CommandLine(frmMain *main);

    // Fills the command line's list from \Logs\Console\Commands.log, creating the file (and its
    // folder) when it is missing so that the first command has somewhere to go.
    void loadHistory();

    // Runs one line as Enter in the command line does: logged, then a slash command or sent.
    void runLine(const QString &line);

    // Arms or stops the console-clear and console-status timers from [Console].
    void armConsoleTimers();

    // Sets the console's background from a [Console] BackColor text: a decimal 0x00BBGGRR number
    // or "&H..." hex; a system colour (&H80000000 and up) gives the theme's own background.
    // False when the text is neither.
    bool applyBackColor(const QString &text);

    // The command list "/?" prints.
    static QString commandList();
    // What "/c" shows.
    static QString credits();

    frmSearchConsole *searchWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onEnter();
    bool runSlashCommand(const QString &line);
    void sendFresh(const QString &command);
    void copy();
    void selectAll();
    void changeColor();
    void defaultColor();
    void setBackColor(const QColor &colour);

    frmMain *m_main;
    QPalette m_themePalette;
    QPointer<frmSearchConsole> m_search;
};
