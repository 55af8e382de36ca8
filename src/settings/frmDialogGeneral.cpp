#include "settings/frmDialogGeneral.h"

#include "config/Language.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "rcon/RconSession.h"
#include "settings/GeneralTables.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

using namespace Controls;

namespace {

QFrame *frame(const char *name)
{
    return named(new QFrame, name);
}

} // namespace

frmDialogGeneral::frmDialogGeneral(RconSession *session, QWidget *parent)
    : SettingsWindow(session, "frmDialogGeneral", parent)
{
    txtThing = field(this, "txtThing", QStringLiteral("\""));
    txtThing->hide();

    ts1 = named(new QTabBar(this), "ts1");
    for (const char *caption : {"General", "Advanced", "Voting", "CoD/CoD:UO"})
        ts1->addTab(QLatin1String(caption));
    ts1->setExpanding(false);

    stkFrames = named(new QStackedWidget(this), "stkFrames");
    for (QFrame *f :
         {buildGeneral(), buildOther(), buildVoting(), buildTimeOuts(), buildNonCoD24()})
        stkFrames->addWidget(f);

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("frameTabs"));
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ts1);
    layout->addWidget(stkFrames, 1);

    // Tabs three and four pick their frame by the game when clicked; a tab already showing keeps
    // its frame until the next click.
    connect(ts1, &QTabBar::currentChanged, this, &frmDialogGeneral::ts1_Click);
    ts1_Click(0);
    startConnectionWatch();

    finishWindow(body, LangText(QStringLiteral("General"), QStringLiteral("General"),
                                QStringLiteral("General")));
}

QFrame *frmDialogGeneral::buildGeneral()
{
    frameGeneral = frame("frameGeneral");
    const GeneralTable &t = generalTable();
    auto *fields = new QVBoxLayout;
    fields->addLayout(layoutRows(frameGeneral, t.serverFields));
    fields->addStretch(1);
    auto *toggles = new QVBoxLayout;
    toggles->addLayout(layoutRows(frameGeneral, t.serverToggles));
    toggles->addStretch(1);
    auto *layout = new QHBoxLayout(frameGeneral);
    layout->addLayout(fields, 1);
    layout->addSpacing(16);
    layout->addLayout(toggles);
    return frameGeneral;
}

QFrame *frmDialogGeneral::buildOther()
{
    frameOther = frame("frameOther");
    const GeneralTable &t = generalTable();

    QGroupBox *teamNames
        = group(frameOther, "frameTeamnameChange", QStringLiteral("Teamname Change"));
    QPushButton *cmdChangeTeamNames
        = button(teamNames, "cmdChangeTeamNames", QStringLiteral("Change"));
    connect(cmdChangeTeamNames, &QPushButton::clicked, this,
            &frmDialogGeneral::cmdChangeTeamNames_Click);
    auto *teamLayout = new QHBoxLayout(teamNames);
    teamLayout->addLayout(layoutRows(teamNames, t.teamNames), 1);
    teamLayout->addWidget(cmdChangeTeamNames, 0, Qt::AlignBottom);

    QGroupBox *killServer = group(frameOther, "frameKillServer", QStringLiteral("Kill server"));
    QPushButton *cmdKillserver = button(killServer, "cmdKillserver", QStringLiteral("Killserver"));
    connect(cmdKillserver, &QPushButton::clicked, this, &frmDialogGeneral::cmdKillserver_Click);
    auto *killLayout = new QHBoxLayout(killServer);
    killLayout->addWidget(cmdKillserver);
    killLayout->addStretch(1);

    QGroupBox *privateSlots
        = group(frameOther, "framePrivateSlots", QStringLiteral("Private slots"));
    auto *privateLayout = new QVBoxLayout(privateSlots);
    privateLayout->addLayout(layoutRows(privateSlots, t.privateSlots));

    auto *layout = new QVBoxLayout(frameOther);
    layout->addWidget(teamNames);
    layout->addWidget(killServer);
    layout->addWidget(privateSlots);
    layout->addStretch(1);
    return frameOther;
}

QFrame *frmDialogGeneral::buildVoting()
{
    frameVoting = frame("frameVoting");
    auto *layout = new QVBoxLayout(frameVoting);
    layout->addLayout(layoutRows(frameVoting, generalTable().voting));
    layout->addStretch(1);
    return frameVoting;
}

