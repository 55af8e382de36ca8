#include "profiles/frmProfiles.h"

#include "config/Numbers.h"
#include "config/Profiles.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "rcon/RconSession.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

using namespace Controls;

namespace {
QPointer<frmProfiles> g_manager;

enum Tab { TabProfiles = 0, TabAdd = 1, TabEdit = 2 };

// Profile names become file, folder and section names on every system the program runs on.
bool isNameCharacter(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
           || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('.')
           || c == QLatin1Char(' ');
}

// What a key press may type into the name box: name characters, Backspace and the control
// character 16. Tab and Delete carry a character on some systems but type nothing: they move the
// focus on and delete as in any box. Every other character a key carries, the control characters
// of Ctrl+C, Ctrl+V and the like included, is swallowed.
bool mayTypeIntoName(const QString &typed)
{
    for (const QChar c : typed) {
        const bool editing = c == QLatin1Char('\b') || c == QChar(16) || c == QLatin1Char('\t')
                             || c == QChar(0x7F);
        if (!isNameCharacter(c) && !editing)
            return false;
    }
    return true;
}

const QRegularExpression &nameCharacters()
{
    static const QRegularExpression re(QStringLiteral("[0-9A-Za-z. ]*"));
    return re;
}

void addRow(QGridLayout *grid, QWidget *parent, const char *labelName, const QString &caption,
            QWidget *field)
{
    const int row = grid->rowCount();
    grid->addWidget(label(parent, labelName, caption), row, 0);
    grid->addWidget(field, row, 1);
}
// The Add and Edit pages hold the same five boxes, named after their page
// ("txtAddPName" ... "txtEditName") with a label each.
QGridLayout *profileForm(QWidget *page, const char *stem, std::array<QLineEdit **, 5> boxes)
{
    static const char *const keys[5] = {"PName", "IP", "Port", "Rcon", "Name"};
    static const char *const captions[5]
        = {"Profile name:", "Server IP:", "Port:", "Rconpassword:", "Your name:"};
    auto *grid = new QGridLayout(page);
    for (int i = 0; i < 5; ++i) {
        const QByteArray key = QByteArray(stem) + keys[i];
        *boxes[i] = field(page, QByteArray("txt" + key).constData());
        addRow(grid, page, QByteArray("lbl" + key).constData(), QLatin1String(captions[i]),
               *boxes[i]);
    }
    (*boxes[3])->setEchoMode(QLineEdit::Password);
    return grid;
}
} // namespace

frmProfiles::frmProfiles(RconSession *session, QWidget *main)
    : QWidget(main, Qt::Window)
    , m_session(session)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmProfiles"));
    setWindowTitle(QStringLiteral("Server Profiles"));
    // Only the main window's end ends the program; this window decides for itself in closeEvent.
    setAttribute(Qt::WA_QuitOnClose, false);
    g_manager = this;

    buildControls();

    m_mainShown = main->isVisible();
    main->installEventFilter(this);
}

frmProfiles *frmProfiles::instance()
{
    return g_manager;
}

frmProfiles *frmProfiles::open(RconSession *session, QWidget *main)
{
    frmProfiles *w = g_manager ? g_manager.data() : new frmProfiles(session, main);
    w->ts1->setCurrentIndex(TabProfiles);
    w->FillProfileList();
    w->show();
    w->raise();
    w->activateWindow();
    w->tmrCheckProfiles->start();
    return w;
}

