// The main window's answers to both engines' events.
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "windows/Application.h"
#include "forms/NumberText.h"
#include "forms/Twips.h"
#include "main_window/Pro1.h"
#include "main_window/frmMain.h"
#include "media/RealAudioControl.h"
#include "media/WindowsMediaControl.h"
#include "remote/Player.h"
#include "remote/RealRControl.h"
#include "settings/Aud1.h"
#include "settings/PlaySet.h"
#include "tools/Form6.h"

using forms::numText;

namespace {

QDateTime lastChange(const QString& file)
{
    const QFileInfo info(file);
    return info.isFile() ? info.lastModified() : QDateTime();
}

}  // namespace

void frmMain::screenAndAudio_OpenStateChange()
{
    Pro1& p = app_.forms().get<Pro1>();
    WindowsMediaControl& wmp = *screenAndAudio;
    const QString fileName = CommonDialog1->DialogFileName();
    p.setCaption(CommonDialog1->DialogFileTitle() + QStringLiteral(" Properties"));
    p.Label1->setText(QStringLiteral("Location: ") + fileName);
    p.Label11->setText(QStringLiteral("ZelPlayer ID: ") + wmp.PlayerId());
    Label4->setText(QStringLiteral(" \\ ") + numText(wmp.Duration()) + QStringLiteral(" Seconds"));
    p.showDataRate(wmp.DataRate());
    p.Label5->setText(QStringLiteral("Creation Date: ") + forms::dateTimeText(lastChange(fileName)));
    p.Label7->setText(QStringLiteral("Dimensions: ") + numText(wmp.PictureHeight()) + QStringLiteral(" x ") +
                      numText(wmp.PictureWidth()));
    if (wmp.Duration() >= 60) {
        p.Label6->setText(QStringLiteral("Clip Length: ") + numText(wmp.Duration() / 60));
        p.Label14->setVisible(true);
        p.Label14->move(forms::toPixels(1370), p.Label14->y());
        p.Label14->setText(QStringLiteral(" Minutes"));
        p.Label14->move(forms::toPixels(wmp.Duration() < 600 ? 1370 : 1420), p.Label14->y());
    } else {
        p.Label6->setText(QStringLiteral("Clip Length: ") + numText(wmp.Duration()) + QStringLiteral(" Seconds"));
        p.Label14->setVisible(false);
    }
    if (wmp.PictureHeight() == 0) {
        if (wmp.PictureWidth() == 0) p.Label7->setText(QStringLiteral("Dimensions: Not a video clip"));
        updateZoomForPicture();
    }
    if (wmp.CodecCount() == 0) {
        Aud1& aud = app_.forms().get<Aud1>();
        p.Label12->setText(QStringLiteral("Codec: Unknown"));
        aud.Text1->setText(QStringLiteral("Unknown"));
        Label2->clear();
        aud.Text2->setText(QStringLiteral("Is this codec installed on this computer: Unknown:"));
    }
    if (wmp.CodecCount() == 1 || wmp.CodecCount() == 2) {
        Aud1& aud = app_.forms().get<Aud1>();
        const int n = wmp.CodecCount();
        p.Label12->setText(QStringLiteral("Codec: ") + wmp.CodecName(n));
        aud.Text1->setText(wmp.CodecName(n));
        aud.Text2->setText(QStringLiteral("Is this codec installed on this computer: ") +
                           forms::boolText(wmp.CodecInstalled(n)));
    }
    for (const char* name : {"Windows Media Video V7", "Windows Media Video V8", "Windows Media MPEG-4 Video V3"}) {
        const QString codec = QStringLiteral("Codec: ") + QString::fromLatin1(name);
        if (p.Label12->text() == codec + QStringLiteral(" ()")) p.Label12->setText(codec);
    }
    p.Label2->setText(QStringLiteral("0"));
    p.Label13->setText(QStringLiteral("Amount of Times Played: ") + p.Label2->text());
    p.Label8->setText(wmp.MediaInfoText(12));
    mnuviewreal->setEnabled(false);
    mnuViewToolbar->setEnabled(true);
    p.Label3->setText(wmp.MediaInfoText(1).isEmpty() ? QStringLiteral("Clip Title: N/A")
                                                     : QStringLiteral("Clip Title: ") + wmp.MediaInfoText(8));
    p.Label9->setText(wmp.MediaInfoText(2).isEmpty() ? QStringLiteral("Clip Author: N/A")
                                                     : QStringLiteral("Clip Author: ") + wmp.MediaInfoText(9));
    // The compression window shows the size of the chosen file.
    const QFileInfo file(fileName);
    app_.forms().get<Form6>().Label1->setText(
        file.isFile() ? QStringLiteral("File Size: ") + numText(file.size() / 1000000.0) + QStringLiteral(" MB")
                      : QString());
    bringRealPictureToFront(false);
}

