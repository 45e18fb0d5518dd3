#pragma once

#include <QStringList>

#include "media/MediaError.h"
#include "media/RealAudioControl.h"

// Scriptable Real engine for window tests: every call is logged; values are plain members.
class FakeRealAudioControl : public RealAudioControl {
    Q_OBJECT
public:
    explicit FakeRealAudioControl(QWidget* parent) : RealAudioControl(parent) {}

    QStringList calls;
    QString source, title, author, copyright, comments;
    int volume = 50;
    bool mute = false;
    long position = 0, length = 0, bandwidth = 0;
    int clipHeight = 0, clipWidth = 0;
    short numLoop = 1;
    bool canPause = false, contextMenu = true;
    QString statusText;
    bool statusLine = false;

    void SetSource(const QString& p) override { calls << QStringLiteral("SetSource(%1)").arg(p); source = p; }
    QString GetSource() const override { return source; }
    void PlayClip() override
    {
        calls << QStringLiteral("PlayClip");
        if (source.isEmpty()) throw MediaError("There is no Real clip to play.");
        canPause = true;
    }
    void PauseClip() override { calls << QStringLiteral("PauseClip"); canPause = false; }
    void StopClip() override { calls << QStringLiteral("StopClip"); canPause = false; }
    int GetVolume() const override { return volume; }
    void SetVolume(short v) override { calls << QStringLiteral("SetVolume(%1)").arg(v); volume = v; }
    void SetMute(bool on) override { calls << QStringLiteral("SetMute(%1)").arg(on); mute = on; }
    bool GetMute() const override { return mute; }
    long GetPosition() const override { return position; }
    void SetPosition(long ms) override { calls << QStringLiteral("SetPosition(%1)").arg(ms); position = ms; }
    long GetLength() const override { return length; }
    QString GetTitle() const override { return title; }
    QString GetAuthor() const override { return author; }
    QString GetCopyright() const override { return copyright; }
    QString GetComments() const override { return comments; }
    long GetBandwidthAverage() const override { return bandwidth; }
    int GetClipHeight() const override { return clipHeight; }
    int GetClipWidth() const override { return clipWidth; }
    short GetNumLoop() const override { return numLoop; }
    void SetNumLoop(short c) override { calls << QStringLiteral("SetNumLoop(%1)").arg(c); numLoop = c; }
    bool GetCanPause() const override { return canPause; }
    bool GetEnableContextMenu() const override { return contextMenu; }
    void SetStatusText(const QString& t) override { calls << QStringLiteral("SetStatusText(%1)").arg(t); statusText = t; }
    void SetShowStatusLine(bool on) override { calls << QStringLiteral("SetShowStatusLine(%1)").arg(on); statusLine = on; }
};
