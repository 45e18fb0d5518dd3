#include "media/RamFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

bool isRamFile(const QString& path) { return path.endsWith(QLatin1String(".ram"), Qt::CaseInsensitive); }

QStringList readRamFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    const QDir folder = QFileInfo(path).absoluteDir();
    QStringList entries;
    // A list is small; anything larger than this is not a list of addresses.
    const QByteArray content = file.read(64 * 1024);
    for (const QByteArray& raw : content.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QUrl url(line);
        if (url.isValid() && url.scheme().size() > 1) {
            entries << (url.isLocalFile() ? url.toLocalFile() : line);
        } else {
            entries << (QFileInfo(line).isAbsolute() ? line : folder.absoluteFilePath(line));
        }
    }
    return entries;
}
