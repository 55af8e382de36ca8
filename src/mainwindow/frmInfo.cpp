#include "mainwindow/frmInfo.h"

#include "config/AppInfo.h"
#include "config/Language.h"
#include "platform/Controls.h"
#include "ui/ApplyLanguage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Controls;

frmInfo::frmInfo(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("About ") + AppInfo::name());

    auto *title = label(this, "lblTitle", AppInfo::name());
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    lblVersion = label(this, "lblVersion", QStringLiteral("Version"));
    auto *purpose = label(this, "lblPurpose",
                          QStringLiteral("Remote administration for Call of Duty, Call of Duty: "
                                         "United Offensive, Call of Duty 2 and Call of Duty 4 "
                                         "servers."));
    purpose->setWordWrap(true);
    auto *credits
        = label(this, "lblCredits", QStringLiteral("Written by the Vantor developers, with Qt."));
    credits->setWordWrap(true);
    auto *thanks = label(this, "lblThanks",
                         QStringLiteral("Thanks to every server administrator who reported a bug "
                                        "or sent a language pack."));
    thanks->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(lblVersion);
    layout->addSpacing(8);
    layout->addWidget(purpose);
    layout->addWidget(credits);
    layout->addWidget(thanks);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    ApplyLanguage(this);
    lblVersion->setText(lblVersion->text() + QLatin1Char(' ') + AppInfo::version());

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
}
