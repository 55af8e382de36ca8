#include "mainwindow/StatusPanels.h"

#include <QHBoxLayout>
#include <QLabel>

StatusPanels::StatusPanels(QWidget *parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("sb1"));
    setSizeGripEnabled(true);
    m_panels.resize(kPanels);
    // Stretch factors: the details panel takes the spare room.
    const int stretch[kPanels] = {2, 4, 1, 1, 1};
    for (int i = 0; i < kPanels; ++i) {
        auto *box = new QWidget(this);
        m_panels[i].box = box;
        auto *layout = new QHBoxLayout(box);
        layout->setContentsMargins(2, 0, 2, 0);
        layout->setSpacing(3);
        m_panels[i].icon = new QLabel(box);
        m_panels[i].icon->setObjectName(QStringLiteral("sb1Icon%1").arg(i + 1));
        m_panels[i].icon->setFixedSize(16, 16);
        m_panels[i].icon->hide();
        m_panels[i].text = new QLabel(box);
        // Panel texts carry server replies (the join password among them): never markup.
        m_panels[i].text->setTextFormat(Qt::PlainText);
        m_panels[i].text->setObjectName(QStringLiteral("sb1Panel%1").arg(i + 1));
        layout->addWidget(m_panels[i].icon);
        layout->addWidget(m_panels[i].text, 1);
        addPermanentWidget(box, stretch[i]);
    }
}

StatusPanels::Panel *StatusPanels::panel(int n)
{
    return (n >= 1 && n <= kPanels) ? &m_panels[n - 1] : nullptr;
}

const StatusPanels::Panel *StatusPanels::panel(int n) const
{
    return (n >= 1 && n <= kPanels) ? &m_panels[n - 1] : nullptr;
}

QString StatusPanels::text(int n) const
{
    const Panel *p = panel(n);
    return p ? p->text->text() : QString();
}

void StatusPanels::setText(int n, const QString &text)
{
    if (Panel *p = panel(n))
        p->text->setText(text);
}

void StatusPanels::setIcon(int n, const QIcon &icon)
{
    setIcon(n, icon, QString());
}

void StatusPanels::setIcon(int n, const QIcon &icon, const QString &name)
{
    Panel *p = panel(n);
    if (!p)
        return;
    p->iconName = name;
    p->icon->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(16, 16));
    p->icon->setVisible(!icon.isNull());
}

QString StatusPanels::iconName(int n) const
{
    const Panel *p = panel(n);
    return p ? p->iconName : QString();
}

QString StatusPanels::tag(int n) const
{
    const Panel *p = panel(n);
    return p ? p->tag : QString();
}

void StatusPanels::setTag(int n, const QString &tag)
{
    if (Panel *p = panel(n))
        p->tag = tag;
}

QString StatusPanels::panelToolTip(int n) const
{
    const Panel *p = panel(n);
    return p ? p->box->toolTip() : QString();
}

void StatusPanels::setPanelToolTip(int n, const QString &toolTip)
{
    if (Panel *p = panel(n))
        p->box->setToolTip(toolTip);
}
