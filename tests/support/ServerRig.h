#pragma once

#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "rcon/RconSession.h"

#include <QAbstractItemModel>
#include <QPointer>
#include <QPushButton>

class frmMain;

// A session beside a fake game server on 127.0.0.1, in a fresh program directory on the fast
// clock, every box answered. The server takes the password "pw", the session speaks as "Admin"
// and its link is open to the server as a finished login leaves it, unless the test logs in
// itself. The window under test, made on the session, goes first; so does a window a test keeps
// in a struct derived from the rig.
struct ServerRig
{
    enum class Link { Open, Closed };

    explicit ServerRig(FakeGame game = FakeGame::CoD4, double clockSpeed = 20.0,
                       Link link = Link::Open);
    // The server plays the game of this kind ("cod" to "cod4"), and the session knows it.
    explicit ServerRig(const QString &kind, double clockSpeed = 20.0);
    ~ServerRig();

    // A control of the window under test.
    template<typename T = QPushButton> T *control(QAnyStringView name) const;
    // The main window's connection boxes filled for this server, as the administrator types them.
    void fillConnectionFields(frmMain &main) const;
    // Every command the server got until now: a marker sent after them is awaited, datagrams
    // keeping their order on loopback.
    QByteArrayList commandsUpToNow();
    // An rcon datagram for this server, byte for byte.
    static QByteArray datagram(const QByteArray &command)
    {
        return "\xFF\xFF\xFF\xFFrcon pw " + command;
    }
    // The chat line that announces a change made by the rig's administrator.
    static QByteArray announced(const QByteArray &what)
    {
        return "Say ^7Vantor " VANTOR_VERSION " ^4||^7 " + what + " by ^4Admin";
    }

    TestProgramDir env;
    DialogRecorder boxes;
    FakeGameServer server;
    RconSession session;
    QPointer<QWidget> window;
};

// A window's control by name; a missing one ends the test run with its name.
template<typename T = QPushButton> T *control(const QObject *window, QAnyStringView name)
{
    T *found = window->findChild<T *>(name.toString());
    if (!found)
        qFatal("%s has no %s %s", qPrintable(window->objectName()), T::staticMetaObject.className(),
               qPrintable(name.toString()));
    return found;
}

template<typename T> T *ServerRig::control(QAnyStringView name) const
{
    return ::control<T>(window, name);
}

// Sets controls as the administrator does: "txtName=text" types into a field, "ckName" ticks a
// box ("ckName=0" clears it), "cbName=item" chooses an item, "slrName=5" moves a slider.
void fill(const QWidget *window, const QStringList &settings);
// Clicks a button, its tab brought forward first.
void press(const QWidget *window, QAnyStringView name);
// The rows of a list, combo box or tree, their columns joined by "|".
QStringList rowsOf(const QAbstractItemModel *model);
