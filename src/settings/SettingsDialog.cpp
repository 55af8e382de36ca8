#include "settings/SettingsDialog.h"

#include "config/Language.h"
#include "platform/Controls.h"
#include "settings/SettingsTables.h"
#include "settings/WeaponTables.h"
#include "settings/WeaponTabs.h"

#include <QFrame>
#include <QLayout>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Controls;

SettingsDialog::SettingsDialog(const SettingsTable &table, RconSession *session, QWidget *parent)
    : SettingsWindow(session, table.formName, parent)
    , m_table(table)
{
    if (const WeaponTable *weapons = weaponTable(QLatin1String(m_table.gameKind)))
        m_weaponTabs = new WeaponTabs(*weapons, this);

    ts1 = named(new QTabWidget(this), "ts1");
    for (const SettingsTab &tab : m_table.tabs) {
        auto *frame = named(new QFrame, tab.frame);
        QLayout *rows = layoutRows(frame, tab.rows);
        auto *page = new QVBoxLayout(frame);
        page->addLayout(rows);
        if (QLayout *weapons = m_weaponTabs ? m_weaponTabs->layoutFor(frame) : nullptr)
            page->addLayout(weapons);
        page->addStretch(1);
        ts1->addTab(frame, QLatin1String(tab.caption));
    }
    if (m_table.connectionWatch)
        startConnectionWatch();

    finishWindow(ts1, QLatin1String(m_table.title));

    // Tab captions are no controls of their own; a language pack names them by these keys.
    for (int i = 0; i < int(m_table.tabs.size()); ++i) {
        const SettingsTab &tab = m_table.tabs[i];
        if (tab.langKey)
            ts1->setTabText(
                i, LangText(objectName(), QLatin1String(tab.langKey), QLatin1String(tab.caption)));
    }
}

SettingsWindow::RetrievalPlan SettingsDialog::retrievalPlan() const
{
    RetrievalPlan plan;
    for (const SettingQuery &q : m_table.queries) {
        Read read{QLatin1String(q.query), {QLatin1String(q.target)}};
        if (q.alsoTarget)
            read.targets << QLatin1String(q.alsoTarget);
        plan.reads << read;
    }
    // One step asks, the next reads; the step after the last read ends the retrieval.
    plan.lastStep = 2 * int(plan.reads.size()) + 1;
    return plan;
}
