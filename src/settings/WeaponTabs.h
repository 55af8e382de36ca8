#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <span>

struct WeaponSwitch;
struct WeaponTable;
class QLayout;
class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;
class SettingsWindow;

// The Weapons and Vehicles tabs of a settings dialog: a pair of buttons per weapon that allow or
// forbid it at once, and the weapon sets, which send a list of such commands one per tick of
// their own timer and show how far they are on a progress bar.
//
// Sets that share a bar contradict each other (all weapons or none, a class on or off), so only
// one of them runs at a time: while it runs, the buttons of every set on its bar are disabled,
// and the server gets one coherent set rather than two interleaved ones. Sets on different bars
// run side by side.
class WeaponTabs : public QObject
{
    Q_OBJECT
public:
    WeaponTabs(const WeaponTable &table, SettingsWindow *dialog);

    // The contents of the dialog's frame "frameWeapons" or "frameVehicles", made inside it; null
    // for any other frame, or a Vehicles tab of a game without vehicles.
    QLayout *layoutFor(QWidget *frame);

private:
    struct Set
    {
        QPushButton *button = nullptr;
        QTimer *timer = nullptr;
        QProgressBar *bar = nullptr;
        QStringList commands;
        int step = 0;
    };

    QLayout *layoutSwitches(QWidget *frame, std::span<const WeaponSwitch> switches);
    QWidget *buildSets(QWidget *frame);
    QProgressBar *progressBar(QWidget *owner, const QByteArray &name);
    QPushButton *addSet(QWidget *owner, const QByteArray &name, const QString &caption,
                        QProgressBar *bar, const QStringList &commands, int ms);

    void weapon_Click(const WeaponSwitch &weapon, bool allow);
    void cmdSet_Click(int index);
    void tmrSet_Timer(int index);
    void endSet(Set &set);
    void enableSetsOfBar(const QProgressBar *bar, bool enabled);

    const WeaponTable &m_table;
    SettingsWindow *m_dialog;
    QList<Set> m_sets;
};
