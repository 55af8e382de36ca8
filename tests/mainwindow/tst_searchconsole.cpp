#include "DialogRecorder.h"
#include "TestEnv.h"

#include "mainwindow/frmMain.h"
#include "mainwindow/frmSearchConsole.h"
#include "platform/ConsoleBox.h"
#include "platform/OnTop.h"
#include "rcon/RconSession.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class tst_SearchConsole : public QObject
{
    Q_OBJECT
private slots:
    void findsInTurn_data()
    {
        // The console, the text wanted, "case" or "whole" or nothing, then what each search in
        // turn finds: "start+length", a silent miss "-", or a half word refused "box".
        QTest::addColumn<QStringList>("row");
        QTest::newRow("any case, then from the top again")
            << QStringList{"\r\nmap: mp_toujane\r\nnum score\r\n  0 Player^7 map\r\n",
                           "MAP",
                           "",
                           "2+3",
                           "43+3",
                           "-",
                           "2+3"};
        QTest::newRow("match case") << QStringList{"Map map MAP", "map", "case", "4+3", "-"};
        QTest::newRow("whole word: the first find ends a longer word")
            << QStringList{"bigmap map", "map", "whole", "box", "box"};
        QTest::newRow("whole word: digits, blanks and line ends delimit")
            << QStringList{"1map\r\nmap_x map", "map", "whole", "1+3", "box"};
        QTest::newRow("whole word at the very start and end")
            << QStringList{"kick", "kick", "whole", "0+4", "-", "0+4"};
        QTest::newRow("the next search begins one character after a find")
            << QStringList{"aaaa aa", "aa", "", "0+2", "5+2", "-"};
    }

    // The search window stays on top and searches the console's exact text, selecting each
    // find in the view and giving the console the focus.
    void findsInTurn()
    {
        QFETCH(QStringList, row);
        const QString console = row[0];
        TestProgramDir env(20.0);
        DialogRecorder rec;
        RconSession session;
        frmMain main(&session);
        main.txtConsole->setText(console);
        main.mnuConsoleSearch->trigger();
        auto *w = main.findChild<frmSearchConsole *>(u"frmSearchConsole"_s);
        QVERIFY(w && w->isVisible() && isOnTop(w));
        QVERIFY(!w->cmdSearch->isEnabled());
        QTest::keyClicks(w->txtSearch, row[1]);
        w->ckMatch->setChecked(row[2] == "case"_L1);
        w->ckWhole->setChecked(row[2] == "whole"_L1);
        QTRY_VERIFY(w->cmdSearch->isEnabled());
        for (const QString &expected : row.mid(3)) {
            const int boxesBefore = rec.boxes.size();
            main.txtConsole->selectRange(0, 0);
            QTest::mouseClick(w->cmdSearch, Qt::LeftButton);
            QCOMPARE(rec.boxes.size(), boxesBefore + (expected == "box"_L1 ? 1 : 0));
            const QStringList at = expected.split(QLatin1Char('+'));
            if (at.size() < 2) {
                QCOMPARE(main.txtConsole->selectedModelText(), QString());
                continue;
            }
            const int start = at[0].toInt();
            QCOMPARE(main.txtConsole->selectedModelText(), console.mid(start, at[1].toInt()));
            QCOMPARE(main.txtConsole->selectionStart(), start);
            QCOMPARE(main.focusWidget(), static_cast<QWidget *>(main.txtConsole));
        }
        w->txtSearch->clear();
        QTRY_VERIFY(!w->cmdSearch->isEnabled());
        QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        main.mnuConsoleSearch->trigger();
        QCOMPARE(main.findChild<frmSearchConsole *>(), w); // the same window comes back
    }
};

QTEST_MAIN(tst_SearchConsole)
#include "tst_searchconsole.moc"
