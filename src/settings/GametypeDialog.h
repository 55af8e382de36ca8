#pragma once

#include <QWidget>

struct GametypeButton;
struct GametypeTab;
struct GametypeTable;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTabWidget;
class RconSession;

// One game's gametype dialog: switches the server's gametype and sets each gametype's limits and
// timings. It only sends; the server's values are never read back. The four games share this
// window; their table decides the buttons, the tabs and the fields.
class GametypeDialog : public QWidget
{
    Q_OBJECT
public:
    GametypeDialog(const GametypeTable &table, RconSession *session, QWidget *parent = nullptr);

    const GametypeTable &table() const { return m_table; }

private:
    QWidget *buildGametypeTab();
    QWidget *buildTab(const GametypeTab &tab);
    void addEntry(QWidget *frame, QGridLayout *grid, const QByteArray &stem, const QString &label,
                  const QString &prefix, const QString &defaultText);
    void addTick(QWidget *frame, QGridLayout *grid, const QByteArray &stem, const QString &label,
                 const QString &prefix);

    void gametype_Click(const GametypeButton &button);
    void cmdSetEntry_Click(const QString &prefix, const QLineEdit *text);
    void cmdSetTick_Click(const QString &prefix, const QCheckBox *box);

    const GametypeTable &m_table;
    RconSession *m_session;

    QLabel *lblWindowTitle = nullptr;
    QTabWidget *ts1 = nullptr;
};
