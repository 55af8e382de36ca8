#include "settings/SettingsWindow.h"

#include "config/Numbers.h"
#include "platform/ConsoleText.h"
#include "platform/Controls.h"
#include "platform/UdpLink.h"
#include "rcon/Quoting.h"
#include "rcon/RconSession.h"
#include "rcon/Transport.h"
#include "ui/ApplyLanguage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

using namespace Controls;

namespace {

// Grid columns of a row: its caption, then up to four buttons, or a field (two columns wide)
// with its Set button and, where there is one, its Remove button.
constexpr int kCaptionColumn = 0;
constexpr int kFirstButtonColumn = 1;
constexpr int kSetColumn = 3;
constexpr int kRemoveColumn = 4;
constexpr int kColumns = 5;

QByteArray controlName(const char *prefix, const char *stem, const char *suffix = "")
{
    return QByteArray(prefix) + stem + suffix;
}

void setBold(QWidget *control, bool bold)
{
    QFont font = control->font();
    font.setBold(bold);
    control->setFont(font);
}

} // namespace

SettingsWindow::SettingsWindow(RconSession *session, const char *formName, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    setObjectName(QLatin1String(formName));

    lblWindowTitle = label(this, "lblWindowTitle");
    QFont titleFont = lblWindowTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblWindowTitle->setFont(titleFont);

    cmdGetServerInfo
        = button(this, "cmdGetServerInfo", QStringLiteral("Retrieve info from the server"));
    pbGetServerInfo = named(new QProgressBar(this), "pbGetServerInfo");
    pbGetServerInfo->setRange(0, 1);
    pbGetServerInfo->setValue(0);
    pbGetServerInfo->setTextVisible(false);
    pbGetServerInfo->hide();
    lblGetServerInfo = label(this, "lblGetServerInfo", QStringLiteral("Retrieving"));
    lblGetServerInfo->hide();
    cmdOK = button(this, "cmdOK", QStringLiteral("OK"));
    cmdOK->setDefault(true);
    tmrGetServerInfo = timer(this, "tmrGetServerInfo", 300);

    connect(cmdGetServerInfo, &QPushButton::clicked, this, &SettingsWindow::cmdGetServerInfo_Click);
    connect(tmrGetServerInfo, &QTimer::timeout, this, &SettingsWindow::tmrGetServerInfo_Timer);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::hide);
}

void SettingsWindow::finishWindow(QWidget *body, const QString &title)
{
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(cmdGetServerInfo);
    bottom->addWidget(lblGetServerInfo);
    bottom->addWidget(pbGetServerInfo, 1);
    bottom->addStretch(1);
    bottom->addWidget(cmdOK);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(lblWindowTitle);
    outer->addWidget(body, 1);
    outer->addLayout(bottom);

    ApplyLanguage(this);

    // Set after the language pack, so that a pack never blanks them.
    lblWindowTitle->setText(title);
    setWindowTitle(title);
    // A pack has no word for a slider's position.
    for (const auto &[slider, position] : std::as_const(m_sliderPositions))
        position->setNum(slider->value());
}

void SettingsWindow::startConnectionWatch()
{
    tmrCheckIfConnected = timer(this, "tmrCheckIfConnected", 200);
    connect(tmrCheckIfConnected, &QTimer::timeout, this,
            &SettingsWindow::tmrCheckIfConnected_Timer);
    watchConnection(cmdGetServerInfo);
    tmrCheckIfConnected->start();
}

void SettingsWindow::watchConnection(QWidget *control)
{
    m_watched.append(control);
    if (tmrCheckIfConnected)
        tmrCheckIfConnected_Timer();
}

bool SettingsWindow::isCoD2OrCoD4() const
{
    const QString kind = m_session->gameKind();
    return kind == QLatin1String("cod2") || kind == QLatin1String("cod4");
}

QString SettingsWindow::quoteMark() const
{
    return QStringLiteral("\"");
}

// --- building ----------------------------------------------------------------------------------

