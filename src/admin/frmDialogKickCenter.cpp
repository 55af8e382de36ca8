#include "admin/frmDialogKickCenter.h"

#include "admin/KickCenterBanList.h"
#include "config/Language.h"
#include "platform/Clock.h"
#include "platform/ConsoleText.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"
#include "platform/TextFile.h"
#include "rcon/Quoting.h"
#include "rcon/RconSession.h"
#include "rcon/StatusTable.h"
#include "ui/ApplyLanguage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPointer>
#include <QProgressBar>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Controls;

namespace {

enum Column { Num, Score, Ping, Guid, Player, LastMessage, Address, Qport, Rate };

struct ListColumn
{
    const char *caption;
    double share; // of the list's width
};

// clang-format off
constexpr ListColumn kColumns[] = {
    {"Num",          0.06},
    {"Score",        0.07},
    {"Ping",         0.06},
    {"Guid",         0.17},
    {"Player",       0.2},
    {"Last message", 0.13},
    {"Address",      0.15},
    {"Qport",        0.066},
    {"Rate",         0.066},
};
// clang-format on

const QString kCaption = QStringLiteral("Kick Center");
const char kReasonFile[] = "Logs/KickCenter/Reason.log";

QString reasonFile()
{
    return programPath(QLatin1String(kReasonFile));
}

} // namespace

// One of the seven remove buttons: what it reads from the selected row, how the announcement
// names the deed, and the command that follows it.
struct KickCenterRemoval
{
    const char *control;
    const char *caption;
    Column column;
    const char *verb;
    const char *command;
};

namespace {
// clang-format off
constexpr KickCenterRemoval kRemovals[] = {
    {"cmdClientKick",    "Clientnumber Kick", Num,     " is kicked by ",           "clientkick"},
    {"cmdClientBan",     "Clientnumber Ban",  Num,     " is banned by ",           "banClient"},
    {"cmdClientTempBan", "Tempban Client",    Num,     " is temporary banned by ", "tempBanClient"},
    {"cmdNameKick",      "Playername Kick",   Player,  " is kicked by ",           "kick"},
    {"cmdNameBan",       "Playername Ban",    Player,  " is banned by ",           "banUser"},
    {"cmdNameTempBan",   "Tempban Name",      Player,  " is temporary banned by ", "tempBanUser"},
    {"cmdIPBan",         "IP Ban",            Address, " is banned by ",           "g_banIPs"},
};
// clang-format on

// [KickCenter] NameWithoutEndColour in \Preferences.ini, off unless set to "1". "status" closes
// every name with a "^7" of its own, and the name buttons send the name as listed, that "^7"
// included; the engines look a name up as the player set it, so such a kick misses. With the
// key set, the name buttons leave that one "^7" off.
bool nameWithoutEndColour()
{
    return ReadPref(QStringLiteral("KickCenter"), QStringLiteral("NameWithoutEndColour"))
           == QLatin1String("1");
}

// The value a command acts on; no row selected reads as an empty value.
QString targetOf(const QTreeWidgetItem *row, Column column)
{
    if (!row)
        return QString();
    QString value = row->text(column);
    if (column == Player && value.endsWith(QLatin1String("^7")) && nameWithoutEndColour())
        value.chop(2);
    return value;
}
} // namespace

frmDialogKickCenter::frmDialogKickCenter(RconSession *session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmDialogKickCenter"));
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *ts1 = named(new QTabWidget(this), "ts1");
    ts1->addTab(buildKickBanTab(), QStringLiteral("Kick/Ban"));
    ts1->addTab(new KickCenterBanList(session, this), QStringLiteral("Unban"));

    auto *cmdClose = button(this, "cmdClose", QStringLiteral("Close"));
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ts1, 1);
    layout->addLayout(bottom);

    // The quote that encloses every argument below.
    txtQuotationMark = field(this, "txtQuotationMark", QStringLiteral("\""));
    txtQuotationMark->hide();

    ApplyLanguage(this);
    loadReasons();
    resize(860, 560);
}

