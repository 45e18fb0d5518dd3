#include "media/MpvEngineFactory.h"

#include "media/MpvRealAudioControl.h"
#include "media/MpvWindowsMediaControl.h"

WindowsMediaControl* MpvEngineFactory::createWindowsMedia(QWidget* host)
{
    return new MpvWindowsMediaControl(options_, host);
}

RealAudioControl* MpvEngineFactory::createRealAudio(QWidget* host) { return new MpvRealAudioControl(options_, host); }
