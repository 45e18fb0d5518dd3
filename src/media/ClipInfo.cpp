#include "media/ClipInfo.h"

#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
}

QString codecLongName(const QString& codec)
{
    const AVCodecDescriptor* d = avcodec_descriptor_get_by_name(codec.toUtf8().constData());
    return d && d->long_name ? QString::fromUtf8(d->long_name) : codec;
}

bool codecInstalled(const QString& codec)
{
    const AVCodecDescriptor* d = avcodec_descriptor_get_by_name(codec.toUtf8().constData());
    return d && avcodec_find_decoder(d->id) != nullptr;
}

ClipInfo ClipInfo::fromEngine(const QVariant& trackList, const QVariant& metadata, qint64 fileSize,
                              double duration)
{
    ClipInfo info;
    info.duration = duration;
    info.fileSize = fileSize;
    std::vector<ClipStream> audio, video;
    for (const QVariant& t : trackList.toList()) {
        const QVariantMap track = t.toMap();
        const QString type = track.value(QStringLiteral("type")).toString();
        if (type != QLatin1String("audio") && type != QLatin1String("video")) continue;
        if (track.value(QStringLiteral("albumart")).toBool()) continue;  // cover picture, not a stream
        ClipStream s;
        s.video = type == QLatin1String("video");
        s.codec = track.value(QStringLiteral("codec")).toString();
        s.codecName = codecLongName(s.codec);
        s.installed = codecInstalled(s.codec);
        s.bitrate = track.value(QStringLiteral("demux-bitrate")).toLongLong();
        if (s.video)
            s.picture = QSize(track.value(QStringLiteral("demux-w")).toInt(), track.value(QStringLiteral("demux-h")).toInt());
        (s.video ? video : audio).push_back(s);
    }
    info.streams = std::move(audio);
    info.streams.insert(info.streams.end(), video.begin(), video.end());
    const QVariantMap tags = metadata.toMap();
    for (auto it = tags.cbegin(); it != tags.cend(); ++it) info.tags.insert(it.key().toLower(), it.value());
    return info;
}

QSize ClipInfo::picture() const
{
    for (const ClipStream& s : streams)
        if (s.video && !s.picture.isEmpty()) return s.picture;
    return {};
}

long ClipInfo::dataRate() const
{
    if (fileSize > 0 && duration > 0) return std::lround(static_cast<double>(fileSize) * 8.0 / duration);
    long sum = 0;
    for (const ClipStream& s : streams) sum += s.bitrate;
    return sum;
}

QString ClipInfo::tag(std::initializer_list<const char*> keys) const
{
    for (const char* k : keys) {
        const QString v = tags.value(QString::fromLatin1(k)).toString();
        if (!v.isEmpty()) return v;
    }
    return {};
}