QWidget *frmDialogKickCenter::buildKickBanTab()
{
    auto *f = named(new QFrame, "frameKickBan");

    lv1 = named(new QTreeWidget(f), "lv1");
    QStringList captions;
    for (const ListColumn &c : kColumns)
        captions << QLatin1String(c.caption);
    lv1->setHeaderLabels(captions);
    lv1->setRootIsDecorated(false);
    lv1->setUniformRowHeights(true);
    lv1->setAllColumnsShowFocus(true);
    lv1->setSelectionMode(QAbstractItemView::SingleSelection);

    auto *cmdGetPlayerInfo = button(f, "cmdGetPlayerInfo", QStringLiteral("Get Player Info"));
    pbGetPlayerInfo = named(new QProgressBar(f), "pbGetPlayerInfo");
    pbGetPlayerInfo->setRange(0, 1);
    pbGetPlayerInfo->setValue(0);
    pbGetPlayerInfo->setTextVisible(false);
    tmrGetPlayerInfo = timer(this, "tmrGetPlayerInfo", 1000);
    connect(cmdGetPlayerInfo, &QPushButton::clicked, this,
            &frmDialogKickCenter::cmdGetPlayerInfo_Click);
    connect(tmrGetPlayerInfo, &QTimer::timeout, this, &frmDialogKickCenter::tmrGetPlayerInfo_Timer);

    // Client number buttons, name buttons and the address button, in rows of three.
    auto *frameRemove = group(f, "frameRemove", QStringLiteral("Remove player"));
    auto *removeGrid = new QGridLayout(frameRemove);
    for (const KickCenterRemoval &r : kRemovals) {
        QPushButton *b = button(frameRemove, r.control, QLatin1String(r.caption));
        const int i = int(&r - kRemovals);
        removeGrid->addWidget(b, i / 3, i % 3);
        connect(b, &QPushButton::clicked, this, [this, &r] { removePlayer(r); });
    }

    cbReason = comboBox(f, "cbReason", true);
    cbReason->setMinimumContentsLength(30);
    // "No reason" stays where it is, under the mouse, while the box beside it comes and goes.
    QSizePolicy keepPlace = cbReason->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    cbReason->setSizePolicy(keepPlace);
    ckNoReason = checkBox(f, "ckNoReason", QStringLiteral("No reason"));
    tmrFormFunctions = timer(this, "tmrFormFunctions", 100);
    connect(tmrFormFunctions, &QTimer::timeout, this,
            [this] { cbReason->setVisible(!ckNoReason->isChecked()); });
    tmrFormFunctions->start();
    auto *reason = new QHBoxLayout;
    reason->addWidget(label(f, "lblReason", QStringLiteral("Reason:")));
    reason->addWidget(cbReason, 1);
    reason->addWidget(ckNoReason);

    auto *frameKickBanTime = group(f, "frameKickBanTime", QStringLiteral("Temporary Ban Time"));
    txtKickBanTime = field(frameKickBanTime, "txtKickBanTime", QStringLiteral("300"));
    // Seconds: a letter would reach the server as a malformed setting.
    txtKickBanTime->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), txtKickBanTime));
    auto *cmdKickBanTime = button(frameKickBanTime, "cmdKickBanTime", QStringLiteral("Set"));
    connect(cmdKickBanTime, &QPushButton::clicked, this,
            &frmDialogKickCenter::cmdKickBanTime_Click);
    auto *banTime = new QHBoxLayout(frameKickBanTime);
    banTime->addWidget(
        label(frameKickBanTime, "lblKickBanTime", QStringLiteral("Temporary Ban Time:")));
    banTime->addWidget(txtKickBanTime);
    banTime->addWidget(cmdKickBanTime);

    auto *cmdKickAll = button(f, "cmdKickAll", QStringLiteral("Kick All"));
    connect(cmdKickAll, &QPushButton::clicked, this, &frmDialogKickCenter::cmdKickAll_Click);

    auto *listRow = new QHBoxLayout;
    listRow->addWidget(cmdGetPlayerInfo);
    listRow->addWidget(pbGetPlayerInfo, 1);
    auto *lower = new QGridLayout;
    lower->addWidget(frameRemove, 0, 0, 2, 1);
    lower->addWidget(frameKickBanTime, 0, 1);
    lower->addWidget(cmdKickAll, 1, 1, Qt::AlignRight | Qt::AlignBottom);
    auto *layout = new QVBoxLayout(f);
    layout->addWidget(lv1, 1);
    layout->addLayout(listRow);
    layout->addLayout(reason);
    layout->addLayout(lower);
    return f;
}

