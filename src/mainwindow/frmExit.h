#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Asks before the program ends from the tray.
class frmExit : public QDialog
{
    Q_OBJECT
public:
    explicit frmExit(QWidget *parent = nullptr);

    QLabel *lblExit = nullptr;
    QPushButton *cmdYes = nullptr;
    QPushButton *cmdNo = nullptr;
};
