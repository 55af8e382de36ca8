#include "TestEnv.h"

#include "config/Language.h"
#include "platform/Controls.h"
#include "platform/Ini.h"
#include "ui/ApplyLanguage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTest>

namespace {
const QByteArray kPack = "[frmTest]\r\nlblOne=Etikett\r\ncmdOne=Knopf\r\nckOne=Haken\r\n"
                         "optOne=Wahl\r\nframeOne=Rahmen\r\ntxtOne=Nie\r\nmnuOne=Men\xFC\r\n"
                         "mnuOneItem=Eintrag\r\n[StatusMessages]\r\nConnected=Verbunden!\r\n";

// What ApplyLanguage made of a small window with one control of each kind the packs translate
// and a text box they leave alone, in the order label, button, check box, radio button, group
// box, text box, menu, menu item.
QStringList captionsAfterApplying()
{
    using Controls::named;
    QWidget form;
    form.setObjectName(QStringLiteral("frmTest"));
    const QList<QWidget *> controls{
        Controls::label(&form, "lblOne", QStringLiteral("Label")),
        Controls::button(&form, "cmdOne", QStringLiteral("Button")),
        named(new QCheckBox(QStringLiteral("Check"), &form), "ckOne"),
        named(new QRadioButton(QStringLiteral("Radio"), &form), "optOne"),
        named(new QGroupBox(QStringLiteral("Frame"), &form), "frameOne"),
        named(new QLineEdit(QStringLiteral("Text"), &form), "txtOne")};
    QMenu *menu = Controls::menu(&form, "mnuOne", QStringLiteral("Menu"));
    QAction *item = Controls::item(menu, "mnuOneItem", QStringLiteral("Action"));
    ApplyLanguage(&form);
    QStringList out;
    for (QWidget *w : controls)
        out << w->property(qobject_cast<QGroupBox *>(w) ? "title" : "text").toString();
    return out << menu->title() << item->text();
}
} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void packs_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("text"); // of a key in StatusMessages, "Connected!" in English
        QTest::addColumn<QStringList>("captions");
        const QStringList builtIn{"Label", "Button", "Check", "Radio",
                                  "Frame", "Text",   "Menu",  "Action"};
        QTest::newRow("no pack") << QString() << QStringLiteral("Connected!") << builtIn;
        QTest::newRow("English ignores English.ini")
            << "English" << QStringLiteral("Connected!") << builtIn;
        QTest::newRow("pack text by control name, text boxes left alone")
            << "Deutsch" << QStringLiteral("Verbunden!")
            << QStringList{"Etikett", "Knopf", "Haken",     "Wahl",
                           "Rahmen",  "Text",  "Men\u00FC", "Eintrag"};
        QTest::newRow("keys missing from a pack are empty")
            << "Thin" << QString() << QStringList{"Only this", "", "", "", "", "Text", "", ""};
        QTest::newRow("a missing pack file leaves everything empty")
            << "Klingon" << QString() << QStringList{"", "", "", "", "", "Text", "", ""};
    }

    // The pack named by [Settings] Lang, read afresh on every look-up, gives the texts and the
    // captions of a window's controls by name; once a pack is active nothing falls back to
    // English.
    void packs()
    {
        QFETCH(QString, lang);
        QFETCH(QString, text);
        QFETCH(QStringList, captions);
        TestProgramDir env;
        env.writeFile(QStringLiteral("Lang/Deutsch.ini"), kPack);
        env.writeFile(QStringLiteral("Lang/Thin.ini"), "[frmTest]\r\nlblOne=Only this\r\n");
        env.writeFile(QStringLiteral("Lang/English.ini"),
                      "[frmTest]\r\ncmdOne=FILE\r\n[StatusMessages]\r\nConnected=FILE\r\n");
        const auto connected = [] {
            return LangText(QStringLiteral("StatusMessages"), QStringLiteral("Connected"),
                            QStringLiteral("Connected!"));
        };
        QCOMPARE(connected(), QStringLiteral("Connected!"));
        WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), lang);
        QCOMPARE(connected(), text);
        QCOMPARE(captionsAfterApplying(), captions);
    }

    void languageList_data()
    {
        QTest::addColumn<QStringList>("row"); // Lang, files in Lang, entries, caption's suffix
        QTest::newRow("built-in, English.ini present")
            << QStringList{"", "English.ini", "English English", " [English]"};
        QTest::newRow("pack active, listed once")
            << QStringList{"ab", "ab.ini", "ab English", " [ab]"};
        QTest::newRow("other files, not ini skipped")
            << QStringList{"English", "ab.ini notes.txt", "English ab", " [English]"};
    }

    // The preferences' language list: the active language first, then English and every pack.
    void languageList()
    {
        QFETCH(QStringList, row);
        TestProgramDir env;
        for (const QString &f : row[1].split(QLatin1Char(' ')))
            env.writeFile(QStringLiteral("Lang/") + f, "[x]\r\n");
        WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), row[0]);
        QCOMPARE(buildLanguageList().entries, row[2].split(QLatin1Char(' ')));
        QCOMPARE(buildLanguageList().frameSuffix, row[3]);
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
