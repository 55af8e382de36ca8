#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

// The stock maps of each game as the administrator's handbook lists them: map button, picture
// button, the map the server is told to load, in picture order.
struct GameTable
{
    const char *kind;
    FakeGame fake;
    int menu; // position of the game's submenu under Options
    const char *form;
    const char *title;
    QStringList buttons, pictures, maps, gametypes, tabs;
};

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList items(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char('|'));
}

QStringList withPic(const QStringList &buttons)
{
    QStringList out;
    for (const QString &b : buttons)
        out << b + QStringLiteral("Pic");
    return out;
}

// clang-format off
const char *const kCoDButtons = "cmdBocage cmdBrecourt cmdCarentan cmdChateau cmdDawnville cmdDepot "
    "cmdHarbor cmdHurtgen cmdNeuville cmdPavlov cmdPowcamp cmdRailyard cmdRocket cmdShip "
    "cmdStalingrad cmdTigertown";
const char *const kCoDPictures = "cmdBocPic cmdBrePic cmdCarPic cmdChaPic cmdDawPic cmdDepPic "
    "cmdHarPic cmdHurPic cmdNeuPic cmdPavPic cmdPowPic cmdRaiPic cmdRocPic cmdShiPic cmdStaPic "
    "cmdTigPic";
const char *const kCoDMaps = "mp_bocage mp_brecourt mp_carentan mp_chateau mp_dawnville mp_depot "
    "mp_harbor mp_hurtgen mp_neuville mp_pavlov mp_powcamp mp_railyard mp_rocket mp_ship "
    "mp_stalingrad mp_tigertown";
const char *const kUOButtons = "cmdArnhem cmdBerlin cmdCassino cmdFoy cmdItaly cmdKharkov cmdKursk "
    "cmdPonyri cmdRhinevalley cmdSicily cmdStanjel cmdPeaks cmdStreets cmdUOCarentan "
    "cmdUODawnville cmdUODepot cmdUOHarbor cmdUOHurtgen cmdUOPowcamp";
const char *const kUOMaps = "mp_arnhem mp_berlin mp_cassino mp_foy mp_italy mp_kharkov mp_kursk "
    "mp_ponyri mp_rhinevalley mp_sicily mp_uo_stanjel mp_peaks mp_streets mp_uo_carentan "
    "mp_uo_dawnville mp_uo_depot mp_uo_harbor mp_uo_hurtgen mp_uo_powcamp";
const char *const kCoD2Buttons = "cmdBreakout cmdBrecourt cmdBurgundy cmdCarentan cmdDawnville "
    "cmdDecoy cmdDowntown cmdFarmhouse cmdLeningrad cmdMatmata cmdStalingrad cmdToujane "
    "cmdTrainstation cmdHarbor cmdRhine";
const char *const kCoD2Maps = "mp_breakout mp_brecourt mp_burgundy mp_carentan mp_dawnville "
    "mp_decoy mp_downtown mp_farmhouse mp_leningrad mp_matmata mp_railyard mp_toujane "
    "mp_trainstation mp_harbor mp_rhine";
const char *const kCoD4Buttons = "cmdAmbush cmdBacklot cmdBloc cmdBog cmdCountdown cmdCrash "
    "cmdCrossfire cmdDistrict cmdDownpour cmdOvergrown cmdPipeline cmdShipment cmdShowdown "
    "cmdStrike cmdVacant cmdWetwork cmdCrashSnow";
const char *const kCoD4Maps = "mp_convoy mp_backlot mp_bloc mp_bog mp_countdown mp_crash "
    "mp_crossfire mp_citystreets mp_farm mp_overgrown mp_pipeline mp_shipment mp_showdown "
    "mp_strike mp_vacant mp_cargoship mp_crash_snow";
const char *const kCoDGametypes = "DeathMatch|Team DeathMatch|Search & Destroy|HeadQuarters|"
    "Behind Enemy Lines|Retrieval";

