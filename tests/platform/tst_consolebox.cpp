#include "TestEnv.h"
#include "platform/ConsoleBox.h"
#include "rcon/RconSession.h"

#include <QTest>

class TestConsoleBox : public QObject
{
    Q_OBJECT

private slots:
    void keepsTheExactText()
    {
        ConsoleBox box;
        box.show();
        box.appendText(QStringLiteral("\r\nfirst\r\n"));
        box.appendText(QStringLiteral("second\r"));
        box.appendText(QStringLiteral("\nthird\nlone\rend") + QChar(0));
        QCOMPARE(box.text(), QStringLiteral("\r\nfirst\r\nsecond\r\nthird\nlone\rend") + QChar(0));
        // One line break for each CR LF, LF or CR, even when an append splits a CR LF; a NUL
        // cannot live in a text document and is shown as a symbol.
        QCOMPARE(box.toPlainText(),
                 QStringLiteral("\nfirst\nsecond\nthird\nlone\nend") + QChar(0x2400));
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
        box.setModel(session.console());
        session.receive("\xFF\xFF\xFF\xFFprint\nwhile never shown\n");
        box.show();
        box.hide();
        session.receive("\xFF\xFF\xFF\xFFprint\nwhile hidden\n");
        box.show();
        session.receive("\xFF\xFF\xFF\xFFprint\nshown again");
        QCOMPARE(box.toPlainText(),
                 QStringLiteral("\nwhile never shown\n\nwhile hidden\n\nshown again"));
    }

    void selectionWorksInModelPositions()
    {
        ConsoleBox box;
        box.setText(QStringLiteral("ab\r\ncd\r\nhello world\r\n"));
        box.selectRange(1, 7);
        QCOMPARE(box.textCursor().selectedText(), QStringLiteral("b\u2029cd\u2029"));
        QCOMPARE(box.selectedModelText(), QStringLiteral("b\r\ncd\r\n"));
    }
};

QTEST_MAIN(TestConsoleBox)
#include "tst_consolebox.moc"
