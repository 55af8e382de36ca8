#pragma once

#include <QWidget>

class QCloseEvent;
class QLabel;
class QPushButton;
class frmMain;

// The welcome shown on the very first start, before the profile manager.
class frmFirstTimeStart : public QWidget
{
    Q_OBJECT
public:
    explicit frmFirstTimeStart(frmMain *main);

    QLabel *lblWelcome = nullptr;
    QPushButton *cmdOK = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    frmMain *m_main;
    bool m_handedOver = false;
};
