#pragma once

#include <QByteArrayView>
#include <QString>

// The DVD's information files (VIDEO_TS.IFO and the title sets' VTS_nn_0.IFO) as the engine's
// DVD reader takes them: a header of sector and byte addresses, and tables of counted entries
// that point further into the file. The reader trusts those numbers; these checks make sure
// every table it reads lies inside the file and every count and address holds together.
namespace dvd_ifo {

struct Checked {
    QString problem;      // why the file does not hold together, as a sentence; empty when it does
    int titleSets = 0;    // VIDEO_TS.IFO: how many title sets the disc has
};

// The disc's own information file (VIDEO_TS.IFO or its backup, VIDEO_TS.BUP).
Checked checkVideoManager(QByteArrayView ifo);

// A title set's information file (VTS_nn_0.IFO or .BUP).
QString checkTitleSet(QByteArrayView ifo);

}  // namespace dvd_ifo
