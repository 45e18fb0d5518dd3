#pragma once

#include <memory>

#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/StatusBar.h"
#include "media/MediaSource.h"

class Application;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class RealAudioControl;
class WindowsMediaControl;

// The main player window: hosts both engines, the status boxes and the menu tree.
class frmMain : public forms::Form {
    Q_OBJECT
public:
    explicit frmMain(Application& app);
    ~frmMain() override;

    void Form_Load() override;

    // Menu commands.
    void mnufileopen_Click();
    void mnufileopenreal_Click();
    void mnufileopenurl_Click();
    void mnufileproperties_Click();
    void mnufilecompression_Click();
    void mnuviewaudiosettings_Click();
    void mnuviewreal_Click();
    void mnuViewToolbar_Click();
    void mnuhelp_Click();
    void mnufileExit_Click();
    void mnuAbout_Click();
    void mnuviewchange_Click();
    void mnuviewplaylist_Click();
    void mnuviewcalendar_Click();
    void frmDVDPlayer_Click();
    void mnuviewcdplayer_Click();
    void mnuviewadditionalsettings_Click();
    void mnuviewoptionssystemsettings_Click();
    void mnuviewvideosettings_Click();
    void mnuviewzelplayerplussettings_Click();

    // Picture size, full screen and status bar.
    void mnuviewoneeighthscreen_Click() { chooseZoom(mnuviewoneeighthscreen); }
    void mnuviewhalfscreen_Click() { chooseZoom(mnuviewhalfscreen); }
    void mnuviewSixteenth_Click() { chooseZoom(mnuviewSixteenth); }
    void mnuviewDefaultscreen_Click() { chooseZoom(mnuviewDefaultscreen); }
    void mnuviewactual_Click() { chooseZoom(mnuviewactual); }
    void mnuviewdouble_Click() { chooseZoom(mnuviewdouble); }
    void mnuviewfullscreen_Click();
    void mnuviewstatusbar_Click();

    // Puts the one check mark of the picture-size group on the item.
    void checkSizeItem(forms::MenuItem* item);
    // Sets the picture size and checks the menu item that stands for it.
    void chooseDisplaySize(int code);

    // Windows-media engine events.
    // The picture menu's requests, and what the engine reports of them.
    void screenAndAudio_SubtitleFileWanted();
    void screenAndAudio_PictureFileWanted();
    void screenAndAudio_PictureSaved(const QString& problem);
    void screenAndAudio_Resumed(double seconds);
    void screenAndAudio_OpenStateChange();
    void screenAndAudio_EndOfStream();
    void screenAndAudio_PlayStateChange();
    void screenAndAudio_PositionChange();
    void screenAndAudio_MouseEvent();
    void screenAndAudio_NewStream();

    // Real engine events.
    void RealAudio1_RealTwoTextEvent();
    void RealAudio1_RealNoArgumentEvent();
    void RealAudio1_RealTwoNumberEvent();
    void RealAudio1_RealOneTextEvent();
    // Either engine could not open or play its clip.
    void engine_Error(const QString& description);

    // Names from outside the windows (the command line, a second start, a drop, the desktop's
    // OpenUri), each checked as a name typed in the open dialog. The first that passes is opened
    // as File > Open opens a chosen file (a RealMedia name as the Real open does), the others
    // become playlist rows of their sets, playlist files load into the playlist. One message
    // tells the first name that fails, without waiting.
    void openFromOutside(const QStringList& names);
    // The same, for names already checked.
    void openFromOutside(const media_source::CheckedNames& checked);

    // Makes the engine the one that plays: the other engine stops and its picture is hidden,
    // this one's is shown. Menus, title and status texts are left to the open commands.
    enum class Engine { WindowsMedia, Real };
    void switchEngine(Engine engine);
    // After a Windows-media open: the clip properties and full screen are offered, the remote
    // shows Pause before playback has started, and Zoom follows the picture.
    void armForWindowsMediaPlayback();

