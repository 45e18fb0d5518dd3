#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "windows/Application.h"
#include "windows/frmSplash.h"
#include "forms/NumberText.h"
#include "main_window/Pro1.h"
#include "main_window/frmMain.h"
#include "media/MpvEngineFactory.h"
#include "media/RealAudioControl.h"
#include "media/WindowsMediaControl.h"
#include "remote/Player.h"
#include "remote/RealRControl.h"
#include "settings/Vid1.h"
#include "support/MediaClips.h"
#include "support/RealProgram.h"
#include "support/TestApp.h"

namespace {

double probeSeconds(const QString& file) { return clips::probe(file, "format=duration").toDouble(); }

}  // namespace

TEST(Playback, VideoOpenedFromTheMenuFillsClipPropertiesAsFfprobeSeesTheFile)
{
    RealProgram p;
    const QString file = clips::wmvBars3s();
    // The title shares its label with the packet count, which the first position change writes:
    // read it as the open's handler left it.
    QString titleLine;
    QObject::connect(&p.screen(), &WindowsMediaControl::OpenStateChange, [&](int, int state) {
        if (state == WindowsMediaControl::OpenOpen) titleLine = p.form<Pro1>().Label3->text();
    });
    ASSERT_TRUE(p.openThroughMenu(file));
    Pro1& props = p.form<Pro1>();
    EXPECT_EQ(props.Label1->text(), "Location: " + file);
    EXPECT_EQ(props.caption(), QStringLiteral("bars3.wmv Properties"));
    const QString height = clips::probe(file, "stream=height", "v:0");
    const QString width = clips::probe(file, "stream=width", "v:0");
    EXPECT_EQ(props.Label7->text(), "Dimensions: " + height + " x " + width);
    EXPECT_EQ(props.Label12->text(), "Codec: " + clips::probe(file, "stream=codec_long_name", "v:0"));
    EXPECT_EQ(titleLine, "Clip Title: " + clips::kTitle);
    EXPECT_EQ(props.Label9->text(), "Clip Author: " + clips::kAuthor);
    const double seconds = p.screen().Duration();
    EXPECT_NEAR(seconds, probeSeconds(file), 0.05);
    EXPECT_EQ(props.Label6->text(), "Clip Length: " + forms::numText(seconds) + " Seconds");
    const double kbits = p.screen().DataRate() / 1000.0;
    EXPECT_NEAR(kbits, clips::probe(file, "format=bit_rate").toDouble() / 1000.0, 0.05 * kbits);
    EXPECT_EQ(props.Label4->text(), "Data Rate: " + forms::numText(kbits) + " kilobits");
    EXPECT_TRUE(props.Label5->text().startsWith(QStringLiteral("Creation Date: ")));
    EXPECT_GT(props.Label5->text().size(), QStringLiteral("Creation Date: ").size());
    EXPECT_TRUE(props.Label11->text().startsWith(QStringLiteral("ZelPlayer ID: ZelPlayer Plus 6.1.0")));
    EXPECT_TRUE(p.main->mnuViewToolbar->isEnabled());
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST(Playback, Mp3OpenedFromTheMenuShowsMinutesAndNoPicture)
{
    RealProgram p;
    const QString file = clips::mp3Tone90s();
    ASSERT_TRUE(p.openThroughMenu(file));
    Pro1& props = p.form<Pro1>();
    EXPECT_EQ(props.Label6->text(), "Clip Length: " + forms::numText(p.screen().Duration() / 60));
    EXPECT_TRUE(props.Label6->text().startsWith(QStringLiteral("Clip Length: 1.5")));
    EXPECT_TRUE(props.Label14->isVisibleTo(&props));
    EXPECT_EQ(props.Label7->text(), QStringLiteral("Dimensions: Not a video clip"));
    EXPECT_EQ(props.Label12->text(), "Codec: " + clips::probe(file, "stream=codec_long_name", "a:0"));
    EXPECT_EQ(props.Label8->text(), clips::kDescription);
    EXPECT_NEAR(p.screen().DataRate(), clips::probe(file, "format=bit_rate").toDouble(), 0.03 * 128000);
    // The position line follows playback.
    ASSERT_TRUE(waitFor([&] { return p.main->Label4->text().startsWith(QStringLiteral("1")); }, 15000));
    EXPECT_TRUE(p.main->Label4->text().endsWith(" \\ " + forms::numText(p.screen().Duration()) + " Seconds"));
}

TEST(Playback, MissingFileGivesAClearMessageAndTheWindowStaysUsable)
{
    RealProgram p;
    p.dialogs.answers.push_back(QStringLiteral("/no/such/clip.wmv"));
    p.main->mnufileopen->trigger();
    ASSERT_TRUE(waitFor([&] { return !p.messages.shown.empty(); }));
    EXPECT_TRUE(p.messages.shown[0].text.contains(QStringLiteral("/no/such/clip.wmv")));
    EXPECT_EQ(p.screen().PlayState(), WindowsMediaControl::Closed);
    EXPECT_TRUE(p.openThroughMenu(clips::wavTone2s()));
}

TEST(Playback, RealFilePlaysThroughTheRealRemote)
{
    RealProgram p;
    const QString file = clips::rmBars3s();
    p.dialogs.answers.push_back(file);
    p.main->mnufileopenreal->trigger();
    Pro1& props = p.form<Pro1>();
    ASSERT_TRUE(waitFor([&] { return props.Label2->text().startsWith(QStringLiteral("File Title")); }, 15000));
    EXPECT_EQ(props.Label2->text(), "File Title: " + clips::kTitle);
    EXPECT_EQ(props.Label3->text(), "Author: " + clips::kAuthor);
    EXPECT_EQ(props.Label4->text(), "Copyright Information: " + clips::kCopyright);
    EXPECT_EQ(props.Label6->text(), QStringLiteral("Clip Dimensions: 176 x 144"));
    EXPECT_TRUE(props.Label8->text().startsWith(QStringLiteral("Data Rate: ")));
    EXPECT_TRUE(props.Label8->text().endsWith(QStringLiteral(" Kilobits")));
    EXPECT_NEAR(p.main->RealAudio1->GetLength() / 1000.0, probeSeconds(file), 0.1);
    EXPECT_TRUE(p.main->mnuviewreal->isEnabled());
    EXPECT_FALSE(p.main->mnuViewToolbar->isEnabled());
    EXPECT_TRUE(p.main->RealAudio1->GetCanPause());  // the open command started it

    p.main->mnuviewreal->trigger();
    RealRControl& rc = p.form<RealRControl>();
    EXPECT_TRUE(rc.Command9->isVisibleTo(&rc));
    rc.Command3->click();
    EXPECT_FALSE(p.main->RealAudio1->GetCanPause());
    EXPECT_EQ(p.main->RealAudio1->GetPosition(), 0);
    rc.Command1->click();
    EXPECT_TRUE(p.main->RealAudio1->GetCanPause());
    ASSERT_TRUE(waitFor([&] { return p.main->RealAudio1->GetPosition() > 500; }, 15000));
    // Played to the end, the remote shows Play again.
    ASSERT_TRUE(waitFor([&] { return rc.Command1->isVisibleTo(&rc); }, 15000));
    EXPECT_EQ(p.main->RealAudio1->GetPosition(), p.main->RealAudio1->GetLength());
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST(Playback, FastForwardScansToTheExactEndOfTheClip)
{
    RealProgram p;
    ASSERT_TRUE(p.openThroughMenu(clips::wmvBars3s()));
    Player& remote = p.form<Player>();
    p.form<Vid1>().Option8->setValue(true);  // triple speed: 0.3 s per tick
    remote.Command4->click();
    ASSERT_TRUE(waitFor([&] { return !remote.Ff->enabled(); }, 15000));
    EXPECT_EQ(p.screen().CurrentPosition(), p.screen().Duration());
    EXPECT_FALSE(remote.Scanning);
    EXPECT_EQ(p.screen().PlayState(), WindowsMediaControl::Stopped);
    EXPECT_EQ(p.main->Label2->text(), QString());
    remote.Stop1->click();
    EXPECT_EQ(p.screen().CurrentPosition(), 0.0);
}

// A Real open that fails says so once, in the user's words; a .ram list of refused lines too.
TEST(Playback, RealOpenThatFailsShowsOneMessage)
{
    RealProgram p;
    QTemporaryDir dir;
    QFile ram(dir.filePath(QStringLiteral("hostile.ram")));
    ASSERT_TRUE(ram.open(QIODevice::WriteOnly));
    ram.write("fd://3\n");
    ram.close();
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("/no/such/clip.rm"), "The file does not exist."},
        {clips::textFile(), "It is not a media file the player can read."},
        {ram.fileName(), "The list names \"fd://3\". The player does not open \"fd://\" addresses; it opens files and "
                         "http, https, rtsp, mms, rtmp and pnm addresses."},
    };
    for (const auto& [file, reason] : cases) {
        p.messages.shown.clear();
        p.dialogs.answers.push_back(file);
        p.main->mnufileopenreal->trigger();
        ASSERT_TRUE(waitFor([&] { return !p.messages.shown.empty(); }, 15000)) << file.toStdString();
        waitFor([] { return false; }, 300);  // a second box would come by now
        ASSERT_EQ(p.messages.shown.size(), 1u) << file.toStdString();
        EXPECT_EQ(p.messages.shown[0].text, QStringLiteral("ZelPlayer Plus cannot play \"%1\". %2").arg(file, reason));
    }
}

