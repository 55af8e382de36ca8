// The console as a model and a view: exact positions whatever the line ends, finds and
// selections in model positions, following the end, and the games' colours.
#include "TestEnv.h"
#include "platform/ConsoleBox.h"
#include "platform/ConsoleText.h"
#include "rcon/RconSession.h"

#include <QScrollBar>
#include <QTest>

class TestConsoleView : public QObject
{
    Q_OBJECT

private slots:
    void lineEndsOfEveryKindAcrossAppends()
    {
        ConsoleText text;
        // CR LF split over two datagrams, a lone CR, a lone LF.
        for (const char *piece : {"\r\nfirst\r", "\nsecond\rthird\n", "last"})
            text.append(QLatin1String(piece));
        QCOMPARE(text.text(), u"\r\nfirst\r\nsecond\rthird\nlast"_s);
        QCOMPARE(text.lineCount(), 5);
        const QStringList lines = {QString(), u"first"_s, u"second"_s, u"third"_s, u"last"_s};
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(text.mid(text.lineStart(i), text.lineLength(i)), lines.at(i));
        QCOMPARE(text.lineOf(text.text().indexOf("third"_L1)), 3);

        ConsoleBox box;
        box.setModel(&text);
        QCOMPARE(box.toPlainText(), lines.join(QLatin1Char('\n')));
        // A selection over a break hands back the break as it came.
        box.selectRange(text.text().indexOf("st\r\nsec"_L1), 7);
        QCOMPARE(box.selectedModelText(), u"st\r\nsec"_s);
        // Control bytes take a visible cell of their own.
        text.setText(u"a"_s + QChar(0) + u"b\x1b"_s);
        QCOMPARE(box.toPlainText(), u"a\u2400b\u241b"_s);
        QCOMPARE(text.size(), 4);
    }

    void findsStraddlingStorageBlocks()
    {
        ConsoleText text;
        const QString filler(1024 * 1024 - 3, QLatin1Char('x'));
        text.append(filler);
        text.append(u"needle\r\nafter Needle"_s);
        QCOMPARE(text.indexOf(u"needle"_s), filler.size());
        QCOMPARE(text.indexOf(u"needle"_s, filler.size() + 1), -1);
        QCOMPARE(text.indexOf(u"NEEDLE"_s, filler.size() + 1, Qt::CaseInsensitive),
                 text.size() - 6);
        QCOMPARE(text.mid(filler.size() - 1, 8), u"xneedle\r"_s);
        QCOMPARE(text.lineCount(), 2);
        QCOMPARE(text.longestLine(), filler.size() + 6);
    }

    void followsTheEndUnlessScrolledUp()
    {
        ConsoleBox box;
        box.resize(300, 120);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const auto appendLines = [&](int n) {
            for (int i = 0; i < n; ++i)
                box.appendText(u"\r\nline "_s + QString::number(i));
            QCoreApplication::processEvents();
        };
        QScrollBar *bar = box.verticalScrollBar();
        appendLines(50);
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(3); // the administrator reads back
        appendLines(10);
        QCOMPARE(bar->value(), 3);
        bar->setValue(bar->maximum());
        appendLines(10);
        QCOMPARE(bar->value(), bar->maximum());
    }

    // The console while the window sits in the tray: the server's text goes on arriving.
    void hiddenViewOfTheConsoleCatchesUpWhenShown()
    {
        TestProgramDir env;
        RconSession session;
        ConsoleBox box;
        box.resize(300, 60);
        box.setModel(session.console());
        session.receive("\xFF\xFF\xFF\xFFprint\nwhile never shown\n");
        box.show();
        box.hide();
        for (int i = 0; i < 20; ++i)
            session.receive("\xFF\xFF\xFF\xFFprint\nwhile hidden\n");
        box.show();
        QCOMPARE(box.verticalScrollBar()->value(), box.verticalScrollBar()->maximum());
        QVERIFY(box.verticalScrollBar()->maximum() > 0);
        QVERIFY(box.toPlainText().startsWith(u"\nwhile never shown\n\nwhile hidden"_s));
    }

    void coloursHideTheirCodesButCopyKeepsThem()
    {
        ConsoleBox box;
        box.resize(400, 100);
        box.setCodeColours({Qt::black, Qt::red});
        box.setText(u"^1Red^7Baron joined"_s);
        QCOMPARE(box.toPlainText(), u"^1Red^7Baron joined"_s);
        box.setShowColours(true);
        QCOMPARE(box.toPlainText(), u"RedBaron joined"_s);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        // The sixth cell on screen ("a" of Baron) is the model's ninth character.
        const int cell = box.fontMetrics().horizontalAdvance(QLatin1Char('M'));
        const int y = box.fontMetrics().height() / 2;
        QCOMPARE(box.positionAt(QPoint(4 + 4 * cell + cell / 4, y)), 8);
        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(4 + 2 * cell + 1, y));
        QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          QPoint(4 + 8 * cell + 1, y));
        QCOMPARE(box.selectedModelText(), u"d^7Baron"_s);
        box.selectAll();
        QCOMPARE(box.selectedModelText(), u"^1Red^7Baron joined"_s);
    }
};

QTEST_MAIN(TestConsoleView)
#include "tst_consoleview.moc"
