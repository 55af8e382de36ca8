#include "maps/MapsDialog.h"

#include "config/Language.h"
#include "maps/MapCatalogues.h"
#include "maps/MapPreview.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/Controls.h"
#include "platform/Ini.h"
#include "rcon/RconSession.h"
#include "rcon/Transport.h"
#include "ui/ApplyLanguage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace Controls;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kDirRule = QStringLiteral("---------------");
constexpr QSize kPictureSize(256, 192);
constexpr int kMapRowsPerColumn = 9;

int selectedRow(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

// The server's "dir" listing, line by line after its header line and its rule of hyphens; the
// reply buffer starts with the line break that precedes every received datagram.
QStringList listedFiles(const QString &reply)
{
    QStringList files;
    const QStringList lines = reply.split(kCrLf);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line == kDirRule || line.isEmpty())
            continue;
        files << line;
    }
    return files;
}

} // namespace

MapsDialog::MapsDialog(const MapCatalogue &catalogue, RconSession *session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_catalogue(catalogue)
    , m_session(session)
{
    setObjectName(QLatin1String(catalogue.formName));
    picsMAPS = named(new MapImageList(catalogue.maps, kPictureSize, this), "picsMAPS");

    lblWindowTitle = label(this, "lblWindowTitle", QString());
    QFont titleFont = lblWindowTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblWindowTitle->setFont(titleFont);

    ts1 = named(new QTabWidget(this), "ts1");
    ts1->addTab(buildMapsTab(), QStringLiteral("Maps"));
    if (m_catalogue.dirCommand)
        ts1->addTab(buildRetrieveMapsTab(), QStringLiteral("Retrieve Maps"));
    ts1->addTab(buildRotationTab(), QStringLiteral("Map Rotation"));

    tabsWithOk(this, ts1, lblWindowTitle)->setDefault(true);

    ApplyLanguage(this);

    // Set after the language pack so that a pack never blanks them.
    lblWindowTitle->setText(
        QLatin1String(m_catalogue.gameTitle)
        + LangText(QStringLiteral("General"), QStringLiteral("Maps"), QStringLiteral("Maps")));
    setWindowTitle(lblWindowTitle->text());
    for (const MapEntry &map : m_catalogue.maps) {
        if (auto *pic = findChild<QPushButton *>(QLatin1String(map.pictureButton)))
            pic->setText(QStringLiteral(">"));
    }

    ckMapRotationManual_Click();
    tmrCheckRotationList_Timer();
}

QWidget *MapsDialog::buildMapsTab()
{
    auto *frameMaps = named(new QFrame, "frameMaps");

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    const int count = int(m_catalogue.maps.size());
    const int columns = (count + kMapRowsPerColumn - 1) / kMapRowsPerColumn;
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const MapEntry &map = m_catalogue.maps[i];
        auto *mapButton = button(frameMaps, map.button, QLatin1String(map.name));
        mapButton->setMinimumWidth(
            mapButton->fontMetrics().horizontalAdvance(QStringLiteral("mp_trainstation")) + 16);
        auto *pic = button(frameMaps, map.pictureButton, QStringLiteral(">"));
        pic->setFixedWidth(26);
        pic->setToolTip(QLatin1String(map.description));
        connect(mapButton, &QPushButton::clicked, this, [this, &map] { mapButton_Click(map); });
        connect(pic, &QPushButton::clicked, this, [this, i] { pictureButton_Click(i); });
        // Down the columns, so the maps read in catalogue order like a list.
        const int row = i % rows;
        const int column = (i / rows) * 3;
        grid->addWidget(mapButton, row, column);
        grid->addWidget(pic, row, column + 1);
        if (column > 0)
            grid->setColumnMinimumWidth(column - 1, 10);
    }
    grid->setRowStretch(rows, 1);

    pMaps = label(frameMaps, "pMaps", QString());
    pMaps->setFixedSize(kPictureSize + QSize(4, 4));
    pMaps->setFrameShape(QFrame::StyledPanel);
    pMaps->setFrameShadow(QFrame::Sunken);
    pMaps->setAlignment(Qt::AlignCenter);
    lblMapInfo = label(frameMaps, "lblMapInfo", QString());
    lblMapInfo->setWordWrap(true);
    lblMapInfo->setMinimumHeight(lblMapInfo->fontMetrics().height() * 2);
    lblMapInfo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    ckDevMap = named(new QCheckBox(QStringLiteral("Change maps with cheatcodes ON"), frameMaps),
                     "ckDevMap");
    auto *cmdRestart = button(frameMaps, "cmdRestart", QStringLiteral("Restart"));
    auto *cmdNext = button(frameMaps, "cmdNext", QStringLiteral("Next Map"));
    connect(cmdRestart, &QPushButton::clicked, this, &MapsDialog::cmdRestart_Click);
    connect(cmdNext, &QPushButton::clicked, this, &MapsDialog::cmdNext_Click);
    auto *mapActions = new QHBoxLayout;
    mapActions->addWidget(cmdRestart);
    if (m_catalogue.fastRestart) {
        auto *cmdFastRestart = button(frameMaps, "cmdFastRestart", QStringLiteral("Fast Restart"));
        connect(cmdFastRestart, &QPushButton::clicked, this, &MapsDialog::cmdFastRestart_Click);
        mapActions->addWidget(cmdFastRestart);
    }
    mapActions->addWidget(cmdNext);

    auto *side = new QVBoxLayout;
    side->addWidget(pMaps, 0, Qt::AlignHCenter);
    side->addWidget(lblMapInfo);
    side->addStretch(1);
    side->addWidget(ckDevMap);
    side->addLayout(mapActions);

    auto *layout = new QHBoxLayout(frameMaps);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(side);
    return frameMaps;
}