QFrame *frmDialogGeneral::buildTimeOuts()
{
    frameCoDCoDUOCoD2 = frame("frameCoDCoDUOCoD2");
    QGroupBox *timeOuts
        = group(frameCoDCoDUOCoD2, "frameMatchTimeOut", QStringLiteral("Match Time-out"));
    auto *inner = new QVBoxLayout(timeOuts);
    inner->addLayout(layoutRows(timeOuts, generalTable().timeOuts));
    auto *layout = new QVBoxLayout(frameCoDCoDUOCoD2);
    layout->addWidget(timeOuts);
    layout->addStretch(1);
    return frameCoDCoDUOCoD2;
}

QFrame *frmDialogGeneral::buildNonCoD24()
{
    frameNonCoD24 = frame("frameNonCoD24");
    QLabel *text = label(frameNonCoD24, "lblNonCoD24",
                         QStringLiteral("The functions on this tab are not supported by Call of "
                                        "Duty 2 and Call of Duty 4!"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(frameNonCoD24);
    layout->addWidget(text);
    return frameNonCoD24;
}

QString frmDialogGeneral::quoteMark() const
{
    return txtThing->text();
}

void frmDialogGeneral::ts1_Click(int index)
{
    const bool unsupported = isCoD2OrCoD4();
    QFrame *const frames[] = {frameGeneral, frameOther, unsupported ? frameNonCoD24 : frameVoting,
                              unsupported ? frameNonCoD24 : frameCoDCoDUOCoD2};
    if (index >= 0 && index < int(std::size(frames)))
        stkFrames->setCurrentWidget(frames[index]);
}

void frmDialogGeneral::cmdChangeTeamNames_Click()
{
    const GeneralTable &t = generalTable();
    auto *allies = findChild<QLineEdit *>(QLatin1String(t.teamNames[0].name));
    auto *axis = findChild<QLineEdit *>(QLatin1String(t.teamNames[1].name));
    // Both names are judged before either is sent: half a change would leave the teams unmatched.
    const QString alliesName = quoted(allies->text());
    if (alliesName.isEmpty())
        return;
    const QString axisName = quoted(axis->text());
    if (axisName.isEmpty())
        return;
    session()->SendCommand(QLatin1String(kTeamNameAlliesCommand) + alliesName);
    // The server ignores a request that follows the last one within half a second, so the Axis
    // name waits. Every event runs meanwhile, and the window may be gone afterwards.
    const QPointer<frmDialogGeneral> self(this);
    Wait(1.0);
    if (!self)
        return;
    session()->SendCommand(QLatin1String(kTeamNameAxisCommand) + axisName);
}

void frmDialogGeneral::cmdKillserver_Click()
{
    const MsgAnswer answer
        = MsgBox(LangText(QStringLiteral("frmDialogGeneral"), QStringLiteral("KillserverWarning"),
                          QStringLiteral("Are you sure you want to shut down the server?")),
                 MsgIcon::Question, QStringLiteral("Killserver!"), MsgButtons::YesNo, this);
    if (answer == MsgAnswer::Yes)
        session()->AnnounceChange(QStringLiteral("killserver"),
                                  QStringLiteral("Server is shutting down"));
}

SettingsWindow::RetrievalPlan frmDialogGeneral::retrievalPlan() const
{
    const GeneralTable &t = generalTable();
    const bool cod2cod4 = isCoD2OrCoD4();
    const int count = cod2cod4 ? t.queriesCoD2CoD4 : int(t.queries.size());
    RetrievalPlan plan;
    for (int i = 0; i < count; ++i) {
        const SettingQuery &q = t.queries[i];
        Read read{QLatin1String(cod2cod4 && q.queryCoD2CoD4 ? q.queryCoD2CoD4 : q.query),
                  {QLatin1String(q.target)}};
        if (q.alsoTarget)
            read.targets << QLatin1String(q.alsoTarget);
        plan.reads << read;
    }
    plan.lastStep = 2 * count + 1;
    // The shorter retrieval ends with its last read, in the same tick.
    plan.endsWithLastRead = cod2cod4;
    return plan;
}
