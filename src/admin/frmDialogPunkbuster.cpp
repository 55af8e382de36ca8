#include "admin/frmDialogPunkbuster.h"

#include "admin/frmDialogPunkbusterLists.h"
#include "platform/Clock.h"
#include "platform/ConsoleText.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "rcon/Quoting.h"
#include "rcon/RconSession.h"
#include "ui/ApplyLanguage.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Controls;

namespace {

struct Column
{
    const char *caption;
    double share; // of the list's width
};

// clang-format off
constexpr Column kPlayerColumns[] = {
    {"#",          0.04},
    {"GUID",       0.2},
    {"IP Address", 0.14},
    {"Status",     0.09},
    {"Power",      0.09},
    {"Auth Rate",  0.12},
    {"Rec. SS",    0.1},
    {"Name",       0.19},
};
constexpr Column kBadNameColumns[] = {
    {"#",        0.04},
    {"Seconds",  0.1},
    {"Bad Name", 0.354},
};
// clang-format on

// Where lv1 keeps what the Playerlist tab's fields are filled from.
enum PlayerColumn { SlotColumn = 0, GuidColumn = 1, AddressColumn = 2, NameColumn = 7 };

const QString kTitle = QStringLiteral("Punkbuster");

template<std::size_t N>
QTreeWidget *reportList(QWidget *parent, const char *name, const Column (&columns)[N])
{
    auto *list = named(new QTreeWidget(parent), name);
    QStringList captions;
    for (const Column &c : columns)
        captions << QLatin1String(c.caption);
    list->setHeaderLabels(captions);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

template<std::size_t N> void fitColumns(QTreeWidget *list, const Column (&columns)[N])
{
    const int width = list->viewport()->width();
    for (std::size_t i = 0; i < N; ++i)
        list->setColumnWidth(int(i), int(width * columns[i].share));
}

// Minutes, seconds and slot numbers: a letter typed by mistake would reach PunkBuster as a
// malformed command. Paste is held to the same rule as typing.
void numbersOnly(QLineEdit *field)
{
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9. ]*")), field));
}

QLineEdit *labelledField(QGridLayout *grid, QWidget *parent, const char *labelName,
                         const QString &caption, const char *fieldName,
                         const QString &initial = QString())
{
    // An empty grid counts one row already.
    const int row = grid->isEmpty() ? 0 : grid->rowCount();
    grid->addWidget(label(parent, labelName, caption), row, 0);
    QLineEdit *f = field(parent, fieldName, initial);
    grid->addWidget(f, row, 1);
    return f;
}

QString selectedText(const QTreeWidget *list, int column)
{
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(column);
}

// The tick counter of a list's read-back timer, set back to 0 once the list is read.
QProgressBar *tickCounter(QWidget *parent, const char *name)
{
    auto *bar = named(new QProgressBar(parent), name);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

// Counts one tick; the list is read on the first tick after its request.
bool firstTick(QProgressBar *ticks)
{
    ticks->setValue(ticks->value() + 1);
    return ticks->value() == 1;
}

QLabel *explanation(QWidget *parent, const char *name, const QString &text)
{
    QLabel *l = label(parent, name, text);
    l->setWordWrap(true);
    return l;
}

} // namespace

frmDialogPunkbuster::frmDialogPunkbuster(RconSession *session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmDialogPunkbuster"));
    setWindowTitle(kTitle);

    txtQuotationMark = field(this, "txtQuotationMark", QStringLiteral("\""));
    txtQuotationMark->hide();

    ts1 = named(new QTabWidget(this), "ts1");
    ts1->addTab(buildPlayerlistTab(), QStringLiteral("Playerlist"));
    ts1->addTab(buildUnbanTab(), QStringLiteral("Unban"));
    ts1->addTab(buildBadNamesTab(), QStringLiteral("Bad Names"));
    ts1->addTab(buildAdvancedTab(), QStringLiteral("Advanced"));
    ts1->setCurrentIndex(0);

    tabsWithOk(this, ts1);

    ApplyLanguage(this);
    resize(820, 600);
}

QWidget *frmDialogPunkbuster::buildPlayerlistTab()
{
    auto *f = named(new QFrame, "framePlayerlist");

    lv1 = reportList(f, "lv1", kPlayerColumns);
    lv1->viewport()->installEventFilter(this);
    auto *cmdGetPBList = button(f, "cmdGetPBList", QStringLiteral("Get Player Info"));
    pbGetPlayerlist = tickCounter(f, "pbGetPlayerlist");
    auto *cmdTakeScreenshot = button(f, "cmdTakeScreenshot", QStringLiteral("Take Screenshot"));
    tmrGetPlayerlist = timer(this, "tmrGetPlayerlist", 1000);

    auto *frameKick = group(f, "frameKick", QStringLiteral("Kick"));
    auto *kick = new QGridLayout(frameKick);
    txtKickName = labelledField(kick, frameKick, "lblKickName",
                                QStringLiteral("Name or Slotnumber:"), "txtKickName");
    txtKickTime
        = labelledField(kick, frameKick, "lblKickTime", QStringLiteral("Minutes:"), "txtKickTime");
    numbersOnly(txtKickTime);
    txtKickReason = labelledField(kick, frameKick, "lblKickReason", QStringLiteral("Reason:"),
                                  "txtKickReason");
    txtKickPrivateReason = labelledField(kick, frameKick, "lblKickPrivateReason",
                                         QStringLiteral("Private Reason:"), "txtKickPrivateReason");
    kick->setRowStretch(kick->rowCount(), 1);
    auto *cmdKick = button(frameKick, "cmdKick", QStringLiteral("Kick"));
    kick->addWidget(cmdKick, kick->rowCount(), 1, Qt::AlignRight);

    auto *frameBan = group(f, "frameBan", QStringLiteral("Ban"));
    auto *ban = new QGridLayout(frameBan);
    txtBanName = labelledField(ban, frameBan, "lblBanName", QStringLiteral("Name or Slotnumber:"),
                               "txtBanName");
    txtBanReason
        = labelledField(ban, frameBan, "lblBanReason", QStringLiteral("Reason:"), "txtBanReason");
    txtBanPrivateReason = labelledField(ban, frameBan, "lblBanPrivateReason",
                                        QStringLiteral("Private Reason:"), "txtBanPrivateReason");
    ban->setRowStretch(ban->rowCount(), 1);
    auto *cmdBan = button(frameBan, "cmdBan", QStringLiteral("Ban"));
    ban->addWidget(cmdBan, ban->rowCount(), 1, Qt::AlignRight);

    auto *frameGuidBan = group(f, "frameGuidBan", QStringLiteral("Ban GUID"));
    auto *guidBan = new QGridLayout(frameGuidBan);
    txtGuidBanGuid = labelledField(guidBan, frameGuidBan, "lblGuidBanGuid", QStringLiteral("GUID:"),
                                   "txtGuidBanGuid");
    txtGuidBanName
        = labelledField(guidBan, frameGuidBan, "lblGuidBanName", QStringLiteral("Playername:"),
                        "txtGuidBanName", QStringLiteral("???"));
    txtGuidBanIP = labelledField(guidBan, frameGuidBan, "lblGuidBanIP", QStringLiteral("IP:"),
                                 "txtGuidBanIP", QStringLiteral("???"));
    txtGuidBanReason = labelledField(guidBan, frameGuidBan, "lblGuidBanReason",
                                     QStringLiteral("Reason:"), "txtGuidBanReason");
    guidBan->addWidget(explanation(frameGuidBan, "lblGuidBanInfo",
                                   QStringLiteral("If you don't know the Playername and/or the "
                                                  "IP than fill in ???.")),
                       guidBan->rowCount(), 0, 1, 2);
    auto *cmdBanGuid = button(frameGuidBan, "cmdBanGuid", QStringLiteral("Ban"));
    guidBan->addWidget(cmdBanGuid, guidBan->rowCount(), 1, Qt::AlignRight);

    connect(cmdGetPBList, &QPushButton::clicked, this, &frmDialogPunkbuster::cmdGetPBList_Click);
    connect(tmrGetPlayerlist, &QTimer::timeout, this, &frmDialogPunkbuster::tmrGetPlayerlist_Timer);
    connect(lv1, &QTreeWidget::itemClicked, this, &frmDialogPunkbuster::lv1_Click);
    connect(lv1, &QTreeWidget::itemSelectionChanged, this, &frmDialogPunkbuster::lv1_Click);
    connect(cmdTakeScreenshot, &QPushButton::clicked, this,
            &frmDialogPunkbuster::cmdTakeScreenshot_Click);
    connect(cmdKick, &QPushButton::clicked, this, &frmDialogPunkbuster::cmdKick_Click);
    connect(cmdBan, &QPushButton::clicked, this, &frmDialogPunkbuster::cmdBan_Click);
    connect(cmdBanGuid, &QPushButton::clicked, this, &frmDialogPunkbuster::cmdBanGuid_Click);

    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(cmdGetPBList);
    listButtons->addWidget(pbGetPlayerlist, 1);
    listButtons->addWidget(cmdTakeScreenshot);
    auto *groups = new QHBoxLayout;
    groups->addWidget(frameKick, 1);
    groups->addWidget(frameBan, 1);
    groups->addWidget(frameGuidBan, 1);
    auto *layout = new QVBoxLayout(f);
    layout->addWidget(lv1, 1);
    layout->addLayout(listButtons);
    layout->addLayout(groups);
    return f;
}

QWidget *frmDialogPunkbuster::buildUnbanTab()
{
    auto *f = named(new QFrame, "frameUnban");

    auto *frameUnbanSlotNumber
        = group(f, "frameUnbanSlotNumber", QStringLiteral("Unban by slot number"));
    auto *bySlot = new QGridLayout(frameUnbanSlotNumber);
    QLineEdit *txtUnbanSlotNumber
        = labelledField(bySlot, frameUnbanSlotNumber, "lblUnbanSlotNumber",
                        QStringLiteral("Slotnumber:"), "txtUnbanSlotNumber");
    numbersOnly(txtUnbanSlotNumber);
    auto *cmdUnbanSlotNumber
        = button(frameUnbanSlotNumber, "cmdUnbanSlotNumber", QStringLiteral("Unban"));
    bySlot->addWidget(cmdUnbanSlotNumber, 0, 2);

    auto *frameUnbanGuid = group(f, "frameUnbanGuid", QStringLiteral("Unban by GUID"));
    auto *byGuid = new QGridLayout(frameUnbanGuid);
    QLineEdit *txtUnbanGuid = labelledField(byGuid, frameUnbanGuid, "lblUnbanGuid",
                                            QStringLiteral("GUID:"), "txtUnbanGuid");
    auto *cmdUnbanGuid = button(frameUnbanGuid, "cmdUnbanGuid", QStringLiteral("Unban"));
    byGuid->addWidget(cmdUnbanGuid, 0, 2);

    auto *frameUpdateBanFile = group(f, "frameUpdateBanFile", QStringLiteral("Ban file"));
    auto *banFile = new QHBoxLayout(frameUpdateBanFile);
    banFile->addWidget(explanation(frameUpdateBanFile, "lblUpdateBanFile",
                                   QStringLiteral("Press this button after you unbanned someone.")),
                       1);
    auto *cmdUpdateBanFile
        = button(frameUpdateBanFile, "cmdUpdateBanFile", QStringLiteral("Update ban file"));
    banFile->addWidget(cmdUpdateBanFile);

    connect(cmdUnbanSlotNumber, &QPushButton::clicked, this, [this, txtUnbanSlotNumber] {
        m_session->SendCommand(QStringLiteral("pb_sv_UnBan ") + txtUnbanSlotNumber->text());
    });
    connect(cmdUnbanGuid, &QPushButton::clicked, this, [this, txtUnbanGuid] {
        const QStringList q = quoted({txtUnbanGuid->text()});
        if (!q.isEmpty())
            m_session->SendCommand(QStringLiteral("pb_sv_UnBanGuid ") + q[0]);
    });
    connect(cmdUpdateBanFile, &QPushButton::clicked, this,
            [this] { m_session->SendCommand(QStringLiteral("pb_sv_UpdBanFile")); });

    auto *layout = new QVBoxLayout(f);
    layout->addWidget(frameUnbanSlotNumber);
    layout->addWidget(frameUnbanGuid);
    layout->addWidget(frameUpdateBanFile);
    layout->addStretch(1);
    return f;
}

QWidget *frmDialogPunkbuster::buildBadNamesTab()
{
    auto *f = named(new QFrame, "frameBadNames");

    lv2 = reportList(f, "lv2", kBadNameColumns);
    lv2->viewport()->installEventFilter(this);
    auto *cmdBadNamesList = button(f, "cmdBadNamesList", QStringLiteral("Get List"));
    pbBadNamesList = tickCounter(f, "pbBadNamesList");
    auto *cmdBadNamesRemove = button(f, "cmdBadNamesRemove", QStringLiteral("Remove"));
    tmrBadNamesList = timer(this, "tmrBadNamesList", 1000);

    auto *minimum = new QHBoxLayout;
    minimum->addWidget(
        label(f, "lblBadNamesMinimumCharacters", QStringLiteral("Minimum name characters:")));
    QLineEdit *txtBadNamesMinimumCharacters = field(f, "txtBadNamesMinimumCharacters");
    minimum->addWidget(txtBadNamesMinimumCharacters);
    auto *cmdBadNamesMinimumCharacters
        = button(f, "cmdBadNamesMinimumCharacters", QStringLiteral("Set"));
    minimum->addWidget(cmdBadNamesMinimumCharacters);
    minimum->addStretch(1);

    auto *frameBadNameAdd = group(f, "frameBadNameAdd", QStringLiteral("Add bad name"));
    auto *add = new QGridLayout(frameBadNameAdd);
    QLineEdit *txtBadNameAddName = labelledField(add, frameBadNameAdd, "lblBadNameAddName",
                                                 QStringLiteral("Name:"), "txtBadNameAddName");
    QLineEdit *txtBadNameAddTime
        = labelledField(add, frameBadNameAdd, "lblBadNameAddTime",
                        QStringLiteral("Amount of seconds to change name:"), "txtBadNameAddTime");
    numbersOnly(txtBadNameAddTime);
    auto *cmdBadNameAdd = button(frameBadNameAdd, "cmdBadNameAdd", QStringLiteral("Add"));
    add->addWidget(cmdBadNameAdd, add->rowCount(), 1, Qt::AlignRight);

    connect(cmdBadNamesList, &QPushButton::clicked, this,
            &frmDialogPunkbuster::cmdBadNamesList_Click);
    connect(tmrBadNamesList, &QTimer::timeout, this, &frmDialogPunkbuster::tmrBadNamesList_Timer);
    connect(cmdBadNamesRemove, &QPushButton::clicked, this,
            &frmDialogPunkbuster::cmdBadNamesRemove_Click);
    connect(cmdBadNamesMinimumCharacters, &QPushButton::clicked, this,
            [this, txtBadNamesMinimumCharacters] {
                m_session->SendCommand(QStringLiteral("pb_sv_MinName ")
                                       + txtBadNamesMinimumCharacters->text());
            });
    connect(cmdBadNameAdd, &QPushButton::clicked, this,
            [this, txtBadNameAddName, txtBadNameAddTime] {
                m_session->SendCommand(QStringLiteral("pb_sv_BadName ") + txtBadNameAddTime->text()
                                       + QLatin1Char(' ') + txtBadNameAddName->text());
            });

    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(cmdBadNamesList);
    listButtons->addWidget(pbBadNamesList, 1);
    listButtons->addWidget(cmdBadNamesRemove);
    auto *layout = new QVBoxLayout(f);
    layout->addWidget(lv2, 1);
    layout->addLayout(listButtons);
    layout->addLayout(minimum);
    layout->addWidget(frameBadNameAdd);
    return f;
}

QWidget *frmDialogPunkbuster::buildAdvancedTab()
{
    auto *f = named(new QFrame, "frameAdvanced");
    auto *cmdGuidRelax = button(f, "cmdGuidRelax", QStringLiteral("PB GuidRelax"));
    connect(cmdGuidRelax, &QPushButton::clicked, this,
            [this] { m_session->SendCommand(QStringLiteral("pb_sv_guidrelax 7")); });

    auto *row = new QHBoxLayout;
    row->addWidget(explanation(f, "lblGuidRelax",
                               QStringLiteral("If people get kicked from the server for unknown "
                                              "GUID. Press this button:")),
                   1);
    row->addWidget(cmdGuidRelax);
    auto *layout = new QVBoxLayout(f);
    layout->addLayout(row);
    layout->addStretch(1);
    return f;
}

bool frmDialogPunkbuster::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (lv1 && watched == lv1->viewport())
            fitColumns(lv1, kPlayerColumns);
        else if (lv2 && watched == lv2->viewport())
            fitColumns(lv2, kBadNameColumns);
    }
    return QWidget::eventFilter(watched, event);
}

