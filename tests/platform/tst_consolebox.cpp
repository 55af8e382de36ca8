#include "platform/ConsoleBox.h"

#include <QTest>

class TestConsoleBox : public QObject
{
    Q_OBJECT

private slots:
    void keepsTheExactText()
    {
        ConsoleBox box;
        box.appendText(QStringLiteral("\r\nfirst\r\n"));
        box.appendText(QStringLiteral("second\r"));
        box.appendText(QStringLiteral("\nthird\nlone\rend"));
        QCOMPARE(box.text(), QStringLiteral("\r\nfirst\r\nsecond\r\nthird\nlone\rend"));
        // The widget shows one line break for each CR LF, LF or CR.
        box.ensureMirror();
        QCOMPARE(box.toPlainText(), QStringLiteral("\nfirst\nsecond\nthird\nlone\nend"));
        box.clearText();
        QCOMPARE(box.text(), QString());
        QCOMPARE(box.toPlainText(), QString());
    }

    void hiddenBoxCatchesUpWhenShown()
    {
        ConsoleBox box;
        box.appendText(QStringLiteral("\r\nwhile hidden\r\n"));
        box.show();
        QCOMPARE(box.toPlainText(), QStringLiteral("\nwhile hidden\n"));
        box.appendText(QStringLiteral("shown"));
        QCOMPARE(box.toPlainText(), QStringLiteral("\nwhile hidden\nshown"));
    }

    void selectionWorksInModelPositions()
    {
        ConsoleBox box;
        box.setText(QStringLiteral("ab\r\ncd\r\nhello world\r\n"));
        const int at = box.text().indexOf(QStringLiteral("world"));
        box.selectRange(at, 5);
        QCOMPARE(box.textCursor().selectedText(), QStringLiteral("world"));
        QCOMPARE(box.selectedModelText(), QStringLiteral("world"));
        box.selectRange(1, 7);
        QCOMPARE(box.selectedModelText(), QStringLiteral("b\r\ncd\r\n"));
    }

    void nulBytesAreShownNotLost()
    {
        ConsoleBox box;
        const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
        box.appendText(withNul);
        QCOMPARE(box.text(), withNul);
        box.ensureMirror();
        QCOMPARE(box.toPlainText().size(), 3);
    }
};

QTEST_MAIN(TestConsoleBox)
#include "tst_consolebox.moc"
