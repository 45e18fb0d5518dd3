#include "support/MediaClips.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <stdexcept>

namespace clips {
namespace {

QString clipDir()
{
#ifdef ZP_CLIP_DIR
    const QString dir = QStringLiteral(ZP_CLIP_DIR);
#else
    const QString dir = QDir::temp().filePath(QStringLiteral("zelplayer-clips"));
#endif
    QDir().mkpath(dir);
    return dir;
}

// Makes the clip once; written under a temporary name and renamed, so parallel tests never see
// half a file.
QString make(const QString& name, const QStringList& args)
{
    const QString path = QDir(clipDir()).filePath(name);
    if (QFileInfo::exists(path)) return path;
    const QString part = path + QStringLiteral(".part%1").arg(QCoreApplication::applicationPid());
    QStringList all{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y")};
    all << args << part;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), all);
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0)
        throw std::runtime_error("ffmpeg failed for " + name.toStdString() + ": " +
                                 ffmpeg.readAllStandardError().toStdString());
    QFile::rename(part, path);
    return path;
}

const QStringList kTags{"-metadata", "title=" + kTitle, "-metadata", "artist=" + kAuthor,
                        "-metadata", "author=" + kAuthor, "-metadata", "copyright=" + kCopyright,
                        "-metadata", "comment=" + kDescription};

QStringList withTags(QStringList args)
{
    args << kTags;
    return args;
}

}  // namespace

QString mp3Tone90s()
{
    return make("tone90.mp3", withTags({"-f", "lavfi", "-i", "sine=frequency=440:duration=90:sample_rate=44100", "-ac",
                                        "2", "-c:a", "libmp3lame", "-b:a", "128k", "-f", "mp3"}));
}

QString wavTone2s()
{
    return make("tone2.wav", {"-f", "lavfi", "-i", "sine=frequency=440:duration=2", "-ac", "2", "-c:a", "pcm_s16le",
                              "-f", "wav"});
}

QString wmvBars3s()
{
    return make("bars3.wmv", withTags({"-f", "lavfi", "-i", "smptebars=size=320x240:rate=25:duration=3", "-f", "lavfi",
                                       "-i", "sine=frequency=440:duration=3", "-c:v", "wmv2", "-b:v", "800k", "-c:a",
                                       "wmav2", "-f", "asf"}));
}

QString aviBars3s()
{
    return make("bars3.avi", {"-f", "lavfi", "-i", "smptebars=size=320x240:rate=25:duration=3", "-f", "lavfi", "-i",
                              "sine=frequency=440:duration=3", "-c:v", "mpeg4", "-q:v", "3", "-c:a", "libmp3lame",
                              "-f", "avi"});
}

QString rmBars3s()
{
    return make("bars3.rm", withTags({"-f", "lavfi", "-i", "smptebars=size=176x144:rate=15:duration=3", "-f", "lavfi",
                                      "-i", "sine=frequency=440:duration=3:sample_rate=8000", "-c:v", "rv20", "-b:v",
                                      "200k", "-c:a", "real_144", "-ac", "1", "-ar", "8000", "-f", "rm"}));
}

QString raTone3s()
{
    return make("tone3.ra", withTags({"-f", "lavfi", "-i", "sine=frequency=440:duration=3:sample_rate=8000", "-c:a",
                                      "real_144", "-ac", "1", "-ar", "8000", "-f", "rm"}));
}

QString scanClip60s()
{
    return make("scan60.avi", {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=60", "-c:v", "mpeg4", "-q:v",
                               "4", "-g", "12", "-an", "-f", "avi"});
}

QString h264Clip(int width, int height, int gop, int seconds)
{
    const QString size = QStringLiteral("%1x%2").arg(width).arg(height);
    return make(QStringLiteral("h264-%1-g%2-%3s.mp4").arg(size).arg(gop).arg(seconds),
                {"-f", "lavfi", "-i", QStringLiteral("testsrc2=size=%1:rate=25:duration=%2").arg(size).arg(seconds), "-f",
                 "lavfi", "-i", QStringLiteral("sine=frequency=440:duration=%1").arg(seconds), "-c:v", "libx264",
                 "-preset", "veryfast", "-pix_fmt", "yuv420p", "-g", QString::number(gop), "-keyint_min",
                 QString::number(gop), "-sc_threshold", "0", "-c:a", "aac", "-b:a", "96k", "-f", "mp4"});
}

