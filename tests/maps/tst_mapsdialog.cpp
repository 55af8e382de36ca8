#include "ServerRig.h"

#include "maps/MapCatalogues.h"
#include "maps/MapsDialog.h"
#include "platform/ConsoleBox.h"
#include "platform/Ini.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include <memory>

namespace {
const QByteArray kBsp = "Directory of maps/mp bsp\n---------------\nmp_a.bsp\n\nmp_b.bsp\n\n";

// One game's maps dialog on a session linked to a fake server of that game.
struct Rig : ServerRig
{
    explicit Rig(const QString &kind, double clockSpeed = 20.0)
        : ServerRig(kind, clockSpeed)
    {
        window = new MapsDialog(*mapCatalogue(kind), &session);
        window->show();
    }

    // Null where this game's dialog has no such control.
    template<typename T = QWidget> T *get(const char *n) const { return window->findChild<T *>(n); }
    void click(const char *name) const { press(window, name); }
    void pick(const char *list, int row) { get<QListWidget>(list)->setCurrentRow(row); }
    QStringList texts(const char *list) const { return rowsOf(get<QListWidget>(list)->model()); }
    // The commands the server received, each checked byte for byte to be a whole rcon datagram.
    QByteArrayList sent() const
    {
        const QByteArray head = ServerRig::datagram({});
        QByteArrayList out;
        for (const ReceivedDatagram &d : server.received())
            out << (d.bytes.startsWith(head) ? d.bytes.mid(head.size()) : "not rcon: " + d.bytes);
        return out;
    }
};

// A row of commands(): the announcement said first, when there is one, then the command.
void addRow(const char *tag, const char *kind, const char *button, const char *options,
            const char *announced, const char *command)
{
    QByteArrayList sent;
    if (announced)
        sent << ServerRig::announced(announced);
    if (command)
        sent << command;
    QTest::newRow(tag) << QString::fromLatin1(kind) << QByteArray(button)
                       << QString::fromLatin1(options) << sent;
}
} // namespace

