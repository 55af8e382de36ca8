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
// and creates its folder; its own preferences come along when the old installation has them,
// otherwise the profile manager completes the profile when it next opens. Returns the names that
// could not be copied.
QStringList restore(const QString &oldDirectory, const QStringList &profiles);
} // namespace ProfileRestore
