#pragma once

#include <QString>

// The product's name and version, fixed when the program is built.
namespace product {

inline const QString kTitle = QStringLiteral("ZelPlayer Plus");
inline constexpr int kVersionMajor = 6;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 0;

inline QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

}  // namespace product
