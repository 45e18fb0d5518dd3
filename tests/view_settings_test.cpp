#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "forms/ColorNumber.h"
#include "remote/Player.h"
#include "settings/PlaySet.h"
#include "settings/Vid1.h"
#include "support/Started.h"

namespace {

struct Viewing : Started {
    Viewing() { openVideo("/v.wmv", 60); }
    std::vector<forms::MenuItem*> group()
    {
        frmMain& m = main();
        return {m.mnuviewoneeighthscreen, m.mnuviewhalfscreen, m.mnuviewSixteenth, m.mnuviewDefaultscreen,
                m.mnuviewactual, m.mnuviewdouble, m.mnuviewfullscreen};
    }
    std::vector<forms::MenuItem*> checked()
    {
        std::vector<forms::MenuItem*> out;
        for (forms::MenuItem* it : group())
            if (it->checked()) out.push_back(it);
        return out;
    }
};

}  // namespace

TEST(PictureSize, EachGroupItemSetsItsCodeAndCarriesTheOnlyCheckMark)
{
    Viewing v;
    frmMain& m = v.main();
    EXPECT_TRUE(v.checked().empty());
    const std::pair<forms::MenuItem*, int> items[] = {
        {m.mnuviewoneeighthscreen, 7}, {m.mnuviewhalfscreen, 1}, {m.mnuviewSixteenth, 5}, {m.mnuviewDefaultscreen, 0},
        {m.mnuviewactual, 0},          {m.mnuviewdouble, 2},      {m.mnuviewfullscreen, 3}, {m.mnuviewhalfscreen, 1},
    };
    for (const auto& [item, code] : items) {
        SCOPED_TRACE(item->objectName().toStdString());
        item->trigger();
        EXPECT_EQ(v.screen().DisplaySize(), code);
        EXPECT_EQ(v.checked(), std::vector<forms::MenuItem*>{item});
    }
    m.mnuviewDefaultscreen->trigger();
    m.mnuviewDefaultscreen->trigger();  // choosing a checked item again keeps it checked
    EXPECT_EQ(v.checked(), std::vector<forms::MenuItem*>{m.mnuviewDefaultscreen});
    EXPECT_EQ(v.screen().DisplaySize(), 0);
}

TEST(PictureSize, FullScreenWritesItsPropertiesInOrder)
{
    Viewing v;
    frmMain& m = v.main();
    m.screenAndAudio->setEnabled(false);
    v.screen().setEnableFullScreenControls(true);
    v.screen().calls.clear();
    m.mnuviewfullscreen->trigger();
    EXPECT_TRUE(m.screenAndAudio->isEnabled());
    EXPECT_EQ(v.screen().calls, (QStringList{"setDisplaySize(3)", "setAllowSizeChange(1)",
                                            "setEnableFullScreenControls(0)", "setShowControls(0)",
                                            "setShowPositionControls(0)"}));
    // The video configuration then shows the two check boxes accordingly.
    m.mnuviewvideosettings->trigger();
    EXPECT_EQ(v.form<Vid1>().Check1->value(), 1);
    EXPECT_EQ(v.form<Vid1>().Check2->value(), 0);
}