// Scanning writes positions to the millisecond: a whole rewind from 59 s reaches exactly 0, a
// whole fast forward exactly the clip's end, and the position line never shows a long tail.
TEST(Playback, ScanPositionsAreExactToTheMillisecondAllTheWay)
{
    RealProgram p;
    ASSERT_TRUE(p.openThroughMenu(clips::scanClip60s()));
    Player& remote = p.form<Player>();
    Vid1& speeds = p.form<Vid1>();
    QStringList lines;
    QObject::connect(&p.screen(), &WindowsMediaControl::PositionChange, [&] { lines << p.main->Label4->text(); });
    const QRegularExpression exact(QStringLiteral("^\\d+(\\.\\d{1,3})? \\\\ [\\d.]+ Seconds$"));
    const auto checkLines = [&](const char* what) {
        for (const QString& line : lines) ASSERT_TRUE(exact.match(line).hasMatch()) << what << ": " << line.toStdString();
    };

    p.screen().Stop();
    p.screen().setCurrentPosition(59);
    speeds.Option9->setValue(true);  // single speed: 0.1 s a tick
    lines.clear();
    remote.Command3->click();
    ASSERT_TRUE(waitFor([&] { return p.screen().CurrentPosition() == 0.0; }, 30000)) << p.screen().CurrentPosition();
    remote.Command3->click();
    checkLines("rewind");
    EXPECT_GE(lines.size(), 590);

    speeds.Option11->setValue(true);  // double speed: 0.2 s a tick
    lines.clear();
    remote.Command4->click();
    ASSERT_TRUE(waitFor([&] { return !remote.Ff->enabled(); }, 30000));
    EXPECT_EQ(p.screen().CurrentPosition(), p.screen().Duration());
    checkLines("fast forward");
    EXPECT_GE(lines.size(), 300);
}

