#include "DialogRecorder.h"
#include "TestEnv.h"

#include "mainwindow/frmMain.h"
#include "mainwindow/frmSearchConsole.h"
#include "platform/ConsoleBox.h"
#include "platform/OnTop.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class tst_SearchConsole : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTopAndEnablesSearchWithText();
    void findsInTurn_data();
    void findsInTurn();
};

namespace {
frmSearchConsole *openSearch(frmMain &main)
{
    main.mnuConsoleSearch->trigger();
    return main.findChild<frmSearchConsole *>(QStringLiteral("frmSearchConsole"));
}
} // namespace

void tst_SearchConsole::opensOnTopAndEnablesSearchWithText()
{
    TestProgramDir env(20.0);
    DialogRecorder rec;
    frmMain main;
    frmSearchConsole *w = openSearch(main);
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QVERIFY(isOnTop(w));
    auto *search = w->findChild<QPushButton *>(QStringLiteral("cmdSearch"));
    auto *text = w->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    QVERIFY(search && text);
    QVERIFY(!search->isEnabled());
    QTest::keyClicks(text, QStringLiteral("map"));
    QTRY_VERIFY_WITH_TIMEOUT(search->isEnabled(), 2000);
    text->clear();
    QTRY_VERIFY_WITH_TIMEOUT(!search->isEnabled(), 2000);

    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCOMPARE(openSearch(main), w); // the same window comes back
}

// Each row searches the console several times; a find is "start+length", a silent miss "-",
// a rejected half word "box".
void tst_SearchConsole::findsInTurn_data()
{
    QTest::addColumn<QString>("console");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QStringList>("results");

    const QString status
        = QStringLiteral("\r\nmap: mp_toujane\r\nnum score\r\n  0 Player^7 map\r\n");
    QTest::newRow("any case, then from the top again")
        << status << QStringLiteral("MAP") << false << false
        << QStringList{QStringLiteral("2+3"), QStringLiteral("43+3"), QStringLiteral("-"),
                       QStringLiteral("2+3")};
    QTest::newRow("match case") << QStringLiteral("Map map MAP") << QStringLiteral("map") << true
                                << false << QStringList{QStringLiteral("4+3"), QStringLiteral("-")};
    QTest::newRow("absent text shows nothing")
        << status << QStringLiteral("quit") << false << false
        << QStringList{QStringLiteral("-"), QStringLiteral("-")};
    QTest::newRow("whole word: first find is the end of a longer word")
        << QStringLiteral("bigmap map") << QStringLiteral("map") << false << true
        << QStringList{QStringLiteral("box"), QStringLiteral("box")};
    QTest::newRow("whole word: digits, blanks and line ends delimit")
        << QStringLiteral("1map\r\nmap_x map") << QStringLiteral("map") << false << true
        << QStringList{QStringLiteral("1+3"), QStringLiteral("box")};
    QTest::newRow("whole word at the very start and end")
        << QStringLiteral("kick") << QStringLiteral("kick") << false << true
        << QStringList{QStringLiteral("0+4"), QStringLiteral("-"), QStringLiteral("0+4")};
    QTest::newRow("the next search begins one character after a find")
        << QStringLiteral("aaaa aa") << QStringLiteral("aa") << false << false
        << QStringList{QStringLiteral("0+2"), QStringLiteral("5+2"), QStringLiteral("-")};
}

void tst_SearchConsole::findsInTurn()
{
    QFETCH(QString, console);
    QFETCH(QString, wanted);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(QStringList, results);

    TestProgramDir env(20.0);
    DialogRecorder rec;
    frmMain main;
    main.txtConsole->setText(console);
    frmSearchConsole *w = openSearch(main);
    QVERIFY(w);
    w->findChild<QLineEdit *>(QStringLiteral("txtSearch"))->setText(wanted);
    w->findChild<QCheckBox *>(QStringLiteral("ckMatch"))->setChecked(matchCase);
    w->findChild<QCheckBox *>(QStringLiteral("ckWhole"))->setChecked(wholeWord);
    auto *search = w->findChild<QPushButton *>(QStringLiteral("cmdSearch"));
    QTRY_VERIFY_WITH_TIMEOUT(search->isEnabled(), 2000);

    for (const QString &expected : results) {
        const int boxesBefore = rec.boxes.size();
        main.txtConsole->selectRange(0, 0);
        QTest::mouseClick(search, Qt::LeftButton);
        if (expected == QLatin1String("box")) {
            QCOMPARE(rec.boxes.size(), boxesBefore + 1);
            QCOMPARE(rec.last().title, QStringLiteral("No results"));
            QCOMPARE(rec.last().text,
                     QStringLiteral("The text you are looking for can not be found."));
            QCOMPARE(rec.last().icon, MsgIcon::Critical);
            QCOMPARE(main.txtConsole->selectedModelText(), QString());
        } else if (expected == QLatin1String("-")) {
            QCOMPARE(rec.boxes.size(), boxesBefore);
            QCOMPARE(main.txtConsole->selectedModelText(), QString());
        } else {
            const QStringList at = expected.split(QLatin1Char('+'));
            QCOMPARE(rec.boxes.size(), boxesBefore);
            const int start = at[0].toInt();
            QCOMPARE(main.txtConsole->selectedModelText(), console.mid(start, at[1].toInt()));
            // The widget shows each CR LF as one break.
            const int shown = start - int(console.left(start).count(QStringLiteral("\r\n")));
            QCOMPARE(main.txtConsole->textCursor().selectionStart(), shown);
            QCOMPARE(main.focusWidget(), static_cast<QWidget *>(main.txtConsole));
        }
    }
}

QTEST_MAIN(tst_SearchConsole)
#include "tst_searchconsole.moc"
