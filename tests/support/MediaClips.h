#pragma once

#include <QString>

// Short clips made with the ffmpeg command at test time, once per build folder.
namespace clips {

inline const QString kTitle = QStringLiteral("Test Tone Title");
inline const QString kAuthor = QStringLiteral("ZelPlayer Test Author");
inline const QString kCopyright = QStringLiteral("(c) Test Rights");
inline const QString kDescription = QStringLiteral("A clip made for the tests");

QString mp3Tone90s();     // 90 s stereo 440 Hz at 128 kbit/s, title, artist, comment
QString wavTone2s();      // 2 s stereo tone
QString wmvBars3s();      // 320x240 colour bars, WMV 8 video + WMA 2 sound, 3 s, tagged
QString aviBars3s();      // 320x240 colour bars, MPEG-4 video + MP3 sound, 3 s
QString rmBars3s();       // 176x144 RealVideo 2.0 + RealAudio 1.0, 3 s, title/author/copyright
QString raTone3s();       // RealAudio 1.0 only, 3 s, tagged
QString textFile();       // a text file that is not media
QString scanClip60s();    // 60 s of a moving test pattern, 320x240 MPEG-4, a keyframe every 12 frames
// A moving test pattern in H.264 (with AAC sound) of the given size, a keyframe every gop
// frames at 25 frames a second, in an .mp4.
QString h264Clip(int width, int height, int gop, int seconds);
QString hugeClaimAvi();   // a few KB of raw 16x16 pictures whose AVI headers claim 16000x16000
// 320x240 of one-pixel lines, white on every other column, stored without loss (FFV1), 2 s;
// and the luma of its first frame, a byte a pixel.
// 320x240, 4 s, dark grey, with two audio tracks (English, French) and an English subtitle track.
QString subtitledClip();
// A 330 s tone: a clip long enough to be resumed.
QString longTone();
QString linesClip();
QByteArray linesClipLuma();
// A DVD folder made with dvdauthor from a 4 s PAL MPEG-2 test pattern with sound; the path of
// its VIDEO_TS/VIDEO_TS.IFO.
QString dvdDisc4s();
// A copy of that DVD's VIDEO_TS folder made in the folder given; the path of its VIDEO_TS.IFO.
QString copyOfDvd(const QString& intoFolder);
// An audio CD image: a CUE sheet and its BIN of three tracks of tones (3 s, 2 s, 4 s); the
// path of the CUE sheet.
QString cdImage3Tracks();

// One second in each of the common formats people open beyond the open dialogs' (.mp4, .mkv,
// .webm, .mov, .ts, .ogv, .flv, .3gp, .m4a, .aac, .flac, .ogg, .opus, .mka, .aiff).
QStringList commonFormats();

// Runs ffprobe on a file and returns one entry ("format=duration", or "stream=codec_long_name"
// of the stream chosen by a selector such as "v:0").
QString probe(const QString& file, const QString& entry, const QString& stream = {});

}  // namespace clips
