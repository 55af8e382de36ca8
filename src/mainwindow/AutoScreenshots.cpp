#include "mainwindow/AutoScreenshots.h"

#include "config/Language.h"
#include "config/Numbers.h"
#include "mainwindow/frmMain.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "rcon/RconSession.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using namespace Controls;

namespace {
// The progress bar counts whole seconds; a week is far beyond any sensible period.
constexpr double kLongestPeriod = 7 * 24 * 60 * 60;
} // namespace

AutoScreenshots::AutoScreenshots(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("autoScreenshots"));
    QGroupBox *frame
        = group(main->centralWidget(), "frameAutoPBSS", QStringLiteral("Auto-PB screenshots"));
    main->frameAutoPBSS = frame;
    QLabel *every = label(frame, "lblAutoPBSSSec", QStringLiteral("Every"));
    main->txtAutoPBSSSec = field(frame, "txtAutoPBSSSec", QStringLiteral("60"));
    main->txtAutoPBSSSec->setMaxLength(6);
    main->txtAutoPBSSSec->setFixedWidth(
        main->txtAutoPBSSSec->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    QLabel *seconds = label(frame, "lblAutoPBSSSeconds", QStringLiteral("seconds"));
    main->cmdAutoPBSSStart = button(frame, "cmdAutoPBSSStart", QStringLiteral("Start"));
    main->cmdAutoPBSSStop = button(frame, "cmdAutoPBSSStop", QStringLiteral("Stop"));
    main->pbAutoPBSS = named(new QProgressBar(frame), "pbAutoPBSS");
    main->pbAutoPBSS->setRange(0, 60); // the period in the box
    main->pbAutoPBSS->setValue(0);
    main->pbAutoPBSS->setFormat(QStringLiteral("%v / %m s"));
    QLabel *sent = label(frame, "lblAutoPBSSSent", QStringLiteral("Requests sent:"));
    main->lblAutoPBSSCounter = label(frame, "lblAutoPBSSCounter", QStringLiteral("0"));
    main->tmrAutoPBSS = timer(main, "tmrAutoPBSS", 1000);

    auto *row = new QHBoxLayout(frame);
    row->addWidget(every);
    row->addWidget(main->txtAutoPBSSSec);
    row->addWidget(seconds);
    row->addWidget(main->cmdAutoPBSSStart);
    row->addWidget(main->cmdAutoPBSSStop);
    row->addWidget(main->pbAutoPBSS, 1);
    row->addWidget(sent);
    row->addWidget(main->lblAutoPBSSCounter);

    connect(main->cmdAutoPBSSStart, &QPushButton::clicked, this,
            &AutoScreenshots::cmdAutoPBSSStart_Click);
    connect(main->cmdAutoPBSSStop, &QPushButton::clicked, this,
            &AutoScreenshots::cmdAutoPBSSStop_Click);
    connect(main->tmrAutoPBSS, &QTimer::timeout, this, &AutoScreenshots::tmrAutoPBSS_Timer);
}

bool AutoScreenshots::isRunning() const
{
    return m_main->tmrAutoPBSS->isActive();
}

void AutoScreenshots::cmdAutoPBSSStart_Click()
{
    if (isRunning())
        return;
    const double period = leadingNumber(m_main->txtAutoPBSSSec->text());
    if (period < kShortestPeriod) {
        MsgBox(LangText(QStringLiteral("frmMain"), QStringLiteral("AutoPBSSRefreshRate"),
                        QStringLiteral("The refresh rate must be 30 or higher!")),
               MsgIcon::Critical, QStringLiteral("Auto-PB screenshots"), MsgButtons::Ok, m_main);
        return;
    }
    // Whole seconds: the count of ticks has to meet the period exactly.
    m_main->txtAutoPBSSSec->setEnabled(false);
    m_main->pbAutoPBSS->setMaximum(int(std::min(period, kLongestPeriod)));
    m_main->tmrAutoPBSS->start();
}

void AutoScreenshots::cmdAutoPBSSStop_Click()
{
    m_main->txtAutoPBSSSec->setEnabled(true);
    m_main->tmrAutoPBSS->stop();
    m_main->pbAutoPBSS->setValue(0);
}

void AutoScreenshots::tmrAutoPBSS_Timer()
{
    QProgressBar *progress = m_main->pbAutoPBSS;
    progress->setValue(progress->value() + 1);
    if (progress->value() < progress->maximum())
        return;
    // Not connected, this meets the not-connected box, every period, as the administrator asked;
    // the count and the bar move on once the box is answered.
    const QPointer<AutoScreenshots> alive(this);
    m_main->session()->SendCommand(QStringLiteral("pb_sv_getss"));
    if (!alive)
        return;
    QLabel *counter = m_main->lblAutoPBSSCounter;
    counter->setText(QString::number(qint64(leadingNumber(counter->text())) + 1));
    progress->setValue(0);
}