QList<GameTable> gameTables()
{
    const QStringList threeTabs = items("Maps|Retrieve Maps|Map Rotation");
    GameTable cod{"cod", FakeGame::CoD, 0, "frmDialogCoDMaps", "Call of Duty - Maps",
        words(kCoDButtons), words(kCoDPictures), words(kCoDMaps), items(kCoDGametypes), threeTabs};
    GameTable uo{"coduo", FakeGame::CoDUO, 1, "frmDialogCoDUOMaps", "Call of Duty: UO - Maps",
        cod.buttons + words(kUOButtons), cod.pictures + withPic(words(kUOButtons)),
        cod.maps + words(kUOMaps),
        items(kCoDGametypes) + items("Domination|Base Assault|Capture the Flag"), threeTabs};
    GameTable cod2{"cod2", FakeGame::CoD2, 2, "frmDialogCoD2Maps", "Call of Duty 2 - Maps",
        words(kCoD2Buttons), withPic(words(kCoD2Buttons)), words(kCoD2Maps),
        items("DeathMatch|Team DeathMatch|Search & Destroy|Capture the Flag|HeadQuarters"),
        threeTabs};
    cod2.pictures[7] = QStringLiteral("cmdfarmhousePic");
    GameTable cod4{"cod4", FakeGame::CoD4, 3, "frmDialogCoD4Maps", "Call of Duty 4 - Maps",
        words(kCoD4Buttons), withPic(words(kCoD4Buttons)), words(kCoD4Maps),
        items("Free For All|Team DeathMatch|Search & Destroy|Domination|Sabotage|King of the Hill"),
        items("Maps|Map Rotation")};
    return {cod, uo, cod2, cod4};
}
// clang-format on

GameTable gameTable(const QString &kind)
{
    const QList<GameTable> tables = gameTables();
    for (const GameTable &t : tables) {
        if (kind == QLatin1String(t.kind))
            return t;
    }
    return {};
}

QByteArray datagram(const QByteArray &command)
{
    return QByteArray("\xFF\xFF\xFF\xFFrcon pw ", 12) + command;
}

QByteArray announcement(const QString &what)
{
    return "Say ^7Vantor 9.0.1 ^4||^7 " + what.toLatin1() + " by ^4Admin";
}

// A main window connected to a fake server of one game, with every box answered. Torn down in
// the order that leaves no socket behind, whatever a test's outcome.
struct Rig
{
    Rig(FakeGame game, double clockSpeed)
        : env(clockSpeed)
        , server(game)
    {
        server.setPassword("pw");
        if (!server.start(0))
            return;
        main = std::make_unique<frmMain>();
        main->txtServerRCON->setText(QStringLiteral("pw"));
        main->txtServername->setText(QStringLiteral("Admin"));
        main->UDPClient->setRemoteHost(QStringLiteral("127.0.0.1"));
        main->UDPClient->setRemotePort(server.port());
        main->UDPClient->open();
    }
    ~Rig()
    {
        main.reset();
        server.stop();
    }

    // Opens the game's dialog from the Options menu and shows the tab with this panel.
    QWidget *open(const GameTable &game, const char *panel = nullptr)
    {
        main->mnuOptionsGameMaps[game.menu]->trigger();
        QWidget *dialog = window(QLatin1String(game.form));
        if (dialog && panel) {
            auto *tabs = dialog->findChild<QTabWidget *>(QStringLiteral("ts1"));
            tabs->setCurrentWidget(dialog->findChild<QWidget *>(QLatin1String(panel)));
        }
        return dialog;
    }

    static QWidget *window(const QString &name)
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            if (w->objectName() == name && w->isVisible())
                return w;
        }
        return nullptr;
    }

    TestProgramDir env;
    DialogRecorder recorder;
    FakeGameServer server;
    std::unique_ptr<frmMain> main;
};

template<typename T> T *control(QWidget *dialog, const QString &name)
{
    return dialog ? dialog->findChild<T *>(name) : nullptr;
}

void click(QWidget *dialog, const QString &name)
{
    auto *b = control<QAbstractButton>(dialog, name);
    QVERIFY2(b, qPrintable(name));
    // A check box reacts to its box and caption only, not to the empty rest of its row.
    const QPoint at = qobject_cast<QCheckBox *>(b) ? QPoint(6, b->height() / 2) : QPoint();
    QTest::mouseClick(b, Qt::LeftButton, {}, at);
}

void clickItem(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QStringList texts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QList<QByteArray> commandsOf(const QStringList &lines)
{
    QList<QByteArray> out;
    for (const QString &l : lines)
        out << l.toLatin1();
    return out;
}

} // namespace