QLayout *SettingsWindow::layoutRows(QWidget *frame, std::span<const SettingRow> rows)
{
    auto *outer = new QVBoxLayout;
    QWidget *owner = frame;
    // Room to spare goes past the last column: buttons keep their size, captions stay beside them.
    auto *grid = new QGridLayout;
    grid->setColumnStretch(kColumns, 1);
    outer->addLayout(grid);
    int line = 0;
    for (const SettingRow &row : rows) {
        switch (row.kind) {
        case RowKind::Heading: {
            QGroupBox *box = group(frame, row.name, QLatin1String(row.label));
            outer->addWidget(box);
            owner = box;
            grid = new QGridLayout(box);
            grid->setColumnStretch(kColumns, 1);
            line = 0;
            break;
        }
        case RowKind::Note: {
            QLabel *text = label(owner, row.name, QLatin1String(row.label));
            text->setWordWrap(true);
            grid->addWidget(text, line++, kCaptionColumn, 1, kColumns);
            break;
        }
        case RowKind::Buttons:
            addGroupRow(owner, grid, line++, row);
            break;
        case RowKind::Field:
        case RowKind::Slider:
            addValueRow(owner, grid, line++, row);
            break;
        case RowKind::Remove: {
            // It belongs to the field above it and sits on that field's row.
            QPushButton *remove = button(owner, row.name, QLatin1String(row.label));
            connect(remove, &QPushButton::clicked, this, [this, &row] { cmdRemove_Click(row); });
            grid->addWidget(remove, qMax(0, line - 1), kRemoveColumn);
            break;
        }
        }
    }
    return outer;
}

void SettingsWindow::addGroupRow(QWidget *owner, QGridLayout *grid, int line, const SettingRow &row)
{
    const QString stem = QLatin1String(row.name);
    if (*row.label)
        grid->addWidget(label(owner, controlName("lbl", row.name), QLatin1String(row.label)), line,
                        kCaptionColumn);
    Group g{&row, {}};
    const std::span<const Choice> choices = row.choices->choices;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        QPushButton *b = button(owner, controlName("cmd", row.name, choices[i].suffix),
                                QLatin1String(choices[i].caption));
        // What the button sends, for the administrator who knows the server's variables.
        b->setToolTip(QLatin1String(row.command) + QLatin1Char(' ')
                      + QString::number(choices[i].value));
        connect(b, &QPushButton::clicked, this, [this, stem, i] { choice_Click(stem, int(i)); });
        grid->addWidget(b, line, kFirstButtonColumn + int(i));
        g.buttons.append(b);
    }
    m_groups.insert(stem, g);
}

void SettingsWindow::addValueRow(QWidget *owner, QGridLayout *grid, int line, const SettingRow &row)
{
    const char *base = row.name + 3; // without its txt or slr
    grid->addWidget(label(owner, controlName("lbl", base), QLatin1String(row.label)), line,
                    kCaptionColumn);
    const int valueColumns = kSetColumn - kFirstButtonColumn;
    if (row.kind == RowKind::Field) {
        QLineEdit *f = field(owner, row.name, QLatin1String(row.defaultText));
        f->setMinimumWidth(f->fontMetrics().averageCharWidth() * 22);
        f->setCursorPosition(0);
        grid->addWidget(f, line, kFirstButtonColumn, 1, valueColumns);
        m_fields.insert(QLatin1String(row.name), f);
    } else {
        auto *s = named(new QSlider(Qt::Horizontal, owner), row.name);
        s->setRange(0, 9);
        s->setPageStep(1);
        s->setTickPosition(QSlider::TicksBelow);
        QLabel *position = label(owner, controlName("lbl", base, "Value"), QStringLiteral("0"));
        position->setMinimumWidth(position->fontMetrics().horizontalAdvance(QLatin1Char('9')));
        connect(s, &QSlider::valueChanged, position, qOverload<int>(&QLabel::setNum));
        auto *pair = new QHBoxLayout;
        pair->addWidget(s, 1);
        pair->addWidget(position);
        grid->addLayout(pair, line, kFirstButtonColumn, 1, valueColumns);
        m_sliders.insert(QLatin1String(row.name), s);
        m_sliderPositions.append({s, position});
    }
    if (row.command) {
        QPushButton *set = button(owner, controlName("cmdSet", base), QStringLiteral("Set"));
        connect(set, &QPushButton::clicked, this, [this, &row] { cmdSet_Click(row); });
        grid->addWidget(set, line, kSetColumn);
    }
}

// --- sending -----------------------------------------------------------------------------------

void SettingsWindow::choice_Click(const QString &stem, int index)
{
    const Group group = m_groups.value(stem);
    const SettingRow &row = *group.row;
    const QString command = QLatin1String(row.command) + QLatin1Char(' ')
                            + QString::number(row.choices->choices[index].value);
    const QPointer<SettingsWindow> self(this);
    if (row.click == Click::Announce)
        m_session->AnnounceChange(command, QLatin1String(row.announcements[index]));
    else
        m_session->SendCommand(command);
    // The announcement's pause runs every event, so the window may be gone by now.
    if (!self || row.click == Click::SendOnly)
        return;
    markGroup(group, index);
}

QString SettingsWindow::quoted(const QString &text)
{
    if (quotedOrRefused(text, this, QuotedText::Other).isEmpty())
        return QString();
    return quoteMark() + text + quoteMark();
}