QWidget *MapsDialog::buildRetrieveMapsTab()
{
    auto *frameRetrieveMaps = named(new QFrame, "frameRetrieveMaps");
    auto *cmdRetrieveMaps = button(frameRetrieveMaps, "cmdRetrieveMaps",
                                   QStringLiteral("Retrieve maps from the server"));
    lstRetrieveMaps = named(new ConsoleBox(frameRetrieveMaps), "lstRetrieveMaps");
    lstRetrieveMaps2 = named(new QListWidget(frameRetrieveMaps), "lstRetrieveMaps2");
    auto *cmdChangeMap = button(frameRetrieveMaps, "cmdChangeMap", QStringLiteral("Change map"));
    tmrRetrieveMaps = named(new QTimer(this), "tmrRetrieveMaps");
    Clock::setInterval(tmrRetrieveMaps, 1000);

    connect(cmdRetrieveMaps, &QPushButton::clicked, this, &MapsDialog::cmdRetrieveMaps_Click);
    connect(tmrRetrieveMaps, &QTimer::timeout, this, &MapsDialog::tmrRetrieveMaps_Timer);
    connect(cmdChangeMap, &QPushButton::clicked, this, &MapsDialog::cmdChangeMap_Click);
    connect(lstRetrieveMaps2, &QListWidget::itemDoubleClicked, this,
            &MapsDialog::cmdChangeMap_Click);

    auto *lists = new QHBoxLayout;
    lists->addWidget(lstRetrieveMaps2, 3);
    lists->addWidget(lstRetrieveMaps, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdRetrieveMaps);
    buttons->addStretch(1);
    buttons->addWidget(cmdChangeMap);
    auto *layout = new QVBoxLayout(frameRetrieveMaps);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    return frameRetrieveMaps;
}

