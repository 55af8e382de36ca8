#include "ServerRig.h"

#include "mainwindow/ShortcutKeys.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/KeyState.h"

#include <QAction>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

class TestKeyState : public QObject
{
    Q_OBJECT

private:
    // An X server of the test's own; -displayfd lets it pick a free display and say which.
    bool startXvfb()
    {
        const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
        if (m_xvfb.state() == QProcess::NotRunning && !xvfb.isEmpty()
            && !QStandardPaths::findExecutable(u"xdotool"_s).isEmpty()) {
            m_xvfb.start(xvfb, QStringList{"-displayfd", "1", "-nolisten", "tcp", "-noreset"});
            while (!m_xvfb.canReadLine() && m_xvfb.waitForReadyRead(10000)) {
            }
            m_display = ':' + m_xvfb.readLine().trimmed();
        }
        return m_display.size() > 1;
    }

    bool xdotool(const char *action, const QString &keys)
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, QString::fromLatin1(m_display));
        tool.setProcessEnvironment(environment);
        tool.start(u"xdotool"_s, {QString::fromLatin1(action), keys});
        return tool.waitForFinished() && tool.exitCode() == 0;
    }

    static bool are(KeyState &keys, bool down, const QList<int> &virtualKeys)
    {
        keys.refresh();
        return std::all_of(virtualKeys.begin(), virtualKeys.end(),
                           [&](int key) { return keys.isDown(key) == down; });
    }

    QProcess m_xvfb;
    QByteArray m_display;
    QString m_held;

private slots:
    void cleanup()
    {
        if (!m_held.isEmpty())
            xdotool("keyup", std::exchange(m_held, {}));
    }

    void cleanupTestCase()
    {
        m_xvfb.terminate();
        m_xvfb.waitForFinished();
    }

    void readsTheX11Keyboard_data()
    {
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<QList<int>>("down");
        QTest::addColumn<QList<int>>("up");
        QTest::newRow("Ctrl + keypad 0")
            << "Control_L+KP_0" << QList<int>{17, 96} << QList<int>{18, 45, 97};
        QTest::newRow("right Ctrl + keypad 0 without NumLock")
            << "Control_R+KP_Insert" << QList<int>{17, 96} << QList<int>{45};
        QTest::newRow("right Alt + F12")
            << "Alt_R+F12" << QList<int>{18, 123} << QList<int>{17, 122};
        QTest::newRow("keypad 9 is not PageUp") << "KP_Prior" << QList<int>{105} << QList<int>{33};
        QTest::newRow("PageUp is not keypad 9") << "Prior" << QList<int>{33} << QList<int>{105};
    }

    void readsTheX11Keyboard()
    {
        QFETCH(QString, pressed);
        QFETCH(QList<int>, down);
        QFETCH(QList<int>, up);
        if (!startXvfb())
            QSKIP("needs Xvfb and xdotool");
        KeyState keys(m_display);
        QVERIFY2(keys.isAvailable(), qPrintable(keys.unavailableReason()));
        QVERIFY(are(keys, false, down + up));
        QVERIFY(xdotool("keydown", m_held = pressed));
        QTRY_VERIFY(are(keys, true, down));
        QVERIFY(are(keys, false, up));
        QVERIFY(xdotool("keyup", std::exchange(m_held, {})));
        QTRY_VERIFY(are(keys, false, down));
    }

    // The shortcut keys read the real keyboard: a key press reaches the poll and the game server.
    void aKeyPressReachesTheServer()
    {
        if (!startXvfb())
            QSKIP("needs Xvfb and xdotool");
        ServerRig rig;
        rig.env.writeFile(u"Other.ini"_s, "[ShortkeySay]\r\nSay1=gg all\r\n");
        frmMain main(&rig.session);
        main.shortcutKeys->readKeyboardOf({});
        QVERIFY(main.sb1->panelToolTip(4).startsWith(u"Shortcut keys unavailable"));
        QVERIFY(!main.tmrShortKeys->isActive());
        main.shortcutKeys->readKeyboardOf(m_display);
        main.mnuExtraShortkeysEnable->trigger();
        QVERIFY(xdotool("keydown", m_held = u"Control_R+KP_3"_s));
        QTRY_VERIFY(!rig.server.commands().isEmpty());
        QCOMPARE(rig.server.commands().first(), QByteArray("Say gg all"));
        main.shortcutKeys->readKeyboardOf({}); // lets go of the display before it goes
    }
};

QTEST_MAIN(TestKeyState)
#include "tst_keystate.moc"