QString SettingsWindow::fieldCommand(const SettingRow &row)
{
    const char *prefix = row.commandCoD2CoD4 && isCoD2OrCoD4() ? row.commandCoD2CoD4 : row.command;
    QString value;
    if (row.kind == RowKind::Slider) {
        value = QString::number(m_sliders.value(QLatin1String(row.name))->value());
    } else {
        value = m_fields.value(QLatin1String(row.name))->text();
        if (row.quoted) {
            value = quoted(value);
            if (value.isEmpty())
                return QString();
        }
    }
    return QLatin1String(prefix) + value;
}

void SettingsWindow::cmdSet_Click(const SettingRow &row)
{
    const QString command = fieldCommand(row);
    if (!command.isEmpty())
        m_session->SendCommand(command);
}

void SettingsWindow::cmdRemove_Click(const SettingRow &row)
{
    m_session->SendCommand(QLatin1String(row.command) + quoteMark() + quoteMark());
}

void SettingsWindow::markGroup(const Group &group, int index)
{
    for (int i = 0; i < group.buttons.size(); ++i)
        setBold(group.buttons[i], i == index);
}

// --- connection watch --------------------------------------------------------------------------

void SettingsWindow::tmrCheckIfConnected_Timer()
{
    const int state = m_session->link()->state();
    if (state != UdpLink::Open && state > 0)
        return;
    for (const QPointer<QWidget> &control : std::as_const(m_watched)) {
        if (control)
            control->setEnabled(state == UdpLink::Open);
    }
}

// --- retrieval ---------------------------------------------------------------------------------

void SettingsWindow::cmdGetServerInfo_Click()
{
    const RetrievalPlan plan = retrievalPlan();
    m_reads = plan.reads;
    m_lastStep = plan.lastStep;
    m_endsWithLastRead = plan.endsWithLastRead;
    m_step = 0;
    pbGetServerInfo->setRange(0, m_lastStep);
    pbGetServerInfo->setValue(0);
    pbGetServerInfo->show();
    lblGetServerInfo->show();
    cmdGetServerInfo->hide();
    cmdOK->hide();
    tmrGetServerInfo->start();
}

void SettingsWindow::tmrGetServerInfo_Timer()
{
    const int step = ++m_step;
    pbGetServerInfo->setValue(step);
    if (step >= m_lastStep) {
        endRetrieval();
        return;
    }
    if (step % 2 == 1) {
        const int i = (step - 1) / 2;
        if (i >= m_reads.size())
            return;
        // Without a link each query shows the not-connected box, as every send does, and the
        // steps go on behind the boxes.
        m_session->sendForReply(m_reads[i].query);
        return;
    }
    const int i = step / 2 - 1;
    if (i >= m_reads.size())
        return;
    // A value is the text between the third and the fourth double quote. A reply with fewer
    // quotes is not a variable's (none came, or another one did): the controls keep theirs.
    const QString reply = m_session->replyText();
    if (reply.count(QLatin1Char('"')) >= 3) {
        const QString value = cvarValue(reply);
        for (const QString &target : std::as_const(m_reads[i].targets))
            fill(target, value);
    }
    if (m_endsWithLastRead && i == m_reads.size() - 1) {
        m_step = m_lastStep;
        pbGetServerInfo->setValue(m_lastStep);
        endRetrieval();
    }
}

void SettingsWindow::endRetrieval()
{
    tmrGetServerInfo->stop();
    m_step = 0;
    pbGetServerInfo->setValue(0);
    pbGetServerInfo->hide();
    cmdGetServerInfo->show();
    // The console is full of the queries and their answers; it starts again from the status.
    m_session->console()->clear();
    m_session->SendCommand(QStringLiteral("status"));
    cmdOK->show();
    lblGetServerInfo->hide();
}

void SettingsWindow::fill(const QString &target, const QString &value)
{
    if (QLineEdit *f = m_fields.value(target)) {
        f->setText(value);
        f->setCursorPosition(0);
        return;
    }
    const double number = leadingNumber(value);
    if (QSlider *s = m_sliders.value(target)) {
        s->setValue(int(qBound(double(s->minimum()), number, double(s->maximum()))));
        return;
    }
    const auto group = m_groups.constFind(target);
    if (group == m_groups.constEnd())
        return;
    const ChoiceSet &set = *group->row->choices;
    int index = -1;
    int zero = -1;
    for (std::size_t i = 0; i < set.choices.size(); ++i) {
        if (set.choices[i].value == number)
            index = int(i);
        if (set.choices[i].value == 0)
            zero = int(i);
    }
    if (index < 0 && set.unmatched == Unmatched::MarksZero)
        index = zero;
    if (index >= 0)
        markGroup(*group, index);
}