QStringList frmDialogPunkbuster::quoted(std::initializer_list<QString> texts)
{
    QStringList out;
    for (const QString &text : texts) {
        if (quotedOrRefused(text, this).isEmpty())
            return {};
        out << txtQuotationMark->text() + text + txtQuotationMark->text();
    }
    return out;
}

// --- lists -----------------------------------------------------------------------------------

void frmDialogPunkbuster::cmdGetPBList_Click()
{
    // PunkBuster answers into the console, so the console is the list's only source: emptied
    // first, it holds nothing but the answer when the timer reads it.
    m_session->console()->clear();
    lv1->clear();
    m_session->SendCommand(QStringLiteral("pb_sv_plist"));
    tmrGetPlayerlist->start();
}

void frmDialogPunkbuster::tmrGetPlayerlist_Timer()
{
    if (!firstTick(pbGetPlayerlist))
        return;
    const QList<PbPlayerRow> rows = pbPlayerRows(m_session->console()->text());
    for (const PbPlayerRow &r : rows) {
        new QTreeWidgetItem(
            lv1, {r.slot, r.guid, r.address, r.status, r.power, r.authRate, r.recentSs, r.name});
    }
    tmrGetPlayerlist->stop();
    pbGetPlayerlist->setValue(0);
}

void frmDialogPunkbuster::lv1_Click()
{
    const QList<QTreeWidgetItem *> selected = lv1->selectedItems();
    if (selected.isEmpty())
        return;
    const QTreeWidgetItem *row = selected.first();
    for (QLineEdit *name : {txtKickName, txtBanName, txtGuidBanName})
        name->setText(row->text(NameColumn));
    txtGuidBanGuid->setText(row->text(GuidColumn));
    txtGuidBanIP->setText(row->text(AddressColumn));
}

