#include "mainwindow/StatusPanels.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace {

// After a failed connection the state and details panels hold long texts; at full length they
// pushed the panels to their right (ping, keys, profile) past the edge of a narrow window. The
// details panel gives way instead, ends in an ellipsis and shows its whole text as a tip.
class ElidingLabel : public QLabel
{
public:
    using QLabel::QLabel;

    // A join password may hold line breaks and other control characters: the panel stays one
    // line high and shows them as blanks, where the lines once stood over each other and pushed
    // the status bar up.
    QSize sizeHint() const override { return oneLineHigh(QLabel::sizeHint()); }

    QSize minimumSizeHint() const override
    {
        QSize size = oneLineHigh(QLabel::minimumSizeHint());
        size.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("M...")));
        return size;
    }

    bool elided() const
    {
        return fontMetrics().horizontalAdvance(shown()) > contentsRect().width();
    }

    // The tip takes markup on its own guess; the text (a join password, say) is shown as it is.
    void refreshToolTip()
    {
        setToolTip(elided() ? QStringLiteral("<p style='white-space:pre'>") + text().toHtmlEscaped()
                                  + QStringLiteral("</p>")
                            : QString());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect room = contentsRect();
        const QString line = fontMetrics().elidedText(shown(), Qt::ElideRight, room.width());
        style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), line,
                              foregroundRole());
    }

    void resizeEvent(QResizeEvent *event) override
    {
        QLabel::resizeEvent(event);
        refreshToolTip();
    }

private:
    QString shown() const
    {
        QString line = text();
        for (QChar &c : line) {
            if (c.category() == QChar::Other_Control) // line ends, and the painter's other breaks
                c = QLatin1Char(' ');
        }
        return line;
    }

    QSize oneLineHigh(QSize size) const
    {
        const QMargins m = contentsMargins();
        size.setHeight(fontMetrics().height() + m.top() + m.bottom() + 2 * margin());
        return size;
    }
};

// The details panel (the second) is the one that gives way.
constexpr int kGivesWay = 1;

} // namespace

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
        m_panels[i].text = i == kGivesWay ? new ElidingLabel(box) : new QLabel(box);
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
    Panel *p = panel(n);
    if (!p)
        return;
    p->text->setText(text);
    if (n - 1 == kGivesWay)
        static_cast<ElidingLabel *>(p->text)->refreshToolTip();
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