    // The engine that loaded a clip last is drawn in front: the Real picture's box comes over the
    // picture boxes and the Windows-media picture, or goes back to its place behind them.
    void bringRealPictureToFront(bool real);

    // Zoom follows the picture: only when the engine reports no picture height is it switched,
    // off for a clip without picture and on otherwise.
    void updateZoomForPicture();

    // Input back to the media control, this window and the remote, after a settings dialog.
    void giveInputBack();

    // The position line: "<position> \ <length> Seconds".
    void showPositionLine();

    // Shows every second position change in the status box (the position toggle).
    bool positionToggle = false;

    // Controls, in stacking order from back to front.
    QFrame* Text3;
    QLineEdit* Label2;
    QFrame* Text2;
    RealAudioControl* RealAudio1;
    forms::StatusBar* sbStatusBar;
    QLineEdit* Label3;
    QLineEdit* Text1;
    QFrame* Label1;
    QLabel* Label5;
    QLabel* Label4;
    WindowsMediaControl* MediaPlayer1;
    WindowsMediaControl* screenAndAudio;

    std::unique_ptr<forms::CommonDialog> CommonDialog1;
    std::unique_ptr<forms::CommonDialog> CommonDialog2;
    forms::FormTimer* Timer1;
    forms::FormTimer* Ff;
    forms::FormTimer* Re;

    // Menu items.
    forms::MenuItem* mnufile;
    forms::MenuItem* mnufileopenfile;
    forms::MenuItem* mnufileopen;
    forms::MenuItem* mnufileopenreal;
    forms::MenuItem* Divison7;
    forms::MenuItem* mnufileopenurl;
    forms::MenuItem* mnuFileDivision1;
    forms::MenuItem* mnufilecompression;
    forms::MenuItem* mnufileDivision2;
    forms::MenuItem* mnufileproperties;
    forms::MenuItem* mnufileDivision3;
    forms::MenuItem* mnufileExit;
    forms::MenuItem* mnuview;
    forms::MenuItem* mnuviewfullscreen;
    forms::MenuItem* mnuViewDivision1;
    forms::MenuItem* mnuviewzoom;
    forms::MenuItem* mnuviewoneeighthscreen;
    forms::MenuItem* mnuviewDivision2;
    forms::MenuItem* mnuviewhalfscreen;
    forms::MenuItem* mnuviewSixteenth;
    forms::MenuItem* mnuviewDefaultscreen;
    forms::MenuItem* mnuviewactual;
    forms::MenuItem* mnuviewdouble;
    forms::MenuItem* mnuviewDivision3;
    forms::MenuItem* mnuViewToolbar;
    forms::MenuItem* mnuviewreal;
    forms::MenuItem* mnuviewstatusbar;
    forms::MenuItem* mnuviewDivision4;
    forms::MenuItem* mnuviewcalendar;
    forms::MenuItem* mnuviewDivision5;
    forms::MenuItem* mnuviewoptions;
    forms::MenuItem* mnuviewaudiosettings;
    forms::MenuItem* mnuviewvideosettings;
    forms::MenuItem* mnuviewzelplayerplussettings;
    forms::MenuItem* mnuviewoptionssystemsettings;
    forms::MenuItem* mnuviewadditionalsettings;
    forms::MenuItem* mnuviewchange;
    forms::MenuItem* mnuviewcdplayer;
    forms::MenuItem* frmDVDPlayer;
    forms::MenuItem* mnuviewplaylist;
    forms::MenuItem* mnuAbout;
    forms::MenuItem* mnuhelp;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Files and addresses dropped on the window (the picture included) open as from outside.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The keys other players have (Space, the arrows, M, F, Home) steer the current engine.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void placeStatusBar();
    // The opens that follow a name chosen in the open dialog.
    void openChosenWindowsMedia();
    void openChosenReal();
    void connectEngines();
    // Sets the size the item stands for and gives it the group's check mark.
    void chooseZoom(forms::MenuItem* item);
    // Alt+Enter, Alt+1, Alt+2 and Alt+3, which the captions name, run their items.
    void bindCaptionKeys();

    Application& app_;
};