void frmDialogPunkbuster::cmdBadNamesList_Click()
{
    m_session->console()->clear();
    m_session->SendCommand(QStringLiteral("pb_sv_BadNameList"));
    tmrBadNamesList->start();
    lv2->clear();
}

void frmDialogPunkbuster::tmrBadNamesList_Timer()
{
    if (!firstTick(pbBadNamesList))
        return;
    const QList<PbBadNameRow> rows = pbBadNameRows(m_session->console()->text());
    for (const PbBadNameRow &r : rows)
        new QTreeWidgetItem(lv2, {r.slot, r.seconds, r.filter});
    tmrBadNamesList->stop();
    pbBadNamesList->setValue(0);
}

void frmDialogPunkbuster::cmdBadNamesRemove_Click()
{
    m_session->SendCommand(QStringLiteral("pb_sv_BadNameDel ") + selectedText(lv2, SlotColumn));
    // PunkBuster needs a moment before its list shows the change; the window may be closed
    // meanwhile.
    const QPointer<frmDialogPunkbuster> self(this);
    Wait(1.0);
    if (self)
        cmdBadNamesList_Click();
}

// --- actions ---------------------------------------------------------------------------------

void frmDialogPunkbuster::cmdTakeScreenshot_Click()
{
    if (lv1->selectedItems().isEmpty()) {
        MsgBox(QStringLiteral("Select a player first!"), MsgIcon::Critical, kTitle, MsgButtons::Ok,
               this);
        return;
    }
    const QString slot = selectedText(lv1, SlotColumn);
    if (slot.isEmpty()) {
        MsgBox(QStringLiteral("Select a player from the list first!"), MsgIcon::Critical, kTitle,
               MsgButtons::Ok, this);
        return;
    }
    m_session->SendCommand(QStringLiteral("pb_sv_getss ") + slot);
    m_session->clearReplyBuffer();
}

