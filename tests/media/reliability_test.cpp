// The reliability corpus: damaged and hostile inputs made from good clips and lists. Every one
// ends opened, or closed with exactly one message, within the open deadline; nothing crashes
// and the engine goes on opening the next.
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <cstdio>
#include <gtest/gtest.h>

#include "media/MpvCdAudioDevice.h"
#include "media/MpvRealAudioControl.h"
#include "support/Corpus.h"
#include "support/EngineFixture.h"
#include "support/MediaClips.h"
#include "support/ProgramProcess.h"

namespace {

constexpr int kDeadlineSeconds = 5;
constexpr unsigned kCorpusSeed = 20261208;
// An input may take the deadline and a little more to end, never much longer: an open that
// takes several deadlines (a list trying its entries one after another, say) is a fault.
constexpr int kEndWithinMs = kDeadlineSeconds * 1000 + 3000;
#ifdef ZP_SANITIZED
constexpr int kAnswerWithinMs = 1000;  // the sanitizers slow the program several times
#else
constexpr int kAnswerWithinMs = 100;
#endif

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

// Started with each hostile name (after "--", where Qt reads no option of its own), the program
// comes up, playing the good ones and telling why it refuses the others, and the desktop's Quit
// ends it with status 0 whatever it shows.
TEST(Reliability, EveryHostileNameAtTheStartEndsWithQuitAtStatusZero)
{
    PrivateBus bus(QStringLiteral("zp-names"));
    ASSERT_TRUE(bus.started()) << "dbus-daemon did not start";
    for (const corpus::Input& input : corpus::hostileNames()) {
        std::fprintf(stderr, "corpus input: %s\n", qPrintable(input.description));
        QProcess program;
        ASSERT_TRUE(startOnBus(program, bus, {"--", "-platform", "nosuchplatform", input.path})) << input.description.toStdString();
        const bool plays = input.description.startsWith(QLatin1String("plays"));
        EXPECT_TRUE(!plays || waitFor([&] { return playerProperty(bus, "PlaybackStatus").toString() == QLatin1String("Playing"); }))
            << input.description.toStdString();
        EXPECT_EQ(quitOverBus(program, bus), 0) << input.description.toStdString();
    }
}

// 5,000 hand-overs of missing files from one process, as fast as it can send them: each is
// answered with its refusal, no box waits, and the program answers others at once meanwhile
// and after; a second start learns its refusal too; Quit still ends the program.
TEST(Reliability, ABurstOfHandOversIsAnsweredAtOnceAndQuitStillEndsTheProgram)
{
    PrivateBus bus(QStringLiteral("zp-burst"));
    ASSERT_TRUE(bus.started()) << "dbus-daemon did not start";
    QProcess program;
    ASSERT_TRUE(startOnBus(program, bus, {"/nowhere/clip.mp4"})) << "the program did not come up";
    const auto call = [&](const char* service, const char* path, const char* interface, const char* method, const QVariantList& args) {
        QDBusMessage m = QDBusMessage::createMethodCall(QLatin1String(service), QLatin1String(path), QLatin1String(interface),
                                                        QLatin1String(method));
        m.setArguments(args);
        return bus.client.asyncCall(m, 60000);
    };
    // The time a sound menu waits for its answer, sent now.
    const auto answerMs = [&] {
        QElapsedTimer t;
        t.start();
        QDBusPendingCall answer = call(MprisService::kServiceName, MprisService::kObjectPath, "org.freedesktop.DBus.Properties",
                                       "Get", {"org.mpris.MediaPlayer2", "Identity"});
        return waitFor([&] { return answer.isFinished(); }, 60000) && !answer.isError() ? t.elapsed() : qint64{-1};
    };
    std::vector<QDBusPendingCall> opens;
    std::vector<qint64> waits;
    for (int i = 0; i < 5000; ++i) {
        opens.push_back(call(SingleInstance::kServiceName, SingleInstance::kObjectPath, SingleInstance::kServiceName, "Open",
                             {QStringList{QStringLiteral("/nowhere/missing-%1.mp4").arg(i)}}));
        if (i % 1000 == 999) waits.push_back(answerMs());
    }
    ASSERT_TRUE(waitFor([&] { return opens.back().isFinished(); }, 60000));
    waits.push_back(answerMs());
    std::printf("answers during and after the burst, ms:");
    for (qint64 w : waits) std::printf(" %lld", static_cast<long long>(w));
    std::printf("\n");
    for (qint64 w : waits) EXPECT_TRUE(w >= 0 && w < kAnswerWithinMs) << w;
    for (int i : {0, 4999})
        EXPECT_EQ(opens[i].error().message(),
                  QStringLiteral("ZelPlayer Plus cannot play \"/nowhere/missing-%1.mp4\". The file does not exist.").arg(i));

    const Ended second = runToEnd(QStringLiteral(ZP_PROGRAM), {"/nowhere/second.mp4"}, offscreen(bus.address), 10000);
    EXPECT_EQ(second.status, 1);
    EXPECT_TRUE(second.err.contains("ZelPlayer Plus cannot play \"/nowhere/second.mp4\". The file does not exist."))
        << second.err.constData();
    EXPECT_EQ(quitOverBus(program, bus), 0);
}
