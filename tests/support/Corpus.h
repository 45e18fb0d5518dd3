#pragma once

#include <QString>
#include <vector>

// A small reliability corpus: mutated copies of clips and lists made by ffmpeg and by hand, the
// same inputs for the same seed number. Each is what a damaged download or a hostile file may
// look like: cut short, bytes flipped, headers zeroed or filled with huge numbers, parts
// repeated or swapped, noise appended.
namespace corpus {

struct Input {
    QString path;
    QString description;  // the seed and the mutation, for failure messages
};

// perSeed mutations of every seed clip (.wmv, .mp3, .rm, .avi, .wav, a picture claiming to be
// huge) and of a few lists (.m3u, .pls, .asx, [Reference]); files keep their seed's extension.
std::vector<Input> mutatedMedia(int perSeed, unsigned seed);

// perSeed mutations of a .ram list naming good and hostile entries.
std::vector<Input> mutatedRamLists(int perSeed, unsigned seed);

// DVD folders: perSeed copies of a DVD with its disc information file mutated, perSeed with a
// title set's, each with its backup mutated alike; and copies with a pipe in place of a file,
// an empty or a cut information file. The path is each copy's VIDEO_TS.IFO.
std::vector<Input> damagedDvds(int perSeed, unsigned seed);

// CD devices: perSeed mutations of a disc image's cue sheet (its tracks intact), and devices
// that are a folder, an empty image, a pipe, or a sheet naming a pipe. The path is the device.
std::vector<Input> damagedCdDevices(int perSeed, unsigned seed);

// Names a desktop, a file manager or another program may hand the player that it refuses:
// missing files, a pipe, a folder, a device, a name with a line break or far too long, the
// engine's own sources, another computer's file, a broken address, a relative name.
std::vector<Input> hostileNames();

}  // namespace corpus