class tst_MapsDialog : public QObject
{
    Q_OBJECT

private slots:
    void catalogues_data();
    void catalogues();
    void opening_data();
    void opening();
    void mapButtons_data();
    void mapButtons();
    void setRotation_data();
    void setRotation();
    void dirReplies_data();
    void dirReplies();
    void retrieveRotation_data();
    void retrieveRotation();
    void enablingRules();
};

void tst_MapsDialog::catalogues_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("picture"); // one picture button and the description it shows
    QTest::addColumn<QString>("description");
    QTest::newRow("CoD") << "cod"
                         << "cmdStaPic"
                         << "mp_stalingrad";
    QTest::newRow("CoD UO") << "coduo"
                            << "cmdStanjelPic"
                            << "mp_uo_stanjel";
    QTest::newRow("CoD2") << "cod2"
                          << "cmdfarmhousePic"
                          << "mp_farmhouse (Beltot, France)";
    QTest::newRow("CoD4") << "cod4"
                          << "cmdWetworkPic"
                          << "mp_cargoship (Wet Work)";
}

// Every map of the tables has its two buttons; its picture button shows the map's own picture
// and description, and the dialog offers the game's gametypes and tabs.
void tst_MapsDialog::catalogues()
{
    QFETCH(QString, kind);
    QFETCH(QString, picture);
    QFETCH(QString, description);
    const GameTable game = gameTable(kind);
    Rig rig(game.fake, 20.0);
    QVERIFY(rig.main);
    QWidget *dialog = rig.open(game, "frameMaps");
    QVERIFY(dialog);

    const QList<QPushButton *> all
        = control<QWidget>(dialog, QStringLiteral("frameMaps"))->findChildren<QPushButton *>();
    int mapButtons = 0;
    for (const QPushButton *b : all)
        mapButtons += b->text().startsWith(QLatin1String("mp_")) ? 1 : 0;
    QCOMPARE(mapButtons, game.maps.size());

    QSet<qint64> pictures;
    auto *pMaps = control<QLabel>(dialog, QStringLiteral("pMaps"));
    auto *info = control<QLabel>(dialog, QStringLiteral("lblMapInfo"));
    for (int i = 0; i < game.maps.size(); ++i) {
        auto *mapButton = control<QPushButton>(dialog, game.buttons[i]);
        auto *pic = control<QPushButton>(dialog, game.pictures[i]);
        QVERIFY2(mapButton && pic, qPrintable(game.buttons[i]));
        QCOMPARE(mapButton->text(), game.maps[i]);
        QCOMPARE(pic->text(), QStringLiteral(">"));
        QTest::mouseClick(pic, Qt::LeftButton);
        // CoD and UO describe a map by its name; CoD2 and CoD4 add the place in brackets.
        if (kind == QLatin1String("cod") || kind == QLatin1String("coduo"))
            QCOMPARE(info->text(), game.maps[i]);
        else
            QVERIFY2(info->text().startsWith(game.maps[i] + QStringLiteral(" ("))
                         && info->text().endsWith(QLatin1Char(')')),
                     qPrintable(info->text()));
        const QImage shown = pMaps->pixmap().toImage();
        QVERIFY(!shown.isNull());
        pictures.insert(qHashBits(shown.constBits(), shown.sizeInBytes()));
    }
    QCOMPARE(pictures.size(), game.maps.size()); // one picture per map, none shared
    QTest::mouseClick(control<QPushButton>(dialog, picture), Qt::LeftButton);
    QCOMPARE(info->text(), description);
    QVERIFY(rig.server.commands().isEmpty());

    auto *gametypes = control<QComboBox>(dialog, QStringLiteral("cbGametype"));
    QStringList offered;
    for (int i = 0; i < gametypes->count(); ++i)
        offered << gametypes->itemText(i);
    QCOMPARE(offered, game.gametypes);
    QCOMPARE(gametypes->currentText(), game.gametypes.first());

    auto *tabs = control<QTabWidget>(dialog, QStringLiteral("ts1"));
    QStringList tabTexts;
    for (int i = 0; i < tabs->count(); ++i)
        tabTexts << tabs->tabText(i);
    QCOMPARE(tabTexts, game.tabs);
    const bool lists = game.tabs.contains(QStringLiteral("Retrieve Maps"));
    QCOMPARE(bool(control<QPushButton>(dialog, QStringLiteral("cmdRetrieveRotation"))), lists);
    QCOMPARE(bool(control<QWidget>(dialog, QStringLiteral("frameRetrieveMaps"))), lists);

    QStringList startList = texts(control<QListWidget>(dialog, QStringLiteral("lstMaps")));
    if (kind == QLatin1String("cod4")) {
        QStringList sorted = game.maps;
        sorted.sort();
        QCOMPARE(startList, sorted);
    } else {
        QVERIFY(startList.isEmpty());
    }
}

