#include "TestEnv.h"
#include "config/Language.h"
#include "platform/Ini.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
// A small window with one control of each kind the packs translate, and one they leave alone.
struct Window
{
    QWidget form;
    QLabel *label = new QLabel(QStringLiteral("Label"), &form);
    QPushButton *button = new QPushButton(QStringLiteral("Button"), &form);
    QCheckBox *check = new QCheckBox(QStringLiteral("Check"), &form);
    QRadioButton *radio = new QRadioButton(QStringLiteral("Radio"), &form);
    QGroupBox *frame = new QGroupBox(QStringLiteral("Frame"), &form);
    QLineEdit *text = new QLineEdit(QStringLiteral("Text"), &form);
    QMenu *menu = new QMenu(QStringLiteral("Menu"), &form);
    QAction *action = menu->addAction(QStringLiteral("Action"));

    Window()
    {
        form.setObjectName(QStringLiteral("frmTest"));
        label->setObjectName(QStringLiteral("lblOne"));
        button->setObjectName(QStringLiteral("cmdOne"));
        check->setObjectName(QStringLiteral("ckOne"));
        radio->setObjectName(QStringLiteral("optOne"));
        frame->setObjectName(QStringLiteral("frameOne"));
        text->setObjectName(QStringLiteral("txtOne"));
        menu->setObjectName(QStringLiteral("mnuOne"));
        menu->menuAction()->setObjectName(QStringLiteral("mnuOne"));
        action->setObjectName(QStringLiteral("mnuOneItem"));
    }
};

const QByteArray kPack = "[frmTest]\r\nlblOne=Etikett\r\ncmdOne=Knopf\r\nckOne=Haken\r\n"
                         "optOne=Wahl\r\nframeOne=Rahmen\r\ntxtOne=Nie\r\nmnuOne=Men\xFC\r\n"
                         "mnuOneItem=Eintrag\r\n[StatusMessages]\r\nConnected=Verbunden!\r\n";
} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void langTextFollowsTheActivePack_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no Lang key") << QString() << "Connected"
                                     << "Connected!";
        QTest::newRow("English ignores English.ini") << "English"
                                                     << "Connected"
                                                     << "Connected!";
        QTest::newRow("pack text") << "Deutsch"
                                   << "Connected"
                                   << "Verbunden!";
        QTest::newRow("pack without the key is empty") << "Deutsch"
                                                       << "Wrongpass"
                                                       << "";
        QTest::newRow("missing pack file is empty") << "Klingon"
                                                    << "Connected"
                                                    << "";
    }

    void langTextFollowsTheActivePack()
    {
        QFETCH(QString, lang);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestProgramDir env;
        env.writeFile(QStringLiteral("Lang/Deutsch.ini"), kPack);
        env.writeFile(QStringLiteral("Lang/English.ini"),
                      "[StatusMessages]\r\nConnected=FROM THE FILE\r\n");
        if (!lang.isNull())
            WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), lang);
        QCOMPARE(LangText(QStringLiteral("StatusMessages"), key,
                          key == QLatin1String("Connected") ? QStringLiteral("Connected!")
                                                            : QStringLiteral("wrong rconpassword")),
                 expected.isNull() ? QString() : expected);
    }

    void langIsReadOnEveryCall()
    {
        TestProgramDir env;
        env.writeFile(QStringLiteral("Lang/Deutsch.ini"), kPack);
        const auto text = [] {
            return LangText(QStringLiteral("StatusMessages"), QStringLiteral("Connected"),
                            QStringLiteral("Connected!"));
        };
        QCOMPARE(text(), QStringLiteral("Connected!"));
        WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), QStringLiteral("Deutsch"));
        QCOMPARE(text(), QStringLiteral("Verbunden!"));
    }

    void applyLanguageSetsCaptionsByName()
    {
        TestProgramDir env;
        env.writeFile(QStringLiteral("Lang/Deutsch.ini"), kPack);
        WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), QStringLiteral("Deutsch"));
        Window w;
        ApplyLanguage(&w.form);
        QCOMPARE(w.label->text(), QStringLiteral("Etikett"));
        QCOMPARE(w.button->text(), QStringLiteral("Knopf"));
        QCOMPARE(w.check->text(), QStringLiteral("Haken"));
        QCOMPARE(w.radio->text(), QStringLiteral("Wahl"));
        QCOMPARE(w.frame->title(), QStringLiteral("Rahmen"));
        QCOMPARE(w.menu->title(), QString::fromLatin1("Men\xFC"));
        QCOMPARE(w.action->text(), QStringLiteral("Eintrag"));
        QCOMPARE(w.text->text(), QStringLiteral("Text")); // text boxes are left alone
    }

    void applyLanguageBlanksMissingKeysAndSparesEnglish()
    {
        TestProgramDir env;
        env.writeFile(QStringLiteral("Lang/Thin.ini"), "[frmTest]\r\nlblOne=Only this\r\n");
        env.writeFile(QStringLiteral("Lang/English.ini"), "[frmTest]\r\ncmdOne=FROM THE FILE\r\n");
        {
            WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"),
                      QStringLiteral("English"));
            Window w;
            ApplyLanguage(&w.form);
            QCOMPARE(w.button->text(), QStringLiteral("Button"));
        }
        {
            WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), QStringLiteral("Thin"));
            Window w;
            ApplyLanguage(&w.form);
            QCOMPARE(w.label->text(), QStringLiteral("Only this"));
            QCOMPARE(w.button->text(), QString());
            QCOMPARE(w.menu->title(), QString());
        }
    }

    void languageList_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("built-in, English.ini present")
            << QString() << QStringList{"English.ini"} << QStringList{"English", "English"}
            << " [English]";
        QTest::newRow("pack active, listed once")
            << "ab" << QStringList{"ab.ini"} << QStringList{"ab", "English"} << " [ab]";
        QTest::newRow("other files, not ini skipped")
            << "English" << QStringList{"ab.ini", "notes.txt"} << QStringList{"English", "ab"}
            << " [English]";
    }

    void languageList()
    {
        QFETCH(QString, lang);
        QFETCH(QStringList, files);
        QFETCH(QStringList, entries);
        QFETCH(QString, suffix);
        TestProgramDir env;
        for (const QString &f : files)
            env.writeFile(QStringLiteral("Lang/") + f, "[x]\r\n");
        if (!lang.isNull())
            WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), lang);
        const LanguageList list = buildLanguageList();
        QCOMPARE(list.entries, entries);
        QCOMPARE(list.frameSuffix, suffix);
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
