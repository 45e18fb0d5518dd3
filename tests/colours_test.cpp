// Player preferences: one background colour painted over the program's windows.
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegion>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QAbstractScrollArea>
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "windows/ExitBox.h"
#include "windows/frmAbout.h"
#include "windows/frmSplash.h"
#include "main_window/Pro1.h"
#include "remote/Player.h"
#include "settings/Addit1.h"
#include "settings/PlaySet.h"
#include "settings/Vid1.h"
#include "support/Started.h"
#include "tools/CDPlayer.h"
#include "tools/CalFrm.h"

namespace {

constexpr forms::ColorNumber kRed = 0x000000FF, kYellow = 0x0000FFFF, kBlue = 0x00FF0000;

// Opens the preferences, chooses a list entry (-1: none) and applies it.
void apply(Started& s, int listIndex)
{
    s.main().mnuviewadditionalsettings->trigger();
    Addit1& p = s.form<Addit1>();
    p.Combo1->setCurrentIndex(listIndex);
    if (listIndex < 0) p.Combo1->setEditText(QStringLiteral("Select..."));
    p.Command3->click();
}

std::set<const QWidget*> located(Started& s, const std::vector<Addit1::Target>& targets)
{
    std::set<const QWidget*> out;
    for (const Addit1::Target& t : targets) out.insert(t.locate(s.app));
    return out;
}

// How many of the image's pixels inside the rectangle are close to the colour.
double shareNear(const QImage& img, const QRect& r, QColor c)
{
    int near = 0, all = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x, ++all) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) < 90 && std::abs(p.green() - c.green()) < 90 && std::abs(p.blue() - c.blue()) < 90)
                ++near;
        }
    return all ? static_cast<double>(near) / all : 0;
}

// Each window's picture, taken the first time it is asked for, once the window shows.
struct WindowGrabs {
    std::map<QWidget*, QImage> images;
    const QImage& of(QWidget* window)
    {
        auto it = images.find(window);
        if (it == images.end()) {
            window->show();
            settle();
            it = images.emplace(window, window->grab().toImage()).first;
        }
        return it->second;
    }
};

}  // namespace

TEST(Colours, TheListAndWhatEachEntryPaints)
{
    const struct {
        int index;
        std::optional<forms::ColorNumber> colour;
    } entries[] = {{-1, std::nullopt}, {0, 0x8000000B}, {1, kRed}, {2, kBlue}, {3, kYellow}, {8, 0x00000000},
                   {16, 0x00228B22}, {17, std::nullopt}};
    for (const auto& e : entries) EXPECT_EQ(Addit1::colourOf(e.index), e.colour) << e.index;

    Started s;
    s.main().mnuviewadditionalsettings->trigger();
    Addit1& p = s.form<Addit1>();
    EXPECT_EQ(p.caption(), QStringLiteral("Player preferences"));
    ASSERT_EQ(p.Combo1->count(), 17);
    EXPECT_EQ(p.Combo1->itemText(16), QStringLiteral("Forest Green"));
    EXPECT_EQ(p.Combo1->currentText(), QStringLiteral("Select..."));
    EXPECT_EQ(p.Combo2->count(), 0);
    // Each entry after the default is the colour its name says.
    for (int i = 1; i < p.Combo1->count(); ++i) {
        const QString name = p.Combo1->itemText(i);
        const QColor expected = name == QLatin1String("Light Red") ? QColor(0xFF, 0x80, 0x80)
                                                                     : QColor::fromString(name.toLower().remove(' '));
        ASSERT_TRUE(expected.isValid()) << name.toStdString();
        EXPECT_EQ(forms::toQColor(*Addit1::colourOf(i)), expected) << name.toStdString();
    }
    // Opened in the main window's colour.
    for (const QWidget* w : std::initializer_list<const QWidget*>{&p, p.Command1, p.Command2, p.Command3, p.Frame1, p.Frame2})
        EXPECT_EQ(forms::backColor(w), s.main().backColor()) << w->objectName().toStdString();
}