void tst_MapsDialog::opening_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("title");
    QTest::newRow("CoD") << "cod"
                         << ""
                         << "Call of Duty - Maps";
    QTest::newRow("CoD UO") << "coduo"
                            << "English"
                            << "Call of Duty: UO - Maps";
    QTest::newRow("CoD2, German pack") << "cod2"
                                       << "Deutsch"
                                       << "Call of Duty 2 - Karten";
    QTest::newRow("CoD4") << "cod4"
                          << ""
                          << "Call of Duty 4 - Maps";
    QTest::newRow("not connected") << "noco"
                                   << ""
                                   << "";
}

// The Maps button opens the detected game's dialog, OK hides it and the menu brings the same
// window back with its lists as they were.
void tst_MapsDialog::opening()
{
    QFETCH(QString, kind);
    QFETCH(QString, lang);
    QFETCH(QString, title);
    Rig rig(FakeGame::CoD4, 20.0);
    QVERIFY(rig.main);
    rig.env.writeFile(QStringLiteral("Lang/Deutsch.ini"),
                      "[General]\r\nMaps=Karten\r\n[frmDialogCoD2Maps]\r\ncmdOK=OK\r\n");
    WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), lang);

    rig.main->setTag(kind);
    rig.main->show();
    rig.main->cmdOptionsMaps->show();
    QTest::mouseClick(rig.main->cmdOptionsMaps, Qt::LeftButton);
    if (kind == QLatin1String("noco")) {
        for (const GameTable &g : gameTables())
            QVERIFY(!Rig::window(QLatin1String(g.form)));
        return;
    }
    const GameTable game = gameTable(kind);
    QWidget *dialog = Rig::window(QLatin1String(game.form));
    QVERIFY(dialog);
    QCOMPARE(control<QLabel>(dialog, QStringLiteral("lblWindowTitle"))->text(), title);
    QCOMPARE(control<QPushButton>(dialog, game.pictures.first())->text(), QStringLiteral(">"));

    auto *rotation = control<QListWidget>(dialog, QStringLiteral("lstRotation"));
    auto *maps = control<QListWidget>(dialog, QStringLiteral("lstMaps"));
    maps->addItem(QStringLiteral("mp_extra"));
    rig.open(game, "frameMapRotation");
    clickItem(maps, maps->count() - 1);
    click(dialog, QStringLiteral("cmdAdd"));
    QCOMPARE(rotation->count(), 1);

    click(dialog, QStringLiteral("cmdOK"));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(rig.open(game), dialog);
    QCOMPARE(rotation->count(), 1);
    QCOMPARE(maps->item(maps->count() - 1)->text(), QStringLiteral("mp_extra"));
}

void tst_MapsDialog::mapButtons_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("devmap");
    QTest::addColumn<bool>("announce");
    for (const char *kind : {"cod", "coduo", "cod2", "cod4"}) {
        for (bool devmap : {false, true}) {
            for (bool announce : {true, false}) {
                QTest::addRow("%s %s %s", kind, devmap ? "devmap" : "map",
                              announce ? "announced" : "quiet")
                    << QString::fromLatin1(kind) << devmap << announce;
            }
        }
    }
}

