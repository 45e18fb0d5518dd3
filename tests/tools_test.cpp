// The side tools: calendar, file browser, DVD window.
#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "windows/ExitBox.h"
#include "remote/Player.h"
#include "support/Started.h"
#include "support/TestFiles.h"
#include "media/MMControl.h"
#include "tools/CDPlayer.h"
#include "tools/CalFrm.h"
#include "tools/Form5.h"
#include "media/MediaSource.h"
#include "platform/FileNames.h"
#include "platform/LocalFile.h"
#include "tools/frmDVD.h"

TEST(Calendar, ShowsTodayAndLocksInputUntilOkThenTheRemoteUnlocksTheEngine)
{
    Started s;
    frmMain& m = s.main();
    Player& remote = s.form<Player>();
    m.mnuviewcalendar->trigger();
    CalFrm& c = s.form<CalFrm>();
    EXPECT_TRUE(c.isVisible());
    EXPECT_EQ(c.caption(), QStringLiteral("Calendar"));
    EXPECT_EQ(c.Calendar1->selectedDate(), QDate::currentDate());
    EXPECT_EQ(c.Calendar1->monthShown(), QDate::currentDate().month());
    EXPECT_FALSE(m.isEnabled());
    EXPECT_FALSE(remote.isEnabled());
    EXPECT_FALSE(m.screenAndAudio->isEnabled());

    c.Command1->click();
    settle();
    EXPECT_FALSE(s.app.forms().isLoaded<CalFrm>());
    EXPECT_TRUE(m.isEnabled());
    EXPECT_TRUE(remote.isEnabled());
    EXPECT_FALSE(m.screenAndAudio->isEnabled());  // until a remote button gives it back
    remote.Un1->click();
    EXPECT_TRUE(m.screenAndAudio->isEnabled());

    // The close box ends the window as Ok does.
    m.mnuviewcalendar->trigger();
    s.form<CalFrm>().close();
    settle();
    EXPECT_FALSE(s.app.forms().isLoaded<CalFrm>());
    EXPECT_TRUE(m.isEnabled());
    EXPECT_TRUE(remote.isEnabled());
}

TEST(DvdWindow, ItsOwnEngineFillsTheClientAreaAndItsMenuOpensAndAsksBeforeExit)
{
    Started s;
    s.main().frmDVDPlayer->trigger();
    frmDVD& d = s.form<frmDVD>();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.caption(), QStringLiteral("Zel DVD Player"));
    auto* engine = static_cast<FakeWindowsMediaControl*>(d.MediaPlayer1);
    EXPECT_NE(d.MediaPlayer1, s.main().screenAndAudio);
    EXPECT_NE(d.MediaPlayer1, s.main().MediaPlayer1);

    // Any size: the engine, its transport bar included, covers the client area exactly.
    for (const QSize size : {QSize(400, 300), QSize(180, 120), QSize(640, 480)}) {
        d.resize(size);
        settle();
        EXPECT_EQ(d.MediaPlayer1->geometry(), d.client()->rect());
        EXPECT_EQ(d.MediaPlayer1->DisplaySize(), WindowsMediaControl::SizeStretched);
        EXPECT_TRUE(d.MediaPlayer1->AllowSizeChange());
    }

    s.dialogs.answers = {QString()};
    d.mnufileopen->trigger();
    EXPECT_TRUE(engine->calls.filter("Open").isEmpty());  // cancelled: nothing opened
    EXPECT_EQ(s.dialogs.requests.back().filters.size(), 5u);
    engine->clips["/dvd/movie.mpg"] = FakeWindowsMediaControl::Clip{};
    s.dialogs.answers = {"/dvd/movie.mpg"};
    d.mnufileopen->trigger();
    EXPECT_EQ(engine->calls.filter("Open"), QStringList{"Open(/dvd/movie.mpg)"});
    EXPECT_TRUE(s.screen().calls.filter("Open").isEmpty());
    EXPECT_EQ(d.mnufileopen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));

    d.mnufileproperties->trigger();  // does nothing
    EXPECT_TRUE(s.messages.shown.empty());

    d.mnufileexit->trigger();
    ExitBox& box = s.form<ExitBox>();
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.Label1->text(), QStringLiteral("Do you wish to exit the Zel DVD Player application?"));
    box.Command2->click();  // No
    settle();
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(s.main().isVisible());
}

