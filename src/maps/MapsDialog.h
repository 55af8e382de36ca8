#pragma once

#include <QWidget>

struct MapCatalogue;
struct MapEntry;
class ConsoleBox;
class MapImageList;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTimer;
class RconSession;

// One game's maps dialog: change the running map, restart or advance it, and read, build and set
// the server's map rotation. The four games share this window; their catalogue decides the map
// buttons, the gametypes and which tabs and buttons exist.
class MapsDialog : public QWidget
{
    Q_OBJECT
public:
    MapsDialog(const MapCatalogue &catalogue, RconSession *session, QWidget *parent = nullptr);

    const MapCatalogue &catalogue() const { return m_catalogue; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *buildMapsTab();
    QWidget *buildRetrieveMapsTab();
    QWidget *buildRotationTab();

    // Maps tab.
    void mapButton_Click(const MapEntry &map);
    void pictureButton_Click(int index);
    void cmdRestart_Click();
    void cmdNext_Click();
    void cmdFastRestart_Click();
    QString mapCommandPrefix() const;

    // Retrieve Maps tab.
    void cmdRetrieveMaps_Click();
    void tmrRetrieveMaps_Timer();
    void cmdChangeMap_Click();

    // Map Rotation tab.
    void cmdRetrieveRotation_Click();
    void cmdAdd_Click();
    void cmdAddAll_Click();
    void cmdRemove_Click();
    void cmdClear_Click();
    void cmdSetRotation_Click();
    void cmdRotation_Click();
    void cmdSetManualRotation_Click();
    void ckMapRotationManual_Click();
    void tmrCheckRotationList_Timer();
    QString rotationEntry(const QString &map) const; // empty when the gametype is unknown

    const MapCatalogue &m_catalogue;
    RconSession *m_session;
    MapImageList *picsMAPS = nullptr;

    QLabel *lblWindowTitle = nullptr;
    QTabWidget *ts1 = nullptr;

    QLabel *pMaps = nullptr;
    QLabel *lblMapInfo = nullptr;
    QCheckBox *ckDevMap = nullptr;

    ConsoleBox *lstRetrieveMaps = nullptr;
    QListWidget *lstRetrieveMaps2 = nullptr;
    QTimer *tmrRetrieveMaps = nullptr;

    QComboBox *cbGametype = nullptr;
    QListWidget *lstMaps = nullptr;
    QListWidget *lstRotation = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdSetRotation = nullptr;
    QLineEdit *txtRotation = nullptr;
    QPushButton *cmdRotation = nullptr;
    QLineEdit *txtRetrieveRotation = nullptr;
    QCheckBox *ckMapRotationManual = nullptr;
    QPushButton *cmdSetManualRotation = nullptr;
    QTimer *tmrCheckRotationList = nullptr;
};
