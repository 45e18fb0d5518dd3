#include "media/MpvEngineFactory.h"

#include "media/MpvCdAudioDevice.h"
#include "media/MpvRealAudioControl.h"
#include "media/MpvWindowsMediaControl.h"

WindowsMediaControl* MpvEngineFactory::createWindowsMedia(QWidget* host)
{
    return new MpvWindowsMediaControl(options_, host);
}

RealAudioControl* MpvEngineFactory::createRealAudio(QWidget* host) { return new MpvRealAudioControl(options_, host); }

CdAudioDevice* MpvEngineFactory::createCdAudio(QObject* owner)
{
    return new MpvCdAudioDevice(options_, options_.cdDevice, owner);
}