void frmMain::screenAndAudio_EndOfStream()
{
    if (!app_.forms().get<PlaySet>().Option2->value()) app_.forms().get<Player>().showPlay();
    Pro1& p = app_.forms().get<Pro1>();
    p.Label13->setVisible(true);
    p.Label2->setVisible(false);
    p.Label2->setText(QString::number(p.Label2->text().toLongLong() + 1));
    p.Label13->setText(QStringLiteral("Amount of Times Played: ") + p.Label2->text());
}

void frmMain::screenAndAudio_PlayStateChange()
{
    const bool stopped = screenAndAudio->PlayState() == WindowsMediaControl::Stopped;
    mnuviewfullscreen->setEnabled(!stopped);
    mnuviewzoom->setEnabled(!stopped);
}

void frmMain::showPositionLine()
{
    Label4->setText(numText(screenAndAudio->CurrentPosition()) + QStringLiteral(" \\ ") +
                    numText(screenAndAudio->Duration()) + QStringLiteral(" Seconds"));
}

void frmMain::screenAndAudio_PositionChange()
{
    app_.forms().get<Pro1>().Label3->setText(QStringLiteral("Packets Recieved: ") +
                                             numText(screenAndAudio->PacketsReceived()));
    showPositionLine();
    if (positionToggle) {
        Label2->setVisible(true);
        Label2->clear();
        Ff->setEnabled(false);
        positionToggle = false;
    } else {
        Label2->setVisible(true);
        Ff->setEnabled(true);
        positionToggle = true;
    }
}

void frmMain::screenAndAudio_MouseEvent()
{
    app_.forms().get<Pro1>().Label3->setText(QStringLiteral("Packets Recieved: ") +
                                             numText(screenAndAudio->PacketsReceived()));
}

void frmMain::screenAndAudio_NewStream()
{
    const double p1 = screenAndAudio->CurrentPosition();
    const double p2 = screenAndAudio->CurrentPosition();
    if (p1 - 0.1 == p2) screenAndAudio->Stop();
}

void frmMain::RealAudio1_RealTwoTextEvent()
{
    // The Windows-media clip is stopped rather than given the fixed default sound: that sound's
    // own open event would write its properties over the Real clip's in the clip properties
    // and switch the remote-control menu items back to the Windows-media engine.
    screenAndAudio->Stop();
    RealAudioControl& real = *RealAudio1;
    real.SetStatusText(QString());
    Pro1& p = app_.forms().get<Pro1>();
    p.setCaption(CommonDialog1->DialogFileTitle() + QStringLiteral(" Properties"));
    p.Label1->setText(QStringLiteral("File Location: ") + real.GetSource());
    p.Label13->setVisible(false);
    p.Label2->setText(QStringLiteral("File Title: ") + real.GetTitle());
    p.Label3->setText(QStringLiteral("Author: ") + real.GetAuthor());
    p.Label5->setText(QStringLiteral("Clip Length: ") + numText(real.GetLength() / 1000.0) + QStringLiteral(" Seconds"));
    // A Windows-media clip of a minute or more left its " Minutes" unit on the line that now
    // holds the Real clip's dimensions.
    p.Label14->setVisible(false);
    p.Label4->setText(QStringLiteral("Copyright Information: ") + real.GetCopyright());
    real.SetNumLoop(real.GetNumLoop());
    p.Label9->setText(real.GetComments());
    real.SetShowStatusLine(true);
    mnuviewreal->setEnabled(true);
    mnuViewToolbar->setEnabled(false);
    bringRealPictureToFront(true);
}

void frmMain::RealAudio1_RealNoArgumentEvent()
{
    RealRControl& remote = app_.forms().get<RealRControl>();
    remote.Command1->setVisible(true);
    remote.Command9->setVisible(false);
}

void frmMain::RealAudio1_RealTwoNumberEvent()
{
    app_.forms().get<Pro1>().Label8->setText(QStringLiteral("Data Rate: ") +
                                             numText(RealAudio1->GetBandwidthAverage() / 1000.0) +
                                             QStringLiteral(" Kilobits"));
}

void frmMain::RealAudio1_RealOneTextEvent()
{
    app_.forms().get<Pro1>().Label6->setText(QStringLiteral("Clip Dimensions: ") + numText(RealAudio1->GetClipWidth()) +
                                             QStringLiteral(" x ") + numText(RealAudio1->GetClipHeight()));
}

void frmMain::engine_Error(const QString& description) { app_.report(this, description); }