// Each map button loads its own map (by the internal name, whatever the button is called) with
// or without cheats, announced in the game's chat unless announcements are off (CoD4 announces
// only Ambush); restart, next map and, on CoD2 and CoD4, fast restart are always announced.
void tst_MapsDialog::mapButtons()
{
    QFETCH(QString, kind);
    QFETCH(bool, devmap);
    QFETCH(bool, announce);
    const GameTable game = gameTable(kind);
    Rig rig(game.fake, 100.0);
    QVERIFY(rig.main);
    WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMess"),
              announce ? QStringLiteral("0") : QStringLiteral("1"));
    QWidget *dialog = rig.open(game, "frameMaps");
    QVERIFY(dialog);
    if (devmap)
        click(dialog, QStringLiteral("ckDevMap"));

    QStringList expected;
    for (int i = 0; i < game.maps.size(); ++i) {
        const QString &map = game.maps[i];
        if (announce && kind != QLatin1String("cod4"))
            expected << QString::fromLatin1(announcement(QStringLiteral("map changed to ") + map));
        if (announce && map == QLatin1String("mp_convoy"))
            expected << QString::fromLatin1(
                announcement(QStringLiteral("map changed to mp_convoy (Ambush)")));
        expected << (devmap ? QStringLiteral("devmap ") : QStringLiteral("map ")) + map;
        click(dialog, game.buttons[i]);
    }
    const bool fast = kind == QLatin1String("cod2") || kind == QLatin1String("cod4");
    QCOMPARE(bool(control<QPushButton>(dialog, QStringLiteral("cmdFastRestart"))), fast);
    const char *const restarts[][3] = {{"cmdRestart", "map_restart", "map restart"},
                                       {"cmdNext", "map_rotate", "next map"},
                                       {"cmdFastRestart", "fast_restart", "fast map restart"}};
    for (const auto &r : restarts) {
        if (!fast && r[1] == QByteArrayView("fast_restart"))
            continue;
        if (announce)
            expected << QString::fromLatin1(announcement(QLatin1String(r[2])));
        expected << QLatin1String(r[1]);
        click(dialog, QLatin1String(r[0]));
    }
    QTRY_COMPARE_WITH_TIMEOUT(rig.server.commands(), commandsOf(expected), 5000);
}

void tst_MapsDialog::setRotation_data()
{
    QTest::addColumn<int>("removed"); // entry removed with Remove before setting, -1 for none
    QTest::addColumn<int>("selected");
    QTest::addColumn<QByteArray>("rotation");
    QTest::newRow("nothing selected")
        << -1 << -1 << QByteArray(" gametype dm map mp_a gametype sd map mp_b ");
    QTest::newRow("second entry selected") << -1 << 1 << QByteArray("gametype sd map mp_b ");
    QTest::newRow("after removing the first entry")
        << 0 << -1 << QByteArray(" gametype sd map mp_b ");
}

// The rotation starts at the selected entry, or with a blank before the first one when nothing is
// selected (as after a removal); afterwards the first entry is selected.
void tst_MapsDialog::setRotation()
{
    QFETCH(int, removed);
    QFETCH(int, selected);
    QFETCH(QByteArray, rotation);
    const GameTable game = gameTable(QStringLiteral("cod"));
    Rig rig(game.fake, 20.0);
    QVERIFY(rig.main);
    rig.server.setReply("dir maps/mp bsp",
                        "Directory of maps/mp bsp\n---------------\nmp_a.bsp\nmp_b.bsp\n\n");
    QWidget *dialog = rig.open(game, "frameMapRotation");
    QVERIFY(dialog);
    auto *maps = control<QListWidget>(dialog, QStringLiteral("lstMaps"));
    auto *gametype = control<QComboBox>(dialog, QStringLiteral("cbGametype"));
    auto *list = control<QListWidget>(dialog, QStringLiteral("lstRotation"));
    click(dialog, QStringLiteral("cmdRetrieveRotation"));
    QTRY_COMPARE(maps->count(), 2);
    QTRY_COMPARE(rig.server.commands().size(), 2); // the listing and the "status" after it

    clickItem(maps, 0);
    click(dialog, QStringLiteral("cmdAdd"));
    gametype->setCurrentIndex(gametype->findText(QStringLiteral("Search & Destroy")));
    clickItem(maps, 1);
    click(dialog, QStringLiteral("cmdAdd"));
    QCOMPARE(texts(list), QStringList({QStringLiteral("gametype dm map mp_a"),
                                       QStringLiteral("gametype sd map mp_b")}));
    QVERIFY(list->selectedItems().isEmpty());
    if (removed >= 0) {
        clickItem(list, removed);
        QTRY_VERIFY(control<QPushButton>(dialog, QStringLiteral("cmdRemove"))->isEnabled());
        click(dialog, QStringLiteral("cmdRemove"));
        QCOMPARE(list->count(), 1);
        QVERIFY(list->selectedItems().isEmpty());
    }
    if (selected >= 0)
        clickItem(list, selected);

    rig.server.clearReceived();
    QTRY_VERIFY(control<QPushButton>(dialog, QStringLiteral("cmdSetRotation"))->isEnabled());
    click(dialog, QStringLiteral("cmdSetRotation"));
    QTRY_COMPARE(rig.server.received().size(), 1);
    QCOMPARE(rig.server.received().first().bytes, datagram("sv_maprotation\"" + rotation + '"'));
    QCOMPARE(control<QLineEdit>(dialog, QStringLiteral("txtRotation"))->text().toLatin1(),
             rotation);
    QCOMPARE(list->selectedItems(), QList<QListWidgetItem *>{list->item(0)});
}

