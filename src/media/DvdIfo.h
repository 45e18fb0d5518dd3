#pragma once

#include <QByteArrayView>
#include <QString>
#include <array>
#include <vector>

// The DVD's information files (VIDEO_TS.IFO and the title sets' VTS_nn_0.IFO) as the engine's
// DVD reader takes them: a header of sector and byte addresses, tables of counted entries that
// point further into the file, and program chains whose navigation commands the reader's
// machine runs. The reader trusts all of it (a count past its table overruns memory, a command
// naming a title that does not exist stops the program), so every table must lie inside the
// file, every count and address hold together, and every command name something that exists
// and be allowed where it stands.
namespace dvd_ifo {

// A program chain: what its commands may name, and the commands themselves.
struct Chain {
    int programs = 0, cells = 0;
    int next = 0, previous = 0, goUp = 0;  // program chain numbers, 0 for none
    int entryId = 0;                       // a menu's kind (with its top bit: an entry chain)
    enum class Place { Before, After, Cell };
    struct Command {
        std::array<quint8, 8> bytes;
        Place place;
    };
    std::vector<Command> commands;
};

// The program chains of one table (a title set's titles, or one language of menus).
using Chains = std::vector<Chain>;

struct VideoManager {
    QString problem;  // why the file does not hold together, as a sentence; empty when it does
    int titleSets = 0;
    struct Title {
        int titleSet, titleInSet, chapters;
    };
    std::vector<Title> titles;
    bool hasFirstPlay = false;
    Chain firstPlay;
    std::vector<Chains> menus;  // one table for each menu language; none without menus
};

struct TitleSet {
    QString problem;
    std::vector<Chains> menus;
    Chains titles;
    // For each title of the set, its chapters as (program chain, program) pairs.
    std::vector<std::vector<std::pair<int, int>>> chapters;
};

// The disc's own information file (VIDEO_TS.IFO or its backup, VIDEO_TS.BUP); a problem names
// the file when its name is given.
VideoManager readVideoManager(QByteArrayView ifo, const QString& fileName = {});
// A title set's information file (VTS_nn_0.IFO or .BUP).
TitleSet readTitleSet(QByteArrayView ifo, const QString& fileName = {});

// Whether the disc's navigation holds together: every command of every program chain names
// titles, chapters, menus, chains, programs and cells that exist, and is one the reader's
// machine allows in its domain. `titleSets` holds the sets in order, from set 1.
QString checkNavigation(const VideoManager& disc, const std::vector<TitleSet>& titleSets);

}  // namespace dvd_ifo