// The columns share the list's width as it is when the dialog first opens; afterwards the
// administrator's own column widths stay.
void frmDialogKickCenter::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_columnsSized) {
        m_columnsSized = true;
        QTimer::singleShot(0, this, &frmDialogKickCenter::sizeColumns); // once laid out
    }
}

void frmDialogKickCenter::sizeColumns()
{
    const int width = lv1->viewport()->width();
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        lv1->setColumnWidth(i, int(width * kColumns[i].share));
}

// --- player list -----------------------------------------------------------------------------

// The console, emptied first, holds the echo and the reply by the timer's first tick.
void frmDialogKickCenter::cmdGetPlayerInfo_Click()
{
    m_session->console()->clear();
    lv1->clear();
    m_session->SendCommand(QStringLiteral("status"));
    tmrGetPlayerInfo->start();
}

void frmDialogKickCenter::tmrGetPlayerInfo_Timer()
{
    pbGetPlayerInfo->setValue(pbGetPlayerInfo->value() + 1);
    if (pbGetPlayerInfo->value() != 1)
        return;
    const QList<StatusRow> rows = parseStatusTable(m_session->console()->text());
    for (const StatusRow &r : rows) {
        new QTreeWidgetItem(
            lv1, {r.slot, r.score, r.ping, r.guid, r.name, r.lastmsg, r.address, r.qport, r.rate});
    }
    tmrGetPlayerInfo->stop();
    pbGetPlayerInfo->setValue(0);
}

// --- removing --------------------------------------------------------------------------------

QString frmDialogKickCenter::announcement(const QString &what, const QString &reason) const
{
    QString line = QStringLiteral("Say ^4||^7 ") + what + m_session->adminName();
    if (!ckNoReason->isChecked())
        line += QStringLiteral(" ^4Reason: ^7") + reason;
    return line + QStringLiteral(" ^4||");
}

// Nothing is checked first: with no row selected the player and the target are empty, and while
// not connected each of the two sends says so; the reason is remembered either way.
void frmDialogKickCenter::removePlayer(const KickCenterRemoval &removal)
{
    const QTreeWidgetItem *row = lv1->selectedItems().value(0);
    const QString target = targetOf(row, removal.column);
    if (quotedOrRefused(target, this).isEmpty())
        return;
    m_pendingTarget = target;
    const QString player = row ? row->text(Player) : QString();
    const QString reasonBefore = cbReason->currentText();
    m_session->SendCommand(announcement(player + QLatin1String(removal.verb), reasonBefore));

    // The players read the announcement before the deed.
    const QPointer<frmDialogKickCenter> self(this);
    const QPointer<RconSession> session(m_session);
    Wait(1.0);
    // The deed was announced: it follows even when the window was closed meanwhile.
    const QString quote = self ? txtQuotationMark->text() : QStringLiteral("\"");
    const QString pending = self ? m_pendingTarget : target;
    if (session)
        session->SendCommand(QLatin1String(removal.command) + QLatin1Char(' ') + quote + pending
                             + quote);
    if (!self) {
        appendLatin1Line(reasonFile(), reasonBefore);
        return;
    }
    m_pendingTarget.clear();
    const QString reason = cbReason->currentText();
    cbReason->addItem(reason);
    appendLatin1Line(reasonFile(), reason);
}

void frmDialogKickCenter::loadReasons()
{
    cbReason->clear();
    QStringList reasons = readLatin1Lines(reasonFile());
    if (!reasons.isEmpty() && reasons.constLast().isEmpty())
        reasons.removeLast(); // after the last line end
    cbReason->addItems(reasons);
    cbReason->setCurrentIndex(-1);
    cbReason->clearEditText();
}

void frmDialogKickCenter::cmdKickBanTime_Click()
{
    m_session->SendCommand(QStringLiteral("sv_kickBanTime ") + txtKickBanTime->text());
}

void frmDialogKickCenter::cmdKickAll_Click()
{
    const MsgAnswer answer
        = MsgBox(LangText(QStringLiteral("frmDialogKickCenter"), QStringLiteral("SureToKickAll"),
                          QStringLiteral("Are you sure you want to kick everybody on the server?")),
                 MsgIcon::Question, QStringLiteral("Kick All"), MsgButtons::YesNo, this);
    if (answer == MsgAnswer::Yes)
        m_session->SendCommand(
            announcement(QStringLiteral("Everybody will be kicked by "), cbReason->currentText()));
}
