#pragma once

#include "media/EngineFactory.h"
#include "media/MpvSession.h"

// Builds the libmpv-backed engines.
class MpvEngineFactory : public EngineFactory {
public:
    explicit MpvEngineFactory(MpvOptions options = {}) : options_(std::move(options)) {}
    WindowsMediaControl* createWindowsMedia(QWidget* host) override;
    RealAudioControl* createRealAudio(QWidget* host) override;
    CdAudioDevice* createCdAudio(QObject* owner) override;
    bool finishTeardowns(int timeoutMs) override { return MpvSession::finishTeardowns(timeoutMs); }

private:
    MpvOptions options_;
};
