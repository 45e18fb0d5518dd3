// The main window's side of the picture's right-click menu: the names it asks for (a subtitle
// file, where to save the picture) and what the engine reports back; a clip that resumes.
#include <QDir>
#include <QFileInfo>
#include <QStatusBar>
#include <QStandardPaths>

#include "main_window/frmMain.h"
#include "media/WindowsMediaControl.h"
#include "windows/Application.h"

namespace {

// 12:34, or 1:02:03 past an hour.
QString clockText(double seconds)
{
    const long s = static_cast<long>(seconds);
    return s >= 3600 ? QStringLiteral("%1:%2:%3").arg(s / 3600).arg(s / 60 % 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'))
                     : QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

void frmMain::screenAndAudio_SubtitleFileWanted()
{
    forms::CommonDialog dialog(app_.fileDialogs(), this, tr("Load subtitle file"));
    dialog.Filter = tr("Subtitle files (*.srt;*.ass;*.ssa;*.vtt)|*.srt;*.ass;*.ssa;*.vtt");
    if (dialog.ShowOpen()) screenAndAudio->addSubtitleFile(dialog.DialogFileName());
}

void frmMain::screenAndAudio_PictureFileWanted()
{
    // Offered in the user's pictures folder, named after the clip and the moment.
    forms::CommonDialog dialog(app_.fileDialogs(), this, tr("Save picture"));
    dialog.Filter = tr("PNG picture (*.png)|*.png");
    dialog.DefaultExt = QStringLiteral("png");
    const QString clip = QFileInfo(screenAndAudio->FileName()).completeBaseName();
    const QString moment = clockText(screenAndAudio->CurrentPosition()).replace(QLatin1Char(':'), QLatin1Char('.'));
    dialog.choose(QDir(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
                      .filePath(QStringLiteral("%1 %2.png").arg(clip.isEmpty() ? tr("Picture") : clip, moment)));
    if (dialog.ShowSave()) screenAndAudio->savePicture(dialog.DialogFileName());
}

void frmMain::screenAndAudio_PictureSaved(const QString& problem)
{
    if (!problem.isEmpty()) env().report(this, problem);
}

void frmMain::screenAndAudio_Resumed(double seconds)
{
    // For a few seconds, on the status bar's free part; Home goes back to the start.
    sbStatusBar->showMessage(tr("Resumed at %1").arg(clockText(seconds)), 6000);
}
