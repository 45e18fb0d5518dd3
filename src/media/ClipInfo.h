#pragma once

#include <QSize>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <vector>

// One audio or video stream of a clip as the engine reports it.
struct ClipStream {
    bool video = false;
    QString codec;       // FFmpeg's short name ("mp3", "wmv2")
    QString codecName;   // its long name ("MP3 (MPEG audio layer 3)")
    bool installed = false;
    QSize picture;       // video streams only
    long bitrate = 0;    // bits per second, 0 when unknown
};

// What a clip holds, gathered once when it opens: streams (audio first, then video), tags,
// length and size.
struct ClipInfo {
    double duration = 0;
    qint64 fileSize = 0;
    std::vector<ClipStream> streams;
    QVariantMap tags;  // keys in lower case

    // track-list and metadata are the engine's nodes converted to variants.
    static ClipInfo fromEngine(const QVariant& trackList, const QVariant& metadata, qint64 fileSize,
                               double duration);

    QSize picture() const;
    // Mean bits per second over the whole file, else the sum of the streams' rates, else 0.
    long dataRate() const;
    // The first non-empty tag among the keys (case does not matter).
    QString tag(std::initializer_list<const char*> keys) const;
};

QString codecLongName(const QString& codec);
bool codecInstalled(const QString& codec);