TEST(Colours, FullReachPaintsEveryRowAndNothingElseAndCreatesWindowsHidden)
{
    for (const auto& [index, colour] : {std::pair{1, kRed}, std::pair{3, kYellow}, std::pair{0, forms::ColorNumber{0x8000000B}}}) {
        Started s;
        s.main().mnufileopen->setEnabled(false);
        ASSERT_FALSE(s.app.forms().isLoaded<CDPlayer>());
        apply(s, index);
        const std::set<const QWidget*> painted = located(s, Addit1::fullReach());
        for (const QWidget* w : painted) EXPECT_EQ(forms::backColor(w), colour) << w->objectName().toStdString();

        // Created hidden with their load work: the CD player opened its device, the remote hid itself.
        EXPECT_TRUE(s.app.forms().isLoaded<CDPlayer>());
        EXPECT_FALSE(s.form<CDPlayer>().isVisible());
        EXPECT_EQ(s.engines.cd.back()->calls, QStringList{"open"});
        EXPECT_FALSE(s.form<Player>().isVisible());
        EXPECT_FALSE(s.form<Pro1>().isVisible());

        // Controls left out keep their colours.
        Vid1& v = s.form<Vid1>();
        Pro1& pro = s.form<Pro1>();
        for (const QWidget* w : std::initializer_list<const QWidget*>{v.Frame5, v.Frame6, v.Option3, v.Option7, v.Text1,
                                                                      pro.Label12, s.form<frmSplash>().Command1})
            EXPECT_NE(forms::backColor(w), colour) << w->objectName().toStdString();
        // Only "Red" enables the open command.
        EXPECT_EQ(s.main().mnufileopen->isEnabled(), index == 1) << index;
    }
}

TEST(Colours, BlueNothingAndTypedTextPaintOnlyWhatTheySay)
{
    Started s;
    const forms::ColorNumber before = s.form<Pro1>().backColor();
    apply(s, 2);
    const std::set<const QWidget*> blue = located(s, Addit1::mainWindowOnly());
    EXPECT_EQ(blue.size(), 5u);
    for (const QWidget* w : blue) EXPECT_EQ(forms::backColor(w), kBlue);
    EXPECT_NE(forms::backColor(s.main().Label5), kBlue);
    EXPECT_NE(s.form<Addit1>().backColor(), kBlue);
    EXPECT_EQ(s.form<Pro1>().backColor(), before);
    EXPECT_FALSE(s.app.forms().isLoaded<CDPlayer>());

    // "Select..." or a typed text: nothing.
    Started t;
    apply(t, -1);
    t.form<Addit1>().Combo1->setEditText(QStringLiteral("Red"));  // typed, not chosen from the list
    t.form<Addit1>().Command3->click();
    EXPECT_EQ(t.main().backColor(), forms::kSysInactiveBorder);
    EXPECT_FALSE(t.app.forms().isLoaded<CDPlayer>());
}

TEST(Colours, OkCancelAndReopeningFollowTheMainWindowAndReloadedWindowsShowDesignColours)
{
    Started s;
    apply(s, 1);
    s.form<Addit1>().Command1->click();  // Ok: unloads
    settle();
    EXPECT_FALSE(s.app.forms().isLoaded<Addit1>());
    s.main().mnuviewadditionalsettings->trigger();
    EXPECT_EQ(s.form<Addit1>().backColor(), kRed);
    EXPECT_EQ(s.form<Addit1>().Combo1->currentText(), QStringLiteral("Select..."));
    s.form<Addit1>().Command2->click();
    settle();
    EXPECT_FALSE(s.app.forms().isLoaded<Addit1>());

    // The exit box was painted; unloaded and made again, it has its design colours.
    const forms::ColorNumber design = [] {
        Started fresh;
        return fresh.form<ExitBox>().backColor();
    }();
    EXPECT_EQ(s.form<ExitBox>().backColor(), kRed);
    s.form<ExitBox>().Unload();
    settle();
    EXPECT_EQ(s.form<ExitBox>().backColor(), design);
}

