#include "media/ResumePositions.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "platform/FileNames.h"
#include "platform/LocalFile.h"

namespace resume_positions {

QString folder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state)) state = QDir::homePath() + QStringLiteral("/.local/state");
    const QString positions = state + QStringLiteral("/zelplayer/positions");
    return QDir().mkpath(positions) ? positions : QString();
}

QString fileFor(const QString& folder, const QString& path)
{
    // The engine names the file by the MD5 of the clip's full path, in capital hexadecimal.
    const QByteArray md5 = QCryptographicHash::hash(platform::encodeFileName(path), QCryptographicHash::Md5);
    return folder + QLatin1Char('/') + QString::fromLatin1(md5.toHex().toUpper());
}

double positionOf(const QString& folder, const QString& path)
{
    const QString file = fileFor(folder, path);
    if (!QFileInfo::exists(file)) return -1;
    // A few lines at most: comments and "start=<seconds>".
    const platform::LocalFile read = platform::readLocalFile(file, 4096);
    double start = -1;
    bool trusted = read.problem.isEmpty() && read.complete;
    for (const QByteArray& raw : read.data.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!trusted || line.isEmpty() || line.startsWith('#')) continue;
        bool number = false;
        const double value = line.startsWith("start=") ? line.mid(6).toDouble(&number) : 0;
        trusted = number && std::isfinite(value) && value >= 0;
        // The position comes first; the engine repeats below it the start the clip was
        // opened with.
        if (trusted && start < 0) start = value;
    }
    if (trusted) return start;
    QFile::remove(file);
    return -1;
}

void prune(const QString& folder)
{
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Time);  // newest first
    for (qsizetype i = kMaxClips; i < files.size(); ++i) QFile::remove(files[i].filePath());
}

}  // namespace resume_positions
