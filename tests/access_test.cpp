// Leaving and naming the program: the exit box, the About box with its system-information
// button, the login and change-credentials windows; and the registry they read.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "windows/ExitBox.h"
#include "windows/Form1.h"
#include "windows/frmAbout.h"
#include "windows/frmLogin.h"
#include "forms/StatusBar.h"
#include "main_window/Pro1.h"
#include "platform/LinuxSystem.h"
#include "platform/RegFile.h"
#include <QStringEncoder>
#include "platform/System.h"
#include "support/Started.h"

using platform::GetKeyValue;
using platform::RegistryRoot;
using platform::RegistryValue;

namespace {

const QString kInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

}  // namespace

TEST(ExitBox, NoKeepsTheProgramAndAnotherExitBuildsANewBoxYesEndsIt)
{
    Started s;
    bool ended = false;
    s.app.setEndProgramAction([&] { ended = true; });
    frmMain& m = s.main();
    m.mnufileExit->trigger();
    ExitBox* box = &s.form<ExitBox>();
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->caption(), QStringLiteral("Exit?"));
    EXPECT_EQ(box->Label1->text(), QStringLiteral("Do you wish to exit?"));
    EXPECT_FALSE(m.screenAndAudio->isEnabled());
    EXPECT_FALSE(box->Command1->isDefault());
    m.setEnabled(false);
    box->Command2->click();  // No
    settle();
    EXPECT_FALSE(s.app.forms().isLoaded<ExitBox>());
    EXPECT_TRUE(m.isEnabled());
    EXPECT_FALSE(m.screenAndAudio->isEnabled());  // No gives the main window back, not the control
    EXPECT_FALSE(ended);

    m.mnufileExit->trigger();
    EXPECT_TRUE(s.form<ExitBox>().isVisible());
    s.form<ExitBox>().Command1->click();  // Yes
    EXPECT_TRUE(ended);
    EXPECT_FALSE(s.app.forms().isLoaded<frmMain>());
    settle();
}

TEST(AboutBox, ShowsTitleAndVersionToItsSoundAndClosesWithEnterOrEsc)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        Started s;
        s.openVideo(QStringLiteral("/clip.wmv"), 30);
        frmMain& m = s.main();
        FakeWindowsMediaControl* sound = m.findChild<FakeWindowsMediaControl*>(QStringLiteral("MediaPlayer1"));
        m.mnuAbout->trigger();
        frmAbout& about = s.form<frmAbout>();
        EXPECT_TRUE(about.isVisible());
        EXPECT_EQ(about.caption(), QStringLiteral("About"));
        EXPECT_EQ(about.lblTitle->text(), QStringLiteral("ZelPlayer Plus"));
        EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version 6.1.0"));
        EXPECT_EQ(about.lblDescription->text(), QString());
        EXPECT_TRUE(about.lblDisclaimer->text().startsWith(QStringLiteral("Warning: ...Remember this is still")));
        EXPECT_EQ(about.cmdSysInfo->text(), QStringLiteral("&Player Info..."));
        // The sound of Text1 through MediaPlayer1; the clip in screenAndAudio is left alone.
        EXPECT_EQ(sound->calls.filter("Open"), QStringList{"Open(C:\\WINDOWS\\media\\The Microsoft Sound.wav)"});
        EXPECT_TRUE(s.screen().calls.isEmpty());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
        QTest::keyClick(&about, key);
        settle();
        EXPECT_FALSE(s.app.forms().isLoaded<frmAbout>()) << key;
    }
}

