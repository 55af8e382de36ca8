#include "mainwindow/frmSearchConsole.h"

#include "config/Language.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/Dialogs.h"
#include "platform/OnTop.h"
#include "ui/ApplyLanguage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
// Letters and the underscore make words; everything else, digits included, ends one.
bool isDelimiter(QChar c)
{
    const ushort u = c.unicode();
    return !((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_');
}
} // namespace

frmSearchConsole::frmSearchConsole(frmMain *main)
    : QDialog(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmSearchConsole"));
    setWindowTitle(QStringLiteral("Search"));
    setModal(false);

    auto *lblSearch = new QLabel(QStringLiteral("Search for:"), this);
    lblSearch->setObjectName(QStringLiteral("lblSearch"));
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    ckMatch = new QCheckBox(QStringLiteral("Match case"), this);
    ckMatch->setObjectName(QStringLiteral("ckMatch"));
    ckWhole = new QCheckBox(QStringLiteral("Whole word"), this);
    ckWhole->setObjectName(QStringLiteral("ckWhole"));
    cmdSearch = new QPushButton(QStringLiteral("Search"), this);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch->setDefault(true);
    cmdSearch->setEnabled(false);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    tmrEnable = new QTimer(this);
    tmrEnable->setObjectName(QStringLiteral("tmrEnable"));
    Clock::setInterval(tmrEnable, 100);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblSearch, 0, 0);
    grid->addWidget(txtSearch, 0, 1);
    grid->addWidget(cmdSearch, 0, 2);
    grid->addWidget(ckMatch, 1, 1);
    grid->addWidget(cmdCancel, 1, 2);
    grid->addWidget(ckWhole, 2, 1);

    connect(tmrEnable, &QTimer::timeout, this,
            [this] { cmdSearch->setEnabled(!txtSearch->text().isEmpty()); });
    connect(cmdSearch, &QPushButton::clicked, this, &frmSearchConsole::search);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::close);

    ApplyLanguage(this);
    SetOnTop(this, true);
    tmrEnable->start();
}

void frmSearchConsole::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    cmdSearch->setEnabled(!txtSearch->text().isEmpty());
}

void frmSearchConsole::search()
{
    ConsoleBox *console = m_main->txtConsole;
    const ConsoleText *text = console->model();
    const QString wanted = txtSearch->text();
    if (wanted.isEmpty() || !text)
        return;
    const Qt::CaseSensitivity cs = ckMatch->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype at = m_position <= text->size() ? text->indexOf(wanted, m_position, cs) : -1;
    if (at < 0) {
        m_position = 0; // the next search starts at the top again
        return;
    }
    const qsizetype end = at + wanted.size();
    const bool whole = (at == 0 || isDelimiter(text->at(at - 1)))
                       && (end >= text->size() || isDelimiter(text->at(end)));
    if (ckWhole->isChecked() && !whole) {
        m_position = 0;
        MsgBox(QStringLiteral("The text you are looking for can not be found."), MsgIcon::Critical,
               QStringLiteral("No results"), MsgButtons::Ok, this);
        return;
    }
    console->setFocus();
    console->selectRange(at, wanted.size());
    // Positions count from one here, so the next search begins one character after the find.
    m_position = end + 1;
}