// The About command plays its sound (the shipped file behind the fixed Windows path) through
// MediaPlayer1; the clip in screenAndAudio plays on where it was.
TEST(Playback, TheAboutSoundPlaysBesideTheClip)
{
    RealProgram p;
    const QString clip = clips::scanClip60s();
    ASSERT_TRUE(p.openThroughMenu(clip));
    ASSERT_TRUE(waitFor([&] { return p.screen().CurrentPosition() > 0.5; }, 10000));
    const double before = p.screen().CurrentPosition();
    QSignalSpy reopened(&p.screen(), &WindowsMediaControl::OpenStateChange);
    p.main->mnuAbout->trigger();
    WindowsMediaControl& sound = *p.main->MediaPlayer1;
    ASSERT_TRUE(waitFor([&] { return sound.OpenState() == WindowsMediaControl::OpenOpen; }, 10000))
        << "no About sound: " << (p.messages.shown.empty() ? std::string() : p.messages.shown[0].text.toStdString());
    EXPECT_EQ(sound.FileName(), p.main->Text1->text());
    EXPECT_NEAR(sound.Duration(), 1.4, 0.1);
    EXPECT_EQ(sound.PlayState(), WindowsMediaControl::Playing);
    ASSERT_TRUE(waitFor([&] { return sound.PlayState() == WindowsMediaControl::Stopped; }, 10000));
    EXPECT_EQ(p.screen().FileName(), clip);
    EXPECT_EQ(p.screen().PlayState(), WindowsMediaControl::Playing);
    // Went on from where it was, never reopened (the sound's own length is no clock for it).
    EXPECT_TRUE(reopened.isEmpty());
    EXPECT_TRUE(waitFor([&] { return p.screen().CurrentPosition() > before + 1.0; }, 10000)) << before;
    EXPECT_TRUE(p.messages.shown.empty());
}
