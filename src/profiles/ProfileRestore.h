#pragma once

#include <QString>
#include <QStringList>

// Bringing the server profiles of an older installation into this one.
namespace ProfileRestore {
// <old directory>\Profiles
QString oldProfilesFolder(const QString &oldDirectory);
// The profiles found there, by name.
QStringList oldProfiles(const QString &oldDirectory);

// Copies each profile's file over this installation's (a profile of the same name is replaced)
// and creates its folder; the profile manager completes the profile with its own preferences
// when it next opens. A file that cannot be copied is passed over.
void restore(const QString &oldDirectory, const QStringList &profiles);
} // namespace ProfileRestore
