// The Windows-media control's commands beyond the hosted control: tracks and subtitles, speed,
// the picture saved, and where long clips were left.
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent>
#include <sys/stat.h>
#include <unistd.h>

#include "media/MediaSource.h"
#include "media/MpvWindowsMediaControl.h"
#include "media/ResumePositions.h"
#include "platform/FileNames.h"

namespace {

constexpr qint64 kMaxSubtitleBytes = 16 * 1024 * 1024;  // hours of text; more is not a subtitle file

// Why a file cannot be shown as subtitles; empty when it can.
QString subtitleProblem(const QString& path)
{
    if (!media_source::isSubtitleName(path))
        return MpvWindowsMediaControl::tr("It is not a subtitle file (.srt, .ass, .ssa, .vtt).");
    const QByteArray name = platform::encodeFileName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) return MpvWindowsMediaControl::tr("The file does not exist.");
    if (!S_ISREG(st.st_mode)) return MpvWindowsMediaControl::tr("It is not a file.");
    if (st.st_size > kMaxSubtitleBytes) return MpvWindowsMediaControl::tr("It is too large to be a subtitle file.");
    if (::access(name.constData(), R_OK) != 0) return MpvWindowsMediaControl::tr("It cannot be read.");
    return {};
}

// The subtitle files beside a clip named as it is ("film.srt", "film.en.srt"), that can be shown.
QStringList subtitlesBeside(const QString& clip)
{
    const QFileInfo info(clip);
    QStringList found;
    const QDir folder = info.absoluteDir();
    for (const QString& name : folder.entryList({info.completeBaseName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden, QDir::Name))
        if (subtitleProblem(folder.filePath(name)).isEmpty()) found << folder.filePath(name);
    return found;
}

}  // namespace

QList<WindowsMediaControl::Track> MpvWindowsMediaControl::tracks(TrackKind kind) const
{
    const QString type = kind == TrackKind::Audio ? QStringLiteral("audio") : QStringLiteral("sub");
    QList<Track> list;
    for (const QVariant& entry : trackList_) {
        const QVariantMap t = entry.toMap();
        if (t.value(QStringLiteral("type")).toString() != type) continue;
        const int id = t.value(QStringLiteral("id")).toInt();
        QStringList parts;
        for (const char* key : {"lang", "title"})
            if (const QString v = t.value(QLatin1String(key)).toString().simplified(); !v.isEmpty()) parts << v.left(80);
        if (parts.isEmpty()) parts << tr("Track %1").arg(id);
        list.push_back({id, parts.join(QStringLiteral(" - ")), t.value(QStringLiteral("selected")).toBool()});
    }
    return list;
}

void MpvWindowsMediaControl::selectTrack(TrackKind kind, int id)
{
    const QByteArray value = id > 0 ? QByteArray::number(id) : QByteArray("no");
    session_.setString(kind == TrackKind::Audio ? "aid" : "sid", value);
}

void MpvWindowsMediaControl::addSubtitleFile(const QString& path)
{
    if (const QString problem = subtitleProblem(path); !problem.isEmpty()) {
        post([this, problem = tr("The subtitles \"%1\" cannot be shown. %2").arg(platform::displayFileName(path), problem)] {
            emit SubtitleRefused(problem);
        });
        return;
    }
    if (openState_ != OpenOpen) return;
    session_.command({"sub-add", platform::encodeFileName(path), "select"});
}

void MpvWindowsMediaControl::refreshSubtitles()
{
    // Subtitles are read with the picture: read again where it stands, so subtitles chosen while
    // paused show at once. A clip without a picture shows none, and a seek is not free there: in
    // a sound file whose packets carry no times it ends the clip.
    if (!picture_.isEmpty()) seekTo(position_);
}

void MpvWindowsMediaControl::findSubtitlesBeside(const QString& clip)
{
    auto* watcher = new QFutureWatcher<QStringList>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation = generation_] {
        watcher->deleteLater();
        if (generation != generation_) return;  // another clip since
        if (openState_ == OpenOpen) return showSubtitles(watcher->result());
        subtitlesFound_ = watcher->result();
        subtitlesFor_ = generation;
    });
    watcher->setFuture(QtConcurrent::run([clip] { return subtitlesBeside(clip); }));
}

void MpvWindowsMediaControl::showSubtitles(const QStringList& files)
{
    // The first is shown; the others are offered in the menu.
    for (qsizetype i = 0; i < files.size(); ++i)
        session_.command({"sub-add", platform::encodeFileName(files[i]), i == 0 ? "select" : "auto"});
    subtitlesFound_.clear();
    subtitlesFor_ = 0;
}

void MpvWindowsMediaControl::setSpeed(double times)
{
    speed_ = std::clamp(times, 0.25, 4.0);
    session_.setDouble("speed", speed_);  // the engine keeps the pitch (audio-pitch-correction)
}

void MpvWindowsMediaControl::savePicture(const QString& path)
{
    if (openState_ != OpenOpen || picture_.isEmpty() || !pictureBeingSaved_.isEmpty()) {
        post([this, path] { emit PictureSaved(path, tr("There is no picture to save.")); });
        return;
    }
    pictureBeingSaved_ = path;
    // "video": the clip's own frame at its own size, without subtitles drawn over it.
    session_.command({"screenshot-to-file", platform::encodeFileName(path), "video"}, kReplyPictureSaved);
}

void MpvWindowsMediaControl::keepPosition()
{
    if (positions_.isEmpty() || localClip_.isEmpty() || openState_ != OpenOpen ||
        info_.duration <= resume_positions::kLongClipSeconds)
        return;
    if (position_ >= info_.duration - resume_positions::kLastStretchSeconds) {
        session_.command({"delete-watch-later-config"});
        return;
    }
    session_.command({"write-watch-later-config"});
    (void)QtConcurrent::run([folder = positions_] { resume_positions::prune(folder); });
}