namespace {

// A folder holding three subfolders and two files (and a hidden one of each).
struct BrowsedFolder {
    QTemporaryDir dir;
    BrowsedFolder()
    {
        for (const char* sub : {"Beta", "alpha", "Gamma 10", ".hidden"}) QDir(dir.path()).mkdir(sub);
        for (const char* file : {"song 2.mp3", "Song 10.wav", ".secret"}) writeFile(dir.filePath(file), "x");
    }
    QString path() const { return dir.path(); }
};

QStringList rows(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text().trimmed();
    return out;
}

void pickDrive(Form5& b, const QString& drive)
{
    if (b.Drive1->findText(drive) < 0) b.Drive1->addItem(drive);
    b.Drive1->setCurrentIndex(b.Drive1->findText(drive));
    emit b.Drive1->activated(b.Drive1->currentIndex());
}

}  // namespace

TEST(FileBrowser, DecrypterOpenShowsItOnTheWorkingFolderAndADriveChangeCountsFoldersAndFiles)
{
    Started s(true);
    s.main().mnufileopen->trigger();
    EXPECT_TRUE(s.dialogs.requests.empty());
    Form5& b = s.form<Form5>();
    EXPECT_TRUE(b.isVisible());
    EXPECT_EQ(b.Dir1->path(), QDir::currentPath());
    EXPECT_EQ(b.File1->path(), QDir::currentPath());
    EXPECT_EQ(b.Label1->text(), QStringLiteral("Number folders in this folder:"));
    EXPECT_EQ(b.Label2->text(), QStringLiteral("Number of files in folder:"));
    EXPECT_TRUE(b.Drive1->findText(QStringLiteral("/")) >= 0);

    BrowsedFolder folder;
    pickDrive(b, folder.path());
    EXPECT_EQ(b.Dir1->path(), folder.path());
    EXPECT_EQ(b.Dir1->ListCount(), 3);
    EXPECT_EQ(rows(b.Dir1).mid(rows(b.Dir1).size() - 3), (QStringList{"alpha", "Beta", "Gamma 10"}));
    EXPECT_EQ(rows(b.File1), (QStringList{"Song 10.wav", "song 2.mp3"}));
    EXPECT_EQ(b.Label1->text(), QStringLiteral("Number of folders in this folder: 3"));
    EXPECT_EQ(b.Label2->text(), QStringLiteral("Number of files in this folder: 2"));

    // A drive that cannot be read changes nothing, the drive shown included.
    pickDrive(b, QStringLiteral("/no/such/drive"));
    EXPECT_EQ(b.Dir1->path(), folder.path());
    EXPECT_EQ(b.Drive1->currentText(), folder.path());
    EXPECT_EQ(b.Label1->text(), QStringLiteral("Number of folders in this folder: 3"));

    // A folder entry opens that folder; the file count follows, the folder count is the drive's.
    const int sub = b.Dir1->count() - 3;  // "alpha"
    b.Dir1->setCurrentRow(sub);
    emit b.Dir1->itemActivated(b.Dir1->item(sub));
    EXPECT_EQ(b.Dir1->path(), folder.dir.filePath("alpha"));
    EXPECT_EQ(b.Label2->text(), QStringLiteral("Number of files in this folder: 0"));
    EXPECT_EQ(b.Label1->text(), QStringLiteral("Number of folders in this folder: 3"));
}

TEST(FileBrowser, DoubleClickPlaysInTheEngineTheLastOpenCallsFor)
{
    Started s(true);
    s.main().mnufileopen->trigger();
    Form5& b = s.form<Form5>();
    BrowsedFolder folder;
    pickDrive(b, folder.path());
    const QString song = folder.dir.filePath("song 2.mp3");
    s.screen().clips[song] = FakeWindowsMediaControl::Clip{};
    const auto doubleClick = [&](const QString& name) {
        QListWidgetItem* item = b.File1->findItems(name, Qt::MatchExactly).value(0);
        ASSERT_TRUE(item);
        b.File1->setCurrentItem(item);
        emit b.File1->itemDoubleClicked(item);
    };

    // The last open did not fail: the Windows-media engine plays it and the browser stays.
    doubleClick("song 2.mp3");
    EXPECT_EQ(s.screen().calls.filter(QRegularExpression("^(Open|Play)")), (QStringList{"Open(" + song + ")", "Play"}));
    EXPECT_EQ(s.real().calls, QStringList{"StopClip"});
    EXPECT_FALSE(s.main().RealAudio1->isVisibleTo(&s.main()));
    EXPECT_TRUE(b.isVisible());

    // The last open failed: the Real engine takes the file and the browser hides itself.
    s.screen().hasError = true;
    s.screen().calls.clear();
    s.real().calls.clear();
    doubleClick("Song 10.wav");
    const QString other = folder.dir.filePath("Song 10.wav");
    EXPECT_EQ(s.real().calls, (QStringList{"SetSource(" + other + ")", "PlayClip"}));
    EXPECT_EQ(s.screen().calls, QStringList{"Stop"});
    EXPECT_TRUE(s.main().RealAudio1->isVisibleTo(&s.main()));
    EXPECT_FALSE(b.isVisible());
    EXPECT_TRUE(s.messages.shown.empty());

    // At the root the path has one separator.
    s.screen().hasError = false;
    b.File1->showFiles(QStringLiteral("/"), {QStringLiteral("clip.mp3")});
    s.screen().calls.clear();
    doubleClick("clip.mp3");
    EXPECT_EQ(s.screen().calls.filter("Open"), QStringList{"Open(/clip.mp3)"});
    EXPECT_TRUE(s.messages.shown.empty());  // the failed Play ends the handler quietly
}

