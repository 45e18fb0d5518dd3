#include "media/RamFile.h"

#include <QFileInfo>

#include "media/MediaSource.h"

bool isRamFile(const QString& name)
{
    return name.trimmed().endsWith(QLatin1String(".ram"), Qt::CaseInsensitive) && !media_source::isAddress(name);
}

RamList readRamFile(const QString& path)
{
    RamList list;
    const media_source::ReadResult read = media_source::readSmallFile(path, kRamFileMaxBytes);
    if (!read.problem.isEmpty()) {
        list.problem = read.problem;
        return list;
    }
    const QDir folder = QFileInfo(path).absoluteDir();
    for (const QByteArray& raw : read.data.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        // Files are looked at when each entry is opened; the form of every line is checked now.
        const media_source::Checked entry = media_source::resolve(line, folder);
        if (entry.ok) list.entries << entry.target;
        else if (list.problem.isEmpty()) list.problem = media_source::listLineProblem(line, entry.problem);
    }
    if (list.entries.isEmpty() && list.problem.isEmpty()) list.problem = QObject::tr("The list names nothing to play.");
    return list;
}
