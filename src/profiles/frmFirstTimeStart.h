#pragma once

#include <QWidget>

class QCloseEvent;
class QLabel;
class QPushButton;

// The welcome shown on the very first start, before the profile manager.
class frmFirstTimeStart : public QWidget
{
    Q_OBJECT
public:
    explicit frmFirstTimeStart(QWidget *main);

    QLabel *lblWelcome = nullptr;
    QPushButton *cmdOK = nullptr;

signals:
    // The welcome has been seen: the program goes on as at any other start.
    void handedOver();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_handedOver = false;
};
