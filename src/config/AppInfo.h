#pragma once

#include <QString>

// The product's identity as the windows show it and the announcements quote it.
namespace AppInfo {
inline QString name()
{
    return QStringLiteral("Vantor");
}
inline QString shortName()
{
    return QStringLiteral("Vantor");
}
inline QString version()
{
    return QStringLiteral(VANTOR_VERSION);
}
} // namespace AppInfo