TEST(PictureSize, CaptionKeysRunTheirItemsOnlyWhenOffered)
{
    Viewing v;
    frmMain& m = v.main();
    m.Show();
    QApplication::setActiveWindow(&m);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    QTest::keyClick(&m, Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(v.screen().DisplaySize(), 1);
    EXPECT_TRUE(m.mnuviewhalfscreen->checked());
    QTest::keyClick(&m, Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(v.screen().DisplaySize(), 2);
    QTest::keyClick(&m, Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(v.screen().DisplaySize(), 0);
    EXPECT_TRUE(m.mnuviewactual->checked());
    QTest::keyClick(&m, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(v.screen().DisplaySize(), 3);
    EXPECT_TRUE(m.mnuviewfullscreen->checked());

    m.mnuviewzoom->setEnabled(false);
    m.mnuviewfullscreen->setEnabled(false);
    v.screen().calls.clear();
    QTest::keyClick(&m, Qt::Key_1, Qt::AltModifier);
    QTest::keyClick(&m, Qt::Key_Return, Qt::AltModifier);
    EXPECT_TRUE(v.screen().calls.isEmpty());
    EXPECT_TRUE(m.mnuviewfullscreen->checked());
}

TEST(StatusBar, TogglesTheBarAndTheWindowHeightAndDisablesAudioApply)
{
    Viewing v;
    frmMain& m = v.main();
    EXPECT_FALSE(v.app.forms().isLoaded<PlaySet>());
    m.mnuviewstatusbar->trigger();
    EXPECT_TRUE(m.mnuviewstatusbar->checked());
    EXPECT_TRUE(m.sbStatusBar->isVisibleTo(&m));
    EXPECT_EQ(m.heightTw(), 5370);
    ASSERT_TRUE(v.app.forms().isLoaded<PlaySet>());  // created hidden for this
    EXPECT_FALSE(v.form<PlaySet>().isVisible());
    EXPECT_FALSE(v.form<PlaySet>().Command3->isEnabled());
    EXPECT_EQ(m.sbStatusBar->geometry().bottom(), m.client()->height() - 1);
    v.form<PlaySet>().Command3->setEnabled(true);
    m.mnuviewstatusbar->trigger();
    EXPECT_FALSE(m.mnuviewstatusbar->checked());
    EXPECT_FALSE(m.sbStatusBar->isVisibleTo(&m));
    EXPECT_EQ(m.heightTw(), 5010);
    EXPECT_FALSE(v.form<PlaySet>().Command3->isEnabled());
}

TEST(VideoConfiguration, OpensFilledFromTheEngine)
{
    Viewing v;
    frmMain& m = v.main();
    v.screen().setDisplaySize(5);
    v.screen().setAllowSizeChange(false);
    v.screen().setEnableFullScreenControls(true);
    m.mnuviewvideosettings->trigger();
    Vid1& w = v.form<Vid1>();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.Option2->value());
    EXPECT_EQ(w.Check1->value(), 0);
    EXPECT_EQ(w.Check2->value(), 1);
    EXPECT_TRUE(w.Command3->isEnabled());  // the opener's clicks leave Apply on
    for (int code : {3, 2}) {
        v.screen().setDisplaySize(code);
        m.mnuviewvideosettings->trigger();
        EXPECT_FALSE(w.Option1->value() || w.Option2->value() || w.Option5->value() || w.Option6->value()) << code;
    }
    // Apply with no zoom option leaves size and marks, and still writes the check boxes.
    m.mnuviewdouble->trigger();
    v.screen().calls.clear();
    w.Check1->setValue(1);
    w.Command3->click();
    EXPECT_EQ(v.screen().calls, (QStringList{"setAllowSizeChange(1)", "setEnableFullScreenControls(1)"}));
    EXPECT_EQ(v.screen().DisplaySize(), 2);
    EXPECT_TRUE(m.mnuviewdouble->checked());
    EXPECT_FALSE(w.Command3->isEnabled());
}

TEST(VideoConfiguration, ApplySetsSizeAndMenuMarksAndGivesInputBack)
{
    Viewing v;
    frmMain& m = v.main();
    m.mnuviewvideosettings->trigger();
    Vid1& w = v.form<Vid1>();
    m.setEnabled(false);
    v.form<Player>().setEnabled(false);
    m.screenAndAudio->setEnabled(false);
    const std::tuple<forms::OptionButton*, int, forms::MenuItem*> zooms[] = {
        {w.Option2, 5, m.mnuviewSixteenth}, {w.Option1, 1, m.mnuviewhalfscreen},
        {w.Option6, 7, m.mnuviewoneeighthscreen}, {w.Option5, 0, m.mnuviewDefaultscreen}};
    for (const auto& [option, code, item] : zooms) {
        option->setValue(true);
        w.Command3->click();
        EXPECT_EQ(v.screen().DisplaySize(), code);
        EXPECT_TRUE(item->checked());
        EXPECT_EQ(v.checked().size(), 1u);
    }
    EXPECT_TRUE(m.isEnabled());
    EXPECT_TRUE(v.form<Player>().isEnabled());
    EXPECT_TRUE(m.screenAndAudio->isEnabled());
    EXPECT_TRUE(w.isVisible());  // Apply leaves the window open
}

TEST(VideoConfiguration, SpeedsActAtOnceAndSurviveCancel)
{
    Viewing v;
    v.main().mnuviewvideosettings->trigger();
    Vid1& w = v.form<Vid1>();
    w.Option11->setValue(true);  // Double Speed
    w.Command2->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(v.app.forms().isLoaded<Vid1>());
    v.screen().scriptPosition(10);
    v.form<Player>().Ff_Timer();
    EXPECT_DOUBLE_EQ(v.screen().CurrentPosition(), 10.2);
    v.main().mnuviewvideosettings->trigger();
    EXPECT_TRUE(w.Option11->value());
    w.Command1->click();
    EXPECT_TRUE(v.main().screenAndAudio->isEnabled());
}

TEST(VideoConfiguration, CustomSpeedBoxIsEditableOnlyWithCustomSpeed)
{
    Viewing v;
    Vid1& w = v.form<Vid1>();
    EXPECT_FALSE(w.Text1->isEnabled());
    EXPECT_EQ(forms::backColor(w.Text1), forms::kSysActiveBorder);
    EXPECT_FALSE(w.Text2->isEnabled());
    EXPECT_EQ(forms::backColor(w.Text2), forms::kSysMenuBar);
    w.Option4->setValue(true);
    EXPECT_TRUE(w.Text1->isEnabled());
    EXPECT_FALSE(w.Text1->isReadOnly());
    EXPECT_EQ(forms::backColor(w.Text1), forms::kWhite);
    w.Text1->setText(QStringLiteral("0.5"));
    w.Option10->setValue(true);
    EXPECT_FALSE(w.Text1->isEnabled());
    EXPECT_TRUE(w.Text1->isReadOnly());
    EXPECT_EQ(forms::backColor(w.Text1), forms::kSysMenuBar);
    EXPECT_EQ(w.Text1->text(), QStringLiteral("0.5"));
    w.Option7->setValue(true);
    EXPECT_TRUE(w.Text2->isEnabled());
    EXPECT_EQ(forms::backColor(w.Text2), forms::kWhite);
    w.Option12->setValue(true);
    EXPECT_FALSE(w.Text2->isEnabled());
    // The speed groups and the zoom group are separate.
    w.Option1->setValue(true);
    EXPECT_TRUE(w.Option12->value());
    EXPECT_TRUE(w.Option10->value());
}

TEST(AudioConfiguration, OpenerSetsOnlyTheSliderPositionsItKnows)
{
    Viewing v;
    frmMain& m = v.main();
    v.screen().setBalance(200);
    v.screen().setVolume(-250);
    v.screen().setAutoRewind(true);
    m.mnuviewzelplayerplussettings->trigger();
    PlaySet& p = v.form<PlaySet>();
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.Slider1->value(), 0);
    EXPECT_EQ(p.Slider2->value(), 0);
    EXPECT_EQ(p.Option3->value(), 1);
    EXPECT_FALSE(p.Command3->isEnabled());
    EXPECT_FALSE(m.screenAndAudio->isEnabled());
    p.Command3->setEnabled(true);
    v.screen().calls.clear();
    p.Command3->click();
    EXPECT_EQ(v.screen().Balance(), -9999);  // slider 0 is full left
    EXPECT_TRUE(v.screen().calls.filter("setPlayCount").isEmpty());  // no play-state option chosen

    v.screen().setBalance(9999);
    v.screen().setVolume(-200);
    p.Command1->click();  // Ok hides, keeps the controls, gives input back
    EXPECT_TRUE(m.screenAndAudio->isEnabled());
    m.mnuviewzelplayerplussettings->trigger();
    EXPECT_EQ(p.Slider1->value(), 10);
    EXPECT_EQ(p.Slider2->value(), 9);
}

TEST(AudioConfiguration, ApplyAtTheSliderEndsSetsVolumeMuteAndRemoteButtons)
{
    Viewing v;
    v.main().mnuviewzelplayerplussettings->trigger();
    PlaySet& p = v.form<PlaySet>();
    Player& r = v.form<Player>();
    v.screen().setMute(true);
    p.Slider2->setValue(0);
    p.Command3->click();
    EXPECT_EQ(v.screen().Volume(), -6000);
    EXPECT_TRUE(v.screen().Mute());  // left as it was
    EXPECT_FALSE(r.Mute1->isEnabled());
    EXPECT_FALSE(r.Volume2->isEnabled());
    EXPECT_TRUE(r.Vol1->isEnabled());
    p.Slider2->setValue(10);
    p.Command3->click();
    EXPECT_EQ(v.screen().Volume(), 0);
    EXPECT_FALSE(v.screen().Mute());
    EXPECT_FALSE(r.Vol1->isEnabled());
    EXPECT_TRUE(r.Volume2->isEnabled());
    EXPECT_TRUE(r.Mute1->isEnabled());
    // Each step of the slider above silence is as much louder as the one before (2 dB).
    for (int position = 2; position <= 10; ++position) {
        p.Slider2->setValue(position - 1);
        p.Command3->click();
        const int below = v.screen().Volume();
        p.Slider2->setValue(position);
        p.Command3->click();
        EXPECT_EQ(v.screen().Volume() - below, 200) << position;
    }
    p.Slider2->setValue(3);
    p.Slider1->setValue(7);
    p.Command3->click();
    EXPECT_EQ(v.screen().Volume(), -1400);
    EXPECT_EQ(v.screen().Balance(), 500);
    EXPECT_FALSE(p.Command3->isEnabled());
    EXPECT_TRUE(p.isVisible());
}

TEST(AudioConfiguration, PlayStateOptionsDriveTheRewindBox)
{
    Viewing v;
    v.main().mnuviewzelplayerplussettings->trigger();
    PlaySet& p = v.form<PlaySet>();
    p.Option3->setValue(1);
    p.Option2->setValue(true);  // Repeat: the box is disabled, its tick kept
    EXPECT_FALSE(p.Option3->isEnabled());
    EXPECT_EQ(p.Option3->value(), 1);
    EXPECT_EQ(forms::foreColor(p.Option3), forms::kSysButtonText);
    p.Command3->click();
    EXPECT_EQ(v.screen().PlayCount(), WindowsMediaControl::kRepeatForever);
    EXPECT_TRUE(v.screen().AutoRewind());
    p.Option3->setEnabled(true);
    p.Option3->setValue(0);
    p.Option1->setValue(true);  // Once: the box is ticked and enabled
    EXPECT_EQ(p.Option3->value(), 1);
    EXPECT_TRUE(p.Option3->isEnabled());
    EXPECT_TRUE(p.Command3->isEnabled());
    p.Command3->click();
    EXPECT_EQ(v.screen().PlayCount(), 1);

    p.Command2->click();  // Cancel unloads: the next reference starts from the design state
    EXPECT_FALSE(v.app.forms().isLoaded<PlaySet>());
    settle();
    EXPECT_FALSE(v.form<PlaySet>().Option1->value());
    EXPECT_EQ(v.form<PlaySet>().Slider2->value(), 0);
    EXPECT_TRUE(v.form<PlaySet>().Command3->isEnabled());
}

// The close box of each configuration window ends it as its own button does: the media control
// gets its input back, and the video configuration keeps the speed the remote's timers read.
TEST(ConfigurationWindows, CloseBoxEndsTheWindowAsItsButtonDoes)
{
    {
        Viewing v;
        v.main().mnuviewzelplayerplussettings->trigger();
        EXPECT_FALSE(v.main().screenAndAudio->isEnabled());
        v.form<PlaySet>().close();
        settle();
        EXPECT_TRUE(v.main().screenAndAudio->isEnabled());
        EXPECT_FALSE(v.app.forms().isLoaded<PlaySet>());  // as Cancel leaves it
    }
    {
        Viewing v;
        v.main().mnuviewvideosettings->trigger();
        v.form<Vid1>().Option11->setValue(true);
        v.main().screenAndAudio->setEnabled(false);
        v.form<Vid1>().close();
        settle();
        EXPECT_TRUE(v.main().screenAndAudio->isEnabled());
        ASSERT_TRUE(v.app.forms().isLoaded<Vid1>());
        EXPECT_FALSE(v.form<Vid1>().isVisible());
        v.screen().scriptPosition(10);
        v.form<Player>().Ff_Timer();
        EXPECT_DOUBLE_EQ(v.screen().CurrentPosition(), 10.2);
    }
}

// Custom speeds read with a point or the system's decimal separator; group separators are not
// taken as part of the number.
TEST(VideoConfiguration, CustomSpeedTakesThePointOrTheSystemSeparator)
{
    const QLocale before;
    struct Case {
        QLocale::Language language;
        const char* text;
        std::optional<double> step;
    };
    const Case cases[] = {
        {QLocale::German, "2,5", 2.5}, {QLocale::German, "2.5", 2.5}, {QLocale::German, "1.500", 1.5},
        {QLocale::English, "2.5", 2.5}, {QLocale::English, "2,5", std::nullopt}, {QLocale::French, "0,25", 0.25},
        {QLocale::German, "", std::nullopt}, {QLocale::German, "zwei", std::nullopt},
    };
    for (const Case& c : cases) {
        QLocale::setDefault(QLocale(c.language));
        Viewing v;
        Vid1& w = v.form<Vid1>();
        w.Option7->setValue(true);
        w.Text2->setText(QString::fromLatin1(c.text));
        w.Option4->setValue(true);
        w.Text1->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(w.fastForwardStep(), c.step) << c.text << " " << QLocale().name().toStdString();
        EXPECT_EQ(w.rewindStep(), c.step) << c.text;
    }
    QLocale::setDefault(before);
}
