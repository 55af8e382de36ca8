#include "mainwindow/frmExit.h"

#include "config/AppInfo.h"
#include "config/Language.h"
#include "mainwindow/MainLifecycle.h"
#include "mainwindow/frmMain.h"
#include "ui/ApplyLanguage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmExit::frmExit(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmExit"));
    setWindowTitle(QStringLiteral("Exit ") + AppInfo::name());

    lblExit = new QLabel(QStringLiteral("Do you really want to exit?"), this);
    lblExit->setObjectName(QStringLiteral("lblExit"));
    cmdYes = new QPushButton(QStringLiteral("Yes"), this);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdNo = new QPushButton(QStringLiteral("No"), this);
    cmdNo->setObjectName(QStringLiteral("cmdNo"));
    cmdNo->setDefault(true);

    auto *icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(side, side));

    auto *question = new QHBoxLayout;
    question->addWidget(icon);
    question->addSpacing(8);
    question->addWidget(lblExit, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdYes);
    buttons->addWidget(cmdNo);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(question);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    ApplyLanguage(this);

    connect(cmdYes, &QPushButton::clicked, this, [this] {
        close();
        if (frmMain *main = frmMain::instance())
            main->lifecycle->endProgram();
    });
    connect(cmdNo, &QPushButton::clicked, this, &QDialog::close);
}