void tst_MapsDialog::dirReplies_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("maps");
    QTest::newRow("CoD") << "cod" << QByteArray("dir maps/mp bsp")
                         << QByteArray("Directory of maps/mp bsp\n---------------\nmp_a.bsp\n"
                                       "mp_b.bsp\n\n")
                         << QStringList{"mp_a", "mp_b"};
    QTest::newRow("CoD UO") << "coduo" << QByteArray("dir maps/mp bsp")
                            << QByteArray("Directory of maps/mp bsp\n---------------\n"
                                          "mp_uo_foo.bsp\n\nmp_bar.bsp\n")
                            << QStringList{"mp_uo_foo", "mp_bar"};
    QTest::newRow("CoD2") << "cod2" << QByteArray("dir maps/mp d3dbsp")
                          << QByteArray("Directory of maps/mp d3dbsp\n---------------\n"
                                        "mp_toujane.d3dbsp\nmp_rhine.d3dbsp\n")
                          << QStringList{"mp_toujane", "mp_rhine"};
}

// The server's map files fill the rotation's map list and the list of maps to change to, and the
// dialog asks for "status" after each listing; the raw reply stays in view.
void tst_MapsDialog::dirReplies()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, maps);
    const GameTable game = gameTable(kind);
    Rig rig(game.fake, 20.0);
    QVERIFY(rig.main);
    rig.server.setReply(command, reply);
    WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMess"), QStringLiteral("1"));
    QWidget *dialog = rig.open(game, "frameMapRotation");
    QVERIFY(dialog);
    const QString shown
        = QStringLiteral("\r\n")
          + QString::fromLatin1(reply).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));

    click(dialog, QStringLiteral("cmdRetrieveRotation"));
    QTRY_COMPARE(texts(control<QListWidget>(dialog, QStringLiteral("lstMaps"))), maps);
    QTRY_COMPARE(rig.server.commands(), (QList<QByteArray>{command, "status"}));
    QCOMPARE(control<ConsoleBox>(dialog, QStringLiteral("lstRetrieveMaps"))->text(), shown);

    rig.server.clearReceived();
    rig.open(game, "frameRetrieveMaps");
    auto *changeList = control<QListWidget>(dialog, QStringLiteral("lstRetrieveMaps2"));
    click(dialog, QStringLiteral("cmdRetrieveMaps"));
    QTRY_COMPARE(texts(changeList), maps);
    QTRY_COMPARE(rig.server.commands(), (QList<QByteArray>{command, "status"}));

    rig.server.clearReceived();
    rig.open(game, "frameMaps");
    click(dialog, QStringLiteral("ckDevMap"));
    rig.open(game, "frameRetrieveMaps");
    clickItem(changeList, 1);
    click(dialog, QStringLiteral("cmdChangeMap"));
    QTRY_COMPARE(rig.server.commands(), (QList<QByteArray>{"devmap " + maps[1].toLatin1()}));
}

void tst_MapsDialog::retrieveRotation_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("rotation");
    QTest::newRow("quoted value") << QByteArray(
        "\"sv_mapRotation\" is: \"gametype sd map mp_toujane^7\" default: \"\"\n")
                                  << "gametype sd map mp_toujane^7";
    QTest::newRow("no quotes") << QByteArray("unknown command: sv_maprotation\n")
                               << "\r\nunknown command: sv_maprotation\r\n";
}