void frmProfiles::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    ts1 = named(new QTabBar(this), "ts1");
    ts1->addTab(QStringLiteral("Profiles"));
    ts1->addTab(QStringLiteral("Add"));
    ts1->setDrawBase(true);
    pages = named(new QStackedWidget(this), "pages");
    layout->addWidget(ts1);
    layout->addWidget(pages, 1);

    // Profiles: the list, a preview of the selected profile (never its password), the actions.
    frameProfiles = named(new QWidget(pages), "frameProfiles");
    auto *profilesLayout = new QHBoxLayout(frameProfiles);
    lstProfiles = named(new QListWidget(frameProfiles), "lstProfiles");
    lstProfiles->setSelectionMode(QAbstractItemView::SingleSelection);
    profilesLayout->addWidget(lstProfiles, 1);
    auto *side = new QVBoxLayout;
    framePreview = named(new QWidget(frameProfiles), "framePreview");
    auto *preview = new QGridLayout(framePreview);
    preview->setContentsMargins(0, 0, 0, 0);
    txtIP = field(framePreview, "txtIP");
    txtPort = field(framePreview, "txtPort");
    txtName = field(framePreview, "txtName");
    addRow(preview, framePreview, "lblIP", QStringLiteral("IP:"), txtIP);
    addRow(preview, framePreview, "lblPort", QStringLiteral("Port:"), txtPort);
    addRow(preview, framePreview, "lblName", QStringLiteral("Name:"), txtName);
    for (QLineEdit *box : {txtIP, txtPort, txtName})
        box->setReadOnly(true);
    framePreview->hide();
    side->addWidget(framePreview);
    side->addStretch(1);
    cmdOK = named(new QPushButton(QStringLiteral("OK"), frameProfiles), "cmdOK");
    cmdOK->setDefault(true);
    cmdRemove = named(new QPushButton(QStringLiteral("Delete"), frameProfiles), "cmdRemove");
    cmdNoProfile = named(new QPushButton(QStringLiteral("Start without Profile"), frameProfiles),
                         "cmdNoProfile");
    lblDelError = label(frameProfiles, "lblDelError");
    for (QWidget *w : std::initializer_list<QWidget *>{cmdOK, cmdRemove, cmdNoProfile, lblDelError})
        side->addWidget(w);
    profilesLayout->addLayout(side);
    pages->addWidget(frameProfiles);

    // Add.
    frameAdd = named(new QWidget(pages), "frameAdd");
    QGridLayout *add = profileForm(
        frameAdd, "Add", {&txtAddPName, &txtAddIP, &txtAddPort, &txtAddRcon, &txtAddName});
    cmdAddAdd = named(new QPushButton(QStringLiteral("Add"), frameAdd), "cmdAddAdd");
    add->addWidget(cmdAddAdd, add->rowCount(), 1, Qt::AlignRight);
    txtIPPORT = field(frameAdd, "txtIPPORT");
    txtIPPORT->hide();
    add->setRowStretch(add->rowCount(), 1);
    pages->addWidget(frameAdd);

    // Keys are filtered as they are typed; the validator turns away pasted or dropped text.
    txtAddPName->installEventFilter(this);
    txtAddPName->setValidator(new QRegularExpressionValidator(nameCharacters(), txtAddPName));

    // Edit.
    frameEdit = named(new QWidget(pages), "frameEdit");
    QGridLayout *edit = profileForm(
        frameEdit, "Edit", {&txtEditPName, &txtEditIP, &txtEditPort, &txtEditRcon, &txtEditName});
    // The name picks the file Save writes, so a name typed here saves under that name; it may
    // hold what a new profile's name may hold and nothing that would leave \Profiles.
    txtEditPName->setValidator(new QRegularExpressionValidator(nameCharacters(), txtEditPName));
    cmdSave = named(new QPushButton(QStringLiteral("Save"), frameEdit), "cmdSave");
    edit->addWidget(cmdSave, edit->rowCount(), 1, Qt::AlignRight);
    edit->setRowStretch(edit->rowCount(), 1);
    pages->addWidget(frameEdit);

    tmrCheckTabs = timer(this, "tmrCheckTabs", 100);
    tmrIPPORT = timer(this, "tmrIPPORT", 100);
    tmrClearStatus = timer(this, "tmrClearStatus", 3000);
    tmrClearStatus->setSingleShot(true);
    tmrCheckProfiles = timer(this, "tmrCheckProfiles", 10);
    tmrCheckProfiles->setSingleShot(true);

    connect(ts1, &QTabBar::currentChanged, this, &frmProfiles::ts1_Click);
    connect(lstProfiles, &QListWidget::itemSelectionChanged, this, &frmProfiles::lstProfiles_Click);
    connect(lstProfiles, &QListWidget::itemDoubleClicked, this, &frmProfiles::cmdOK_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmProfiles::cmdOK_Click);
    connect(cmdNoProfile, &QPushButton::clicked, this, &frmProfiles::cmdNoProfile_Click);
    connect(cmdAddAdd, &QPushButton::clicked, this, &frmProfiles::cmdAddAdd_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmProfiles::cmdSave_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmProfiles::cmdRemove_Click);
    connect(tmrCheckTabs, &QTimer::timeout, this, &frmProfiles::tmrCheckTabs_Timer);
    connect(tmrIPPORT, &QTimer::timeout, this, &frmProfiles::tmrIPPORT_Timer);
    connect(tmrClearStatus, &QTimer::timeout, lblDelError, &QLabel::clear);
    connect(tmrCheckProfiles, &QTimer::timeout, this, &frmProfiles::tmrCheckProfiles_Timer);
    // A split address stays split until the user changes the box again.
    connect(txtAddIP, &QLineEdit::textEdited, tmrIPPORT, [this] { tmrIPPORT->start(); });
}

