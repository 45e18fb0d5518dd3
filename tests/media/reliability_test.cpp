// The reliability corpus: damaged and hostile inputs made from good clips and lists. Every one
// ends opened, or closed with exactly one message, within the open deadline; nothing crashes
// and the engine goes on opening the next.
#include <QElapsedTimer>
#include <cstdio>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "media/MpvCdAudioDevice.h"
#include "media/MpvRealAudioControl.h"
#include "support/Corpus.h"
#include "support/EngineFixture.h"
#include "support/MediaClips.h"

namespace {

constexpr int kDeadlineSeconds = 5;
constexpr unsigned kCorpusSeed = 20261208;
// An input may take the deadline and a little more to end, never much longer: an open that
// takes several deadlines (a list trying its entries one after another, say) is a fault.
constexpr int kEndWithinMs = kDeadlineSeconds * 1000 + 3000;

// Opens each input and checks it ends well and in time.
template <class Open, class Ended, class Check>
void forEachInput(const std::vector<corpus::Input>& inputs, Open open, Ended ended, Check check)
{
    for (const corpus::Input& input : inputs) {
        QElapsedTimer t;
        t.start();
        // Named before it is opened: an input that ends the process is then known from the log.
        std::fprintf(stderr, "corpus input: %s\n", qPrintable(input.description));
        open(input);
        ASSERT_TRUE(waitFor(ended, kEndWithinMs * 3)) << input.description.toStdString();
        EXPECT_LE(t.elapsed(), kEndWithinMs) << input.description.toStdString();
        settle();
        check(input);
    }
}

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

// Opens each input in the Windows-media engine: every one ends opened, or closed with one
// message; some of each. `onOpened` runs for each that opened, with the messages so far. Then a
// good clip still opens as usual.
template <class Opened>
void openEachInEngine(Engine& e, const std::vector<corpus::Input>& inputs, const QString& good, Opened onOpened)
{
    QSignalSpy errors(e.wmp, &WindowsMediaControl::Error);
    int opened = 0, refused = 0;
    forEachInput(
        inputs,
        [&](const corpus::Input& input) {
            errors.clear();
            e.wmp->Open(input.path);
        },
        [&] { return e.wmp->OpenState() != WindowsMediaControl::OpenOpening; },
        [&](const corpus::Input& input) {
            std::string why;
            EXPECT_TRUE(endedWell(static_cast<WindowsMediaControl::OpenStateCode>(e.wmp->OpenState()), errors, why))
                << input.description.toStdString() << ": " << why;
            if (e.wmp->OpenState() != WindowsMediaControl::OpenOpen) {
                ++refused;
                return;
            }
            ++opened;
            onOpened(errors);
        });
    EXPECT_GT(opened, 0);
    EXPECT_GT(refused, 0);
    errors.clear();
    ASSERT_TRUE(e.openAndWait(good));
    EXPECT_TRUE(errors.isEmpty());
}

}  // namespace

TEST(Reliability, EveryDamagedClipOrListEndsOpenedOrWithOneMessage)
{
    Engine e(MpvOptions{QStringLiteral("null"), {}, kDeadlineSeconds});
    e.host.show();
    openEachInEngine(e, corpus::mutatedMedia(6, kCorpusSeed), clips::wavTone2s(), [&](const QSignalSpy& errors) {
        // What opened is also played and sought in, as a person would.
        e.wmp->setDisplaySize(2);
        e.wmp->setCurrentPosition(e.wmp->Duration() / 2);
        const int before = static_cast<int>(errors.size());
        waitFor([&] {
            return e.wmp->CurrentPosition() > e.wmp->Duration() / 2 + 0.2 || errors.size() > before ||
                   e.wmp->PlayState() != WindowsMediaControl::Playing;
        }, 1500);
        e.wmp->setDisplaySize(0);
    });
}

TEST(Reliability, EveryDamagedRamListEndsOpenedOrWithOneMessage)
{
    QWidget host;
    auto* real = new MpvRealAudioControl(MpvOptions{QStringLiteral("null"), {}, kDeadlineSeconds}, &host);
    QSignalSpy errors(real, &RealAudioControl::Error);
    QSignalSpy opened(real, &RealAudioControl::RealTwoTextEvent);
    forEachInput(
        corpus::mutatedRamLists(12, kCorpusSeed),
        [&](const corpus::Input& input) {
            errors.clear();
            opened.clear();
            real->SetSource(input.path);
            real->PlayClip();
        },
        [&] { return !errors.isEmpty() || !opened.isEmpty(); },
        [&](const corpus::Input& input) {
            EXPECT_EQ(errors.size() + opened.size(), 1) << input.description.toStdString();
            real->StopClip();
        });
}

TEST(Reliability, EveryDamagedDvdEndsOpenedOrWithOneMessage)
{
    Engine e(MpvOptions{QStringLiteral("null"), {}, kDeadlineSeconds});
    openEachInEngine(e, corpus::damagedDvds(10, kCorpusSeed), clips::dvdDisc4s(), [](const QSignalSpy&) {});
}

TEST(Reliability, EveryDamagedCdDeviceEndsOpenedOrWithAReason)
{
    std::unique_ptr<MpvCdAudioDevice> device;
    int opened = 0, refused = 0;
    forEachInput(
        corpus::damagedCdDevices(12, kCorpusSeed),
        [&](const corpus::Input& input) {
            device = std::make_unique<MpvCdAudioDevice>(MpvOptions{QStringLiteral("null"), {}, kDeadlineSeconds}, input.path);
            device->open();
        },
        [&] { return !device->isReading(); },
        [&](const corpus::Input& input) {
            EXPECT_TRUE(device->isOpen() != !device->problem().isEmpty()) << input.description.toStdString();
            ++(device->isOpen() ? opened : refused);
        });
    EXPECT_GT(opened, 0);
    EXPECT_GT(refused, 4);
}
