#include "profiles/frmFirstTimeStart.h"

#include "platform/Dialogs.h"
#include "platform/Ini.h"
#include "platform/OnTop.h"
#include "platform/ProgramDir.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmFirstTimeStart::frmFirstTimeStart(QWidget *main)
    : QWidget(main, Qt::Window)
{
    setObjectName(QStringLiteral("frmFirstTimeStart"));
    setWindowTitle(QStringLiteral("Welcome!"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Handing over to the profile manager closes this window; that must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(16);
    lblWelcome
        = new QLabel(QStringLiteral("This is the first time that you're using Vantor."), this);
    lblWelcome->setObjectName(QStringLiteral("lblWelcome"));
    lblWelcome->setAlignment(Qt::AlignCenter);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(96);
    layout->addWidget(lblWelcome);
    layout->addWidget(cmdOK, 0, Qt::AlignCenter);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    setMinimumWidth(360);

    SetOnTop(this, true);
    WritePref(QStringLiteral("Settings"), QStringLiteral("FirstTimeStartup"), QStringLiteral("0"));
    playSound(programPath(QStringLiteral("Tempfiles/firststart.wav")));
}

// OK and the close button both lead on to the profile manager: the welcome has been seen, and
// closing it must not leave the program running with no window at all.
void frmFirstTimeStart::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!m_handedOver) {
        m_handedOver = true;
        // Out of the way first: the manager may open with a box that must not sit behind it.
        hide();
        // The manager opens as at any start, so a manager switched off leads to the main window.
        emit handedOver();
    }
}