// Player Info: the first registry value is started as it is; the second names a folder that
// must hold MSINFO32.EXE; otherwise, or when starting fails, the message.
TEST(AboutBox, PlayerInfoFindsTheSystemInformationProgramThroughTheRegistry)
{
    struct Case {
        const char* what;
        QByteArray path, folder;   // the two registry values (none when empty)
        QStringList files;         // what exists and so can be started
        QStringList started;       // the starts asked for
        bool message;
    };
    const Case cases[] = {
        {"first value", "/usr/bin/hardinfo", "", {"/usr/bin/hardinfo"}, {"/usr/bin/hardinfo"}, false},
        {"first value, no file there", "/usr/bin/gone", "/opt/msinfo", {"/opt/msinfo\\MSINFO32.EXE"},
         {"/usr/bin/gone"}, true},
        {"second value", "", "/opt/msinfo", {"/opt/msinfo\\MSINFO32.EXE"}, {"/opt/msinfo\\MSINFO32.EXE"}, false},
        {"second value, no program in the folder", "", "/opt/empty", {}, {}, true},
        {"no value", "", "", {}, {}, true},
        {"first value too long for the buffer", QByteArray(1024, 'x'), "", {}, {}, true},
        {"first value cut at its zero", QByteArray("/usr/bin/hardinfo\0ignored", 25), "", {"/usr/bin/hardinfo"},
         {"/usr/bin/hardinfo"}, false},
    };
    for (const Case& c : cases) {
        Started s;
        if (!c.path.isEmpty()) s.system.setString(kInfoKey, QStringLiteral("PATH"), c.path);
        if (!c.folder.isEmpty()) s.system.setString(kLocationKey, QStringLiteral("MSINFO"), c.folder);
        for (const QString& f : c.files) s.system.files.insert(f);
        s.main().mnuAbout->trigger();
        s.form<frmAbout>().cmdSysInfo->click();
        EXPECT_EQ(s.system.started, c.started) << c.what;
        ASSERT_EQ(s.messages.shown.size(), c.message ? 1u : 0u) << c.what;
        if (c.message) {
            EXPECT_EQ(s.messages.shown[0].text, kUnavailable);
            EXPECT_EQ(s.messages.shown[0].title, QStringLiteral("ZelPlayer Plus"));
        }
        EXPECT_TRUE(s.form<frmAbout>().isVisible()) << c.what;
    }
}

