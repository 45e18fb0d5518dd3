#pragma once

#include <QString>

// The filters the open dialogs offer: the main window's Windows-media and Real opens, and the
// DVD window's open, which offers the same files.
inline const QString kWindowsMediaFilter = QStringLiteral(
    "Audio Files (*.wav;*.mp3;*.wma;*) | *.wav*;*.mp3*;*.wma*|Video Files (*.mpg;*.MPEG;*.avi;*.wmv;*)|"
    "*.MPG*;*.MPEG*;*.avi*;*.wmv*|Playstation Audio Files (*.swp*)|*.swp*|Playstation 2 DVD Movies (*.pss*)|*.pss*|"
    "All Files (*.*)|*.*");
inline const QString kRealFilter =
    QStringLiteral("Real Audio/Video Files (*.rm*,*.ram*,*.ra*,*.rv*)|*.ra*;*.ram*;*.rm*;*.rv*");
