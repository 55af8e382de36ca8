#include "admin/frmDialogWarCenter.h"

#include "admin/WarCenterSetups.h"
#include "config/AppInfo.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "rcon/RconSession.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Controls;

namespace {

// The panels' own labels are named after what they caption: "lbl" + "SD" + "Map".
QLabel *panelLabel(QWidget *parent, const QString &name, const QString &caption)
{
    return label(parent, ("lbl" + name.toLatin1()).constData(), caption);
}

} // namespace

frmDialogWarCenter::frmDialogWarCenter(RconSession *session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(QStringLiteral("frmDialogWarCenter"));
    setWindowTitle(QStringLiteral("War Configuration"));
    setAttribute(Qt::WA_DeleteOnClose);

    ts1 = named(new QTabWidget(this), "ts1");
    const std::span<const WarPanel> tables = warPanels();
    for (std::size_t i = 0; i < m_panels.size() && i < tables.size(); ++i)
        ts1->addTab(buildPanel(m_panels[i], tables[i]), QLatin1String(tables[i].tabCaption));

    auto *cmdCancel = button(this, "cmdCancel", QStringLiteral("Close"));
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ts1, 1);
    layout->addLayout(bottom);
}

QWidget *frmDialogWarCenter::buildPanel(Panel &panel, const WarPanel &table)
{
    panel.table = &table;
    auto *frame = named(new QFrame, table.frame);

    auto *fields = new QGridLayout;
    int row = 0;
    for (const WarField &f : table.fields) {
        QLineEdit *edit = field(frame, f.name, QLatin1String(f.initial));
        panel.fields.append(edit);
        // txtSDPassword is captioned by lblSDPassword.
        const QString captionName = QString::fromLatin1(f.name).mid(3);
        fields->addWidget(panelLabel(frame, captionName, QLatin1String(f.caption)), row, 0);
        fields->addWidget(edit, row++, 1, 1, 2);
    }
    panel.map = comboBox(frame, table.mapBox);
    panel.map->setMinimumContentsLength(16);
    for (const char *map : warMaps())
        panel.map->addItem(QLatin1String(map));
    panel.map->setCurrentIndex(-1);
    auto *getMaps = button(frame, table.getMapsButton, QStringLiteral("Get maps!"));
    connect(getMaps, &QPushButton::clicked, this, [this, &panel] { cmdGetMaps_Click(panel); });
    fields->addWidget(panelLabel(frame, QLatin1String(table.prefix) + QStringLiteral("Map"),
                                 QStringLiteral("1st map:")),
                      row, 0);
    fields->addWidget(panel.map, row, 1);
    fields->addWidget(getMaps, row++, 2);
    fields->setRowStretch(row, 1);
    fields->setColumnStretch(1, 1);

    auto *options = new QVBoxLayout;
    for (const WarCheckBox &b : table.checkBoxes) {
        QCheckBox *box = checkBox(frame, b.name, QLatin1String(b.caption));
        panel.checkBoxes.append(box);
        options->addWidget(box);
    }
    options->addStretch(1);

    auto *fixed = new QVBoxLayout;
    for (const WarFixedSetting &s : warFixedSettings())
        fixed->addWidget(panelLabel(frame, QLatin1String(table.prefix) + QLatin1String(s.name),
                                    QLatin1String(s.caption)));
    fixed->addStretch(1);

    panel.progress = named(new QProgressBar(frame), table.progressBar);
    panel.progress->setRange(0, int(table.steps.size()));
    panel.progress->setValue(0);
    panel.progress->setTextVisible(false);
    panel.set = button(frame, table.setButton, QLatin1String(table.setCaption));
    connect(panel.set, &QPushButton::clicked, this, [this, &panel] { cmdSet_Click(panel); });

    panel.timer = timer(this, table.timer, kWarStepMs);
    connect(panel.timer, &QTimer::timeout, this, [this, &panel] { tmrSet_Timer(panel); });

    auto *columns = new QHBoxLayout;
    columns->addLayout(fields, 3);
    columns->addSpacing(12);
    columns->addLayout(options, 2);
    columns->addSpacing(12);
    columns->addLayout(fixed, 2);
    auto *run = new QHBoxLayout;
    run->addWidget(panel.progress, 1);
    run->addWidget(panel.set);
    auto *layout = new QVBoxLayout(frame);
    layout->addLayout(columns, 1);
    layout->addLayout(run);
    return frame;
}

void frmDialogWarCenter::cmdGetMaps_Click(Panel &panel)
{
    for (const char *map : warMaps())
        panel.map->addItem(QLatin1String(map));
}

bool frmDialogWarCenter::validate(Panel &panel)
{
    const char *missing = nullptr;
    if (panel.map->currentIndex() < 0) {
        missing = "Select a map!";
    } else {
        for (qsizetype i = 0; i < panel.fields.size() && !missing; ++i) {
            if (panel.fields[i]->text().isEmpty())
                missing = panel.table->fields[i].missing;
        }
    }
    if (!missing)
        return true;
    MsgBox(QLatin1String(missing), MsgIcon::Critical, windowTitle(), MsgButtons::Ok, this);
    panel.timer->stop();
    panel.progress->setValue(0);
    return false;
}

void frmDialogWarCenter::cmdSet_Click(Panel &panel)
{
    if (panel.timer->isActive() || !validate(panel))
        return;
    panel.progress->setValue(0);
    panel.set->setEnabled(false);
    panel.timer->start();
}

QString frmDialogWarCenter::valueOf(const Panel &panel, WarValue value) const
{
    const WarPanel &table = *panel.table;
    if (value == WarValue::Announcement)
        return AppInfo::shortName() + QLatin1Char(' ') + AppInfo::version()
               + QStringLiteral(" ^4||^7 Setting up War Configuration for ")
               + QLatin1String(table.matchName);
    if (value == WarValue::Map)
        return panel.map->currentText();
    for (qsizetype i = 0; i < panel.fields.size(); ++i) {
        if (table.fields[i].value == value)
            return panel.fields[i]->text();
    }
    for (qsizetype i = 0; i < panel.checkBoxes.size(); ++i) {
        if (table.checkBoxes[i].value == value)
            return panel.checkBoxes[i]->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    }
    return QString();
}

void frmDialogWarCenter::tmrSet_Timer(Panel &panel)
{
    const std::span<const WarStep> steps = panel.table->steps;
    const int step = panel.progress->value() + 1;
    QString command;
    if (step >= 1 && std::size_t(step) <= steps.size()) {
        panel.progress->setValue(step);
        command = warCommand(steps[step - 1], m_session->gameKind() == QLatin1String("cod2"),
                             [this, &panel](WarValue v) { return valueOf(panel, v); });
    }
    if (step < 1 || std::size_t(step) >= steps.size()) {
        panel.timer->stop();
        panel.progress->setValue(0);
        panel.set->setEnabled(true);
    }
    if (command.isEmpty())
        return;
    // Sent once the tick is over: a timer does not fire again while its own tick waits on a
    // "not connected" box, and the set-up must go on at its pace, each send showing its box.
    QMetaObject::invokeMethod(
        this, [this, command] { m_session->SendCommand(command); }, Qt::QueuedConnection);
}
