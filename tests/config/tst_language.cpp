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
    form.setObjectName(u"frmTest"_s);
    const QList<QWidget *> controls{Controls::label(&form, "lblOne", u"Label"_s),
                                    Controls::button(&form, "cmdOne", u"Button"_s),
                                    named(new QCheckBox(u"Check"_s, &form), "ckOne"),
                                    named(new QRadioButton(u"Radio"_s, &form), "optOne"),
                                    named(new QGroupBox(u"Frame"_s, &form), "frameOne"),
                                    named(new QLineEdit(u"Text"_s, &form), "txtOne")};
    QMenu *menu = Controls::menu(&form, "mnuOne", u"Menu"_s);
    QAction *item = Controls::item(menu, "mnuOneItem", u"Action"_s);
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
        QTest::newRow("no pack") << QString() << u"Connected!"_s << builtIn;
        QTest::newRow("English ignores English.ini") << "English" << u"Connected!"_s << builtIn;
        QTest::newRow("pack text by control name, text boxes left alone")
            << "Deutsch" << u"Verbunden!"_s
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
        TestProgramDir env;
        env.writeFile(u"Lang/Deutsch.ini"_s, kPack);
        env.writeFile(u"Lang/Thin.ini"_s, "[frmTest]\r\nlblOne=Only this\r\n");
        env.writeFile(u"Lang/English.ini"_s,
                      "[frmTest]\r\ncmdOne=FILE\r\n[StatusMessages]\r\nConnected=FILE\r\n");
        const auto connected
            = [] { return LangText(u"StatusMessages"_s, u"Connected"_s, u"Connected!"_s); };
        QCOMPARE(connected(), u"Connected!"_s);
        WritePref(u"Settings"_s, u"Lang"_s, lang);
        QTEST(connected(), "text");
        QTEST(captionsAfterApplying(), "captions");
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
            env.writeFile(u"Lang/"_s + f, "[x]\r\n");
        WritePref(u"Settings"_s, u"Lang"_s, row[0]);
        QCOMPARE(buildLanguageList().entries, row[2].split(QLatin1Char(' ')));
        QCOMPARE(buildLanguageList().frameSuffix, row[3]);
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
