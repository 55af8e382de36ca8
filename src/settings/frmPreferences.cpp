#include "settings/frmPreferences.h"

#include "config/ChatColours.h"
#include "config/Language.h"
#include "config/Numbers.h"
#include "config/Profiles.h"
#include "platform/Controls.h"
#include "platform/Ini.h"
#include "rcon/RconSession.h"
#include "settings/GameClients.h"
#include "settings/PreferencesTables.h"
#include "ui/ApplyLanguage.h"

#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Controls;

namespace {
const char *const kPageNames[] = {"General", "Server", "Console", "Messages", "Game Directory's"};

QString on(bool checked)
{
    return checked ? QStringLiteral("1") : QStringLiteral("0");
}

const PrefCheck &checkRow(const char *name)
{
    for (const PrefCheck &row : kPrefChecks) {
        if (qstrcmp(row.name, name) == 0)
            return row;
    }
    Q_UNREACHABLE();
}

QWidget *page(QWidget *parent, const char *name)
{
    auto *w = named(new QWidget(parent), name);
    return w;
}

// txtFTPIP -> lblFTPIPCaption: the caption beside a field or label.
QByteArray captionName(const char *control)
{
    return "lbl" + QByteArray(control).mid(3) + "Caption";
}

QByteArray valueLabelName(const char *slider)
{
    // sldPingMeter -> lblPingMeterValue
    return QByteArray("lbl") + QByteArray(slider).mid(3) + "Value";
}
} // namespace

frmPreferences::frmPreferences(RconSession *session, QWidget *main)
    : QWidget(main, Qt::Window)
    , m_session(session)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    setAttribute(Qt::WA_QuitOnClose, false);

    buildControls();
    ApplyLanguage(this);
    fillLanguages();
    load();
    // A pack has no word for a slider's position.
    for (const PrefTimed &row : kPrefTimed)
        findChild<QLabel *>(QLatin1String(valueLabelName(row.slider)))
            ->setNum(m_sliders.value(QLatin1String(row.slider))->value());
    showPage(General);
    tmrGameDir_Timer();
    tmrConsoleFunctions_Timer();
    tmrGameDir->start();
    tmrConsoleFunctions->start();

    // [Settings] PreferencesFollowProfile in \Preferences.ini, off unless "1". The Server page is
    // read when the window is made, and Apply writes it into whichever profile is current by then,
    // so after a change of profile the former profile's ping and FTP values go into the new one.
    // With the key set, a change of profile brings the new profile's values onto the page.
    connect(session, &RconSession::profileChanged, this, [this] {
        if (ReadPref(QStringLiteral("Settings"), QStringLiteral("PreferencesFollowProfile"))
            == QLatin1String("1"))
            loadProfile();
    });
}

void frmPreferences::buildControls()
{
    lstMenu = listBox(this, "lstMenu");
    for (const char *entry : kPageNames)
        lstMenu->addItem(QLatin1String(entry));
    lstMenu->setFixedWidth(150);
    lblPrefTitle = label(this, "lblPrefTitle");
    QFont titleFont = lblPrefTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    lblPrefTitle->setFont(titleFont);

    pages = named(new QStackedWidget(this), "pages");
    frameGeneral = buildGeneral();
    frameServer = buildServer();
    frameConsole = buildConsole();
    frameMessages = buildMessages();
    frameGameDirectorys = buildGameDirectorys();
    frameRestoreProfiles = buildRestoreProfiles();
    for (QWidget *w : {frameGeneral, frameServer, frameConsole, frameMessages, frameGameDirectorys,
                       frameRestoreProfiles})
        pages->addWidget(w);

    lblChangeOption = label(
        this, "lblChangeOption",
        QStringLiteral("Changing some of the options may require restarting the application."));
    lblChangeOption->setWordWrap(true);
    cmdOK = button(this, "cmdOK", QStringLiteral("OK"));
    cmdApply = button(this, "cmdApply", QStringLiteral("Apply"));
    cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdOK->setDefault(true);
    tmrGameDir = timer(this, "tmrGameDir", 100);
    tmrConsoleFunctions = timer(this, "tmrConsoleFunctions", 300);
    connect(tmrGameDir, &QTimer::timeout, this, &frmPreferences::tmrGameDir_Timer);
    connect(tmrConsoleFunctions, &QTimer::timeout, this,
            &frmPreferences::tmrConsoleFunctions_Timer);

    auto *right = new QVBoxLayout;
    right->addWidget(lblPrefTitle);
    right->addWidget(pages, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(lstMenu);
    top->addLayout(right, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblChangeOption, 1);
    bottom->addWidget(cmdOK);
    bottom->addWidget(cmdApply);
    bottom->addWidget(cmdCancel);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addLayout(bottom);
    resize(640, 440);

    connect(lstMenu, &QListWidget::currentRowChanged, this, &frmPreferences::lstMenu_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmPreferences::apply);
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        apply();
        hide();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::hide);
}