QString subtitledClip()
{
    const QString srt = QDir(clipDir()).filePath(QStringLiteral("inside.srt"));
    if (!QFileInfo::exists(srt)) {
        QFile f(srt);
        if (!f.open(QIODevice::WriteOnly) || f.write("1\n00:00:00,000 --> 00:00:09,000\nINSIDE THE CLIP\n\n") < 0)
            throw std::runtime_error("cannot write inside.srt");
    }
    return make("subtitled.mkv", {"-f", "lavfi", "-i", "color=c=0x202020:size=320x240:rate=25:duration=4", "-f", "lavfi", "-i",
                                  "sine=frequency=440:duration=4", "-f", "lavfi", "-i", "sine=frequency=880:duration=4", "-i", srt,
                                  "-map", "0", "-map", "1", "-map", "2", "-map", "3", "-c:v", "libx264", "-preset", "veryfast",
                                  "-c:a", "aac", "-c:s", "srt", "-metadata:s:a:0", "language=eng", "-metadata:s:a:1", "language=fra",
                                  "-metadata:s:s:0", "language=eng", "-f", "matroska"});
}

QString longTone()
{
    return make("tone330.mp3", {"-f", "lavfi", "-i", "sine=frequency=440:duration=330:sample_rate=22050", "-ac", "1",
                                "-c:a", "libmp3lame", "-b:a", "32k", "-f", "mp3"});
}

QString linesClip()
{
    return make("lines320.avi", {"-f", "lavfi", "-i", "color=black:size=320x240:rate=25:duration=2", "-vf",
                                 "geq=lum='255*mod(X,2)':cb=128:cr=128,format=yuv444p", "-c:v", "ffv1", "-an", "-f", "avi"});
}