// Folders that cannot be opened say why; names that are not UTF-8 are listed readably and play
// under the file system's own bytes.
TEST(FileBrowser, FoldersThatCannotBeOpenedSayWhyAndNamesThatAreNotTextStillPlay)
{
    Started s(true);
    s.main().mnufileopen->trigger();
    Form5& b = s.form<Form5>();
    BrowsedFolder folder;
    const QByteArray latin1Name = "caf\xe9 \xff.mp3";
    const QByteArray folderBytes = QFile::encodeName(folder.path()) + "/";
    const QByteArray latin1Folder = folderBytes + "d\xe9j\xe0";
    ASSERT_EQ(::mkdir(latin1Folder.constData(), 0700), 0);
    {
        const int fd = ::open((latin1Folder + "/" + latin1Name).constData(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    pickDrive(b, folder.path());

    // A folder deleted after it was listed: a message, the lists as they were.
    ASSERT_TRUE(QDir(folder.dir.filePath("Beta")).removeRecursively());
    const auto activate = [&](const QString& shown) {
        QListWidgetItem* item = nullptr;
        for (int i = 0; i < b.Dir1->count(); ++i)
            if (b.Dir1->item(i)->text().trimmed() == shown) item = b.Dir1->item(i);
        ASSERT_TRUE(item) << shown.toStdString();
        b.Dir1->setCurrentItem(item);
        emit b.Dir1->itemActivated(item);
    };
    activate(QStringLiteral("Beta"));
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text,
              QStringLiteral("ZelPlayer Plus cannot open the folder \"%1\". The folder is not there any more: it may have "
                             "been moved or deleted.")
                  .arg(folder.dir.filePath("Beta")));
    EXPECT_EQ(b.Dir1->path(), folder.path());

    // A folder whose name is not UTF-8 opens; its file is listed readably and played by its bytes.
    activate(QString::fromUtf8("d\uFFFDj\uFFFD"));
    EXPECT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(platform::encodeFileName(b.Dir1->path()), latin1Folder);
    ASSERT_EQ(rows(b.File1), QStringList{QString::fromUtf8("caf\uFFFD \uFFFD.mp3")});
    b.File1->setCurrentRow(0);
    emit b.File1->itemDoubleClicked(b.File1->item(0));
    const QString played = s.screen().FileName();
    EXPECT_EQ(platform::encodeFileName(played), latin1Folder + "/" + latin1Name);
    EXPECT_TRUE(media_source::check(played).ok) << media_source::check(played).problem.toStdString();
}

TEST(FileNames, EveryByteStringGoesBackToItsOwnBytes)
{
    const QByteArray samples[] = {"plain.mp3", "caf\xc3\xa9.mp3", "caf\xe9.mp3", "\xff\xfe", "\xed\xa0\x80 surrogate",
                                  "\xc0\xaf overlong", "\xf0\x9f\x98\x80 emoji", "cut \xe2\x82", "\xf4\x90\x80\x80 past the end"};
    for (const QByteArray& bytes : samples)
        EXPECT_EQ(platform::encodeFileName(platform::decodeFileName(bytes)), bytes) << bytes.toHex().constData();
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes(static_cast<int>(random() % 12), '\0');
        for (char& b : bytes) b = static_cast<char>(random() % 2 ? 0x80 + random() % 0x80 : random() % 0x100);
        ASSERT_EQ(platform::encodeFileName(platform::decodeFileName(bytes)), bytes) << bytes.toHex().constData();
    }
    // Valid names are ordinary text; the rest shows U+FFFD where bytes are not text.
    EXPECT_EQ(platform::decodeFileName("caf\xc3\xa9"), QString::fromUtf8("café"));
    EXPECT_EQ(platform::displayFileName(platform::decodeFileName("caf\xe9")), QString::fromUtf8("caf\uFFFD"));
}

// A file is read whole up to its bound, one exactly at it included; a byte more is cut there
// and said to be.
TEST(LocalFile, AFileAtItsBoundIsWholeAndOneByteMoreIsNot)
{
    QTemporaryDir dir;
    constexpr qint64 bound = 70000;  // more than one read
    for (const auto& [size, complete] : {std::pair{bound - 1, true}, {bound, true}, {bound + 1, false}}) {
        const QString path = dir.filePath(QString::number(size));
        writeFile(path, QByteArray(size, 'x'));
        const platform::LocalFile file = platform::readLocalFile(path, bound);
        EXPECT_EQ(file.complete, complete) << size;
        EXPECT_EQ(file.data.size(), std::min(size, bound)) << size;
        EXPECT_TRUE(file.problem.isEmpty()) << size;
    }
}

TEST(CdPlayer, TheMenuTogglesItAndTheDisplayFollowsTheDisc)
{
    Started s;
    frmMain& m = s.main();
    m.mnuviewcdplayer->trigger();
    CDPlayer& cd = s.form<CDPlayer>();
    EXPECT_TRUE(m.mnuviewcdplayer->checked());
    EXPECT_TRUE(cd.isVisible());
    EXPECT_EQ(cd.caption(), QStringLiteral("ZelCD Player"));
    EXPECT_EQ(cd.MMControl1->DeviceType, QStringLiteral("CDAudio"));
    FakeCdAudioDevice& disc = *s.engines.cd.back();
    EXPECT_EQ(disc.calls, QStringList{"open"});
    EXPECT_EQ(cd.Text1->text(), QStringLiteral("Track 1 / 12"));

    const auto press = [&](MMControl::Button b) { cd.MMControl1->button(b)->click(); };
    EXPECT_FALSE(cd.MMControl1->button(MMControl::Prev)->isEnabled());
    EXPECT_FALSE(cd.MMControl1->button(MMControl::Pause)->isEnabled());
    EXPECT_FALSE(cd.MMControl1->button(MMControl::Record)->isEnabled());
    press(MMControl::Play);
    press(MMControl::Next);
    press(MMControl::Next);
    EXPECT_EQ(cd.Text1->text(), QStringLiteral("Track 3 / 12"));
    EXPECT_TRUE(cd.MMControl1->button(MMControl::Pause)->isEnabled());
    EXPECT_FALSE(cd.MMControl1->button(MMControl::Play)->isEnabled());

    // Hidden by the menu, it plays on.
    m.mnuviewcdplayer->trigger();
    EXPECT_FALSE(m.mnuviewcdplayer->checked());
    EXPECT_FALSE(cd.isVisible());
    EXPECT_TRUE(disc.isPlaying());
    EXPECT_EQ(disc.calls, (QStringList{"open", "play", "next", "next"}));
    m.mnuviewcdplayer->trigger();
    EXPECT_TRUE(cd.isVisible());

    // Ejected: the display says so and no button acts.
    press(MMControl::Eject);
    EXPECT_EQ(cd.Text1->text(), QStringLiteral("There is no audio CD in the drive."));
    for (int b = MMControl::Prev; b <= MMControl::Eject; ++b)
        EXPECT_FALSE(cd.MMControl1->button(static_cast<MMControl::Button>(b))->isEnabled()) << b;
}

TEST(CdPlayer, WithNoDiscTheDisplaySaysSo)
{
    Started s;
    s.engines.discTracks = 0;
    s.main().mnuviewcdplayer->trigger();
    CDPlayer& cd = s.form<CDPlayer>();
    EXPECT_EQ(cd.Text1->text(), QStringLiteral("There is no audio CD in the drive."));
    EXPECT_FALSE(cd.MMControl1->button(MMControl::Play)->isEnabled());
    // An engine that fails when the drive is looked at is told, without waiting, as any failure.
    s.engines.cd.back()->engineFails = true;
    ASSERT_TRUE(waitFor([&] { return !s.messages.shown.empty(); }, 3000));
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("The playback engine could not be started."));
    EXPECT_FALSE(s.messages.shown[0].waited);
}
