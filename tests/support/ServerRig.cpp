#include "ServerRig.h"

#include "mainwindow/frmMain.h"
#include "platform/UdpLink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

ServerRig::ServerRig(FakeGame game, double clockSpeed, Link link)
    : env(clockSpeed)
    , server(game)
{
    server.setPassword("pw");
    if (!server.start())
        qFatal("the fake game server found no port on 127.0.0.1");
    session.setPassword(u"pw"_s);
    session.setAdminName(u"Admin"_s);
    if (link == Link::Closed)
        return;
    session.link()->setRemoteHost(u"127.0.0.1"_s);
    session.link()->setRemotePort(server.port());
    session.link()->open();
}

ServerRig::ServerRig(const QString &kind, double clockSpeed)
    : ServerRig(fakeGameFromName(kind), clockSpeed)
{
    session.setGameKind(kind);
}

ServerRig::~ServerRig()
{
    delete window;
    session.link()->close();
    server.stop();
}

void ServerRig::fillConnectionFields(frmMain &main) const
{
    fill(&main, {u"txtServerIP=127.0.0.1"_s, u"txtServerPORT="_s + QString::number(server.port()),
                 u"txtServerRCON=pw"_s, u"txtServername=Admin"_s});
}

QByteArrayList ServerRig::commandsUpToNow()
{
    session.SendCommand(u"marker"_s);
    if (!QTest::qWaitFor([this] { return server.commands().endsWith("marker"); }))
        return {"the marker never arrived"};
    return server.commands().mid(0, server.commands().size() - 1);
}

void fill(const QWidget *window, const QStringList &settings)
{
    for (const QString &setting : settings) {
        const QString name = setting.section(u'=', 0, 0), value = setting.section(u'=', 1);
        if (name.startsWith(u"ck"))
            control<QCheckBox>(window, name)->setChecked(value != u"0");
        else if (name.startsWith(u"cb"))
            control<QComboBox>(window, name)->setCurrentText(value);
        else if (name.startsWith(u"slr"))
            control<QSlider>(window, name)->setValue(value.toInt());
        else
            control<QLineEdit>(window, name)->setText(value);
    }
}

void press(const QWidget *window, QAnyStringView name)
{
    auto *button = control<QAbstractButton>(window, name);
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(button))
                tabs->setCurrentIndex(i);
        }
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList rowsOf(const QAbstractItemModel *model)
{
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(r, c).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}
