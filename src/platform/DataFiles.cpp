#include "platform/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

QString dataFile(const QString& name)
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const char* folder : {"../share/zelplayer", "data", "../data"}) {
        const QString path = QDir::cleanPath(programDir.filePath(QString::fromLatin1(folder) + QLatin1Char('/') + name));
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

QString resolveFixedFile(const QString& name)
{
    static const std::pair<const char*, const char*> fixed[] = {
        {"C:\\WINDOWS\\media\\The Microsoft Sound.wav", "sounds/about.ogg"},
        {"C:\\WINDOWS\\default.wav", "sounds/default.ogg"},
    };
    for (const auto& [windowsPath, shipped] : fixed) {
        if (name.compare(QLatin1String(windowsPath), Qt::CaseInsensitive) != 0) continue;
        const QString path = dataFile(QString::fromLatin1(shipped));
        return path.isEmpty() ? name : path;
    }
    return name;
}

}  // namespace platform
