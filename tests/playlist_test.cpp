// The playlist window and its files; the text viewer.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "playlist/Form2.h"
#include "richtext/RichTextBox.h"
#include "richtext/Rtf.h"
#include "support/Started.h"
#include "support/TestFiles.h"
#include "tools/Form3.h"

namespace {

QStringList texts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

bool shown(const QWidget* w) { return w->isVisibleTo(w->window()); }

// The program started, the playlist shown, and files opened in either engine through the menus.
struct PlaylistFixture : Started {
    Form2& list = form<Form2>();

    PlaylistFixture() { main().mnuviewplaylist->trigger(); }

    void openWindowsMedia(const QString& path, double seconds)
    {
        FakeWindowsMediaControl::Clip c;
        c.duration = seconds;
        openClip(path, c);
    }
    void openReal(const QString& path, long lengthMs)
    {
        real().length = lengthMs;
        dialogs.answers.push_back(path);
        main().mnufileopenreal->trigger();
        settle();
    }
    void add() { list.Command1->click(); }
    void save(const QString& file)
    {
        dialogs.answers = {file};
        list.Command4->click();
    }
    // The file is read off the UI thread; the rows come once it has been.
    void load(const QString& file)
    {
        dialogs.answers = {file};
        list.Command5->click();
        ASSERT_TRUE(waitFor([&] { return !list.RichTextBox1->isLoading(); }));
    }
    void remove() { list.Command2->click(); }
    void doubleClick(QListWidget* names, int row)
    {
        names->setCurrentRow(row);
        emit names->itemDoubleClicked(names->item(row));
    }
};

}  // namespace

TEST(Playlist, ShownFromTheMenuWithBothSetsOverlappingUntilAChoice)
{
    PlaylistFixture s;
    Form2& w = s.list;
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.caption(), QStringLiteral("Playlist"));
    EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("Current Playlist..."));
    EXPECT_EQ(w.Combo2->currentText(), QStringLiteral("Load File..."));
    EXPECT_EQ(w.Command1->text(), QStringLiteral("Add current file to playlist"));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("Playlist Type:"));
    EXPECT_FALSE(w.Option1->value());
    EXPECT_FALSE(w.Option2->value());
    for (QListWidget* l : {w.List1, w.List2, w.List3, w.List4, w.List5, w.List6}) EXPECT_TRUE(shown(l));
    EXPECT_EQ(w.List4->geometry(), w.List1->geometry());
    EXPECT_FALSE(shown(w.RichTextBox1));

    w.Option2->click();
    EXPECT_FALSE(shown(w.List1));
    EXPECT_TRUE(shown(w.List6));
    w.Option1->click();
    EXPECT_TRUE(shown(w.List3));
    EXPECT_FALSE(shown(w.List4));
}

TEST(Playlist, AddTakesTheCurrentFileIntoTheSetOfTheCurrentEngine)
{
    PlaylistFixture s;
    Form2& w = s.list;
    s.openWindowsMedia("/media/one.wmv", 12.5);
    s.add();
    EXPECT_TRUE(w.Option1->value());
    EXPECT_TRUE(shown(w.List1));
    EXPECT_FALSE(shown(w.List4));
    EXPECT_EQ(texts(w.List1), QStringList{"one.wmv"});
    EXPECT_EQ(texts(w.List2), QStringList{"12.5 Seconds "});
    EXPECT_EQ(texts(w.List3), QStringList{"/media/one.wmv"});

    s.openReal("/media/two.rm", 125400);
    s.add();
    EXPECT_TRUE(w.Option2->value());
    EXPECT_FALSE(w.Option1->value());
    EXPECT_TRUE(shown(w.List4));
    EXPECT_FALSE(shown(w.List1));
    EXPECT_EQ(texts(w.List4), QStringList{"two.rm"});
    EXPECT_EQ(texts(w.List5), QStringList{"125.4 Seconds "});
    EXPECT_EQ(texts(w.List6), QStringList{"/media/two.rm"});
    EXPECT_EQ(texts(w.List1), QStringList{"one.wmv"});  // the other set is untouched

    // The buffer (what Save writes) keeps every row, both sets, as added: one full path a line.
    EXPECT_EQ(w.RichTextBox1->text(), QStringLiteral("/media/one.wmv\n/media/two.rm"));
    EXPECT_TRUE(s.messages.shown.empty());
}