QWidget *MapsDialog::buildRotationTab()
{
    auto *frameMapRotation = named(new QFrame, "frameMapRotation");
    QWidget *f = frameMapRotation;

    cbGametype = named(new QComboBox(f), "cbGametype");
    for (const GametypeEntry &g : m_catalogue.gametypes)
        cbGametype->addItem(QLatin1String(g.name));
    cbGametype->setCurrentIndex(0);

    lstMaps = named(new QListWidget(f), "lstMaps");
    for (const char *map : m_catalogue.rotationMapsAtStart)
        lstMaps->addItem(QLatin1String(map));
    lstRotation = named(new QListWidget(f), "lstRotation");

    auto *cmdAdd = button(f, "cmdAdd", QStringLiteral("Add"));
    auto *cmdAddAll = button(f, "cmdAddAll", QStringLiteral("Add all"));
    cmdRemove = button(f, "cmdRemove", QStringLiteral("Remove"));
    cmdClear = button(f, "cmdClear", QStringLiteral("Clear"));
    cmdSetRotation = button(f, "cmdSetRotation", QStringLiteral("Set Rotation"));
    txtRotation = named(new QLineEdit(f), "txtRotation");
    txtRotation->setReadOnly(true);
    txtRotation->setPlaceholderText(QStringLiteral("The rotation last set"));

    cmdRotation = button(f, "cmdRotation", QStringLiteral("Retrieve"));
    txtRetrieveRotation = named(new QLineEdit(f), "txtRetrieveRotation");
    ckMapRotationManual = named(new QCheckBox(QStringLiteral("Edit map rotation manually"), f),
                                "ckMapRotationManual");
    cmdSetManualRotation = button(f, "cmdSetManualRotation", QStringLiteral("Set Manual Rotation"));

    tmrCheckRotationList = named(new QTimer(this), "tmrCheckRotationList");
    Clock::setInterval(tmrCheckRotationList, 10);

    connect(cmdAdd, &QPushButton::clicked, this, &MapsDialog::cmdAdd_Click);
    connect(cmdAddAll, &QPushButton::clicked, this, &MapsDialog::cmdAddAll_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &MapsDialog::cmdRemove_Click);
    connect(cmdClear, &QPushButton::clicked, this, &MapsDialog::cmdClear_Click);
    connect(cmdSetRotation, &QPushButton::clicked, this, &MapsDialog::cmdSetRotation_Click);
    connect(cmdRotation, &QPushButton::clicked, this, &MapsDialog::cmdRotation_Click);
    connect(cmdSetManualRotation, &QPushButton::clicked, this,
            &MapsDialog::cmdSetManualRotation_Click);
    connect(ckMapRotationManual, &QCheckBox::toggled, this, &MapsDialog::ckMapRotationManual_Click);
    connect(tmrCheckRotationList, &QTimer::timeout, this, &MapsDialog::tmrCheckRotationList_Timer);
    connect(lstMaps, &QListWidget::itemDoubleClicked, this, &MapsDialog::cmdAdd_Click);

    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(cmdAdd);
    middle->addWidget(cmdAddAll);
    middle->addSpacing(12);
    middle->addWidget(cmdRemove);
    middle->addWidget(cmdClear);
    middle->addStretch(1);

    auto *gametype = new QHBoxLayout;
    gametype->addWidget(label(f, "lblGametype", QStringLiteral("Gametype:")));
    gametype->addWidget(cbGametype, 1);

    auto *grid = new QGridLayout;
    grid->addLayout(gametype, 1, 0);
    grid->addWidget(label(f, "lblRotation", QStringLiteral("Rotation:")), 1, 2, Qt::AlignBottom);
    grid->addWidget(lstMaps, 2, 0);
    grid->addLayout(middle, 2, 1);
    grid->addWidget(lstRotation, 2, 2);
    if (m_catalogue.dirCommand) {
        auto *cmdRetrieveRotation
            = button(f, "cmdRetrieveRotation", QStringLiteral("Retrieve maps"));
        connect(cmdRetrieveRotation, &QPushButton::clicked, this,
                &MapsDialog::cmdRetrieveRotation_Click);
        grid->addWidget(cmdRetrieveRotation, 3, 0);
    }
    grid->addWidget(cmdSetRotation, 3, 2);
    grid->addWidget(txtRotation, 4, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(2, 1);

    auto *manualButtons = new QHBoxLayout;
    manualButtons->addWidget(cmdRotation);
    manualButtons->addStretch(1);
    manualButtons->addWidget(cmdSetManualRotation);

    auto *layout = new QVBoxLayout(f);
    layout->addLayout(grid, 1);
    layout->addSpacing(10);
    layout->addWidget(ckMapRotationManual);
    layout->addWidget(txtRetrieveRotation);
    layout->addLayout(manualButtons);
    return frameMapRotation;
}

void MapsDialog::showEvent(QShowEvent *event)
{
    tmrCheckRotationList->start();
    QWidget::showEvent(event);
}

void MapsDialog::hideEvent(QHideEvent *event)
{
    tmrCheckRotationList->stop();
    QWidget::hideEvent(event);
}

// --- Maps ------------------------------------------------------------------------------------

QString MapsDialog::mapCommandPrefix() const
{
    return ckDevMap->isChecked() ? QStringLiteral("devmap ") : QStringLiteral("map ");
}

void MapsDialog::mapButton_Click(const MapEntry &map)
{
    const QString command = mapCommandPrefix() + QLatin1String(map.name);
    if (!m_catalogue.soleAnnouncedMap) {
        m_session->AnnounceChange(command,
                                  QStringLiteral("map changed to ") + QLatin1String(map.name));
        return;
    }
    if (qstrcmp(map.name, m_catalogue.soleAnnouncedMap) == 0)
        m_session->AnnounceChange(command, QStringLiteral("map changed to ")
                                               + QLatin1String(map.description));
    else
        m_session->SendCommand(command);
}

void MapsDialog::pictureButton_Click(int index)
{
    pMaps->setPixmap(picsMAPS->image(index + 1));
    lblMapInfo->setText(QLatin1String(m_catalogue.maps[index].description));
}

void MapsDialog::cmdRestart_Click()
{
    m_session->AnnounceChange(QStringLiteral("map_restart"), QStringLiteral("map restart"));
}

void MapsDialog::cmdNext_Click()
{
    m_session->AnnounceChange(QStringLiteral("map_rotate"), QStringLiteral("next map"));
}

void MapsDialog::cmdFastRestart_Click()
{
    m_session->AnnounceChange(QStringLiteral("fast_restart"), QStringLiteral("fast map restart"));
}

// --- Retrieve Maps ---------------------------------------------------------------------------

void MapsDialog::cmdRetrieveMaps_Click()
{
    if (m_session->sendForReply(QLatin1String(m_catalogue.dirCommand)))
        tmrRetrieveMaps->start();
}

void MapsDialog::tmrRetrieveMaps_Timer()
{
    tmrRetrieveMaps->stop();
    const QString reply = m_session->replyText();
    lstRetrieveMaps->setText(reply);
    lstRetrieveMaps2->clear();
    const QStringList files = listedFiles(reply);
    for (const QString &file : files) {
        const qsizetype stop = file.indexOf(QLatin1Char('.'));
        lstRetrieveMaps2->addItem(stop < 0 ? file : file.left(stop));
    }
    m_session->sendForReply(QStringLiteral("status"));
}

void MapsDialog::cmdChangeMap_Click()
{
    const QListWidgetItem *item = lstRetrieveMaps2->currentItem();
    const QString map = item && item->isSelected() ? item->text() : QString();
    m_session->AnnounceChange(mapCommandPrefix() + map, QStringLiteral("map changed to ") + map);
}

// --- Map Rotation ----------------------------------------------------------------------------

void MapsDialog::cmdRetrieveRotation_Click()
{
    if (!m_session->sendForReply(QLatin1String(m_catalogue.dirCommand)))
        return;
    Wait(1.0);
    const QString reply = m_session->replyText();
    lstRetrieveMaps->setText(reply);
    lstMaps->clear();
    const QStringList files = listedFiles(reply);
    // Four characters are cut from every line, as for ".bsp". CoD2 lists its maps as ".d3dbsp",
    // which leaves "mp_x.d3", a name no server loads. [Maps] CutWholeExtension in
    // \Preferences.ini, off unless "1", cuts the extension asked for whole where a line ends in
    // it, so that CoD2's rotation names its maps as the server knows them.
    const QString extension
        = QLatin1Char('.')
          + QString::fromLatin1(m_catalogue.dirCommand).section(QLatin1Char(' '), -1);
    const bool wholeExtension
        = ReadPref(QStringLiteral("Maps"), QStringLiteral("CutWholeExtension"))
          == QLatin1String("1");
    for (const QString &file : files) {
        const qsizetype cut = wholeExtension && file.endsWith(extension) ? extension.size() : 4;
        if (file.size() > cut)
            lstMaps->addItem(file.left(file.size() - cut));
    }
    m_session->sendForReply(QStringLiteral("status"));
}

QString MapsDialog::rotationEntry(const QString &map) const
{
    const char *code = gametypeCode(m_catalogue, cbGametype->currentText());
    if (!code)
        return QString();
    return QStringLiteral("gametype ") + QLatin1String(code) + QStringLiteral(" map ") + map;
}

void MapsDialog::cmdAdd_Click()
{
    const QList<QListWidgetItem *> selected = lstMaps->selectedItems();
    if (selected.isEmpty())
        return;
    const QString entry = rotationEntry(selected.first()->text());
    if (!entry.isEmpty())
        lstRotation->addItem(entry);
}

void MapsDialog::cmdAddAll_Click()
{
    for (int i = 0; i < lstMaps->count(); ++i) {
        const QString entry = rotationEntry(lstMaps->item(i)->text());
        if (!entry.isEmpty())
            lstRotation->addItem(entry);
    }
}

void MapsDialog::cmdRemove_Click()
{
    const int row = selectedRow(lstRotation);
    if (row < 0)
        return;
    delete lstRotation->takeItem(row);
    // The list would hand the selection on to the next entry, and Set Rotation would then start
    // there and silently drop every entry above it; after a removal nothing is selected.
    lstRotation->selectionModel()->clear();
}

void MapsDialog::cmdClear_Click()
{
    lstRotation->clear();
}

void MapsDialog::cmdSetRotation_Click()
{
    txtRotation->clear();
    // Nothing selected starts with the empty text before the first entry, which is why such a
    // rotation begins with a blank; a selection starts the rotation at that entry.
    int row = selectedRow(lstRotation);
    QString rotation;
    for (;;) {
        // Long rotations stay responsive while they are put together; the list may change
        // under us meanwhile, so it is measured afresh on every round.
        QCoreApplication::processEvents();
        const QListWidgetItem *item = row >= 0 ? lstRotation->item(row) : nullptr;
        rotation += (item ? item->text() : QString()) + QLatin1Char(' ');
        txtRotation->setText(rotation);
        if (row + 1 >= lstRotation->count())
            break;
        ++row;
        lstRotation->setCurrentRow(row);
    }
    if (lstRotation->count() > 0)
        lstRotation->setCurrentRow(0);
    m_session->SendCommand(QStringLiteral("sv_maprotation\"") + txtRotation->text()
                           + QLatin1Char('"'));
}

void MapsDialog::cmdRotation_Click()
{
    if (!m_session->sendForReply(QStringLiteral("sv_maprotation")))
        return;
    Wait(1.0);
    txtRetrieveRotation->setText(cvarValue(m_session->replyText()));
}

void MapsDialog::cmdSetManualRotation_Click()
{
    m_session->SendCommand(QStringLiteral("sv_maprotation\"") + txtRetrieveRotation->text()
                           + QLatin1Char('"'));
}

void MapsDialog::ckMapRotationManual_Click()
{
    const bool manual = ckMapRotationManual->isChecked();
    txtRetrieveRotation->setEnabled(manual);
    cmdSetManualRotation->setEnabled(manual);
    cmdRotation->setEnabled(manual);
    cmdSetRotation->setEnabled(!manual);
}

void MapsDialog::tmrCheckRotationList_Timer()
{
    const bool entries = lstRotation->count() > 0;
    cmdSetRotation->setEnabled(entries);
    cmdClear->setEnabled(entries);
    cmdRemove->setEnabled(selectedRow(lstRotation) >= 0);
}