void frmProfiles::FillProfileList()
{
    lstProfiles->clear();
    bool none = false;
    const QStringList names = Profiles::list(&none);
    if (none) {
        MsgBox(QStringLiteral("No profiles\r\n") + QDir::toNativeSeparators(Profiles::directory()),
               MsgIcon::Exclamation, QStringLiteral("No profiles"), MsgButtons::Ok, this);
    }
    lstProfiles->addItems(names);
    lstProfiles_Click(); // nothing is selected in a fresh list
}

QString frmProfiles::selectedProfile() const
{
    const QList<QListWidgetItem *> items = lstProfiles->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void frmProfiles::ts1_Click(int index)
{
    pages->setCurrentIndex(index);
    if (index == TabAdd)
        tmrIPPORT->start();
    else if (index == TabEdit)
        fillEditPage();
}

void frmProfiles::lstProfiles_Click()
{
    if (lstProfiles->selectedItems().isEmpty()) {
        framePreview->hide();
        for (QLineEdit *box : {txtIP, txtPort, txtName})
            box->clear();
        return;
    }
    const ServerProfile p = Profiles::read(selectedProfile());
    txtIP->setText(p.ip);
    txtPort->setText(p.port);
    txtName->setText(p.name);
    framePreview->show();
}

void frmProfiles::cmdOK_Click()
{
    const QString onSelect
        = ReadPref(QStringLiteral("Settings"), QStringLiteral("ConnectOnSelect"));
    const QString name = selectedProfile();
    if (name.isEmpty()) {
        MsgBox(QStringLiteral("Select the profile you want to load then click OK."),
               MsgIcon::Critical, QStringLiteral("Selecting error!"), MsgButtons::Ok, this);
        return;
    }
    bringMainWindowUp();
    const ServerProfile p = Profiles::read(name);
    m_session->setAddress(p.ip);
    m_session->setPort(p.port);
    m_session->setPassword(p.rcon);
    m_session->setAdminName(p.name);
    m_session->setProfile(name);
    if (leadingNumber(onSelect) == 1.0)
        emit connectOnSelect();
    hide();
}

void frmProfiles::cmdNoProfile_Click()
{
    bringMainWindowUp();
    m_session->setProfile(QString());
    hide();
}

void frmProfiles::cmdAddAdd_Click()
{
    const QString name = txtAddPName->text();
    if (!Profiles::ownsFolder(name))
        return;
    Profiles::add(name,
                  {txtAddIP->text(), txtAddPort->text(), txtAddRcon->text(), txtAddName->text()});
    lstProfiles->addItem(name);
    for (QLineEdit *box : {txtAddPName, txtAddIP, txtAddPort, txtAddRcon, txtAddName})
        box->clear();
    tmrIPPORT->start();
}

void frmProfiles::fillEditPage()
{
    const QString name = selectedProfile();
    if (name.isEmpty()) {
        MsgBox(QStringLiteral("Select the profile you want to edit then click Edit."),
               MsgIcon::Critical, QStringLiteral("Selecting error!"), MsgButtons::Ok, this);
        return;
    }
    const ServerProfile p = Profiles::read(name);
    txtEditPName->setText(name);
    txtEditIP->setText(p.ip);
    txtEditPort->setText(p.port);
    txtEditRcon->setText(p.rcon);
    txtEditName->setText(p.name);
}

void frmProfiles::cmdSave_Click()
{
    const QString name = txtEditPName->text();
    if (!Profiles::ownsFolder(name))
        return; // nothing was loaded into the page, or a name no profile may have
    Profiles::write(
        name, {txtEditIP->text(), txtEditPort->text(), txtEditRcon->text(), txtEditName->text()});
    for (QLineEdit *box : {txtEditPName, txtEditIP, txtEditPort, txtEditRcon, txtEditName})
        box->clear();
    lstProfiles_Click(); // the preview shows what was saved
}

void frmProfiles::cmdRemove_Click()
{
    const QList<QListWidgetItem *> items = lstProfiles->selectedItems();
    if (items.isEmpty()) {
        MsgBox(QStringLiteral("Select the profile you want to delete then click Delete."),
               MsgIcon::Critical, QStringLiteral("Selecting error!"), MsgButtons::Ok, this);
        lblDelError->setText(QStringLiteral("Error deleting profile"));
        tmrClearStatus->start();
        return;
    }
    QListWidgetItem *item = items.first();
    Profiles::remove(item->text());
    delete item;
    // Nothing stays selected once the entry is gone, so the Edit tab goes with it.
    lstProfiles->setCurrentRow(-1);
    lstProfiles->clearSelection();
    lblDelError->setText(QStringLiteral("Profile deleted"));
    tmrClearStatus->start();
}

void frmProfiles::tmrCheckTabs_Timer()
{
    const bool selected = !lstProfiles->selectedItems().isEmpty();
    if (selected && ts1->count() < 3) {
        ts1->addTab(QStringLiteral("Edit"));
    } else if (!selected && ts1->count() == 3) {
        if (ts1->currentIndex() == TabEdit)
            ts1->setCurrentIndex(TabProfiles);
        ts1->removeTab(TabEdit);
    }
}

// Splits "host:port" typed or pasted into the address box over the address and port boxes.
// With several lines (up to the first empty one) the last one with a colon wins; a line without
// one is left as it is, and the splitter keeps watching.
void frmProfiles::tmrIPPORT_Timer()
{
    QString text = txtAddIP->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    bool stop = false;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty())
            break;
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        txtAddIP->setText(line.left(colon));
        stop = true;
        const QString port = line.mid(colon + 1);
        if (port.isEmpty())
            continue;
        txtAddPort->setText(port);
        txtIPPORT->clear();
    }
    if (stop)
        tmrIPPORT->stop();
}

void frmProfiles::tmrCheckProfiles_Timer()
{
    QStringList names;
    for (int i = 0; i < lstProfiles->count(); ++i)
        names << lstProfiles->item(i)->text();
    Profiles::upgrade(names);
}

void frmProfiles::bringMainWindowUp()
{
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
}

// The watchers only matter while the window can be seen.
void frmProfiles::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    tmrCheckTabs->start();
    tmrIPPORT->start();
}

void frmProfiles::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    tmrCheckTabs->stop();
    tmrIPPORT->stop();
}

void frmProfiles::closeEvent(QCloseEvent *event)
{
    event->accept();
    // Closed at start-up before any main window appeared: the user chose not to go on, and a
    // hidden main window must not keep the program running with nothing on screen.
    if (!m_mainShown && !m_main->isVisible()) {
        m_main->deleteLater();
        QCoreApplication::exit(0);
    }
}

bool frmProfiles::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_main && event->type() == QEvent::Show) {
        m_mainShown = true;
    } else if (watched == txtAddPName && event->type() == QEvent::KeyPress) {
        // Keys that type nothing (arrows, Home, Delete) move and edit as in any box.
        if (!mayTypeIntoName(static_cast<QKeyEvent *>(event)->text()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}