TEST(Playlist, AddWithNoFileOpenedSaysSoAndAddsNothing)
{
    PlaylistFixture s;
    s.add();
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("There is no current file to add. Open a file first."));
    EXPECT_EQ(s.list.List1->count(), 0);
    EXPECT_TRUE(s.list.RichTextBox1->text().isEmpty());
}

TEST(Playlist, RemoveTakesTheLastRowOfTheCurrentEnginesSet)
{
    PlaylistFixture s;
    Form2& w = s.list;
    for (const char* name : {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}) {
        s.openWindowsMedia(name, 3);
        s.add();
    }
    w.List1->setCurrentRow(0);  // a selected row is not what goes
    s.remove();
    EXPECT_EQ(texts(w.List1), (QStringList{"a.mp3", "b.mp3"}));
    EXPECT_EQ(texts(w.List3), (QStringList{"/m/a.mp3", "/m/b.mp3"}));
    EXPECT_EQ(w.List2->count(), 2);
    EXPECT_TRUE(s.messages.shown.empty());

    // Remove with the Real engine current works on the Real set, shows it and leaves the
    // option buttons as they were; an empty name column is said.
    s.openReal("/m/r.rm", 1000);
    s.remove();
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("No file to remove"));
    EXPECT_EQ(s.messages.shown[0].title, forms::kAppTitle);
    EXPECT_TRUE(shown(w.List4));
    EXPECT_FALSE(shown(w.List1));
    EXPECT_TRUE(w.Option1->value());
    EXPECT_EQ(w.List1->count(), 2);
}

TEST(Playlist, RemoveOnAnEmptyWindowsMediaColumnLeavesTheShownSet)
{
    PlaylistFixture s;
    s.list.Option2->click();
    s.remove();
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("No file to remove"));
    EXPECT_TRUE(shown(s.list.List4));
    EXPECT_FALSE(shown(s.list.List1));
}

TEST(Playlist, SaveThenLoadRoundTripsNamesOfEveryKind)
{
    QTemporaryDir dir;
    PlaylistFixture s;
    Form2& w = s.list;
    const QStringList names{QString::fromUtf8("Ünïcödé Prüfung.mp3"), QStringLiteral("braces {x} back\\slash.wav"),
                            QString::fromUtf8("Привет мир 日本語.ogg"), QStringLiteral("  spaced  name.avi")};
    for (const QString& name : names) {
        s.openWindowsMedia(dir.filePath(name), 1);
        s.add();
    }
    // Saved to the full path chosen, wherever the working folder is.
    const QString file = dir.filePath("saved.zpf");
    s.save(file);
    const forms::FileDialogRequest& save = s.dialogs.requests.back();
    EXPECT_EQ(save.kind, forms::FileDialogRequest::Kind::Save);
    ASSERT_EQ(save.filters.size(), 1u);
    EXPECT_EQ(save.filters[0].patterns, QStringList{"*.zpf*"});
    EXPECT_EQ(save.defaultExt, QStringLiteral("zpf"));
    const QByteArray saved = fileBytes(file);
    ASSERT_TRUE(rtf::looksLikeRtf(saved));
    QStringList paths;
    for (const QString& name : names) paths << dir.filePath(name);
    EXPECT_EQ(rtf::read(saved).plainText(), names.join('\n'));  // beside the list: relative to it

    // Loading appends one name row per line to the Windows-media names, which then show, and
    // to what the next Save writes.
    w.Option2->click();
    s.load(file);
    EXPECT_EQ(s.dialogs.requests.back().kind, forms::FileDialogRequest::Kind::Open);
    EXPECT_EQ(texts(w.List1), names + names);
    EXPECT_EQ(w.List2->count(), 4);
    EXPECT_EQ(w.List3->count(), 4);
    EXPECT_TRUE(w.Option1->value());
    EXPECT_TRUE(shown(w.List1));
    EXPECT_EQ(w.RichTextBox1->text(), (paths + paths).join('\n'));
    EXPECT_TRUE(s.messages.shown.empty());
}

