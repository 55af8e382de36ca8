#include "mainwindow/frmShortkeys.h"

#include "platform/Controls.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Controls;

namespace {
const QString kSection = QStringLiteral("ShortkeySay");

QString otherIni()
{
    return programPath(QStringLiteral("Other.ini"));
}
} // namespace

frmShortkeys::frmShortkeys(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmShortkeys"));
    setWindowTitle(QStringLiteral("Shortcut keys"));

    auto *grid = new QGridLayout;
    const struct
    {
        QLineEdit **box;
        const char *name;
        const char *label;
        const char *caption;
    } rows[] = {
        {&txtSay1, "txtSay1", "lblSay1", "Ctrl + keypad 3 says:"},
        {&txtSay2, "txtSay2", "lblSay2", "Ctrl + keypad 6 says:"},
        {&txtSay3, "txtSay3", "lblSay3", "Ctrl + keypad 9 says:"},
    };
    for (const auto &r : rows) {
        *r.box = field(this, r.name);
        // What the settings file gives back of a longer text.
        (*r.box)->setMaxLength(199);
        (*r.box)->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
        const int at = grid->rowCount();
        grid->addWidget(label(this, r.label, QLatin1String(r.caption)), at, 0);
        grid->addWidget(*r.box, at, 1);
    }

    auto *cmdOK = button(this, "cmdOK", QStringLiteral("OK"));
    auto *cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    auto *cmdApply = button(this, "cmdApply", QStringLiteral("Apply"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmShortkeys::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::hide);
    connect(cmdApply, &QPushButton::clicked, this, &frmShortkeys::cmdApply_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    // Once: the window is only hidden, so an edit left by Cancel is still there when it reopens.
    load();
}

void frmShortkeys::load()
{
    txtSay1->setText(ReadIni(otherIni(), kSection, QStringLiteral("Say1")));
    txtSay2->setText(ReadIni(otherIni(), kSection, QStringLiteral("Say2")));
    txtSay3->setText(ReadIni(otherIni(), kSection, QStringLiteral("Say3")));
}

void frmShortkeys::cmdApply_Click()
{
    WriteIni(otherIni(), kSection, QStringLiteral("Say1"), txtSay1->text());
    WriteIni(otherIni(), kSection, QStringLiteral("Say2"), txtSay2->text());
    WriteIni(otherIni(), kSection, QStringLiteral("Say3"), txtSay3->text());
}

void frmShortkeys::cmdOK_Click()
{
    cmdApply_Click();
    hide();
}
