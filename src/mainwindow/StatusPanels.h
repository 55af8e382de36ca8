#pragma once

#include <QIcon>
#include <QStatusBar>
#include <QVector>

class QLabel;

// The main window's status bar: five panels, each with a text, an icon and a tag. Panels are
// numbered from 1 as the rest of the program names them.
class StatusPanels : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusPanels(QWidget *parent = nullptr);

    static constexpr int kPanels = 5;

    QString text(int panel) const;
    void setText(int panel, const QString &text);
    void setIcon(int panel, const QIcon &icon);
    QString iconName(int panel) const; // what the icon shows, for tests and tools
    void setIcon(int panel, const QIcon &icon, const QString &name);
    QString tag(int panel) const;
    void setTag(int panel, const QString &tag);
    QString panelToolTip(int panel) const;
    void setPanelToolTip(int panel, const QString &toolTip);

private:
    struct Panel
    {
        QWidget *box = nullptr;
        QLabel *icon = nullptr;
        QLabel *text = nullptr;
        QString iconName;
        QString tag;
    };
    Panel *panel(int n);
    const Panel *panel(int n) const;
    QVector<Panel> m_panels;
};
