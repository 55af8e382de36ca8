#include "settings/WeaponTabs.h"

#include "platform/Controls.h"
#include "platform/Ini.h"
#include "rcon/RconSession.h"
#include "settings/SettingsWindow.h"
#include "settings/WeaponTables.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Controls;

namespace {

// Past this many switches they continue in a further column, so the longest lists (31 weapons
// in UO and CoD4) stay on a screen beside the sets.
constexpr int kSwitchesPerColumn = 16;
// Grid columns of one switch: its caption and its two buttons, then a gap.
constexpr int kSwitchColumns = 4;

QByteArray nameOf(const char *prefix, const char *stem, const char *suffix = "")
{
    return QByteArray(prefix) + stem + suffix;
}

} // namespace

WeaponTabs::WeaponTabs(const WeaponTable &table, SettingsWindow *dialog)
    : QObject(dialog)
    , m_table(table)
    , m_dialog(dialog)
{
    setObjectName(QStringLiteral("weaponTabs"));
}

QLayout *WeaponTabs::layoutFor(QWidget *frame)
{
    const QString name = frame->objectName();
    const bool vehicles = name == QLatin1String("frameVehicles");
    if (vehicles ? m_table.vehicles.empty() : name != QLatin1String("frameWeapons"))
        return nullptr;
    // The trailing stretch keeps the switches at their own width: a grid alone spread them
    // over the whole tab.
    auto *row = new QHBoxLayout;
    row->addLayout(layoutSwitches(frame, vehicles ? m_table.vehicles : m_table.weapons));
    if (!vehicles && !m_table.typeSets.empty()) {
        row->addSpacing(12);
        row->addWidget(buildSets(frame), 0, Qt::AlignTop);
    }
    row->addStretch(1);
    return row;
}

// --- per-weapon switches -----------------------------------------------------------------------

QLayout *WeaponTabs::layoutSwitches(QWidget *frame, std::span<const WeaponSwitch> switches)
{
    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    const int count = int(switches.size());
    const int columns = (count + kSwitchesPerColumn - 1) / kSwitchesPerColumn;
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const WeaponSwitch &w = switches[i];
        const int line = i % rows;
        const int column = (i / rows) * kSwitchColumns;
        grid->addWidget(label(frame, nameOf("lblWeapon_", w.weapon), QLatin1String(w.caption)),
                        line, column);
        const QString variable = QLatin1String(m_table.prefix) + QLatin1String(w.weapon);
        QPushButton *enable
            = button(frame, nameOf("cmdEnable_", w.weapon), QLatin1String(w.enableCaption));
        QPushButton *disable
            = button(frame, nameOf("cmdDisable_", w.weapon), QLatin1String(w.disableCaption));
        enable->setToolTip(variable + QStringLiteral(" 1"));
        disable->setToolTip(variable + QStringLiteral(" 0"));
        connect(enable, &QPushButton::clicked, this, [this, &w] { weapon_Click(w, true); });
        connect(disable, &QPushButton::clicked, this, [this, &w] { weapon_Click(w, false); });
        grid->addWidget(enable, line, column + 1);
        grid->addWidget(disable, line, column + 2);
        if (column > 0)
            grid->setColumnMinimumWidth(column - 1, 16);
    }
    grid->setRowStretch(rows, 1);
    return grid;
}

void WeaponTabs::weapon_Click(const WeaponSwitch &weapon, bool allow)
{
    // Sent alone and unmarked: nothing reads these variables back, so a mark could only guess.
    m_dialog->session()->SendCommand(QLatin1String(m_table.prefix) + QLatin1String(weapon.weapon)
                                     + (allow ? QStringLiteral(" 1") : QStringLiteral(" 0")));
}

// --- weapon sets -------------------------------------------------------------------------------

QProgressBar *WeaponTabs::progressBar(QWidget *owner, const QByteArray &name)
{
    auto *bar = named(new QProgressBar(owner), name.constData());
    bar->setRange(0, 1);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setMaximumHeight(bar->fontMetrics().height());
    return bar;
}

QPushButton *WeaponTabs::addSet(QWidget *owner, const QByteArray &name, const QString &caption,
                                QProgressBar *bar, const QStringList &commands, int ms)
{
    Set set;
    set.button = button(owner, ("cmd" + name).constData(), caption);
    set.timer = timer(this, ("tmr" + name).constData(), ms);
    set.bar = bar;
    set.commands = commands;
    set.button->setToolTip(commands.join(QLatin1Char('\n')));
    const int index = int(m_sets.size());
    connect(set.button, &QPushButton::clicked, this, [this, index] { cmdSet_Click(index); });
    connect(set.timer, &QTimer::timeout, this, [this, index] { tmrSet_Timer(index); });
    m_sets.append(set);
    return set.button;
}

