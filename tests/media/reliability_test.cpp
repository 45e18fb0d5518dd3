// The reliability corpus: damaged and hostile inputs made from good clips and lists. Every one
// ends opened, or closed with exactly one message, within the open deadline; nothing crashes
// and the engine goes on opening the next.
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "media/MpvRealAudioControl.h"
#include "support/Corpus.h"
#include "support/EngineFixture.h"
#include "support/MediaClips.h"

namespace {

constexpr int kDeadlineSeconds = 5;
constexpr unsigned kCorpusSeed = 20261208;

bool endedWell(WindowsMediaControl::OpenStateCode state, const QSignalSpy& errors, std::string& why)
{
    if (state == WindowsMediaControl::OpenOpen && errors.isEmpty()) return true;
    if (state == WindowsMediaControl::OpenClosed && errors.size() == 1) {
        const QString message = errors.at(0).at(0).toString();
        why = message.toStdString();
        return message.startsWith(QStringLiteral("ZelPlayer Plus cannot play ")) && !message.endsWith(QStringLiteral(". "));
    }
    why = "state " + std::to_string(state) + ", " + std::to_string(errors.size()) + " messages";
    return false;
}

}  // namespace

TEST(Reliability, EveryDamagedClipOrListEndsOpenedOrWithOneMessage)
{
    Engine e(MpvOptions{QStringLiteral("null"), {}, kDeadlineSeconds});
    e.host.show();
    QSignalSpy errors(e.wmp, &WindowsMediaControl::Error);
    int opened = 0, refused = 0;
    for (const corpus::Input& input : corpus::mutatedMedia(6, kCorpusSeed)) {
        errors.clear();
        e.wmp->Open(input.path);
        ASSERT_TRUE(waitFor([&] { return e.wmp->OpenState() != WindowsMediaControl::OpenOpening; },
                            (kDeadlineSeconds + 5) * 1000))
            << input.description.toStdString();
        settle();
        std::string why;
        EXPECT_TRUE(endedWell(static_cast<WindowsMediaControl::OpenStateCode>(e.wmp->OpenState()), errors, why))
            << input.description.toStdString() << ": " << why;
        if (e.wmp->OpenState() != WindowsMediaControl::OpenOpen) {
            ++refused;
            continue;
        }
        ++opened;
        // What opened is also played and sought in, as a person would.
        e.wmp->setDisplaySize(2);
        e.wmp->setCurrentPosition(e.wmp->Duration() / 2);
        const int before = static_cast<int>(errors.size());
        waitFor([&] {
            return e.wmp->CurrentPosition() > e.wmp->Duration() / 2 + 0.2 || errors.size() > before ||
                   e.wmp->PlayState() != WindowsMediaControl::Playing;
        }, 1500);
        e.wmp->setDisplaySize(0);
    }
    EXPECT_GT(opened, 0);
    EXPECT_GT(refused, 0);
    // Still working: a good clip opens as usual.
    errors.clear();
    ASSERT_TRUE(e.openAndWait(clips::wavTone2s()));
    EXPECT_TRUE(errors.isEmpty());
}

TEST(Reliability, EveryDamagedRamListEndsOpenedOrWithOneMessage)
{
    QWidget host;
    auto* real = new MpvRealAudioControl(MpvOptions{QStringLiteral("null"), {}, kDeadlineSeconds}, &host);
    QSignalSpy errors(real, &RealAudioControl::Error);
    QSignalSpy opened(real, &RealAudioControl::RealTwoTextEvent);
    for (const corpus::Input& input : corpus::mutatedRamLists(12, kCorpusSeed)) {
        errors.clear();
        opened.clear();
        real->SetSource(input.path);
        real->PlayClip();
        ASSERT_TRUE(waitFor([&] { return !errors.isEmpty() || !opened.isEmpty(); }, (kDeadlineSeconds + 5) * 1000))
            << input.description.toStdString();
        settle();
        EXPECT_EQ(errors.size() + opened.size(), 1) << input.description.toStdString();
        real->StopClip();
    }
}
