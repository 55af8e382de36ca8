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
        QCOMPARE(text.text(), QStringLiteral("\r\nfirst\r\nsecond\rthird\nlast"));
        QCOMPARE(text.lineCount(), 5);
        const QStringList lines = {QString(), QStringLiteral("first"), QStringLiteral("second"),
                                   QStringLiteral("third"), QStringLiteral("last")};
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(text.mid(text.lineStart(i), text.lineLength(i)), lines.at(i));
        QCOMPARE(text.lineOf(text.text().indexOf(QLatin1String("third"))), 3);

        ConsoleBox box;
        box.setModel(&text);
        QCOMPARE(box.toPlainText(), lines.join(QLatin1Char('\n')));
        // A selection over a break hands back the break as it came.
        box.selectRange(text.text().indexOf(QLatin1String("st\r\nsec")), 7);
        QCOMPARE(box.selectedModelText(), QStringLiteral("st\r\nsec"));
        // Control bytes take a visible cell of their own.
        text.setText(QStringLiteral("a") + QChar(0) + QStringLiteral("b\x1b"));
        QCOMPARE(box.toPlainText(), QStringLiteral("a\u2400b\u241b"));
        QCOMPARE(text.size(), 4);
    }

    void findsStraddlingStorageBlocks()
    {
        ConsoleText text;
        const QString filler(1024 * 1024 - 3, QLatin1Char('x'));
        text.append(filler);
        text.append(QStringLiteral("needle\r\nafter Needle"));
        QCOMPARE(text.indexOf(QStringLiteral("needle")), filler.size());
        QCOMPARE(text.indexOf(QStringLiteral("needle"), filler.size() + 1), -1);
        QCOMPARE(text.indexOf(QStringLiteral("NEEDLE"), filler.size() + 1, Qt::CaseInsensitive),
                 text.size() - 6);
        QCOMPARE(text.mid(filler.size() - 1, 8), QStringLiteral("xneedle\r"));
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
                box.appendText(QStringLiteral("\r\nline ") + QString::number(i));
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

    void twoViewsFollowOneModel()
    {
        ConsoleText model;
        ConsoleBox a, b;
        a.setModel(&model);
        b.setModel(&model);
        a.show();
        b.show();
        model.append(QStringLiteral("\r\none\r\n"));
        b.appendText(QStringLiteral("two"));
        for (const ConsoleBox *box : {&a, &b})
            QCOMPARE(box->toPlainText(), QStringLiteral("\none\ntwo"));
        a.clearText();
        QCOMPARE(b.toPlainText(), QString());
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
        QVERIFY(
            box.toPlainText().startsWith(QStringLiteral("\nwhile never shown\n\nwhile hidden")));
    }

    void coloursHideTheirCodesButCopyKeepsThem()
    {
        ConsoleBox box;
        box.resize(400, 100);
        box.setCodeColours({Qt::black, Qt::red});
        box.setText(QStringLiteral("^1Red^7Baron joined"));
        QCOMPARE(box.toPlainText(), QStringLiteral("^1Red^7Baron joined"));
        box.setShowColours(true);
        QCOMPARE(box.toPlainText(), QStringLiteral("RedBaron joined"));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        // The sixth cell on screen ("a" of Baron) is the model's ninth character.
        const int cell = box.fontMetrics().horizontalAdvance(QLatin1Char('M'));
        const int y = box.fontMetrics().height() / 2;
        QCOMPARE(box.positionAt(QPoint(4 + 4 * cell + cell / 4, y)), 8);
        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, QPoint(4 + 2 * cell + 1, y));
        QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          QPoint(4 + 8 * cell + 1, y));
        QCOMPARE(box.selectedModelText(), QStringLiteral("d^7Baron"));
        box.selectAll();
        QCOMPARE(box.selectedModelText(), QStringLiteral("^1Red^7Baron joined"));
    }
};

QTEST_MAIN(TestConsoleView)
#include "tst_consoleview.moc"