QWidget *frmPreferences::buildGeneral()
{
    QWidget *w = page(this, "frameGeneral");
    auto *layout = new QVBoxLayout(w);
    for (const PrefCheck &row : kPrefChecks) {
        if (row.page != PrefPage::General || qstrcmp(row.name, "ckCheckForUpdate") == 0)
            continue;
        m_checks.insert(QLatin1String(row.name), checkBox(w, row.name, QLatin1String(row.caption)));
        layout->addWidget(m_checks.value(QLatin1String(row.name)));
    }
    frameVantorStartup = group(w, "frameVantorStartup", QStringLiteral("Vantor start-up"));
    const PrefCheck &update = checkRow("ckCheckForUpdate");
    m_checks.insert(QLatin1String(update.name),
                    checkBox(frameVantorStartup, update.name, QLatin1String(update.caption)));
    (new QVBoxLayout(frameVantorStartup))->addWidget(m_checks.value(QLatin1String(update.name)));
    layout->addWidget(frameVantorStartup);

    frameLanguage = group(w, "frameLanguage", QStringLiteral("Language"));
    cmbLanguage = comboBox(frameLanguage, "cmbLanguage");
    (new QVBoxLayout(frameLanguage))->addWidget(cmbLanguage);
    layout->addWidget(frameLanguage);

    cmdDefWinSize = button(w, "cmdDefWinSize", QStringLiteral("Main window size"));
    cmdRestoreProfiles
        = button(w, "cmdRestoreProfiles", QStringLiteral("Restore profiles of an older Vantor..."));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefWinSize);
    buttons->addWidget(cmdRestoreProfiles);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(cmdDefWinSize, &QPushButton::clicked, this, &frmPreferences::cmdDefWinSize_Click);
    connect(cmdRestoreProfiles, &QPushButton::clicked, this, [this] {
        // No entry stays chosen, so that a click on any of them leaves the panel.
        lstMenu->setCurrentRow(-1);
        lblPrefTitle->setText(cmdRestoreProfiles->text().remove(QStringLiteral("...")));
        pages->setCurrentWidget(frameRestoreProfiles);
    });
    return w;
}

QWidget *frmPreferences::addTimed(QWidget *parent, const PrefTimed &row)
{
    auto *line = new QWidget(parent);
    auto *layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    QCheckBox *check = checkBox(line, row.check, QLatin1String(row.caption));
    auto *slider = named(new QSlider(Qt::Horizontal, line), row.slider);
    slider->setRange(row.minimum, row.maximum);
    slider->setValue(row.initial);
    QLabel *value = label(line, valueLabelName(row.slider).constData());
    value->setNum(row.initial);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    layout->addWidget(check);
    layout->addWidget(slider, 1);
    layout->addWidget(value);
    m_checks.insert(QLatin1String(row.check), check);
    m_sliders.insert(QLatin1String(row.slider), slider);
    connect(slider, &QSlider::valueChanged, value, qOverload<int>(&QLabel::setNum));
    return line;
}