TEST(Playlist, LoadMakesColumnsUnevenAndRemoveTrimsEachColumn)
{
    QTemporaryDir dir;
    PlaylistFixture s;
    Form2& w = s.list;
    s.openWindowsMedia("/m/added.mp3", 2);
    s.add();
    const QString file = dir.filePath("two.zpf");
    writeFile(file, rtf::write(QStringLiteral("first.mp3\n\n  \nsecond.mp3\n")));
    s.load(file);
    EXPECT_EQ(texts(w.List1), (QStringList{"added.mp3", "first.mp3", "second.mp3"}));
    EXPECT_EQ(w.List2->count(), 1);

    s.remove();
    EXPECT_EQ(texts(w.List1), (QStringList{"added.mp3", "first.mp3"}));
    EXPECT_EQ(w.List2->count(), 0);
    EXPECT_EQ(w.List3->count(), 0);
    s.remove();
    s.remove();
    EXPECT_EQ(w.List1->count(), 0);
    EXPECT_TRUE(s.messages.shown.empty());
}

TEST(Playlist, CancelledOrUnreadableFilesChangeNothing)
{
    QTemporaryDir dir;
    PlaylistFixture s;
    Form2& w = s.list;
    s.openWindowsMedia("/m/keep.mp3", 2);
    s.add();
    const QString notRtf = dir.filePath("plain.zpf");
    writeFile(notRtf, "just text");

    s.save(QString());  // cancelled save
    s.load(QString());  // cancelled load
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files) == QStringList{"plain.zpf"});
    EXPECT_TRUE(s.messages.shown.empty());

    for (const QString& path : {notRtf, dir.filePath("missing.zpf")}) s.load(path);
    ASSERT_EQ(s.messages.shown.size(), 2u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("ZelPlayer Plus cannot open \"%1\". It is not a Rich Text "
                                                       "Format document.")
                                            .arg(notRtf));
    EXPECT_TRUE(s.messages.shown[1].text.endsWith(QLatin1String("The file does not exist.")));
    EXPECT_EQ(texts(w.List1), QStringList{"keep.mp3"});
    EXPECT_EQ(w.RichTextBox1->text(), QStringLiteral("/m/keep.mp3"));

    // A save that cannot be written says why, in the user's words.
    s.save(dir.filePath("no/such/folder/list.zpf"));
    ASSERT_EQ(s.messages.shown.size(), 3u);
    EXPECT_EQ(s.messages.shown[2].text, QStringLiteral("ZelPlayer Plus cannot save \"%1\". The folder does not exist.")
                                            .arg(dir.filePath("no/such/folder/list.zpf")));
    QDir(dir.path()).mkdir(QStringLiteral("taken.zpf"));
    s.save(dir.filePath("taken.zpf"));
    ASSERT_EQ(s.messages.shown.size(), 4u);
    EXPECT_EQ(s.messages.shown[3].text, QStringLiteral("ZelPlayer Plus cannot save \"%1\". It is a folder.").arg(dir.filePath("taken.zpf")));

    // Files that are no playlist however they are made are refused as soon as that is known.
    writeFile(dir.filePath("long.zpf"), "{\\rtf1 " + QByteArray(5000, 'x') + "}");
    QByteArray rows = "{\\rtf1 ";
    for (int i = 0; i <= 100000; ++i) rows += "c.mp3\\par ";
    writeFile(dir.filePath("rows.zpf"), rows + "}");
    s.load(dir.filePath("long.zpf"));
    s.load(dir.filePath("rows.zpf"));
    ASSERT_EQ(s.messages.shown.size(), 6u);
    EXPECT_TRUE(s.messages.shown[4].text.endsWith(QLatin1String("It has a line longer than 4096 characters.")));
    EXPECT_TRUE(s.messages.shown[5].text.endsWith(QLatin1String("It has more than 100000 lines.")));
    EXPECT_EQ(texts(w.List1), QStringList{"keep.mp3"});
}