TEST(Colours, ThePaintedColourShowsOnScreenOnEveryKindOfControl)
{
    Started s;
    apply(s, 1);
    const QColor red(255, 0, 0);
    Vid1& v = s.form<Vid1>();
    Player& remote = s.form<Player>();
    CalFrm& cal = s.form<CalFrm>();
    ExitBox& box = s.form<ExitBox>();
    const QString grabs = qEnvironmentVariable("ZP_GRAB_DIR");  // set to keep the pictures
    const auto grabOf = [&](QWidget& window) {
        window.show();
        settle();
        const QImage img = window.grab().toImage();
        if (!grabs.isEmpty()) img.save(QDir(grabs).filePath(window.objectName() + QStringLiteral(".png")));
        return img;
    };
    const auto inside = [](const QWidget* w, const QWidget& window) {
        // The control's inner part, away from borders, text and indicators.
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        return r.adjusted(r.width() / 4, r.height() / 4, -r.width() / 4, -r.height() / 4);
    };
    const QImage vid = grabOf(v);
    for (const QWidget* w : std::initializer_list<const QWidget*>{v.Command1, v.Frame3, v.Check1})
        EXPECT_GT(shareNear(vid, inside(w, v), red), 0.5) << w->objectName().toStdString();
    // Option buttons: the part right of the caption.
    const QRect option(v.Option1->mapTo(&v, QPoint(0, 0)), v.Option1->size());
    EXPECT_GT(shareNear(vid, option.adjusted(option.width() - 6, 2, -1, -2), red), 0.5);
    // The fast-forward frame is not painted.
    EXPECT_LT(shareNear(vid, inside(v.Frame6, v), red), 0.1);

    const QImage rem = grabOf(remote);
    EXPECT_GT(shareNear(rem, inside(remote.Stop1, remote), red), 0.3);
    const QImage calendar = grabOf(cal);
    EXPECT_GT(shareNear(calendar, inside(cal.Calendar1, cal), red), 0.3);
    EXPECT_GT(shareNear(calendar, inside(cal.Command1, cal), red), 0.3);
    const QImage exit = grabOf(box);
    EXPECT_GT(shareNear(exit, QRect(4, 4, 12, 12), red), 0.9);
    EXPECT_GT(shareNear(exit, inside(box.Command1, box), red), 0.3);
}

// Two Applies in a row with the video and audio configuration open: every painted control shows
// the latest colour on screen, whatever it is (window, frame, button, option, check box, text box,
// calendar).
TEST(Colours, EveryPaintedControlShowsTheLatestApplyOnScreen)
{
    Started s;
    s.main().mnuviewvideosettings->trigger();
    s.main().mnuviewzelplayerplussettings->trigger();
    apply(s, 1);
    apply(s, 3);
    const QColor yellow(255, 255, 0);
    WindowGrabs grabs;
    for (const Addit1::Target& t : Addit1::fullReach()) {
        QWidget* w = t.locate(s.app);
        QWidget* window = w->window();
        const QImage& grab = grabs.of(window);
        // Its own area: where none of the controls inside lies (they have colours of their own).
        const QWidget* area = w->isWindow() ? static_cast<forms::Form*>(w)->client() : w;
        QRegion own(QRect(area->mapTo(window, QPoint(0, 0)), area->size()).adjusted(2, 2, -2, -2));
        if (!qobject_cast<QCalendarWidget*>(w) && !qobject_cast<QAbstractScrollArea*>(w))
            for (const QWidget* child : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisible()) own -= QRect(child->mapTo(window, QPoint(0, 0)), child->size());
        int near = 0, all = 0;
        for (const QRect& r : own)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x, ++all)
                    if (shareNear(grab, QRect(x, y, 1, 1), yellow) > 0) ++near;
        if (all < 20) continue;  // all of it is covered by controls of their own colour
        const double minimum = qobject_cast<QCalendarWidget*>(w) ? 0.3 : 0.5;
        EXPECT_GT(static_cast<double>(near) / all, minimum)
            << window->objectName().toStdString() << "::" << w->objectName().toStdString();
    }
}

namespace {

// The largest contrast any pixel of the rectangle has against the colour: where text is, the
// contrast of the text's own colour.
double textContrast(const QImage& img, const QRect& logical, const QColor& back)
{
    // The picture has the screen's device pixels.
    const qreal scale = img.devicePixelRatio();
    const QRect r(QPoint(qRound(logical.left() * scale), qRound(logical.top() * scale)),
                  QSize(qRound(logical.width() * scale), qRound(logical.height() * scale)));
    double best = 1;
    for (int y = std::max(0, r.top()); y <= std::min(img.height() - 1, r.bottom()); ++y)
        for (int x = std::max(0, r.left()); x <= std::min(img.width() - 1, r.right()); ++x)
            best = std::max(best, forms::contrastRatio(img.pixelColor(x, y), back));
    return best;
}

// Where a control's text is drawn, in its window's coordinates.
QRect textArea(QWidget* w)
{
    QWidget* window = w->window();
    const QPoint at = w->mapTo(window, QPoint(0, 0));
    if (qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(w);
        opt.text = static_cast<QAbstractButton*>(w)->text();
        const QRect r = w->style()->subElementRect(qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                                                 : QStyle::SE_CheckBoxContents,
                                                   &opt, w);
        return r.translated(at);
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox opt;
        opt.initFrom(frame);
        opt.text = frame->title();
        opt.subControls = QStyle::SC_GroupBoxLabel;
        return w->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, w).translated(at);
    }
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
        return QRect(area->viewport()->mapTo(window, QPoint(0, 0)), area->viewport()->size());
    if (auto* calendar = qobject_cast<QCalendarWidget*>(w)) {
        const QWidget* days = calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_calendarview"));
        return QRect(days->mapTo(window, QPoint(0, 0)), days->size());
    }
    return QRect(at, w->size()).adjusted(3, 3, -3, -3);  // buttons: inside the edge
}

}  // namespace

