#pragma once

#include "settings/SettingRows.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <span>

class QGridLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTimer;
class RconSession;

// What the general and the per-game settings dialogs share: setting rows turned into named
// controls that send their commands through the session, the bold mark of a group's current
// button, the connection watch, and the retrieval that reads the server's values back one
// variable at a time.
//
// The retrieval is a step machine on a 300 ms timer: an odd step clears the reply buffer and asks
// for one variable, the even step after it reads the buffer's whole text. Replies are never
// matched to requests, so whatever reached the buffer in between is read in the variable's place.
class SettingsWindow : public QWidget
{
    Q_OBJECT
public:
    RconSession *session() const { return m_session; }

    // Enabled while the link is open and disabled while it is closed, beside the retrieve button;
    // only in dialogs that watch the connection.
    void watchConnection(QWidget *control);

    // One variable to read and the controls its value fills (group stems, field or slider names).
    struct Read
    {
        QString query;
        QStringList targets;
    };
    // The reads of a retrieval on the connected game, and where it ends: after `lastStep` ticks,
    // or (endsWithLastRead) in the tick of the last read, which then counts as the last step.
    struct RetrievalPlan
    {
        QList<Read> reads;
        int lastStep = 0;
        bool endsWithLastRead = false;
    };
    virtual RetrievalPlan retrievalPlan() const = 0;

protected:
    SettingsWindow(RconSession *session, const char *formName, QWidget *parent);

    // The rows' controls, made as children of `frame`, in a layout for the caller to place.
    QLayout *layoutRows(QWidget *frame, std::span<const SettingRow> rows);
    // Puts the title, the body and the retrieval line together and applies the language pack;
    // the last step of a dialog's constructor.
    void finishWindow(QWidget *body, const QString &title);
    void startConnectionWatch();

    bool isCoD2OrCoD4() const;
    virtual QString quoteMark() const;
    // The text in quote marks; empty, after a box that says why, when the text holds a quote mark
    // itself: the server would end the value there and read the rest as further words.
    QString quoted(const QString &text);

    QLabel *lblWindowTitle = nullptr;
    QPushButton *cmdGetServerInfo = nullptr;
    QProgressBar *pbGetServerInfo = nullptr;
    QLabel *lblGetServerInfo = nullptr;
    QPushButton *cmdOK = nullptr;
    QTimer *tmrCheckIfConnected = nullptr;
    QTimer *tmrGetServerInfo = nullptr;

private:
    struct Group
    {
        const SettingRow *row = nullptr;
        QList<QPushButton *> buttons;
    };

    void addGroupRow(QWidget *owner, QGridLayout *grid, int line, const SettingRow &row);
    void addValueRow(QWidget *owner, QGridLayout *grid, int line, const SettingRow &row);
    void choice_Click(const QString &stem, int index);
    void cmdSet_Click(const SettingRow &row);
    void cmdRemove_Click(const SettingRow &row);
    void cmdGetServerInfo_Click();
    void tmrGetServerInfo_Timer();
    void tmrCheckIfConnected_Timer();
    void endRetrieval();
    void fill(const QString &target, const QString &value);
    void markGroup(const Group &group, int index);
    QString fieldCommand(const SettingRow &row); // empty: nothing to send

    RconSession *m_session;
    QHash<QString, Group> m_groups;
    QHash<QString, QLineEdit *> m_fields;
    QHash<QString, QSlider *> m_sliders;
    QList<QPair<QSlider *, QLabel *>> m_sliderPositions;
    QList<QPointer<QWidget>> m_watched;

    QList<Read> m_reads;
    int m_step = 0;
    int m_lastStep = 0;
    bool m_endsWithLastRead = false;
};
