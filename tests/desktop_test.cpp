// Names from outside the windows: the command line, a later start, drops. Each is checked as a
// name typed in the open dialog; the first that passes opens as File > Open opens a chosen file,
// the rest become playlist rows.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <vector>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "main_window/Pro1.h"
#include "platform/FileNames.h"
#include "playlist/Form2.h"
#include "remote/Player.h"
#include "support/Started.h"
#include "support/TestFiles.h"

namespace {

QStringList rows(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

// Three clips in a folder (one RealMedia), made for the double's sake: it plays what it knows.
struct Clips {
    QTemporaryDir dir;
    QString wmv = dir.filePath("first clip.wmv"), mp3 = dir.filePath("second.mp3"), rm = dir.filePath("third.rm");
    Clips()
    {
        for (const QString& f : {wmv, mp3, rm}) writeFile(f, "x");
    }
};

command_line::Parsed parseArguments(const std::vector<QByteArray>& args)
{
    std::vector<char*> argv;
    std::vector<QByteArray> copies = args;
    for (QByteArray& a : copies) argv.push_back(a.data());
    return command_line::parse(static_cast<int>(argv.size()), argv.data());
}

// What another program's drop brings: the address list as it wrote it.
class ForeignDrop : public QMimeData {
public:
    explicit ForeignDrop(QByteArray list) : list_(std::move(list)) {}
    bool hasFormat(const QString& format) const override { return format == QLatin1String("text/uri-list"); }
    QStringList formats() const override { return {QStringLiteral("text/uri-list")}; }

protected:
    QVariant retrieveData(const QString& format, QMetaType) const override { return hasFormat(format) ? QVariant(list_) : QVariant(); }

private:
    QByteArray list_;
};

void drop(QWidget& target, const QByteArray& list)
{
    const ForeignDrop data(list);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &dropped);
    ASSERT_TRUE(dropped.isAccepted());
}

void drop(QWidget& target, const QList<QUrl>& urls)
{
    QByteArray list;
    for (const QUrl& url : urls) list += url.toEncoded() + "\r\n";
    drop(target, list);
}

}  // namespace

TEST(CommandLine, NamesAreMadeWholeAndKeepTheirBytes)
{
    const QString here = QDir::currentPath();
    const command_line::Parsed p = parseArguments({"zelplayer", "clip.mp3", "/abs/x.wav", "http://example.com/a.mp3",
                                                   "file:///tmp/y.wav", "caf\xe9.mp3", "--", "-dash.mp3"});
    EXPECT_FALSE(p.exit);
    ASSERT_EQ(p.names.size(), 6);
    EXPECT_EQ(p.names[0], here + "/clip.mp3");
    EXPECT_EQ(p.names[1], QStringLiteral("/abs/x.wav"));
    EXPECT_EQ(p.names[2], QStringLiteral("http://example.com/a.mp3"));
    EXPECT_EQ(p.names[3], QStringLiteral("file:///tmp/y.wav"));
    EXPECT_EQ(platform::encodeFileName(p.names[4]), QFile::encodeName(here) + "/caf\xe9.mp3");
    EXPECT_EQ(p.names[5], here + "/-dash.mp3");

    std::vector<QByteArray> many{"zelplayer"};
    for (int i = 0; i < 10000; ++i) many.push_back("n" + QByteArray::number(i));
    EXPECT_EQ(parseArguments(many).names.size(), 10000);
    EXPECT_EQ(parseArguments({"zelplayer", "--no-such-option"}).status, 2);
}

