#pragma once

#include <QObject>

class frmMain;

// "Auto-PB screenshots": every N seconds (30 or more) PunkBuster is told to take a screenshot of
// every player ("pb_sv_getss"). The progress bar counts the seconds of the current period, the
// counter the requests sent since the program started.
class AutoScreenshots : public QObject
{
    Q_OBJECT
public:
    // Makes the frame with its controls among the main window's and wires them.
    explicit AutoScreenshots(frmMain *main);

    static constexpr int kShortestPeriod = 30;

    bool isRunning() const;

    // Start refuses a period under 30 seconds with a box; starting what runs already changes
    // nothing, so a held shortcut key does not restart the count on every poll.
    void cmdAutoPBSSStart_Click();
    void cmdAutoPBSSStop_Click();
    void tmrAutoPBSS_Timer();

private:
    frmMain *m_main;
};
