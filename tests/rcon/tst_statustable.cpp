#include "rcon/StatusTable.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
// A reply as the console holds it after "status": the echo of the command, then the server's
// lines with CR LF ends.
QString console(const QStringList &replyLines)
{
    return QStringLiteral("\r\n----------------------\r\n[12:00:00] status\r\n"
                          "----------------------\r\n")
           + replyLines.join(u"\r\n"_s) + u"\r\n"_s;
}

const QString kHeading = QStringLiteral(
    "num score ping guid   name            lastmsg address               qport rate");
const QString kRule = QStringLiteral(
    "--- ----- ---- ------ --------------- ------- --------------------- ----- -----");

QStringList slotsAndNames(const QList<StatusRow> &rows)
{
    QStringList out;
    for (const StatusRow &r : rows)
        out << r.slot + QLatin1Char('|') + r.name;
    return out;
}
} // namespace

class tst_StatusTable : public QObject
{
    Q_OBJECT
private slots:
    void players_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");

        // CoD, UO and CoD2 print their rows with right-aligned numbers and names padded to 16.
        QTest::newRow("cod2 names with blanks and colours")
            << console({u"map: mp_toujane"_s, kHeading, kRule,
                        QStringLiteral("  0    12 ZMBI 123456 Big Player^7         50 "
                                       "192.168.0.10:28960    12345 25000"),
                        QStringLiteral("  1     3   60 234567 ^1Red^7Baron^7       10 "
                                       "10.0.0.2:28960        2222 20000"),
                        QStringLiteral("  2     0  999 345678 The  Long   One^7     0 "
                                       "10.0.0.3:-27419       3333  5000"),
                        QString()})
            << QStringList{"0|Big Player^7", "1|^1Red^7Baron^7", "2|The Long One^7"};

        // CoD4 prints a 32-wide guid column, so its rule is not the one the list looks for: reading
        // starts at the 81st character and the heading and rule lines fall out as non-rows. A bot
        // has no guid and drops out with them.
        QTest::newRow("cod4 without the usual rule") << console(
            {u"map: mp_crash"_s,
             QStringLiteral("num score ping guid                             name            "
                            "lastmsg address               qport rate"),
             QStringLiteral("--- ----- ---- -------------------------------- --------------- "
                            "------- --------------------- ----- -----"),
             QStringLiteral("  0    20   35 0123456789abcdef0123456789abcdef Sniper Wolf^7"
                            "        0 192.168.0.20:28960    11111 25000"),
             QStringLiteral("  1     0    0                                  Bot0^7"
                            "               0 bot                       0 25000"),
             QStringLiteral("  2     5   80 fedcba9876543210fedcba9876543210 ^3x^7"
                            "                 50 10.1.1.1:28960        22222 25000"),
             QString()}) << QStringList{"0|Sniper Wolf^7", "2|^3x^7"};

        // The rows begin at the 81st character when the rule is missing, whatever stands there.
        const QString filler(80, QLatin1Char('x'));
        QTest::newRow("no rule: from character 81")
            << filler + u"\r\n  4    1   20 1 Alpha^7 0 1.2.3.4:1 5 6\r\n"_s
            << QStringList{"4|Alpha^7"};
        QTest::newRow("no rule: a row that starts before character 81 is lost")
            << u"\r\n  4    1   20 1 Alpha^7 0 1.2.3.4:1 5 6"_s + filler
                   + u"\r\n  5    1   20 1 Beta^7 0 1.2.3.4:1 5 6\r\n"_s
            << QStringList{"5|Beta^7"};
    }

    void players()
    {
        QFETCH(QString, text);
        QTEST(slotsAndNames(parseStatusTable(text)), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_StatusTable)
#include "tst_statustable.moc"