QWidget *WeaponTabs::buildSets(QWidget *frame)
{
    // One widget under the connection watch: without a link every set button goes grey, and a
    // button a running set disabled stays disabled when the link comes back.
    auto *sets = named(new QWidget(frame), "frameWeaponSets");
    m_dialog->watchConnection(sets);

    QGroupBox *types = group(sets, "frameWeaponType", QStringLiteral("Weapon types"));
    auto *typeGrid = new QGridLayout(types);
    QProgressBar *typeBar = progressBar(types, "pbWeaponType");
    const int typeSets = int(m_table.typeSets.size());
    const int typeRows = (typeSets + 1) / 2;
    for (int i = 0; i < typeSets; ++i) {
        const TypeSet &s = m_table.typeSets[i];
        typeGrid->addWidget(addSet(types, s.name, QLatin1String(s.caption), typeBar,
                                   typeSetCommands(m_table, s), m_table.typeSetMs),
                            i % typeRows, i / typeRows);
    }
    typeGrid->addWidget(typeBar, typeRows, 0, 1, 2);

    const auto groupBox = [&](const char *name, const QString &title,
                              std::span<const WeaponGroup> groups, const char *onSuffix,
                              const char *offSuffix, const QString &onCaption,
                              const QString &offCaption) {
        QGroupBox *box = group(sets, name, title);
        auto *grid = new QGridLayout(box);
        for (int i = 0; i < int(groups.size()); ++i) {
            const WeaponGroup &g = groups[i];
            QProgressBar *bar = progressBar(box, nameOf("pb", g.name));
            grid->addWidget(label(box, nameOf("lbl", g.name), QLatin1String(g.caption)), i, 0);
            grid->addWidget(addSet(box, nameOf("", g.name, onSuffix), onCaption, bar,
                                   groupSetCommands(m_table, g, true), kGroupSetMs),
                            i, 1);
            grid->addWidget(addSet(box, nameOf("", g.name, offSuffix), offCaption, bar,
                                   groupSetCommands(m_table, g, false), kGroupSetMs),
                            i, 2);
            grid->addWidget(bar, i, 3);
        }
        grid->setColumnStretch(3, 1);
        return box;
    };
    QGroupBox *classes
        = groupBox("frameWeaponClasses", QStringLiteral("Weapon classes"), m_table.classes, "ON",
                   "OFF", QStringLiteral("On"), QStringLiteral("Off"));
    QGroupBox *nations
        = groupBox("frameNations", QStringLiteral("Nations"), m_table.nations, "EnableAll",
                   "DisableAll", QStringLiteral("Enable ALL"), QStringLiteral("Disable ALL"));

    auto *column = new QVBoxLayout(sets);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(types);
    column->addWidget(classes);
    column->addWidget(nations);
    column->addStretch(1);
    return sets;
}

void WeaponTabs::enableSetsOfBar(const QProgressBar *bar, bool enabled)
{
    for (const Set &s : std::as_const(m_sets)) {
        if (s.bar == bar)
            s.button->setEnabled(enabled);
    }
}

void WeaponTabs::cmdSet_Click(int index)
{
    Set &set = m_sets[index];
    for (const Set &s : std::as_const(m_sets)) {
        if (s.bar == set.bar && s.timer->isActive())
            return; // this set or its rival is still on its way
    }
    set.step = 0;
    set.bar->setRange(0, int(set.commands.size()));
    set.bar->setValue(0);
    enableSetsOfBar(set.bar, false);
    set.timer->start();
}

void WeaponTabs::tmrSet_Timer(int index)
{
    Set &set = m_sets[index];
    RconSession *session = m_dialog->session();
    // Without a link each tick's send shows its own box, so a set shows one box per command.
    // [Settings] StopWeaponSetsWhenNotConnected=1 in Preferences.ini stops it at the first box.
    if (!session->isConnected()
        && ReadPref(QStringLiteral("Settings"), QStringLiteral("StopWeaponSetsWhenNotConnected"))
               == QLatin1String("1")) {
        // Stopped before the box shows, or every tick behind the box would stack another on it.
        const QString next = set.commands.value(set.step);
        endSet(set);
        session->SendCommand(next);
        return;
    }
    const int step = ++set.step;
    set.bar->setValue(step);
    if (step >= 1 && step <= set.commands.size())
        session->SendCommand(set.commands[step - 1]);
    if (step >= set.commands.size())
        endSet(set);
}

void WeaponTabs::endSet(Set &set)
{
    set.timer->stop();
    set.step = 0;
    set.bar->setValue(0);
    enableSetsOfBar(set.bar, true);
}
