// The main window's menu commands that open media and show the windows round it.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "windows/Application.h"
#include "windows/ExitBox.h"
#include "windows/Form1.h"
#include "windows/frmAbout.h"
#include "windows/frmSplash.h"
#include "main_window/OpenFilters.h"
#include "main_window/Pro1.h"
#include "main_window/frmMain.h"
#include "media/MediaSource.h"
#include "media/RealAudioControl.h"
#include "media/WindowsMediaControl.h"
#include "playlist/Form2.h"
#include "remote/Player.h"
#include "remote/RealRControl.h"
#include "settings/Addit1.h"
#include "settings/Addit2.h"
#include "settings/Aud1.h"
#include "tools/CDPlayer.h"
#include "tools/CalFrm.h"
#include "tools/Form3.h"
#include "tools/Form5.h"
#include "tools/Form6.h"
#include "tools/frmDVD.h"

void frmMain::updateZoomForPicture()
{
    if (screenAndAudio->PictureHeight() == 0) mnuviewzoom->setEnabled(screenAndAudio->PictureWidth() != 0);
}

void frmMain::mnufileopen_Click()
{
    frmSplash& splash = app_.forms().get<frmSplash>();
    if (splash.Option1->value()) {
        if (screenAndAudio->PlayState() == WindowsMediaControl::Closed) Label4->clear();
        CommonDialog1->Filter = kWindowsMediaFilter;
        // A cancelled dialog opens nothing; the clip now loaded plays on.
        if (!CommonDialog1->ShowOpen()) return;
        openChosenWindowsMedia();
    }
    // In Decrypter Mode the file browser does the opening.
    if (splash.Option2->value()) app_.forms().get<Form5>().Show();
}

void frmMain::openChosenWindowsMedia()
{
    screenAndAudio->Open(CommonDialog1->DialogFileName());
    switchEngine(Engine::WindowsMedia);
    Label1->setVisible(screenAndAudio->IsBroadcast());
    armForWindowsMediaPlayback();
}

void frmMain::switchEngine(Engine engine)
{
    if (engine == Engine::WindowsMedia) {
        RealAudio1->StopClip();
        RealAudio1->setVisible(false);
        screenAndAudio->setVisible(true);
    } else {
        screenAndAudio->Stop();
        screenAndAudio->setVisible(false);
        RealAudio1->setVisible(true);
    }
}

void frmMain::armForWindowsMediaPlayback()
{
    mnufileproperties->setEnabled(true);
    mnuviewfullscreen->setEnabled(true);
    app_.forms().get<Player>().showPause();
    updateZoomForPicture();
}

void frmMain::mnufileopenreal_Click()
{
    CommonDialog1->Filter = kRealFilter;
    if (!CommonDialog1->ShowOpen()) return;
    openChosenReal();
}

void frmMain::openChosenReal()
{
    RealAudio1->setVisible(true);
    RealAudio1->SetSource(CommonDialog1->DialogFileName());
    RealAudio1->PlayClip();
}

void frmMain::openFromOutside(const QStringList& names) { openFromOutside(media_source::checkAll(names)); }

void frmMain::openFromOutside(const media_source::CheckedNames& checked)
{
    QStringList media;
    for (const QString& target : checked.targets) {
        if (media_source::isPlaylistName(target)) app_.forms().get<Form2>().loadFromOutside(target);
        else media << target;
    }
    if (!media.isEmpty()) {
        const QString first = media.takeFirst();
        if (screenAndAudio->PlayState() == WindowsMediaControl::Closed) Label4->clear();
        CommonDialog1->choose(first);
        if (media_source::isRealName(first)) openChosenReal();
        else openChosenWindowsMedia();
        if (!media.isEmpty()) app_.forms().get<Form2>().addRows(media);
    }
    if (!checked.refusal.isEmpty()) env().report(this, checked.refusal);
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QStringList names = media_source::namesOf(*event->mimeData());
    event->acceptProposedAction();
    runEvent([&] {
        // A subtitle file dropped on a clip that is open is shown with it.
        const media_source::Checked one = names.size() == 1 ? media_source::check(names[0]) : media_source::Checked{};
        if (one.ok && !one.address && screenAndAudio->OpenState() == WindowsMediaControl::OpenOpen &&
            media_source::isSubtitleName(one.target))
            return screenAndAudio->addSubtitleFile(one.target);
        openFromOutside(names);
    });
}

void frmMain::mnufileopenurl_Click()
{
    Addit2& window = app_.forms().get<Addit2>();
    window.Show();
    window.Text1->setText(screenAndAudio->FileName());
}

void frmMain::mnufileproperties_Click() { app_.forms().get<Pro1>().Show(); }

void frmMain::mnufileExit_Click()
{
    app_.forms().get<ExitBox>().Show();
    screenAndAudio->setEnabled(false);
}

void frmMain::mnuAbout_Click()
{
    // The About box opens to the sound named in Text1, played by its own engine so that the
    // clip in screenAndAudio goes on undisturbed.
    MediaPlayer1->Open(Text1->text());
    app_.forms().get<frmAbout>().Show();
}

void frmMain::mnuviewchange_Click() { app_.forms().get<Form1>().Show(); }

void frmMain::mnuviewplaylist_Click() { app_.forms().get<Form2>().Show(); }

void frmMain::mnuviewcalendar_Click()
{
    CalFrm& calendar = app_.forms().get<CalFrm>();
    calendar.Show();
    calendar.Calendar1->Today();
    screenAndAudio->setEnabled(false);
    setEnabled(false);
    app_.forms().get<Player>().setEnabled(false);
}

void frmMain::frmDVDPlayer_Click() { app_.forms().get<frmDVD>().Show(); }

void frmMain::mnuviewcdplayer_Click()
{
    mnuviewcdplayer->setCheckedMark(!mnuviewcdplayer->checked());
    // Hidden, the player plays on.
    app_.forms().get<CDPlayer>().setVisible(mnuviewcdplayer->checked());
}

void frmMain::mnuviewadditionalsettings_Click()
{
    Addit1& preferences = app_.forms().get<Addit1>();
    preferences.Show();
    preferences.applyBackColor(backColor());
    // Each with the text that reads on the colour, as an Apply paints them.
    for (QWidget* w : std::initializer_list<QWidget*>{preferences.Command1, preferences.Command2, preferences.Command3,
                                                      preferences.Frame1, preferences.Frame2})
        forms::paintControl(w, backColor());
}

void frmMain::mnuviewoptionssystemsettings_Click() { app_.forms().get<Form3>().Show(); }

void frmMain::mnufilecompression_Click()
{
    app_.forms().get<Form6>().Show();
    CommonDialog2->ShowSave();  // nothing uses the answer
}

void frmMain::mnuviewaudiosettings_Click()
{
    app_.forms().get<Aud1>().Show();
    setEnabled(false);
    app_.forms().get<Player>().setEnabled(false);
}

void frmMain::mnuviewreal_Click()
{
    RealRControl& remote = app_.forms().get<RealRControl>();
    remote.Show();
    if (RealAudio1->GetEnableContextMenu() == RealAudio1->GetCanPause()) {
        remote.Command9->setVisible(true);
        remote.Command1->setVisible(false);
    }
}