QWidget *frmPreferences::buildServer()
{
    QWidget *w = page(this, "frameServer");
    auto *layout = new QVBoxLayout(w);
    framePingMeter = group(w, "framePingMeter", QStringLiteral("Ping meter"));
    auto *pingLayout = new QVBoxLayout(framePingMeter);
    for (const PrefTimed &row : kPrefTimed) {
        if (row.page == PrefPage::Server)
            pingLayout->addWidget(addTimed(framePingMeter, row));
    }
    layout->addWidget(framePingMeter);

    frameFTP = group(w, "frameFTP", QStringLiteral("Gameserver FTP Information"));
    auto *form = new QFormLayout(frameFTP);
    for (const PrefFtpField &row : kPrefFtpFields) {
        QLabel *caption
            = label(frameFTP, captionName(row.name).constData(), QLatin1String(row.caption));
        if (qstrcmp(row.name, "lblFTPLogsDirectory") == 0) {
            lblFTPLogsDirectory = label(frameFTP, row.name);
            cmdFTPSetDir = button(frameFTP, "cmdFTPSetDir", QStringLiteral("..."));
            auto *dirLine = new QHBoxLayout;
            dirLine->addWidget(lblFTPLogsDirectory, 1);
            dirLine->addWidget(cmdFTPSetDir);
            form->addRow(caption, dirLine);
            continue;
        }
        QLineEdit *f = field(frameFTP, row.name);
        m_ftpFields.insert(QLatin1String(row.name), f);
        form->addRow(caption, f);
    }
    m_ftpFields.value(QStringLiteral("txtFTPPassword"))->setEchoMode(QLineEdit::Password);
    cmdFTPTestConnection = button(frameFTP, "cmdFTPTestConnection", QStringLiteral("Test Server"));
    lblFTPStatus = label(frameFTP, "lblFTPStatus");
    lblFTPStatus->setWordWrap(true);
    auto *testLine = new QHBoxLayout;
    testLine->addWidget(cmdFTPTestConnection);
    testLine->addWidget(lblFTPStatus, 1);
    form->addRow(testLine);
    layout->addWidget(frameFTP);
    layout->addStretch(1);

    connect(cmdFTPSetDir, &QPushButton::clicked, this, &frmPreferences::cmdFTPSetDir_Click);
    connect(cmdFTPTestConnection, &QPushButton::clicked, this,
            &frmPreferences::cmdFTPTestConnection_Click);
    return w;
}

QWidget *frmPreferences::buildConsole()
{
    QWidget *w = page(this, "frameConsole");
    auto *layout = new QVBoxLayout(w);
    for (const PrefCheck &row : kPrefChecks) {
        if (row.page != PrefPage::Console)
            continue;
        m_checks.insert(QLatin1String(row.name), checkBox(w, row.name, QLatin1String(row.caption)));
        layout->addWidget(m_checks.value(QLatin1String(row.name)));
    }
    for (const PrefTimed &row : kPrefTimed) {
        if (row.page == PrefPage::Console)
            layout->addWidget(addTimed(w, row));
    }
    layout->addStretch(1);
    return w;
}

QWidget *frmPreferences::buildMessages()
{
    QWidget *w = page(this, "frameMessages");
    auto *layout = new QVBoxLayout(w);
    for (const PrefCheck &row : kPrefChecks) {
        if (row.page != PrefPage::Messages)
            continue;
        m_checks.insert(QLatin1String(row.name), checkBox(w, row.name, QLatin1String(row.caption)));
        layout->addWidget(m_checks.value(QLatin1String(row.name)));
    }
    frameMessagesPMColor = group(w, "frameMessagesPMColor", QStringLiteral("Text color:"));
    auto *colours = new QHBoxLayout(frameMessagesPMColor);
    const QList<QColor> codeColours = chatCodeColours();
    for (int n = 0; n < codeColours.size(); ++n) {
        const QByteArray name = "cmdMessagesPMColor" + QByteArray::number(n);
        QPushButton *b = button(frameMessagesPMColor, name.constData(), QString::number(n));
        QPixmap swatch(14, 14);
        swatch.fill(codeColours[n]);
        b->setIcon(QIcon(swatch));
        b->setMaximumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("0")) + 44);
        const QColor c = codeColours[n];
        const QString number = QString::number(c.red() + c.green() * 0x100 + c.blue() * 0x10000);
        connect(b, &QPushButton::clicked, this,
                [this, number] { setPrivateMessageColour(number); });
        colours->addWidget(b);
    }
    lblMessagesCurColor
        = label(frameMessagesPMColor, "lblMessagesCurColor", QStringLiteral("Current color:"));
    lblMessagesCurColor->setAutoFillBackground(true);
    lblMessagesCurColor->setAlignment(Qt::AlignCenter);
    lblMessagesCurColor->setMinimumWidth(110);
    colours->addWidget(lblMessagesCurColor, 1);
    layout->addWidget(frameMessagesPMColor);
    layout->addStretch(1);
    return w;
}