TEST(OutsideNames, TheFirstPlayableOpensAsFileOpenAndTheOthersBecomeRowsOfTheirSets)
{
    Clips c;
    Started s;
    s.screen().clips[c.wmv] = FakeWindowsMediaControl::Clip{};
    const QString address = QStringLiteral("http://example.com/live.mp3");
    s.main().openFromOutside({c.dir.filePath("missing.mp3"), c.wmv, c.rm, c.dir.path(), address, c.mp3});
    settle();

    // The first that passes plays, as after File > Open: the dialog's name, the engine, the remote.
    EXPECT_EQ(s.main().CommonDialog1->DialogFileName(), c.wmv);
    EXPECT_EQ(s.main().CommonDialog1->DialogFileTitle(), QStringLiteral("first clip.wmv"));
    EXPECT_TRUE(s.screen().calls.contains("Open(" + c.wmv + ")"));
    EXPECT_TRUE(s.main().mnufileproperties->isEnabled());
    EXPECT_FALSE(s.form<Player>().Un2->isHidden());  // the remote shows Pause

    // The rest are rows of their sets: name, no length yet, path.
    Form2& list = s.form<Form2>();
    EXPECT_EQ(rows(list.List1), (QStringList{address, "second.mp3"}));
    EXPECT_EQ(rows(list.List2), (QStringList{"", ""}));
    EXPECT_EQ(rows(list.List3), (QStringList{address, c.mp3}));
    EXPECT_EQ(rows(list.List4), QStringList{"third.rm"});
    EXPECT_EQ(rows(list.List6), QStringList{c.rm});

    // One message, for the first that failed, worded as the open dialog's.
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text,
              QStringLiteral("ZelPlayer Plus cannot play \"%1\". The file does not exist.").arg(c.dir.filePath("missing.mp3")));

    // A double-click on a row plays it.
    list.List1->setCurrentRow(1);
    emit list.List1->itemDoubleClicked(list.List1->item(1));
    EXPECT_TRUE(s.screen().calls.contains("Open(" + c.mp3 + ")"));

    // A RealMedia name first plays in the Real engine; thousands of names are bounded.
    QStringList lots{c.rm};
    for (int i = 0; i < 1500; ++i) lots << c.mp3;
    s.messages.shown.clear();
    s.main().openFromOutside(lots);
    EXPECT_EQ(s.real().calls.filter("SetSource").last(), "SetSource(" + c.rm + ")");
    EXPECT_EQ(list.List1->count(), 2 + 999);
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("ZelPlayer Plus takes at most 1000 names at a time; the other 501 were left out."));
}

TEST(OutsideNames, NamesGivenAtTheStartEnterStandardModeWithoutTheStartupWindow)
{
    Clips c;
    TestApp t;
    auto& screen = *t.app.forms().get<frmMain>().findChild<FakeWindowsMediaControl*>("screenAndAudio");
    screen.clips[c.wmv] = screen.clips[c.mp3] = FakeWindowsMediaControl::Clip{};
    // A later start's names reach the program while it still shows the start-up window.
    frmSplash& splash = t.app.forms().get<frmSplash>();
    splash.Show();
    splash.Option2->setValue(true);  // Decrypter Mode chosen but not entered
    program::openFromOutside(t.app, media_source::checkAll({c.wmv}));
    settle();
    frmMain& main = t.app.forms().get<frmMain>();
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(splash.Option1->value());
    EXPECT_EQ(main.mnufileopen->text(), QStringLiteral("&Open Windows Media File"));  // Standard Mode's caption
    EXPECT_EQ(main.CommonDialog1->DialogFileName(), c.wmv);
    // Once in, later names only open.
    program::openFromOutside(t.app, media_source::checkAll({c.mp3}));
    EXPECT_EQ(main.CommonDialog1->DialogFileName(), c.mp3);
    EXPECT_TRUE(t.messages.shown.empty());
}

TEST(OutsideNames, DroppedFilesOpenOnTheMainWindowAndBecomeRowsOnThePlaylist)
{
    Clips c;
    Started s;
    s.screen().clips[c.wmv] = FakeWindowsMediaControl::Clip{};
    drop(s.main(), {QUrl::fromLocalFile(c.wmv), QUrl::fromLocalFile(c.mp3)});
    settle();
    EXPECT_TRUE(s.screen().calls.contains("Open(" + c.wmv + ")"));
    Form2& list = s.form<Form2>();
    EXPECT_EQ(rows(list.List1), QStringList{"second.mp3"});

    // On the playlist both become rows, a RealMedia file in its own set; the picture's drops
    // reach the main window through it.
    drop(list, {QUrl::fromLocalFile(c.rm), QUrl::fromLocalFile(c.wmv)});
    EXPECT_EQ(rows(list.List1), (QStringList{"second.mp3", "first clip.wmv"}));
    EXPECT_EQ(rows(list.List4), QStringList{"third.rm"});
    EXPECT_TRUE(s.messages.shown.empty());
    EXPECT_TRUE(s.main().acceptDrops());

    // Addresses Qt cannot parse are refused for what they are, in a box that does not wait.
    for (const auto& [list, reason] : {std::pair{"file://otherhost/etc/passwd", "It names a file on another computer (\"otherhost\")"},
                                       {"edl://%10%/etc/passwd", "does not open \"edl://\" addresses"},
                                       {"av://lavfi:sine", "does not open \"av://\" addresses"},
                                       {"http://[::1", "It is not a complete address."}}) {
        s.messages.shown.clear();
        drop(s.main(), QByteArray(list) + "\r\n");
        ASSERT_EQ(s.messages.shown.size(), 1u) << list;
        EXPECT_TRUE(s.messages.shown[0].text.contains(QLatin1String(reason))) << s.messages.shown[0].text.toStdString();
        EXPECT_FALSE(s.messages.shown[0].waited);
    }
}
