#pragma once

#include "settings/SettingsWindow.h"

class QFrame;
class QLineEdit;
class QStackedWidget;
class QTabBar;

// The settings every game shares: server name, slots, pings and rates, passwords, chat, download
// and voting switches, team names, private slots, match time-outs, and shutting the server down.
// Tabs three and four have nothing to offer on CoD2 and CoD4, and say so.
class frmDialogGeneral : public SettingsWindow
{
    Q_OBJECT
public:
    explicit frmDialogGeneral(RconSession *session, QWidget *parent = nullptr);

    RetrievalPlan retrievalPlan() const override;

protected:
    QString quoteMark() const override;

private:
    QFrame *buildGeneral();
    QFrame *buildOther();
    QFrame *buildVoting();
    QFrame *buildTimeOuts();
    QFrame *buildNonCoD24();

    void ts1_Click(int index);
    void cmdChangeTeamNames_Click();
    void cmdKillserver_Click();

    QTabBar *ts1 = nullptr;
    QStackedWidget *stkFrames = nullptr;
    QFrame *frameGeneral = nullptr;
    QFrame *frameOther = nullptr;
    QFrame *frameVoting = nullptr;
    QFrame *frameCoDCoDUOCoD2 = nullptr;
    QFrame *frameNonCoD24 = nullptr;
    QLineEdit *txtThing = nullptr; // one double quote, the quote of every quoted value
};