void frmDialogPunkbuster::cmdKick_Click()
{
    const QStringList q
        = quoted({txtKickName->text(), txtKickReason->text(), txtKickPrivateReason->text()});
    if (q.isEmpty())
        return;
    m_session->SendCommand(QStringLiteral("pb_sv_Kick ") + q[0] + QLatin1Char(' ')
                           + txtKickTime->text() + QLatin1Char(' ') + q[1] + QStringLiteral(" | ")
                           + q[2]);
}

void frmDialogPunkbuster::cmdBan_Click()
{
    const QStringList q
        = quoted({txtBanName->text(), txtBanReason->text(), txtBanPrivateReason->text()});
    if (q.isEmpty())
        return;
    m_session->SendCommand(QStringLiteral("pb_sv_Ban ") + q[0] + QLatin1Char(' ') + q[1]
                           + QStringLiteral(" | ") + q[2]);
}

void frmDialogPunkbuster::cmdBanGuid_Click()
{
    const QStringList q
        = quoted({txtGuidBanGuid->text(), txtGuidBanName->text(), txtGuidBanReason->text()});
    if (q.isEmpty())
        return;
    m_session->SendCommand(QStringLiteral("pb_sv_BanGuid ") + q[0] + QLatin1Char(' ') + q[1]
                           + QLatin1Char(' ') + txtGuidBanIP->text() + QLatin1Char(' ') + q[2]);
}