QWidget *frmPreferences::buildGameDirectorys()
{
    QWidget *w = page(this, "frameGameDirectorys");
    auto *layout = new QVBoxLayout(w);
    auto *grid = new QGridLayout;
    int line = 0;
    for (const PrefGameDirectory &row : kPrefGameDirectories) {
        grid->addWidget(
            label(w, captionName(row.directoryLabel).constData(), QLatin1String(row.caption)), line,
            0, 1, 4);
        QLabel *dir = label(w, row.directoryLabel);
        dir->setFrameShape(QFrame::StyledPanel);
        dir->setMinimumWidth(240);
        m_directories.insert(QLatin1String(row.gameKind), dir);
        QPushButton *set = button(w, row.setButton, QStringLiteral("Set Directory"));
        QPushButton *reset = button(w, row.resetButton, QStringLiteral("Reset"));
        QPushButton *test = button(w, row.testButton, QStringLiteral("Test"));
        grid->addWidget(dir, line + 1, 0);
        grid->addWidget(set, line + 1, 1);
        grid->addWidget(reset, line + 1, 2);
        grid->addWidget(test, line + 1, 3);
        line += 2;
        connect(set, &QPushButton::clicked, this, [this, &row] { cmdSetDir_Click(row); });
        connect(reset, &QPushButton::clicked, this, [this, &row] { cmdResetDir_Click(row); });
        connect(test, &QPushButton::clicked, this, [this, &row] { cmdTestDir_Click(row); });
    }
    grid->setColumnStretch(0, 1);
    layout->addLayout(grid);
    for (const PrefCheck &row : kPrefChecks) {
        if (row.page != PrefPage::GameDirectories)
            continue;
        m_checks.insert(QLatin1String(row.name), checkBox(w, row.name, QLatin1String(row.caption)));
        layout->addWidget(m_checks.value(QLatin1String(row.name)));
    }
    layout->addStretch(1);
    return w;
}

QWidget *frmPreferences::buildRestoreProfiles()
{
    QWidget *w = page(this, "frameRestoreProfiles");
    auto *layout = new QVBoxLayout(w);
    auto *dirLine = new QHBoxLayout;
    dirLine->addWidget(label(w, "lblProDirCaption", QStringLiteral("Old Vantor directory:")));
    lblProDir = label(w, "lblProDir");
    lblProDir->setFrameShape(QFrame::StyledPanel);
    dirLine->addWidget(lblProDir, 1);
    cmdSetProDir = button(w, "cmdSetProDir", QStringLiteral("Set Directory"));
    dirLine->addWidget(cmdSetProDir);
    layout->addLayout(dirLine);
    cmdOldProfs = button(w, "cmdOldProfs", QStringLiteral("Get Profilelist"));
    lstOldProfs = listBox(w, "lstOldProfs");
    cmdCopyProfs = button(w, "cmdCopyProfs", QStringLiteral("Start Restore"));
    QLabel *warning = label(w, "lblRestoreWarning",
                            QStringLiteral("WARNING! if profiles in the old directory have the "
                                           "same name as profiles in the new Vantor, they will "
                                           "overwrite the new profiles!"));
    warning->setWordWrap(true);
    layout->addWidget(cmdOldProfs, 0, Qt::AlignLeft);
    layout->addWidget(lstOldProfs, 1);
    layout->addWidget(warning);
    layout->addWidget(cmdCopyProfs, 0, Qt::AlignLeft);

    connect(cmdSetProDir, &QPushButton::clicked, this, &frmPreferences::cmdSetProDir_Click);
    connect(cmdOldProfs, &QPushButton::clicked, this, &frmPreferences::cmdOldProfs_Click);
    connect(cmdCopyProfs, &QPushButton::clicked, this, &frmPreferences::cmdCopyProfs_Click);
    return w;
}