// In manual mode the current rotation is read into the text box and whatever stands there is set.
void tst_MapsDialog::retrieveRotation()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, rotation);
    const GameTable game = gameTable(QStringLiteral("cod2"));
    Rig rig(game.fake, 20.0);
    QVERIFY(rig.main);
    rig.server.setReply("sv_maprotation", reply);
    QWidget *dialog = rig.open(game, "frameMapRotation");
    QVERIFY(dialog);
    click(dialog, QStringLiteral("ckMapRotationManual"));
    click(dialog, QStringLiteral("cmdRotation"));
    auto *box = control<QLineEdit>(dialog, QStringLiteral("txtRetrieveRotation"));
    QTRY_COMPARE(box->text(), rotation);
    QCOMPARE(rig.server.commands().first(), QByteArray("sv_maprotation"));

    rig.server.clearReceived();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("gametype ctf map mp_rhine"));
    click(dialog, QStringLiteral("cmdSetManualRotation"));
    QTRY_COMPARE(rig.server.received().size(), 1);
    QCOMPARE(rig.server.received().first().bytes,
             datagram("sv_maprotation\"gametype ctf map mp_rhine\""));
}

// Manual mode switches the manual controls on and Set Rotation off; the list watcher keeps Set
// Rotation and Clear to a list with entries and Remove to a selected entry.
void tst_MapsDialog::enablingRules()
{
    const GameTable game = gameTable(QStringLiteral("cod4"));
    Rig rig(game.fake, 20.0);
    QVERIFY(rig.main);
    QWidget *dialog = rig.open(game, "frameMapRotation");
    QVERIFY(dialog);
    auto enabled = [dialog](const char *name) {
        return control<QWidget>(dialog, QLatin1String(name))->isEnabled();
    };
    const char *manual[] = {"txtRetrieveRotation", "cmdSetManualRotation", "cmdRotation"};
    for (const char *name : manual)
        QVERIFY2(!enabled(name), name);
    QTRY_VERIFY(!enabled("cmdSetRotation") && !enabled("cmdClear") && !enabled("cmdRemove"));

    click(dialog, QStringLiteral("ckMapRotationManual"));
    for (const char *name : manual)
        QVERIFY2(enabled(name), name);
    QVERIFY(!enabled("cmdSetRotation"));
    click(dialog, QStringLiteral("ckMapRotationManual"));
    for (const char *name : manual)
        QVERIFY2(!enabled(name), name);

    // CoD4's stock maps are there from the start, alphabetical; "Free For All" is dm.
    auto *list = control<QListWidget>(dialog, QStringLiteral("lstRotation"));
    auto *gametype = control<QComboBox>(dialog, QStringLiteral("cbGametype"));
    gametype->setCurrentIndex(gametype->findText(QStringLiteral("King of the Hill")));
    click(dialog, QStringLiteral("cmdAddAll"));
    QTRY_VERIFY(enabled("cmdSetRotation") && enabled("cmdClear"));
    QStringList entries = game.maps;
    entries.sort();
    for (QString &m : entries)
        m.prepend(QStringLiteral("gametype koth map "));
    gametype->setCurrentIndex(gametype->findText(QStringLiteral("Free For All")));
    clickItem(control<QListWidget>(dialog, QStringLiteral("lstMaps")), 1);
    click(dialog, QStringLiteral("cmdAdd"));
    entries << QStringLiteral("gametype dm map mp_bloc");
    QCOMPARE(texts(list), entries);
    QVERIFY(!enabled("cmdRemove"));
    clickItem(list, 2);
    QTRY_VERIFY(enabled("cmdRemove"));
    click(dialog, QStringLiteral("cmdRemove"));
    QCOMPARE(list->count(), 17);
    QCOMPARE(list->item(2)->text(), entries.at(3));
    // The removed entry takes the selection with it.
    QVERIFY(list->selectedItems().isEmpty());
    QTRY_VERIFY(!enabled("cmdRemove"));
    clickItem(list, 2);
    QTRY_VERIFY(enabled("cmdRemove"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(2)).center());
    QVERIFY(list->selectedItems().isEmpty());
    QTRY_VERIFY(!enabled("cmdRemove"));
    click(dialog, QStringLiteral("cmdClear"));
    QCOMPARE(list->count(), 0);
    QTRY_VERIFY(!enabled("cmdSetRotation") && !enabled("cmdClear"));
}

QTEST_MAIN(tst_MapsDialog)
#include "tst_mapsdialog.moc"