TEST(Registry, GetKeyValueReadsTextsAndNumbersWithinItsBuffer)
{
    FakeSystem system;
    const auto set = [&](const char* name, int type, const QByteArray& data) {
        system.registry[{kInfoKey, QString::fromLatin1(name)}] = RegistryValue{type, data};
    };
    set("text", platform::kRegistryString, QByteArray("hello\0", 6));
    set("fits", platform::kRegistryString, QByteArray(1023, 'a') + '\0');
    set("too long", platform::kRegistryString, QByteArray(1024, 'a') + '\0');
    set("zero inside", platform::kRegistryString, QByteArray("ab\0cd\0", 6));
    set("number", platform::kRegistryDword, QByteArray("\x02\x01\x00\x00", 4));
    set("other", 3, QByteArray("\x01\x02", 2));
    struct Case {
        const char* name;
        bool found;
        QString value;
    };
    const Case cases[] = {
        {"text", true, "hello"},
        {"fits", true, QString(1023, QLatin1Char('a'))},
        {"too long", false, ""},
        {"zero inside", true, "ab"},
        {"number", true, "258"},  // least significant byte first: 0x102
        {"other", true, "kept"},  // any other type leaves the text as it was
        {"missing", false, ""},
    };
    for (const Case& c : cases) {
        QString value = QStringLiteral("kept");
        EXPECT_EQ(GetKeyValue(system, RegistryRoot::LocalMachine, kInfoKey, QString::fromLatin1(c.name), value), c.found)
            << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
}

TEST(Registry, TheStoreReadsTheRegistryEditorsExportFormat)
{
    const platform::RegFile store = platform::RegFile::parse(
        "; a comment\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
        "\"PATH\"=\"/usr/bin/hard\\\\info \\\"x\\\"\"\n"
        "\"Count\"=dword:0000002a\n"
        "\"Raw\"=hex(3):01,ff\n"
        "\"Broken\"=dword:zz\n"
        "no value here\n"
        "[hkey_local_machine\\software\\microsoft\\shared tools location]\n"
        "\"MSINFO\"=\"/opt/msinfo\"\n");
    const auto value = [&](const QString& key, const char* name) {
        return store.value(RegistryRoot::LocalMachine, key, QString::fromLatin1(name));
    };
    ASSERT_TRUE(value(kInfoKey, "path"));
    EXPECT_EQ(value(kInfoKey, "path")->data, QByteArray("/usr/bin/hard\\info \"x\"\0", 23));
    EXPECT_EQ(value(kInfoKey, "Count")->type, platform::kRegistryDword);
    EXPECT_EQ(value(kInfoKey, "Count")->data, QByteArray("\x2a\0\0\0", 4));
    EXPECT_EQ(value(kInfoKey, "Raw")->type, 3);
    EXPECT_EQ(value(kInfoKey, "Raw")->data, QByteArray("\x01\xff", 2));
    EXPECT_FALSE(value(kInfoKey, "Broken"));
    ASSERT_TRUE(value(kLocationKey, "MSINFO"));
    EXPECT_EQ(value(kLocationKey, "MSINFO")->data, QByteArray("/opt/msinfo\0", 12));
}

// As the registry editor exports by default (UTF-16 with or without its mark, CR LF), and with
// the old Mac line ends; a long hex value over several lines.
TEST(Registry, TheStoreReadsUtf16AndEveryKindOfLineEnd)
{
    const QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n"
                                        "\"PATH\"=\"C:\\\\Programme\\\\msinfo32.exe\"\r\n"
                                        "\"Raw\"=hex(3):01,02,\\\r\n  03,04\r\n");
    const auto utf16 = [&](QStringConverter::Encoding e, bool mark) {
        QStringEncoder encoder(e, mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
        return QByteArray(encoder.encode(text));
    };
    QString crOnly = text;
    crOnly.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    const QByteArray files[] = {utf16(QStringConverter::Utf16LE, true), utf16(QStringConverter::Utf16LE, false),
                                utf16(QStringConverter::Utf16BE, true), crOnly.toUtf8(), "\xef\xbb\xbf" + text.toUtf8()};
    for (const QByteArray& file : files) {
        const platform::RegFile store = platform::RegFile::parse(file);
        const auto path = store.value(RegistryRoot::LocalMachine, kInfoKey, QStringLiteral("PATH"));
        ASSERT_TRUE(path) << file.left(8).toHex().constData();
        EXPECT_EQ(path->data, QByteArray("C:\\Programme\\msinfo32.exe\0", 26));
        const auto raw = store.value(RegistryRoot::LocalMachine, kInfoKey, QStringLiteral("Raw"));
        ASSERT_TRUE(raw);
        EXPECT_EQ(raw->data, QByteArray("\x01\x02\x03\x04", 4));
    }
}

// OK follows the box that changed last; only "KWD" with "Bram" passes, exactly.
TEST(Login, OkFollowsEachBoxAndOnlyTheBuiltInPairPasses)
{
    Started s;
    bool ended = false;
    s.app.setEndProgramAction([&] { ended = true; });
    frmLogin& login = s.form<frmLogin>();
    EXPECT_FALSE(login.isVisible());
    EXPECT_FALSE(login.cmdOK->isEnabled());
    EXPECT_EQ(login.txtPassword->echoMode(), QLineEdit::Password);
    login.txtUserName->setText(QStringLiteral("kwd"));
    EXPECT_TRUE(login.cmdOK->isEnabled());
    login.cmdOK->click();  // a wrong user id: nothing said
    EXPECT_TRUE(s.messages.shown.empty());
    EXPECT_FALSE(s.splash.Label1->isVisibleTo(&s.splash));  // hidden whatever happened

    login.txtPassword->setText(QStringLiteral("x"));
    login.txtPassword->clear();
    EXPECT_FALSE(login.cmdOK->isEnabled());  // the emptied box decides, though a name is there
    login.txtUserName->setText(QStringLiteral("KWD"));
    login.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&login));
    login.cmdOK->click();  // an empty password
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, QStringLiteral("Invalid Password, try again!"));
    EXPECT_EQ(s.messages.shown[0].title, QStringLiteral("Login"));

    login.txtPassword->setText(QStringLiteral("bram"));
    login.cmdOK->click();
    ASSERT_EQ(s.messages.shown.size(), 2u);
    EXPECT_TRUE(login.isVisible());
    EXPECT_FALSE(s.splash.isVisible());
    EXPECT_EQ(login.txtPassword->selectedText(), QStringLiteral("bram"));  // typing replaces it

    s.splash.lblProductName->setText(QStringLiteral("changed"));
    login.txtPassword->setText(QStringLiteral("Bram"));
    login.cmdOK->click();
    EXPECT_FALSE(login.isVisible());
    EXPECT_TRUE(s.splash.isVisible());
    EXPECT_EQ(s.splash.lblProductName->text(), QStringLiteral("ZelPlayer Plus"));
    EXPECT_TRUE(s.splash.Option1->value());  // the mode buttons as they were
    EXPECT_FALSE(s.splash.Label1->isVisibleTo(&s.splash));
    EXPECT_EQ(s.messages.shown.size(), 2u);

    login.Show();
    login.cmdCancel->click();
    EXPECT_FALSE(login.isVisible());
    EXPECT_TRUE(ended);
    settle();
}