// On every colour of the list, the text of every painted control that can be used reads at a
// contrast of 4.5:1 at least, measured on the windows' pictures; also in the preferences opened
// again after Ok, and in the About box, whose labels show the colour itself.
TEST(Colours, TextReadsOnEveryColour)
{
    Started s;
    s.main().mnuviewvideosettings->trigger();
    s.main().mnuviewzelplayerplussettings->trigger();
    const QStringList windows{"Vid1", "PlaySet", "Player", "CalFrm", "Addit1"};
    frmAbout& about = s.form<frmAbout>();
    for (int index = 0; index < 17; ++index) {
        if (index == 2) continue;  // Blue paints the main window only
        apply(s, index);
        const QString colour = s.form<Addit1>().Combo1->itemText(index);
        s.form<Addit1>().Command1->click();  // Ok, and opened again
        settle();
        s.main().mnuviewadditionalsettings->trigger();
        const QColor back = forms::toQColor(*Addit1::colourOf(index));
        WindowGrabs grabs;
        for (const Addit1::Target& t : Addit1::fullReach()) {
            QWidget* w = t.locate(s.app);
            if (w->isWindow() || !windows.contains(w->window()->objectName()) || !w->isEnabled()) continue;
            EXPECT_GE(textContrast(grabs.of(w->window()), textArea(w), back), 4.5)
                << colour.toStdString() << ": " << w->window()->objectName().toStdString() << "::" << w->objectName().toStdString();
        }
        for (QLabel* label : {about.lblTitle, about.lblVersion, about.lblDisclaimer}) {
            const QImage& grab = grabs.of(&about);
            EXPECT_GE(textContrast(grab, textArea(label), back), 4.5) << colour.toStdString() << ": " << label->objectName().toStdString();
            EXPECT_EQ(grab.pixelColor(label->mapTo(&about, QPoint(0, 0))), back) << colour.toStdString() << ": " << label->objectName().toStdString();
        }
    }
    // A typed colour name adds no entry to the list.
    QComboBox* list = s.form<Addit1>().Combo1;
    list->lineEdit()->setText(QStringLiteral("Teal"));
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(list->count(), 17);
}

// A button that cannot be pressed looks so before and after any Apply, and a button keeps a
// visible edge on black.
TEST(Colours, DisabledButtonsLookDisabledAndButtonsKeepTheirEdge)
{
    Started s;
    Player& remote = s.form<Player>();
    ASSERT_FALSE(remote.Vol1->isEnabled());  // "Volume +" at full volume
    ASSERT_TRUE(remote.Volume2->isEnabled());
    for (int index : {-1, 8, 7, 1, 16}) {  // as designed, Black, White, Red, Forest Green
        if (index >= 0) apply(s, index);
        remote.show();
        settle();
        const QImage img = remote.grab().toImage();
        const QColor face = img.pixelColor(remote.Volume2->geometry().center().x(), remote.Volume2->geometry().top() + 4);
        const double enabled = textContrast(img, textArea(remote.Volume2), face);
        const double disabled = textContrast(img, textArea(remote.Vol1), face);
        EXPECT_LT(disabled, enabled * 0.6) << index << ": " << disabled << " against " << enabled;
        // The edge: a pixel on the button's left side stands out from its face.
        const QRect b = remote.Volume2->geometry();
        const QColor edge = img.pixelColor(b.left(), b.center().y());
        EXPECT_GT(forms::contrastRatio(edge, face), 1.3) << index;
    }
}

// The main window's status bar, which the colour does not paint, keeps its colour.
TEST(Colours, TheMainWindowsStatusBarKeepsItsColour)
{
    Started s;
    s.main().mnuviewstatusbar->trigger();
    s.main().show();
    settle();
    const QRect bar(s.main().sbStatusBar->mapTo(&s.main(), QPoint(0, 0)), s.main().sbStatusBar->size());
    const QColor before = s.main().grab().toImage().pixelColor(bar.left() + 2, bar.center().y());
    apply(s, 1);
    settle();
    const QColor after = s.main().grab().toImage().pixelColor(bar.left() + 2, bar.center().y());
    EXPECT_EQ(after, before);
    EXPECT_NE(after, QColor(255, 0, 0));
}