TEST(Playlist, CloseHidesAndTheMenuShowsTheSameRowsAgain)
{
    PlaylistFixture s;
    s.openWindowsMedia("/m/a.mp3", 2);
    s.add();
    s.list.Command3->click();
    EXPECT_FALSE(s.list.isVisible());
    s.main().mnuviewplaylist->trigger();
    EXPECT_TRUE(s.list.isVisible());
    EXPECT_EQ(texts(s.list.List1), QStringList{"a.mp3"});
}

TEST(Playlist, DoubleClickPlaysTheRowInItsEngineWithTheOtherStopped)
{
    QTemporaryDir dir;
    PlaylistFixture s;
    Form2& w = s.list;
    frmMain& m = s.main();
    s.openWindowsMedia("/m/video.wmv", 5);
    s.add();
    s.openReal("/r/song.rm", 3000);
    s.add();
    const QString file = dir.filePath("list.zpf");
    writeFile(file, rtf::write(QStringLiteral("relative name.mp3\nhttp://example.com/stream.mp3")));
    s.load(file);
    const QString titleBefore = m.caption();
    const bool propertiesBefore = m.mnufileproperties->isEnabled();

    // A Windows-media row: the Real clip stops and its picture goes, the full path is opened.
    s.real().calls.clear();
    s.screen().calls.clear();
    s.doubleClick(w.List1, 0);
    EXPECT_EQ(s.real().calls, QStringList{"StopClip"});
    EXPECT_EQ(s.screen().calls.filter("Open"), QStringList{"Open(/m/video.wmv)"});
    EXPECT_FALSE(shown(m.RealAudio1));
    EXPECT_TRUE(shown(m.screenAndAudio));

    // A loaded row is taken from the playlist file's folder; an address stays an address.
    s.screen().calls.clear();
    s.doubleClick(w.List1, 1);
    EXPECT_EQ(s.screen().calls.filter("Open"), QStringList{"Open(" + dir.filePath("relative name.mp3") + ")"});
    s.screen().calls.clear();
    s.doubleClick(w.List1, 2);
    EXPECT_EQ(s.screen().calls.filter("Open"), QStringList{"Open(http://example.com/stream.mp3)"});

    // A Real row: the Windows-media clip stops and its picture goes.
    s.real().calls.clear();
    s.screen().calls.clear();
    s.doubleClick(w.List4, 0);
    EXPECT_EQ(s.screen().calls, QStringList{"Stop"});
    EXPECT_EQ(s.real().calls, (QStringList{"SetSource(/r/song.rm)", "PlayClip"}));
    EXPECT_TRUE(shown(m.RealAudio1));
    EXPECT_FALSE(shown(m.screenAndAudio));

    // Menus and title are the open commands' business.
    EXPECT_EQ(m.caption(), titleBefore);
    EXPECT_EQ(m.mnufileproperties->isEnabled(), propertiesBefore);

    // With no row selected nothing is opened.
    s.real().calls.clear();
    w.List4->clearSelection();
    emit w.List4->itemDoubleClicked(w.List4->item(0));
    EXPECT_TRUE(s.real().calls.isEmpty());

    // A later Windows-media open shows its picture again.
    s.openWindowsMedia("/m/next.wmv", 5);
    EXPECT_TRUE(shown(m.screenAndAudio));
}