QByteArray linesClipLuma()
{
    QFile raw(make("lines320.gray", {"-i", linesClip(), "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "gray"}));
    if (!raw.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read lines320.gray");
    return raw.readAll();
}

QStringList commonFormats()
{
    const QStringList picture{"-f", "lavfi", "-i", "testsrc=size=128x96:rate=25:duration=1"};
    const QStringList sound{"-f", "lavfi", "-i", "sine=frequency=440:duration=1:sample_rate=48000"};
    const std::pair<const char*, QStringList> formats[] = {
        {"common.mp4", picture + sound + QStringList{"-c:v", "libx264", "-c:a", "aac", "-f", "mp4"}},
        {"common.mkv", picture + sound + QStringList{"-c:v", "libx264", "-c:a", "libopus", "-f", "matroska"}},
        {"common.webm", picture + sound + QStringList{"-c:v", "libvpx", "-c:a", "libvorbis", "-f", "webm"}},
        {"common.mov", picture + sound + QStringList{"-c:v", "mpeg4", "-c:a", "aac", "-f", "mov"}},
        {"common.ts", picture + sound + QStringList{"-c:v", "mpeg2video", "-c:a", "aac", "-f", "mpegts"}},
        {"common.ogv", picture + sound + QStringList{"-c:v", "libtheora", "-c:a", "libvorbis", "-f", "ogg"}},
        {"common.flv", picture + sound + QStringList{"-c:v", "flv", "-c:a", "libmp3lame", "-ar", "44100", "-f", "flv"}},
        {"common.3gp", picture + sound + QStringList{"-c:v", "h263", "-c:a", "aac", "-ac", "1", "-f", "3gp"}},
        {"common.m4a", sound + QStringList{"-c:a", "aac", "-f", "ipod"}},
        {"common.aac", sound + QStringList{"-c:a", "aac", "-f", "adts"}},
        {"common.flac", sound + QStringList{"-c:a", "flac", "-f", "flac"}},
        {"common.ogg", sound + QStringList{"-c:a", "libvorbis", "-f", "ogg"}},
        {"common.opus", sound + QStringList{"-c:a", "libopus", "-f", "opus"}},
        {"common.mka", sound + QStringList{"-c:a", "libopus", "-f", "matroska"}},
        {"common.aiff", sound + QStringList{"-c:a", "pcm_s16be", "-f", "aiff"}},
    };
    QStringList made;
    for (const auto& [name, args] : formats) made << make(QString::fromLatin1(name), args);
    return made;
}

QString hugeClaimAvi()
{
    const QString path = QDir(clipDir()).filePath(QStringLiteral("huge-claim.avi"));
    if (QFileInfo::exists(path)) return path;
    // Raw pictures carry no size of their own: the header's word is all there is.
    QFile small(make("small16.avi", {"-f", "lavfi", "-i", "testsrc=size=16x16:rate=25:duration=0.4", "-c:v",
                                     "rawvideo", "-pix_fmt", "bgr24", "-an", "-f", "avi"}));
    if (!small.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read small16.avi");
    QByteArray avi = small.readAll();
    // The main header's width and height (32 and 36 bytes into it), then the video format's.
    const auto put = [&avi](qsizetype at, quint32 value) {
        for (int i = 0; i < 4; ++i) avi[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const qsizetype avih = avi.indexOf("avih");
    const qsizetype strf = avi.indexOf("strf");
    if (avih < 0 || strf < 0) throw std::runtime_error("small16.avi has no AVI headers");
    put(avih + 8 + 32, 16000);
    put(avih + 8 + 36, 16000);
    put(strf + 8 + 4, 16000);
    put(strf + 8 + 8, 16000);
    QFile out(path + QStringLiteral(".part%1").arg(QCoreApplication::applicationPid()));
    if (!out.open(QIODevice::WriteOnly) || out.write(avi) != avi.size()) throw std::runtime_error("cannot write");
    out.close();
    QFile::rename(out.fileName(), path);
    return path;
}

namespace {

void run(const QString& program, const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(program.toStdString() + " failed: " + p.readAllStandardError().toStdString());
}

}  // namespace

QString dvdDisc4s()
{
    const QString disc = QDir(clipDir()).filePath(QStringLiteral("dvd4"));
    const QString ifo = disc + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO");
    if (QFileInfo::exists(ifo)) return ifo;
    const QString movie = make("dvd4.mpg", {"-f", "lavfi", "-i", "testsrc=duration=4:size=720x576:rate=25", "-f", "lavfi",
                                            "-i", "sine=frequency=440:duration=4", "-target", "pal-dvd", "-shortest"});
    // Authored under another name and renamed, so parallel tests never see half a disc.
    const QString part = disc + QStringLiteral(".part%1").arg(QCoreApplication::applicationPid());
    QDir(part).removeRecursively();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VIDEO_FORMAT"), QStringLiteral("PAL"));
    run(QStringLiteral("dvdauthor"), {"-o", part, "-t", movie}, env);
    run(QStringLiteral("dvdauthor"), {"-o", part, "-T"}, env);
    QDir().rename(part, disc);
    return ifo;
}

QString copyOfDvd(const QString& intoFolder)
{
    const QDir from = QFileInfo(dvdDisc4s()).absoluteDir();
    const QString to = QDir(intoFolder).filePath(QStringLiteral("VIDEO_TS"));
    QDir().mkpath(to);
    for (const QString& name : from.entryList(QDir::Files)) {
        QFile::remove(QDir(to).filePath(name));
        if (!QFile::copy(from.filePath(name), QDir(to).filePath(name))) throw std::runtime_error("cannot copy the DVD");
    }
    return QDir(to).filePath(QStringLiteral("VIDEO_TS.IFO"));
}

QString cdImage3Tracks()
{
    const QString cue = QDir(clipDir()).filePath(QStringLiteral("disc3.cue"));
    if (QFileInfo::exists(cue)) return cue;
    // CD audio: 16-bit stereo at 44.1 kHz, each track a whole number of 2352-byte sectors
    // (75 a second), so the tracks start on whole seconds.
    QByteArray bin;
    QString sheet = QStringLiteral("FILE \"disc3.bin\" BINARY\n");
    int startSeconds = 0, number = 1;
    for (const auto& [frequency, seconds] : {std::pair{440, 3}, std::pair{660, 2}, std::pair{880, 4}}) {
        QFile raw(make(QStringLiteral("cdtrack%1.raw").arg(number),
                       {"-f", "lavfi", "-i", QStringLiteral("sine=frequency=%1:duration=%2:sample_rate=44100").arg(frequency).arg(seconds),
                        "-ac", "2", "-c:a", "pcm_s16le", "-f", "s16le"}));
        if (!raw.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read a CD track");
        bin += raw.readAll();
        sheet += QStringLiteral("  TRACK %1 AUDIO\n    INDEX 01 %2:%3:00\n")
                     .arg(number, 2, 10, QLatin1Char('0'))
                     .arg(startSeconds / 60, 2, 10, QLatin1Char('0'))
                     .arg(startSeconds % 60, 2, 10, QLatin1Char('0'));
        startSeconds += seconds;
        ++number;
    }
    const auto writeWhole = [](const QString& path, const QByteArray& data) {
        const QString part = path + QStringLiteral(".part%1").arg(QCoreApplication::applicationPid());
        QFile f(part);
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) throw std::runtime_error("cannot write the disc");
        f.close();
        QFile::rename(part, path);
    };
    writeWhole(QDir(clipDir()).filePath(QStringLiteral("disc3.bin")), bin);
    writeWhole(cue, sheet.toUtf8());
    return cue;
}

QString textFile()
{
    const QString path = QDir(clipDir()).filePath(QStringLiteral("notes.txt"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write("These are notes, not a clip.\n");
    return path;
}

QString probe(const QString& file, const QString& entry, const QString& stream)
{
    QStringList args{"-v", "error"};
    if (!stream.isEmpty()) args << "-select_streams" << stream;
    args << "-show_entries" << entry << "-of" << "default=noprint_wrappers=1:nokey=1" << file;
    QProcess p;
    p.start(QStringLiteral("ffprobe"), args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

}  // namespace clips
