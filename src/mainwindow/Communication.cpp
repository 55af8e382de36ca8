#include "mainwindow/Communication.h"

#include "config/ChatColours.h"
#include "config/Language.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"
#include "platform/TextFile.h"
#include "rcon/Quoting.h"
#include "rcon/RconSession.h"
#include "rcon/StatusTable.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

namespace {
const char kHistoryFile[] = "Logs/Communication/Communication.log";
const char kChatLogFile[] = "Chat/pbucon.log";

QString selectPlayerTitle()
{
    return QStringLiteral("Select player...");
}
} // namespace

Communication::Communication(frmMain *main)
    : QObject(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("communication"));

    m_main->txtIngameChat->setText(QStringLiteral("\r\nThis feature is not yet available!\r\n"));

    connect(m_main->cmdCommunicationLoad, &QPushButton::clicked, this, &Communication::loadPlayers);
    connect(m_main->cmdCommunicationPlayerInfo, &QPushButton::clicked, this,
            &Communication::showPlayerInfo);
    connect(m_main->cmdCommunicationSend, &QPushButton::clicked, this, &Communication::say);
    connect(m_main->cbCommunicationSay->lineEdit(), &QLineEdit::returnPressed, this,
            &Communication::say);
    connect(m_main->cmdCommunicationSendPM, &QPushButton::clicked, this,
            &Communication::sendPrivateMessage);
    connect(m_main->cmdCommunicationAdd, &QPushButton::clicked, this,
            &Communication::addPlayerName);
    // The name goes where the administrator left the caret or selection in the say box; a click
    // that took the focus away would drop that selection first.
    m_main->cmdCommunicationAdd->setFocusPolicy(Qt::TabFocus);

    connect(m_main->cbCommunicationPlayerList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_main->lstCommunicationID->setCurrentRow(index); });
    connect(m_main->ts1, &QTabBar::currentChanged, this, &Communication::showPage);
    connect(m_main->Command2, &QPushButton::clicked, this, &Communication::showChatLog);
}

QString Communication::quote() const
{
    return m_main->txtQuotationMark->text();
}

void Communication::loadHistory()
{
    QComboBox *say = m_main->cbCommunicationSay;
    say->clear();
    QStringList lines = readLatin1Lines(programPath(QLatin1String(kHistoryFile)));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    say->addItems(lines);
    say->setCurrentIndex(-1);
}

void Communication::loadPlayers()
{
    m_main->txtConsole->clearText();
    m_main->lstCommunicationID->clear();
    m_main->cbCommunicationPlayerList->clear();

    m_main->session()->SendCommand(QStringLiteral("status"));
    Wait(1.0);

    // The window keeps answering while a long reply is folded, as it does during the wait.
    const QList<StatusRow> players
        = parseStatusTable(m_main->txtConsole->text(), [] { QCoreApplication::processEvents(); });
    for (const StatusRow &p : players) {
        m_main->lstCommunicationID->addItem(p.slot);
        m_main->cbCommunicationPlayerList->addItem(p.name);
    }
    // Nobody is picked until the administrator picks: a private message must never go to the
    // first player by accident.
    m_main->cbCommunicationPlayerList->setCurrentIndex(-1);
}

void Communication::showPlayerInfo()
{
    const QString name = m_main->cbCommunicationPlayerList->currentText();
    if (name.isEmpty()) {
        MsgBox(LangText(QStringLiteral("frmMain"), QStringLiteral("CommunicationGetInfoMessage"),
                        QStringLiteral("Select a player to show info of.")),
               MsgIcon::Information,
               LangText(QStringLiteral("frmMain"), QStringLiteral("CommunicationGetInfoMessage2"),
                        selectPlayerTitle()),
               MsgButtons::Ok, m_main);
        return;
    }
    if (quotedOrRefused(name, m_main).isEmpty())
        return;
    m_main->session()->SendCommand(QStringLiteral("dumpuser ") + quote() + name + quote());
}

void Communication::say()
{
    QComboBox *box = m_main->cbCommunicationSay;
    const QString line = box->currentText();
    const QString admin = m_main->txtServername->text();
    QString command;
    if (ReadPref(QStringLiteral("Messages"), QStringLiteral("IngameMessOnSend"))
        != QLatin1String("1"))
        command = QStringLiteral("Say ^7") + m_main->lblAppNamer->text() + QLatin1Char(' ')
                  + m_main->lblAppVersionr->text() + QStringLiteral(" ^4|| ") + admin
                  + QStringLiteral(" says: ^7") + line;
    else
        command = QStringLiteral("Say ^4") + admin + QStringLiteral(" says: ^7") + line;
    m_main->session()->SendCommand(command);

    box->addItem(line);
    appendLatin1Line(programPath(QLatin1String(kHistoryFile)), line);
    box->setCurrentIndex(-1);
    box->clearEditText();
}

void Communication::sendPrivateMessage()
{
    if (m_main->cbCommunicationPlayerList->currentText().isEmpty()) {
        MsgBox(LangText(QStringLiteral("frmMain"), QStringLiteral("CommunicationSendPMMessage"),
                        QStringLiteral("Select a player to send the PM to.")),
               MsgIcon::Information,
               LangText(QStringLiteral("frmMain"), QStringLiteral("CommunicationSendPMMessage2"),
                        selectPlayerTitle()),
               MsgButtons::Ok, m_main);
        return;
    }
    const QString code = chatColourCode(
        ReadPref(QStringLiteral("Messages"), QStringLiteral("PrivateMessageColor")));
    const QListWidgetItem *slotItem = m_main->lstCommunicationID->currentItem();
    const QString slot = slotItem ? slotItem->text() : QString();
    const QString message = QStringLiteral("^4") + m_main->lblAppNamer->text()
                            + QStringLiteral(" ^7") + m_main->lblAppVersionr->text()
                            + QStringLiteral(" ^4|| ") + m_main->txtServername->text()
                            + QStringLiteral(" ^7PM's: ") + code
                            + m_main->cbCommunicationSay->currentText();
    if (quotedOrRefused(message, m_main, QuotedText::Other).isEmpty())
        return;
    m_main->session()->SendCommand(QStringLiteral("tell ") + slot + QLatin1Char(' ') + quote()
                                   + message + quote());
}

void Communication::addPlayerName()
{
    QLineEdit *edit = m_main->cbCommunicationSay->lineEdit();
    edit->insert(m_main->cbCommunicationPlayerList->currentText());
    edit->setFocus();
}

void Communication::showPage(int tab)
{
    const bool chat = tab == 1;
    m_main->frameConsole->setVisible(!chat);
    m_main->frameIngameChat->setVisible(chat);
    m_main->Command2->setVisible(chat);
}

void Communication::showChatLog()
{
    ConsoleBox *page = m_main->txtIngameChat;
    page->setText(readLatin1File(programPath(QLatin1String(kChatLogFile))));
    // The newest lines are at the end; the caret goes there, so that keys move on from them.
    page->selectRange(page->text().size(), 0);
}