TEST(TextViewer, OpensRtfFormattedAndOtherFilesAsTextAndKeepsTextOnCancel)
{
    QTemporaryDir dir;
    Started s;
    s.main().mnuviewoptionssystemsettings->trigger();
    Form3& v = s.form<Form3>();
    EXPECT_TRUE(v.isVisible());
    EXPECT_EQ(v.caption(), QStringLiteral("Form3"));
    EXPECT_EQ(v.Open->text(), QStringLiteral("Open"));

    const QString rtfFile = dir.filePath("notes.txt"), textFile = dir.filePath("plain.txt");
    writeFile(rtfFile, "{\\rtf1 Heading {\\b bold} {\\i italic} {\\ul under}\\par Second}");
    writeFile(textFile, "line one\n{\\b not markup}\n");

    const auto open = [&] {
        v.Open->trigger();
        ASSERT_TRUE(waitFor([&] { return !v.RichTextBox1->isLoading(); }));
    };
    s.dialogs.answers = {rtfFile};
    open();
    const forms::FileDialogRequest& request = s.dialogs.requests.back();
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, QStringLiteral("Adobe Acrobat Versions 1 - 6 Document (*.pdf*)"));
    EXPECT_EQ(request.filters[0].patterns, QStringList{"*.txt*"});
    EXPECT_EQ(v.RichTextBox1->text(), QStringLiteral("Heading bold italic under\nSecond"));
    QStringList formatted;
    for (const richtext::Content::Span& s : v.RichTextBox1->content().formats(0)) {
        const QString text = v.RichTextBox1->content().block(0).mid(s.start, s.length).toString();
        if (s.format.bold) formatted << "b:" + text;
        if (s.format.italic) formatted << "i:" + text;
        if (s.format.underline) formatted << "u:" + text;
    }
    EXPECT_EQ(formatted, (QStringList{"b:bold", "i:italic", "u:under"}));

    s.dialogs.answers = {textFile};
    open();
    EXPECT_EQ(v.RichTextBox1->text(), QStringLiteral("line one\n{\\b not markup}\n"));

    s.dialogs.answers = {QString()};
    v.Open->trigger();
    EXPECT_EQ(v.RichTextBox1->text(), QStringLiteral("line one\n{\\b not markup}\n"));
    EXPECT_TRUE(s.messages.shown.empty());

    s.dialogs.answers = {dir.path()};
    open();
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text,
              QStringLiteral("ZelPlayer Plus cannot open \"%1\". It is a folder, not a file.").arg(dir.path()));
}

namespace {

// What a double-click on each name row of the Windows-media set opens.
QStringList openedByEachRow(PlaylistFixture& s)
{
    QStringList opened;
    for (int row = 0; row < s.list.List1->count(); ++row) {
        s.screen().calls.clear();
        s.doubleClick(s.list.List1, row);
        const QStringList opens = s.screen().calls.filter(QRegularExpression("^Open\\("));
        opened << (opens.isEmpty() ? QString() : opens.last().mid(5).chopped(1));
    }
    return opened;
}

}  // namespace

// Save writes the rows shown: media in the playlist's folder relative to it, the rest as full
// paths. A playlist loaded elsewhere plays what it names, and a folder of clips with its
// playlist plays wherever it is copied.
TEST(Playlist, SavedRowsPlayFromAnotherFolderAndWhenTheirFolderMoves)
{
    QTemporaryDir media, elsewhere, moved;
    PlaylistFixture s;
    for (const char* name : {"first.mp3", "second.wmv", "third.avi"}) {
        s.openWindowsMedia(media.filePath(name), 1);
        s.add();
    }
    s.openReal(media.filePath("fourth.rm"), 3000);
    s.add();
    s.openWindowsMedia(media.filePath("third.avi"), 1);
    s.remove();  // the last Windows-media row goes, and its line with it
    const QString file = media.filePath("list.zpf");
    s.save(file);
    EXPECT_EQ(rtf::read(fileBytes(file)).plainText(), QStringLiteral("first.mp3\nsecond.wmv\nfourth.rm"));
    s.save(elsewhere.filePath("outside.zpf"));
    EXPECT_EQ(rtf::read(fileBytes(elsewhere.filePath("outside.zpf"))).plainText(),
              QStringList({media.filePath("first.mp3"), media.filePath("second.wmv"), media.filePath("fourth.rm")}).join('\n'));

    // Loaded with another working folder, the list beside its clips and the list in another
    // folder, then the folder of clips copied elsewhere: every row plays its file.
    for (const QString& copied : QDir(media.path()).entryList(QDir::Files)) QFile::copy(media.filePath(copied), moved.filePath(copied));
    const std::pair<QString, QTemporaryDir*> playlists[] = {{file, &media}, {elsewhere.filePath("outside.zpf"), &media},
                                                           {moved.filePath("list.zpf"), &moved}};
    for (const auto& [playlist, folder] : playlists) {
        PlaylistFixture fresh;
        const QString here = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        fresh.load(playlist);
        QDir::setCurrent(here);
        EXPECT_EQ(texts(fresh.list.List1), (QStringList{"first.mp3", "second.wmv", "fourth.rm"}));
        EXPECT_EQ(openedByEachRow(fresh),
                  (QStringList{folder->filePath("first.mp3"), folder->filePath("second.wmv"), folder->filePath("fourth.rm")}));
        // Load, Save, Load gives the same rows.
        fresh.save(elsewhere.filePath("again.zpf"));
        PlaylistFixture again;
        again.load(elsewhere.filePath("again.zpf"));
        EXPECT_EQ(texts(again.list.List1), texts(fresh.list.List1));
        EXPECT_EQ(openedByEachRow(again), openedByEachRow(fresh));
    }
    EXPECT_TRUE(s.messages.shown.empty());
}