class tst_MapsDialog : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("options"); // "devmap", "quiet" (no announcements), "pick X"
        QTest::addColumn<QByteArrayList>("sent");
        addRow("map", "cod", "cmdCarentan", "", "map changed to mp_carentan", "map mp_carentan");
        addRow("the map, not the button's name", "cod2", "cmdStalingrad", "devmap",
               "map changed to mp_railyard", "devmap mp_railyard");
        addRow("announcements off", "coduo", "cmdStanjel", "quiet", nullptr, "map mp_uo_stanjel");
        addRow("CoD4 announces Ambush by its description", "cod4", "cmdAmbush", "",
               "map changed to mp_convoy (Ambush)", "map mp_convoy");
        addRow("CoD4's other maps quietly", "cod4", "cmdBacklot", "devmap", nullptr,
               "devmap mp_backlot");
        addRow("restart", "cod", "cmdRestart", "", "map restart", "map_restart");
        addRow("next map", "cod4", "cmdNext", "devmap", "next map", "map_rotate");
        addRow("fast restart", "cod2", "cmdFastRestart", "quiet", nullptr, "fast_restart");
        addRow("no fast restart on CoD", "cod", "cmdFastRestart", "", nullptr, nullptr);
        addRow("a listed map", "cod2", "cmdChangeMap", "devmap pick mp_x", "map changed to mp_x",
               "devmap mp_x");
        addRow("no listed map picked", "cod", "cmdChangeMap", "", "map changed to ", "map ");
        addRow("manual rotation", "cod4", "cmdSetManualRotation", "pick gametype dm map mp_x",
               nullptr, "sv_maprotation\"gametype dm map mp_x\"");
    }

    // Each click leaves as exact datagrams: its announcement, when it has one, then its command.
    // A picked text stands for a map chosen from the server's list or a rotation typed by hand.
    void commands()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, button);
        QFETCH(QString, options);
        QFETCH(QByteArrayList, sent);
        Rig rig(kind, 100.0);
        WritePref("Messages", "IngameMess", options.contains("quiet"_L1) ? "1" : "0");
        rig.get<QCheckBox>("ckDevMap")->setChecked(options.contains("devmap"_L1));
        const QString picked = options.section(u"pick "_s, 1);
        if (auto *list = rig.get<QListWidget>("lstRetrieveMaps2"); list && !picked.isEmpty()) {
            list->addItem(picked);
            list->setCurrentRow(0);
        }
        rig.get<QCheckBox>("ckMapRotationManual")->setChecked(true);
        rig.get<QLineEdit>("txtRetrieveRotation")->setText(picked);
        QCOMPARE(bool(rig.get(button)), !sent.isEmpty());
        if (!sent.isEmpty())
            rig.click(button);
        QTRY_COMPARE_WITH_TIMEOUT(rig.sent(), sent, 5000);
    }

    void replies_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QByteArrayList>("sent"); // the first is answered with the reply
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("shownIn");
        QTest::addColumn<QStringList>("shown");
        const struct
        {
            const char *kind, *button, *sent;
            QByteArray reply;
            const char *shownIn, *shown;
        } rows[] = {
            {"cod", "cmdRetrieveRotation", "dir maps/mp bsp|status", kBsp, "lstMaps", "mp_a|mp_b"},
            {"coduo", "cmdRetrieveMaps", "dir maps/mp bsp|status", kBsp, "lstRetrieveMaps2",
             "mp_a|mp_b"},
            {"cod2", "cmdRetrieveRotation", "dir maps/mp d3dbsp|status",
             "Directory of maps/mp d3dbsp\n---------------\nmp_toujane.d3dbsp\nmp_rhine.d3dbsp\n",
             "lstMaps", "mp_toujane.d3|mp_rhine.d3"},
            {"cod2", "cmdRotation", "sv_maprotation",
             "\"sv_mapRotation\" is: \"gametype sd map mp_toujane^7\" default: \"\"\n",
             "txtRetrieveRotation", "gametype sd map mp_toujane^7"},
        };
        for (const auto &r : rows)
            QTest::addRow("%s %s", r.kind, r.button)
                << QString::fromLatin1(r.kind) << QByteArray(r.button)
                << QByteArray(r.sent).split('|') << r.reply << QByteArray(r.shownIn)
                << QString::fromLatin1(r.shown).split(QLatin1Char('|'));
        QTest::newRow("cod2 cmdRetrieveRotation, whole extension")
            << u"cod2"_s << QByteArray("cmdRetrieveRotation")
            << QByteArrayList{"dir maps/mp d3dbsp", "status"} << rows[2].reply
            << QByteArray("lstMaps") << QStringList{"mp_toujane", "mp_rhine"};
    }

    // Replies as the servers write them fill the lists and the rotation box; a listing stays in
    // view as it came and is followed by a "status". Four characters are cut off each listed
    // file, a whole ".d3dbsp" only where the preference asks for it.
    void replies()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, button);
        QFETCH(QByteArrayList, sent);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, shownIn);
        QFETCH(QStringList, shown);
        Rig rig(kind);
        WritePref("Maps", "CutWholeExtension", QString::number(shown.contains(u"mp_toujane"_s)));
        rig.server.setReply(sent.first(), reply);
        rig.get<QCheckBox>("ckMapRotationManual")->setChecked(true);
        rig.click(button);
        const auto *box = rig.get<QLineEdit>(shownIn);
        QTRY_COMPARE(box ? QStringList{box->text()} : rig.texts(shownIn), shown);
        QTRY_COMPARE(rig.sent(), sent);
        if (!box)
            QCOMPARE(rig.get<ConsoleBox>("lstRetrieveMaps")->text(),
                     "\r\n" + QString::fromLatin1(reply).replace(u"\n"_s, "\r\n"));
    }

    // Manual mode swaps Set Rotation for the manual controls; the list watcher keeps Set Rotation
    // and Clear to a list with entries and Remove to a selected entry. CoD4's maps are packed
    // where "dir" cannot list them, so its rotation list starts with its stock maps, and its
    // first gametype, "Free For All", is dm. The rotation set starts at the selected entry, or
    // with a blank before the first one when nothing is selected; then the first is selected.
    void rotationList()
    {
        Rig rig(u"cod4"_s);
        const auto on = [&rig](const char *name) { return rig.get(name)->isEnabled(); };
        QTRY_VERIFY(!on("cmdSetRotation") && !on("cmdClear") && !on("cmdRemove"));
        QVERIFY(!on("txtRetrieveRotation") && !on("cmdRotation") && !on("cmdSetManualRotation"));
        rig.get<QCheckBox>("ckMapRotationManual")->setChecked(true);
        QVERIFY(on("txtRetrieveRotation") && on("cmdRotation") && on("cmdSetManualRotation"));
        QVERIFY(!on("cmdSetRotation") && !rig.get("cmdRetrieveRotation"));
        rig.get<QCheckBox>("ckMapRotationManual")->setChecked(false);

        const QStringList maps = rig.texts("lstMaps");
        QVERIFY(std::is_sorted(maps.cbegin(), maps.cend()) && maps.size() == 17);
        rig.click("cmdAdd"); // nothing picked, nothing added
        rig.pick("lstMaps", 1);
        rig.click("cmdAdd");
        rig.get<QComboBox>("cbGametype")->setCurrentText(u"King of the Hill"_s);
        rig.click("cmdAddAll");
        QTRY_VERIFY(on("cmdSetRotation") && on("cmdClear") && !on("cmdRemove"));
        QStringList entries{"gametype dm map " + maps[1]};
        for (const QString &map : maps)
            entries << "gametype koth map " + map;
        QCOMPARE(rig.texts("lstRotation"), entries);

        rig.pick("lstRotation", 2);
        QTRY_VERIFY(on("cmdRemove"));
        rig.click("cmdRemove");
        entries.removeAt(2);
        QCOMPARE(rig.texts("lstRotation"), entries);
        QTRY_VERIFY(!on("cmdRemove")); // the selection went with the entry
        const auto from = [&entries](int i) { return entries.mid(i).join(' ').toLatin1() + ' '; };
        rig.click("cmdSetRotation");
        rig.pick("lstRotation", 3);
        rig.click("cmdSetRotation");
        QTRY_COMPARE(rig.sent(), QByteArrayList({"sv_maprotation\" " + from(0) + '"',
                                                 "sv_maprotation\"" + from(3) + '"'}));
        QCOMPARE(rig.get<QLineEdit>("txtRotation")->text().toLatin1(), from(3));
        QCOMPARE(rig.get<QListWidget>("lstRotation")->currentRow(), 0);
        rig.click("cmdClear");
        QTRY_VERIFY(!on("cmdSetRotation") && !on("cmdClear"));
    }
};

QTEST_MAIN(tst_MapsDialog)
#include "tst_mapsdialog.moc"