TEST(ChangeCredentials, FourBoxesAndOkThatChangesNothing)
{
    Started s;
    s.main().mnuviewchange->trigger();
    Form1& f = s.form<Form1>();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.caption(), QStringLiteral("Form1"));
    const std::pair<QLabel*, const char*> labels[] = {
        {f.Label3, "Old User ID"}, {f.Label4, "Old Password"}, {f.Label1, "New User ID"}, {f.Label2, "New Password"}};
    for (const auto& [label, caption] : labels) EXPECT_EQ(label->text(), QString::fromLatin1(caption));
    EXPECT_EQ(f.Text2->echoMode(), QLineEdit::Normal);  // in clear
    f.Text1->setText(QStringLiteral("me"));
    f.Text2->setText(QStringLiteral("secret"));
    f.Command1->click();
    settle();
    EXPECT_FALSE(s.app.forms().isLoaded<Form1>());
    s.main().mnuviewchange->trigger();
    EXPECT_EQ(s.form<Form1>().Text1->text(), QString());  // fresh boxes
    // The login still takes only the built-in pair.
    frmLogin& login = s.form<frmLogin>();
    login.txtUserName->setText(QStringLiteral("me"));
    login.txtPassword->setText(QStringLiteral("secret"));
    login.cmdOK->click();
    EXPECT_FALSE(s.splash.isVisible());
    login.txtUserName->setText(QStringLiteral("KWD"));
    login.txtPassword->setText(QStringLiteral("Bram"));
    login.cmdOK->click();
    EXPECT_TRUE(s.splash.isVisible());
}

// The clock is brought up to date once a minute, so it shows hours and minutes only, also where
// the locale's short time format has seconds.
TEST(StatusBar, TheClockShowsHoursAndMinutesInEveryLocale)
{
    const QLocale before;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German), QLocale(QLocale::Finnish), QLocale(QLocale::Chinese)}) {
        QLocale::setDefault(locale);
        const QString format = forms::StatusBar::hoursAndMinutesFormat();
        EXPECT_FALSE(format.contains(QLatin1Char('s'))) << format.toStdString();
        EXPECT_TRUE(format.contains(QLatin1Char('m'))) << format.toStdString();
        EXPECT_TRUE(format.contains(QLatin1Char('h'), Qt::CaseInsensitive)) << format.toStdString();
        EXPECT_FALSE(format.endsWith(QLatin1Char(':'))) << format.toStdString();
        forms::StatusBar bar(nullptr);
        EXPECT_EQ(bar.timeText(), locale.toString(QTime::currentTime(), format));
    }
    QLocale::setDefault(before);
}

// A Real clip opened after a long Windows-media clip: the " Minutes" unit is not left over the
// Real clip's dimensions.
TEST(ClipProperties, ARealOpenHidesTheMinutesUnitOfAnEarlierClip)
{
    Started s;
    s.openVideo(QStringLiteral("/long.wmv"), 90);
    Pro1& p = s.form<Pro1>();
    EXPECT_TRUE(p.Label14->isVisibleTo(&p));
    EXPECT_EQ(forms::backColor(p.Label14), forms::backColor(p.Frame1));
    EXPECT_EQ(forms::backColor(p.Label2), forms::backColor(p.Frame1));
    emit s.real().RealTwoTextEvent(QString(), QString());
    settle();
    EXPECT_FALSE(p.Label14->isVisibleTo(&p));
}

// The desktop's system: a folder value with a Windows separator leads to the same program.
TEST(LinuxSystem, StartsProgramsAndFindsFilesByLocalOrWindowsPaths)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("started"));
    QFile script(dir.filePath(QStringLiteral("MSINFO32.EXE")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    platform::LinuxSystem system;
    const QString windowsStyle = dir.path() + QStringLiteral("\\MSINFO32.EXE");
    EXPECT_TRUE(system.fileExists(windowsStyle));
    EXPECT_FALSE(system.fileExists(dir.path() + QStringLiteral("\\missing.exe")));
    EXPECT_FALSE(system.fileExists(dir.path()));
    EXPECT_FALSE(system.startProgram(dir.path() + QStringLiteral("/missing")));
    ASSERT_TRUE(system.startProgram(windowsStyle));
    EXPECT_TRUE(waitFor([&] { return QFile::exists(marker); }, 5000));
}
