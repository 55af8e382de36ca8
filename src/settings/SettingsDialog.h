#pragma once

#include "settings/SettingsWindow.h"

struct SettingsTable;
class QTabWidget;
class WeaponTabs;

// One game's settings dialog: its tabs of setting groups and fields, and the retrieval of their
// current values. The four games share this window; their table decides the rest.
class SettingsDialog : public SettingsWindow
{
    Q_OBJECT
public:
    SettingsDialog(const SettingsTable &table, RconSession *session, QWidget *parent = nullptr);

    const SettingsTable &table() const { return m_table; }

    RetrievalPlan retrievalPlan() const override;

private:
    const SettingsTable &m_table;
    QTabWidget *ts1 = nullptr;
    WeaponTabs *m_weaponTabs = nullptr; // the Weapons tab, and UO's Vehicles tab
};