// --- pages ---------------------------------------------------------------------------------------

void frmPreferences::showPage(int index)
{
    if (index < 0 || index >= lstMenu->count())
        return;
    lstMenu->setCurrentRow(index);
    lstMenu_Click(index);
}

int frmPreferences::currentPage() const
{
    return pages->currentIndex();
}

void frmPreferences::lstMenu_Click(int row)
{
    if (row < 0 || row >= lstMenu->count())
        return;
    lblPrefTitle->setText(lstMenu->item(row)->text());
    pages->setCurrentIndex(row);
}

// --- loading -------------------------------------------------------------------------------------

void frmPreferences::fillLanguages()
{
    const LanguageList languages = buildLanguageList();
    m_loading = true;
    cmbLanguage->clear();
    cmbLanguage->addItems(languages.entries);
    frameLanguage->setTitle(frameLanguage->title() + languages.frameSuffix);
    m_loading = false;
    connect(cmbLanguage, &QComboBox::currentIndexChanged, this,
            &frmPreferences::cmbLanguage_Change);
}

namespace {
// A check box takes the number read: 1 checks it, anything else clears it.
void loadCheck(QCheckBox *check, const QString &text)
{
    check->setChecked(leadingNumber(text) == 1);
}

// A slider takes the number read; nothing read keeps its value. A period longer than the slider
// reaches widens it rather than being cut, so Apply writes back what was there.
void loadSlider(QSlider *slider, const QString &text)
{
    if (text.trimmed().isEmpty())
        return;
    const int value = int(qBound(-1e9, leadingNumber(text), 1e9));
    if (value > slider->maximum())
        slider->setMaximum(value);
    slider->setValue(value);
}
} // namespace

void frmPreferences::load()
{
    m_loading = true;
    for (const PrefCheck &row : kPrefChecks)
        loadCheck(m_checks.value(QLatin1String(row.name)),
                  ReadPref(QLatin1String(row.section), QLatin1String(row.key)));
    for (const PrefTimed &row : kPrefTimed) {
        if (row.perProfile)
            continue;
        const QString section = QLatin1String(row.section);
        loadCheck(m_checks.value(QLatin1String(row.check)),
                  ReadPref(section, QLatin1String(row.onKey)));
        loadSlider(m_sliders.value(QLatin1String(row.slider)),
                   ReadPref(section, QLatin1String(row.secondsKey)));
    }
    for (const PrefGameDirectory &row : kPrefGameDirectories) {
        if (const GameClient *client = gameClient(QLatin1String(row.gameKind)))
            m_directories.value(QLatin1String(row.gameKind))->setText(gameDirectory(*client));
    }
    setPrivateMessageColour(
        ReadPref(QStringLiteral("Messages"), QStringLiteral("PrivateMessageColor")));
    m_loading = false;
    loadProfile();
}

void frmPreferences::loadProfile()
{
    const QString profile = m_session->profile();
    const bool have = !profile.isEmpty();
    lblFTPStatus->clear();

    // Without a profile the page shows the values a new profile starts with.
    for (const PrefTimed &row : kPrefTimed) {
        if (!row.perProfile)
            continue;
        QCheckBox *check = m_checks.value(QLatin1String(row.check));
        QSlider *slider = m_sliders.value(QLatin1String(row.slider));
        check->setChecked(false);
        slider->setRange(row.minimum, row.maximum);
        slider->setValue(row.initial);
        if (!have)
            continue;
        const QString file = Profiles::preferencesFile(profile);
        const QString section = QLatin1String(row.section);
        loadCheck(check, ReadIni(file, section, QLatin1String(row.onKey)));
        loadSlider(slider, ReadIni(file, section, QLatin1String(row.secondsKey)));
    }
    const QString file = Profiles::preferencesFile(profile);
    const QString ftp = QStringLiteral("FTP Settings");
    for (const PrefFtpField &row : kPrefFtpFields) {
        const QString value = have ? ReadIni(file, ftp, QLatin1String(row.key)) : QString();
        if (QLineEdit *f = m_ftpFields.value(QLatin1String(row.name)))
            f->setText(value);
        else
            lblFTPLogsDirectory->setText(value);
    }
}

