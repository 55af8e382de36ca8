#include "profiles/frmRestoreDirectory.h"

#include "platform/Controls.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Controls;

namespace {
const QString kUp = QStringLiteral("..");
}

frmRestoreDirectory::frmRestoreDirectory(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmRestoreDirectory"));
    setWindowTitle(QStringLiteral("Old Vantor directory"));
    setAttribute(Qt::WA_QuitOnClose, false);

    drvRestore = comboBox(this, "drvRestore");
    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo &drive : drives)
        drvRestore->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()),
                            drive.absoluteFilePath());
    dirRestore = listBox(this, "dirRestore");
    lblRestorePath = label(this, "lblRestorePath");
    lblRestorePath->setWordWrap(true);
    cmdOK = button(this, "cmdOK", QStringLiteral("OK"));
    cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdOK->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(drvRestore);
    layout->addWidget(lblRestorePath);
    layout->addWidget(dirRestore, 1);
    layout->addLayout(buttons);
    resize(360, 420);

    connect(drvRestore, &QComboBox::activated, this, &frmRestoreDirectory::drvRestore_Change);
    connect(dirRestore, &QListWidget::itemActivated, this, &frmRestoreDirectory::dirRestore_Open);
    connect(cmdOK, &QPushButton::clicked, this, &frmRestoreDirectory::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::hide);

    // The system drive's root, where older installations were usually put.
    setCurrentPath(QDir::rootPath());
}

void frmRestoreDirectory::setCurrentPath(const QString &path)
{
    const QDir dir(path);
    if (!dir.exists())
        return;
    m_path = dir.absolutePath();
    lblRestorePath->setText(QDir::toNativeSeparators(m_path));
    // The drive the folder lies on: the longest root that starts its path.
    int drive = -1;
    for (int i = 0; i < drvRestore->count(); ++i) {
        const QString root = drvRestore->itemData(i).toString();
        if (m_path.startsWith(root, Qt::CaseInsensitive)
            && (drive < 0 || root.size() > drvRestore->itemData(drive).toString().size()))
            drive = i;
    }
    if (drive >= 0)
        drvRestore->setCurrentIndex(drive);

    dirRestore->clear();
    if (!dir.isRoot())
        dirRestore->addItem(kUp);
    dirRestore->addItems(
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
}

QString frmRestoreDirectory::chosenPath() const
{
    const QListWidgetItem *item = dirRestore->currentItem();
    if (!item || !item->isSelected() || item->text() == kUp)
        return QDir::toNativeSeparators(m_path);
    return QDir::toNativeSeparators(QDir(m_path).filePath(item->text()));
}

void frmRestoreDirectory::drvRestore_Change(int index)
{
    setCurrentPath(drvRestore->itemData(index).toString());
}

void frmRestoreDirectory::dirRestore_Open(QListWidgetItem *item)
{
    if (!item)
        return;
    QDir dir(m_path);
    if (item->text() == kUp ? dir.cdUp() : dir.cd(item->text()))
        setCurrentPath(dir.absolutePath());
}

void frmRestoreDirectory::cmdOK_Click()
{
    emit chosen(chosenPath());
    hide();
}