// Files written before (and by hand) hold names alone: they play from the playlist file's folder,
// each row from its own file's, however many playlists were loaded after it.
TEST(Playlist, NamesAloneArePlayedFromTheirOwnPlaylistsFolder)
{
    QTemporaryDir first, second;
    writeFile(first.filePath("old.zpf"), rtf::write(QStringLiteral("song.mp3\nsub/clip.wmv")));
    writeFile(second.filePath("other.zpf"), rtf::write(QStringLiteral("song.mp3")));
    PlaylistFixture s;
    s.load(first.filePath("old.zpf"));
    s.load(second.filePath("other.zpf"));
    EXPECT_EQ(texts(s.list.List1), (QStringList{"song.mp3", "clip.wmv", "song.mp3"}));
    EXPECT_EQ(openedByEachRow(s),
              (QStringList{first.filePath("song.mp3"), first.filePath("sub/clip.wmv"), second.filePath("song.mp3")}));
    // And saved, those of another folder are whole paths from then on.
    s.save(second.filePath("saved.zpf"));
    EXPECT_EQ(rtf::read(fileBytes(second.filePath("saved.zpf"))).plainText(),
              QStringList({first.filePath("song.mp3"), first.filePath("sub/clip.wmv"), "song.mp3"}).join('\n'));
}

// What a new user meets: typing in the boxes chooses nothing, Add takes the file the engine has
// however it was opened, a name with a line break is refused.
TEST(Playlist, TypedTextAddOfAnyOpenAndLineBreaks)
{
    PlaylistFixture s;
    s.openWindowsMedia("/media/one.wmv", 2);
    s.screen().calls.clear();
    for (QComboBox* box : {s.list.Combo1, s.list.Combo2}) {
        box->lineEdit()->setText(QStringLiteral("typed"));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(box->count(), 0);
    }
    EXPECT_TRUE(s.screen().calls.filter(QStringLiteral("Open")).isEmpty());
    // Opened as the file browser opens (Decrypter Mode), not through the dialog.
    s.screen().clips["/media/two.avi"] = FakeWindowsMediaControl::Clip{};
    s.screen().Open(QStringLiteral("/media/two.avi"));
    settle();
    s.add();
    EXPECT_EQ(texts(s.list.List3), QStringList{"/media/two.avi"});
    s.screen().clips["/media/a\nb.mp3"] = FakeWindowsMediaControl::Clip{};
    s.screen().Open(QStringLiteral("/media/a\nb.mp3"));
    settle();
    s.add();
    EXPECT_EQ(s.list.List1->count(), 1);
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("A playlist cannot keep \"/media/a\nb.mp3\": its name holds a line break."));
}
