#include "settings/GametypeDialog.h"

#include "config/Language.h"
#include "platform/Controls.h"
#include "rcon/RconSession.h"
#include "settings/GametypeTables.h"
#include "ui/ApplyLanguage.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Controls;

namespace {

// Grid columns of a tab: the caption, the value, its Set button; room to spare goes past them.
constexpr int kCaptionColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kSetColumn = 2;

QByteArray controlName(const char *prefix, const QByteArray &stem)
{
    return QByteArray(prefix) + stem;
}

// An empty grid still counts one row.
int nextLine(const QGridLayout *grid)
{
    return grid->count() == 0 ? 0 : grid->rowCount();
}

} // namespace

GametypeDialog::GametypeDialog(const GametypeTable &table, RconSession *session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_table(table)
    , m_session(session)
{
    setObjectName(QLatin1String(table.formName));

    lblWindowTitle = label(this, "lblWindowTitle");
    QFont titleFont = lblWindowTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblWindowTitle->setFont(titleFont);

    ts1 = named(new QTabWidget(this), "ts1");
    // Every gametype's tab in sight, UO's ten included: the window grows to hold them.
    ts1->setUsesScrollButtons(false);
    ts1->addTab(buildGametypeTab(), QStringLiteral("Gametype"));
    for (const GametypeTab &tab : m_table.tabs)
        ts1->addTab(buildTab(tab), QLatin1String(tab.caption));

    tabsWithOk(this, ts1, lblWindowTitle)->setDefault(true);

    ApplyLanguage(this);

    // Set after the language pack, so that a pack never blanks it.
    const QString title = QLatin1String(m_table.titlePrefix)
                          + LangText(QStringLiteral("General"), QStringLiteral("Gametype"),
                                     QStringLiteral("Gametype"));
    lblWindowTitle->setText(title);
    setWindowTitle(title);
}

QWidget *GametypeDialog::buildGametypeTab()
{
    auto *frame = named(new QFrame, "frameGametype");
    auto *column = new QVBoxLayout;
    for (const GametypeButton &b : m_table.buttons) {
        QPushButton *choose = button(frame, b.name, QLatin1String(b.caption));
        choose->setToolTip(QStringLiteral("g_gametype ") + QLatin1String(b.code));
        connect(choose, &QPushButton::clicked, this, [this, &b] { gametype_Click(b); });
        column->addWidget(choose);
    }
    column->addStretch(1);
    auto *layout = new QHBoxLayout(frame);
    layout->addLayout(column);
    layout->addStretch(1);
    return frame;
}

QWidget *GametypeDialog::buildTab(const GametypeTab &tab)
{
    const QByteArray tabStem(tab.caption);
    auto *frame = named(new QFrame, controlName("frame", tabStem).constData());
    auto *grid = new QGridLayout;
    grid->setColumnStretch(kSetColumn + 1, 1);

    if (tab.commonCode) {
        for (std::size_t i = 0; i < m_table.commonFields.size(); ++i) {
            const CommonField &f = m_table.commonFields[i];
            addEntry(frame, grid, tabStem + f.stem, QLatin1String(f.label),
                     commonFieldPrefix(tab.commonCode, f), QLatin1String(tab.commonDefaults[i]));
        }
    }
    for (const GametypeRow &row : tab.rows) {
        if (row.kind == GametypeRowKind::Entry)
            addEntry(frame, grid, tabStem + row.stem, QLatin1String(row.label),
                     QLatin1String(row.prefix), QLatin1String(row.defaultText));
        else
            addTick(frame, grid, tabStem + row.stem, QLatin1String(row.label),
                    QLatin1String(row.prefix));
    }

    auto *page = new QVBoxLayout(frame);
    page->addLayout(grid);
    page->addStretch(1);
    return frame;
}

void GametypeDialog::addEntry(QWidget *frame, QGridLayout *grid, const QByteArray &stem,
                              const QString &caption, const QString &prefix,
                              const QString &defaultText)
{
    const int line = nextLine(grid);
    QLineEdit *text = field(frame, controlName("txt", stem).constData(), defaultText);
    text->setMaximumWidth(text->fontMetrics().averageCharWidth() * 12);
    QPushButton *set
        = button(frame, controlName("cmdSet", stem).constData(), QStringLiteral("Set"));
    set->setToolTip(prefix.trimmed());
    connect(set, &QPushButton::clicked, this,
            [this, prefix, text] { cmdSetEntry_Click(prefix, text); });
    grid->addWidget(label(frame, controlName("lbl", stem).constData(), caption), line,
                    kCaptionColumn);
    grid->addWidget(text, line, kValueColumn);
    grid->addWidget(set, line, kSetColumn);
}

void GametypeDialog::addTick(QWidget *frame, QGridLayout *grid, const QByteArray &stem,
                             const QString &caption, const QString &prefix)
{
    const int line = nextLine(grid);
    QCheckBox *box = checkBox(frame, controlName("ck", stem).constData(), caption);
    QPushButton *set
        = button(frame, controlName("cmdSet", stem).constData(), QStringLiteral("Set"));
    set->setToolTip(prefix.trimmed());
    connect(set, &QPushButton::clicked, this,
            [this, prefix, box] { cmdSetTick_Click(prefix, box); });
    grid->addWidget(box, line, kCaptionColumn, 1, kSetColumn - kCaptionColumn);
    grid->addWidget(set, line, kSetColumn);
}

// --- sending -----------------------------------------------------------------------------------

void GametypeDialog::gametype_Click(const GametypeButton &button)
{
    // Only the gametype changes; it takes effect with the next map or map restart, which stays
    // the administrator's call.
    m_session->AnnounceChange(QStringLiteral("g_gametype ") + QLatin1String(button.code),
                              QLatin1String(button.announcement));
}

void GametypeDialog::cmdSetEntry_Click(const QString &prefix, const QLineEdit *text)
{
    // Sent as typed: the server judges the value, and "2.5" stays "2.5".
    m_session->SendCommand(prefix + text->text());
}

void GametypeDialog::cmdSetTick_Click(const QString &prefix, const QCheckBox *box)
{
    m_session->SendCommand(prefix + (box->isChecked() ? QLatin1Char('1') : QLatin1Char('0')));
}