// --- Apply ---------------------------------------------------------------------------------------

void frmPreferences::apply()
{
    const auto writeCheck = [this](const char *name) {
        const PrefCheck &row = checkRow(name);
        WritePref(QLatin1String(row.section), QLatin1String(row.key),
                  on(m_checks.value(QLatin1String(name))->isChecked()));
    };

    if (!cmbLanguage->currentText().isEmpty())
        WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), cmbLanguage->currentText());
    for (const char *name : {"ckConnectOnSelect", "ckMainCloseButton", "ckServProWin",
                             "ckCheckForUpdate", "ckCloseOnStart", "ckNameShowJoin"})
        writeCheck(name);

    // The meter follows the dialog's values at once, whether or not a profile keeps them.
    emit pingMeterApplied(m_checks.value(QStringLiteral("ckPingMeter"))->isChecked(),
                          m_sliders.value(QStringLiteral("sldPingMeter"))->value());

    const QString profile = m_session->profile();
    if (!profile.isEmpty()) {
        const QString file = Profiles::preferencesFile(profile);
        QDir().mkpath(Profiles::folder(profile));
        Profiles::restrictToOwner(file); // it holds the FTP password
        for (const PrefTimed &row : kPrefTimed) {
            if (!row.perProfile)
                continue;
            const QString section = QLatin1String(row.section);
            WriteIni(file, section, QLatin1String(row.onKey),
                     on(m_checks.value(QLatin1String(row.check))->isChecked()));
            WriteIni(file, section, QLatin1String(row.secondsKey),
                     QString::number(m_sliders.value(QLatin1String(row.slider))->value()));
        }
        for (const PrefFtpField &row : kPrefFtpFields) {
            const QLineEdit *f = m_ftpFields.value(QLatin1String(row.name));
            WriteIni(file, QStringLiteral("FTP Settings"), QLatin1String(row.key),
                     f ? f->text() : lblFTPLogsDirectory->text());
        }
    }

    for (const char *name :
         {"ckIngameMess", "ckIngameMessOnChange", "ckIngameMessOnSend", "ckIngameMessOnAuto"})
        writeCheck(name);
    WritePref(QStringLiteral("Messages"), QStringLiteral("PrivateMessageColor"), m_pmColour);

    for (const PrefGameDirectory &row : kPrefGameDirectories) {
        if (const GameClient *client = gameClient(QLatin1String(row.gameKind)))
            WritePref(QStringLiteral("Directory"), QLatin1String(client->directoryKey),
                      m_directories.value(QLatin1String(row.gameKind))->text());
    }

    writeCheck("ckConsoleHideColorNames");
    for (const PrefTimed &row : kPrefTimed) {
        if (row.perProfile)
            continue;
        const QString section = QLatin1String(row.section);
        WritePref(section, QLatin1String(row.onKey),
                  on(m_checks.value(QLatin1String(row.check))->isChecked()));
        WritePref(section, QLatin1String(row.secondsKey),
                  QString::number(m_sliders.value(QLatin1String(row.slider))->value()));
    }
    // Not connected, the timers wait for the connection, which arms them from these keys.
    if (m_session->isConnected())
        emit consoleTimersApplied();
}

void frmPreferences::setFtpLogsDirectory(const QString &directory)
{
    lblFTPLogsDirectory->setText(directory);
}

QString frmPreferences::ftpFieldText(const QString &field) const
{
    const QLineEdit *f = m_ftpFields.value(field);
    return f ? f->text() : QString();
}
