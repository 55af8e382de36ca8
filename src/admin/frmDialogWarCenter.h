#pragma once

#include <QList>
#include <QWidget>

#include <array>

struct WarPanel;
enum class WarValue;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;
class RconSession;

// Sets the server up for a clan match in one action: the administrator fills in a password,
// limits, a few match options and the first map, and one button sends the whole set-up, one
// command every 700 ms, ending with the map change. Search and Destroy and Team Deathmatch each
// have their own tab, sequence and timer, and run independently.
class frmDialogWarCenter : public QWidget
{
    Q_OBJECT
public:
    explicit frmDialogWarCenter(RconSession *session, QWidget *parent = nullptr);

private:
    struct Panel
    {
        const WarPanel *table = nullptr;
        QList<QLineEdit *> fields; // in the table's order
        QList<QCheckBox *> checkBoxes;
        QComboBox *map = nullptr;
        QPushButton *set = nullptr;
        QTimer *timer = nullptr;
        QProgressBar *progress = nullptr; // its value is the step last sent
    };

    QWidget *buildPanel(Panel &panel, const WarPanel &table);
    void cmdGetMaps_Click(Panel &panel);
    void cmdSet_Click(Panel &panel);
    void tmrSet_Timer(Panel &panel);
    bool validate(Panel &panel);
    // What a step sends after its command, as the panel shows it at that step.
    QString valueOf(const Panel &panel, WarValue value) const;

    RconSession *m_session;
    QTabWidget *ts1 = nullptr;
    std::array<Panel, 2> m_panels; // SD, TDM
};
