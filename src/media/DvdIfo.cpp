#include "media/DvdIfo.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>

namespace dvd_ifo {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("dvd_ifo", text); }

constexpr qint64 kSector = 2048;
constexpr qint64 kHeaderBytes = 2048;  // the header's addresses and attributes fill the first sector
constexpr qint64 kPgcBytes = 0xEC;     // a program chain's fixed part
constexpr int kMaxTitleSets = 99;

// Where the fields lie: in the disc's own information file (the video manager)...
namespace manager_at {
constexpr qint64 kTitleSets = 0x3E;          // 16 bits
constexpr qint64 kLastSector = 0x80;         // of its information, 32 bits
constexpr qint64 kFirstPlayChain = 0x84;     // byte address, 32 bits; each below a sector number, 32 bits
constexpr qint64 kTitleTable = 0xC4;
constexpr qint64 kMenuTable = 0xC8;
constexpr qint64 kParentalTable = 0xCC;
constexpr qint64 kTitleSetTable = 0xD0;
constexpr qint64 kTextTable = 0xD4;
constexpr qint64 kMenuCellAddresses = 0xD8;
constexpr qint64 kMenuAddressMap = 0xDC;
}  // namespace manager_at
// ...in a title set's (each a sector number, 32 bits)...
namespace set_at {
constexpr qint64 kLastSector = 0x80;
constexpr qint64 kChapterTable = 0xC8;
constexpr qint64 kChainTable = 0xCC;
constexpr qint64 kMenuTable = 0xD0;
constexpr qint64 kTimeMap = 0xD4;
constexpr qint64 kMenuCellAddresses = 0xD8;
constexpr qint64 kMenuAddressMap = 0xDC;
constexpr qint64 kTitleCellAddresses = 0xE0;
constexpr qint64 kTitleAddressMap = 0xE4;
}  // namespace set_at
// ...in a program chain...
namespace chain_at {
constexpr qint64 kPrograms = 0x02;    // 8 bits
constexpr qint64 kCells = 0x03;       // 8 bits
constexpr qint64 kNext = 0x9C;        // chain numbers, 16 bits
constexpr qint64 kPrevious = 0x9E;
constexpr qint64 kGoUp = 0xA0;
constexpr qint64 kCommands = 0xE4;    // offsets from the chain's start, 16 bits
constexpr qint64 kProgramMap = 0xE6;
constexpr qint64 kCellPlayback = 0xE8;
constexpr qint64 kCellPositions = 0xEA;
constexpr qint64 kCellPlaybackBytes = 24;
constexpr qint64 kCellPositionBytes = 4;
}  // namespace chain_at
// ...and in a table's entries.
namespace entry_at {
constexpr qint64 kTableEntries = 8;     // entries follow a table's eight-byte head
constexpr qint64 kTitleChapters = 2;    // a title: 16 bits
constexpr qint64 kTitleSetNumber = 6;   // 8 bits
constexpr qint64 kTitleInSet = 7;       // 8 bits
constexpr qint64 kChainOffset = 4;      // a chain table's entry: the chain's offset, 32 bits
}  // namespace entry_at

// The navigation commands: the group in a command's top three bits...
enum Group { kSpecial = 0, kLinkOrJump = 1, kSetSystem = 2, kSet = 3, kSetCompareLink = 4, kCompareSetLink = 5, kCompareLink = 6 };
// ...a link's kind (second byte, low four bits)...
enum Link { kLinkSub = 1, kLinkChain = 4, kLinkChapter = 5, kLinkProgram = 6, kLinkCell = 7 };
// ...a link without operand (last byte, low five bits; above 16 there is none)...
enum SubLink { kPreviousCell = 3, kPreviousProgram = 7, kNextChain = 10, kPreviousChain = 11, kGoUpChain = 12, kResume = 16 };
constexpr int kNoStep[] = {4, 8, 14, 15};  // codes the machine has no step for: it would go round for ever
// ...a jump's kind (second byte, low four bits) and a system jump's target (sixth byte, top bits).
enum Jump { kJumpTitle = 2, kJumpSetTitle = 3, kJumpSetChapter = 5, kJumpSystem = 6, kCallSystem = 8 };
enum SystemTarget { kFirstPlay = 0, kDiscMenu = 1, kSetMenu = 2, kDiscChain = 3 };

// A damaged table: what it is, for the message.
struct Damage {
    QString table;
};

void require(bool holds, const QString& what)
{
    if (!holds) throw Damage{what};
}

// Big-endian numbers at byte offsets, each read only where the bytes are inside the region
// being read: a table's own bytes, never the rest of the file.
class Region {
public:
    Region(QByteArrayView data, qint64 begin, qint64 end, QString name)
        : data_(data), begin_(begin), end_(end), name_(std::move(name))
    {
    }

    // The part of this region from `offset` (relative to the file) to `end`.
    Region sub(qint64 offset, qint64 end, const QString& name) const
    {
        if (offset < begin_ || end > end_ || offset > end) throw Damage{name};
        return Region(data_, offset, end, name);
    }
    void need(qint64 offset, qint64 length) const
    {
        if (offset < begin_ || length < 0 || offset + length > end_) throw Damage{name_};
    }
    quint8 u8(qint64 offset) const
    {
        need(offset, 1);
        return static_cast<quint8>(data_[offset]);
    }
    quint16 u16(qint64 offset) const { return static_cast<quint16>(u8(offset) << 8 | u8(offset + 1)); }
    quint32 u32(qint64 offset) const { return static_cast<quint32>(u16(offset)) << 16 | u16(offset + 2); }
    void check(bool holds) const
    {
        if (!holds) throw Damage{name_};
    }
    qint64 begin() const { return begin_; }
    qint64 end() const { return end_; }
    const QString& name() const { return name_; }

private:
    QByteArrayView data_;
    qint64 begin_, end_;
    QString name_;
};

// A counted table at a sector of the file: a 16-bit count, then (at 4) the offset of its last
// byte from its start. The table is the region from its start to that byte.
struct Table {
    Region bytes;
    quint16 count;
};

Table tableAtSector(const Region& file, quint32 sector, const QString& name, qint64 headerBytes, qint64 entryBytes)
{
    const qint64 start = static_cast<qint64>(sector) * kSector;
    file.sub(start, start + 8, name);
    const quint16 count = file.u16(start);
    const qint64 lastByte = file.u32(start + 4);
    const Region bytes = file.sub(start, start + lastByte + 1, name);
    bytes.check(headerBytes + count * entryBytes <= lastByte + 1);
    return Table{bytes, count};
}

// A program chain: its commands, program map and cells, all inside the table holding it.
Chain readChain(const Region& within, qint64 start)
{
    const Region pgc = within.sub(start, within.end(), tr("a program chain"));
    pgc.need(start, kPgcBytes);
    Chain chain;
    chain.programs = pgc.u8(start + chain_at::kPrograms);
    chain.cells = pgc.u8(start + chain_at::kCells);
    chain.next = pgc.u16(start + chain_at::kNext);
    chain.previous = pgc.u16(start + chain_at::kPrevious);
    chain.goUp = pgc.u16(start + chain_at::kGoUp);
    pgc.check(chain.programs <= chain.cells);
    if (const quint16 commands = pgc.u16(start + chain_at::kCommands); commands != 0) {
        const qint64 at = start + commands;
        const int before = pgc.u16(at), after = pgc.u16(at + 2), cell = pgc.u16(at + 4);
        const int count = before + after + cell;
        const qint64 lastByte = pgc.u16(at + 6);
        pgc.check(count <= 255 && 8 + count * 8 <= lastByte + 1);
        pgc.need(at, lastByte + 1);
        for (int i = 0; i < count; ++i) {
            Chain::Command command{{}, i < before ? Chain::Place::Before : i < before + after ? Chain::Place::After : Chain::Place::Cell};
            for (int b = 0; b < 8; ++b) command.bytes[static_cast<size_t>(b)] = pgc.u8(at + 8 + i * 8 + b);
            chain.commands.push_back(command);
        }
    }
    if (chain.programs > 0) {
        const quint16 map = pgc.u16(start + chain_at::kProgramMap);
        pgc.check(map != 0);
        for (int i = 0; i < chain.programs; ++i) {
            const int cell = pgc.u8(start + map + i);
            pgc.check(cell >= 1 && cell <= chain.cells);
        }
    }
    if (chain.cells > 0) {
        const quint16 playback = pgc.u16(start + chain_at::kCellPlayback), position = pgc.u16(start + chain_at::kCellPositions);
        pgc.check(playback != 0 && position != 0);
        pgc.need(start + playback, chain.cells * chain_at::kCellPlaybackBytes);
        pgc.need(start + position, chain.cells * chain_at::kCellPositionBytes);
        // A cell in a block belongs to an angle block, the only kind of block there is.
        for (int i = 0; i < chain.cells; ++i) {
            const int flags = pgc.u8(start + playback + i * chain_at::kCellPlaybackBytes), blockMode = flags >> 6, blockType = (flags >> 4) & 3;
            pgc.check(blockMode == 0 || blockType == 1);
        }
    }
    return chain;
}

// A table of program chains.
Chains readChains(const Region& table)
{
    const qint64 start = table.begin();
    const int count = table.u16(start);
    const qint64 lastByte = table.u32(start + 4);
    const Region bytes = table.sub(start, start + lastByte + 1, table.name());
    bytes.check(count < 10000 && 8 + count * 8 <= lastByte + 1);
    Chains chains;
    for (int i = 0; i < count; ++i) {
        const qint64 at = start + entry_at::kTableEntries + i * 8;
        Chain chain = readChain(bytes, start + bytes.u32(at + entry_at::kChainOffset));
        chain.entryId = bytes.u8(at);
        chains.push_back(std::move(chain));
    }
    return chains;
}

// The menus: a program-chain table for each language unit.
std::vector<Chains> readMenus(const Region& file, quint32 sector)
{
    std::vector<Chains> menus;
    if (sector == 0) return menus;
    const Table t = tableAtSector(file, sector, tr("the menu table"), 8, 8);
    t.bytes.check(t.count < 100);
    for (int i = 0; i < t.count; ++i) {
        const qint64 start = t.bytes.begin() + t.bytes.u32(t.bytes.begin() + 8 + i * 8 + 4);
        menus.push_back(readChains(t.bytes.sub(start, t.bytes.end(), tr("the menu table"))));
    }
    return menus;
}

// Cell addresses and the VOBU address map: lists whose length comes from their last byte.
void checkAddressTables(const Region& file, quint32 cells, quint32 map, bool required)
{
    if (cells != 0 || required) tableAtSector(file, cells, tr("the cell address table"), 8, 0);
    if (map != 0 || required) {
        // Its last byte counts from its start: at least its own four bytes.
        const qint64 start = static_cast<qint64>(map) * kSector;
        file.sub(start, start + 4, tr("the address map"));
        const qint64 lastByte = file.u32(start);
        file.sub(start, start + lastByte + 1, tr("the address map")).check(lastByte + 1 >= 4);
    }
}

Region header(QByteArrayView ifo, const char* identifier)
{
    const Region file(ifo, 0, ifo.size(), tr("the file's header"));
    file.need(0, kHeaderBytes);
    file.check(ifo.first(12) == QByteArrayView(identifier));
    // The reader reads the file by whole sectors: one cut inside its last sector fails there,
    // on a path of the engine's that then keeps what it had opened of the disc.
    require(ifo.size() % kSector == 0, tr("the file's length"));
    return file;
}

QString describe(const Damage& d, const QString& fileName = {})
{
    return fileName.isEmpty() ? tr("The DVD is damaged: %1 does not hold together.").arg(d.table)
                              : tr("The DVD is damaged: %1 in %2 does not hold together.").arg(d.table, fileName);
}

// --- navigation ----------------------------------------------------------------------------

// Where a program chain is played: the reader's machine allows some commands in some domains
// only, and stops the program on any other.
enum class Domain { FirstPlay, DiscMenu, SetMenu, Title };

struct Where {
    const VideoManager& disc;
    const std::vector<TitleSet>& sets;
    Domain domain;
    int set;                // the title set (from 1) for a set's menu or title; 0 on the disc's own
    const Chains* table;    // the chains a chain number counts in; null for the first play
};

bool hasMenu(const std::vector<Chains>& menus, int menu)
{
    // Every language must have it: which one plays depends on the person's language.
    return std::all_of(menus.begin(), menus.end(), [menu](const Chains& chains) {
        return std::any_of(chains.begin(), chains.end(), [menu](const Chain& c) { return c.entryId == (menu | 0x80); });
    });
}

bool hasChain(const std::vector<Chains>& tables, int number)
{
    return !tables.empty() && std::all_of(tables.begin(), tables.end(), [number](const Chains& chains) {
        return number >= 1 && number <= static_cast<int>(chains.size());
    });
}

// A command that does not hold together: the machine would stop or go round for ever. Which
// command of which chain is said by checkCommands.
void allow(bool holds) { require(holds, QString()); }

void checkSubLink(int link, const Chain& chain, Chain::Place place)
{
    if (link > kResume) return;  // not a link
    allow(std::find(std::begin(kNoStep), std::end(kNoStep), link) == std::end(kNoStep));
    if (link == kPreviousCell) allow(place != Chain::Place::Before && chain.cells > 1);
    if (link == kPreviousProgram) allow(place != Chain::Place::Before && chain.programs > 1);
    if (link == kNextChain) allow(chain.next != 0);
    if (link == kPreviousChain) allow(chain.previous != 0);
    if (link == kGoUpChain) allow(chain.goUp != 0);
}

void checkLink(const std::array<quint8, 8>& b, int link, const Chain& chain, Chain::Place place, const Where& w)
{
    switch (link) {
    case kLinkSub: checkSubLink(b[7] & 0x1F, chain, place); break;
    case kLinkChain: {  // to a program chain of the same table
        const int number = (b[6] & 0x7F) << 8 | b[7];
        if (w.domain == Domain::FirstPlay) allow(hasChain(w.disc.menus, number));
        else allow(number >= 1 && number <= static_cast<int>(w.table->size()));
        break;
    }
    case kLinkChapter: allow(w.domain == Domain::Title); break;
    case kLinkProgram: allow((b[7] & 0x7F) >= 1 && (b[7] & 0x7F) <= chain.programs); break;
    case kLinkCell: allow(b[7] >= 1 && b[7] <= chain.cells); break;
    default: break;  // not a link
    }
}

void checkJump(const std::array<quint8, 8>& b, const Where& w)
{
    const bool onDisc = w.domain == Domain::FirstPlay || w.domain == Domain::DiscMenu;
    const bool inSet = w.domain == Domain::SetMenu || w.domain == Domain::Title;
    const int target = b[5] >> 6, menu = b[5] & 0x0F, chainNumber = (b[2] & 0x7F) << 8 | b[3];
    const std::vector<Chains> noMenus;
    const std::vector<Chains>& setMenus = w.set >= 1 ? w.sets[static_cast<size_t>(w.set - 1)].menus : noMenus;
    switch (b[1] & 0x0F) {
    case kJumpTitle: {
        const int title = b[5] & 0x7F;
        allow(onDisc && title >= 1 && title <= static_cast<int>(w.disc.titles.size()));
        break;
    }
    case kJumpSetTitle:
    case kJumpSetChapter: allow(inSet); break;
    case kJumpSystem:
        if (target == kFirstPlay)
            allow((w.domain == Domain::DiscMenu || w.domain == Domain::SetMenu) && (w.disc.hasFirstPlay || hasChain(w.disc.menus, 1)));
        if (target == kDiscMenu) allow(w.domain != Domain::Title && (w.disc.menus.empty() || hasMenu(w.disc.menus, menu)));
        if (target == kSetMenu) {
            const int set = b[4];
            if (set == 0) {
                allow(w.domain == Domain::SetMenu && hasMenu(setMenus, menu));
            } else {
                allow(w.domain != Domain::Title && (w.domain != Domain::SetMenu || set == w.set));
                allow(set <= static_cast<int>(w.sets.size()));
                const std::vector<Chains>& menus = w.sets[static_cast<size_t>(set - 1)].menus;
                allow(menus.empty() || hasMenu(menus, menu));
            }
        }
        if (target == kDiscChain) allow(w.domain != Domain::Title && (w.disc.menus.empty() || hasChain(w.disc.menus, chainNumber)));
        break;
    case kCallSystem:  // from a title, which resumes it afterwards
        allow(w.domain == Domain::Title);
        if (target == kDiscMenu) allow(w.disc.menus.empty() || hasMenu(w.disc.menus, menu));
        if (target == kSetMenu) allow(setMenus.empty() || hasMenu(setMenus, menu));
        if (target == kDiscChain) allow(w.disc.menus.empty() || hasChain(w.disc.menus, chainNumber));
        break;
    default: break;  // not a jump
    }
}

void checkCommand(const Chain& chain, const Chain::Command& c, const Where& w)
{
    const std::array<quint8, 8>& b = c.bytes;
    switch (b[0] >> 5) {
    case kSpecial: break;
    case kLinkOrJump:
        if (b[0] & 0x10) checkJump(b, w);
        else checkLink(b, b[1] & 0x0F, chain, c.place, w);
        break;
    case kSetSystem:
    case kSet: checkLink(b, b[1] & 0x0F, chain, c.place, w); break;
    case kSetCompareLink:
    case kCompareSetLink:
    case kCompareLink: checkSubLink(b[7] & 0x1F, chain, c.place); break;
    default: allow(false);  // no such command: the machine stops
    }
}

// Every command of the chain, named in the message by its place and bytes when it does not
// hold together.
void checkCommands(const Chain& chain, const QString& chainName, const Where& w)
{
    for (size_t i = 0; i < chain.commands.size(); ++i) {
        try {
            checkCommand(chain, chain.commands[i], w);
        } catch (const Damage&) {
            const auto& bytes = chain.commands[i].bytes;
            const QByteArray hex = QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()).toHex(' ');
            throw Damage{tr("command %1 (%2) of %3").arg(i + 1).arg(QString::fromLatin1(hex), chainName)};
        }
    }
}

}  // namespace

VideoManager readVideoManager(QByteArrayView ifo, const QString& fileName)
{
    VideoManager disc;
    try {
        const Region file = header(ifo, "DVDVIDEO-VMG");
        const int titleSets = file.u16(manager_at::kTitleSets);
        file.check(titleSets >= 1 && titleSets <= kMaxTitleSets);
        file.check(static_cast<qint64>(file.u32(manager_at::kLastSector)) < ifo.size());
        if (const quint32 firstPlay = file.u32(manager_at::kFirstPlayChain); firstPlay != 0) {
            disc.firstPlay = readChain(file, firstPlay);
            disc.hasFirstPlay = true;
        }

        const Table titles = tableAtSector(file, file.u32(manager_at::kTitleTable), tr("the title table"), 8, 12);
        titles.bytes.check(titles.count >= 1 && titles.count <= 99);
        for (int i = 0; i < titles.count; ++i) {
            const qint64 entry = titles.bytes.begin() + entry_at::kTableEntries + i * 12;
            const int chapters = titles.bytes.u16(entry + entry_at::kTitleChapters);
            const int set = titles.bytes.u8(entry + entry_at::kTitleSetNumber), titleInSet = titles.bytes.u8(entry + entry_at::kTitleInSet);
            titles.bytes.check(chapters >= 1 && set >= 1 && set <= titleSets && titleInSet >= 1);
            disc.titles.push_back({set, titleInSet, chapters});
        }
        disc.menus = readMenus(file, file.u32(manager_at::kMenuTable));
        if (const quint32 sector = file.u32(manager_at::kParentalTable); sector != 0) {
            const qint64 start = static_cast<qint64>(sector) * kSector;
            const Region t = file.sub(start, start + 8, tr("the parental table"));
            const int countries = file.u16(start), sets = file.u16(start + 2);
            const Region bytes = file.sub(start, start + file.u32(start + 4) + 1, t.name());
            bytes.check(countries < 100 && sets >= 1 && sets <= kMaxTitleSets && 8 + countries * 8 <= bytes.end() - start);
            for (int i = 0; i < countries; ++i)
                bytes.need(start + bytes.u16(start + 8 + i * 8 + 4), 8 * (sets + 1) * 2);
        }
        if (const quint32 sector = file.u32(manager_at::kTitleSetTable); sector != 0) {
            const Table sets = tableAtSector(file, sector, tr("the title set table"), 8, 4);
            sets.bytes.check(sets.count >= 1 && sets.count <= kMaxTitleSets);
            for (int i = 0; i < sets.count; ++i) sets.bytes.need(sets.bytes.begin() + sets.bytes.u32(sets.bytes.begin() + 8 + i * 4), 8);
        }
        if (const quint32 sector = file.u32(manager_at::kTextTable); sector != 0) file.sub(static_cast<qint64>(sector) * kSector,
                                                                          static_cast<qint64>(sector) * kSector + 12,
                                                                          tr("the text table"));
        checkAddressTables(file, file.u32(manager_at::kMenuCellAddresses), file.u32(manager_at::kMenuAddressMap), false);
        disc.titleSets = titleSets;
    } catch (const Damage& d) {
        disc = VideoManager{};
        disc.problem = describe(d, fileName);
    }
    return disc;
}

TitleSet readTitleSet(QByteArrayView ifo, const QString& fileName)
{
    TitleSet set;
    try {
        const Region file = header(ifo, "DVDVIDEO-VTS");
        file.check(static_cast<qint64>(file.u32(set_at::kLastSector)) < ifo.size());

        const Table chains = tableAtSector(file, file.u32(set_at::kChainTable), tr("the program chain table"), 8, 8);
        set.titles = readChains(chains.bytes);
        const int pgcs = static_cast<int>(set.titles.size());

        // Chapters: for each title, its (program chain, program) pairs between two offsets.
        const Table chapters = tableAtSector(file, file.u32(set_at::kChapterTable), tr("the chapter table"), 8, 4);
        chapters.bytes.check(chapters.count >= 1 && chapters.count < 100);
        const qint64 start = chapters.bytes.begin();
        const qint64 firstEntry = 8 + chapters.count * 4, tableBytes = chapters.bytes.end() - start;
        for (int i = 0; i < chapters.count; ++i) {
            const qint64 from = chapters.bytes.u32(start + 8 + i * 4);
            const qint64 to = i + 1 < chapters.count ? chapters.bytes.u32(start + 8 + (i + 1) * 4) : tableBytes;
            chapters.bytes.check(from >= firstEntry && from < to && to <= tableBytes && (to - from) % 4 == 0);
            std::vector<std::pair<int, int>> title;
            for (qint64 at = start + from; at < start + to; at += 4) {
                const int pgc = chapters.bytes.u16(at), program = chapters.bytes.u16(at + 2);
                chapters.bytes.check(pgc >= 1 && pgc <= pgcs && program >= 1 &&
                                     program <= set.titles[static_cast<size_t>(pgc - 1)].programs);
                title.emplace_back(pgc, program);
            }
            set.chapters.push_back(std::move(title));
        }
        set.menus = readMenus(file, file.u32(set_at::kMenuTable));
        if (const quint32 sector = file.u32(set_at::kTimeMap); sector != 0) {
            const Table maps = tableAtSector(file, sector, tr("the time map"), 8, 4);
            maps.bytes.check(maps.count < 10000);
            for (int i = 0; i < maps.count; ++i) {
                const qint64 at = maps.bytes.begin() + maps.bytes.u32(maps.bytes.begin() + 8 + i * 4);
                maps.bytes.need(at, 4 + static_cast<qint64>(maps.bytes.u16(at + 2)) * 4);
            }
        }
        checkAddressTables(file, file.u32(set_at::kMenuCellAddresses), file.u32(set_at::kMenuAddressMap), false);
        checkAddressTables(file, file.u32(set_at::kTitleCellAddresses), file.u32(set_at::kTitleAddressMap), true);
    } catch (const Damage& d) {
        set = TitleSet{};
        set.problem = describe(d, fileName);
    }
    return set;
}

QString checkNavigation(const VideoManager& disc, const std::vector<TitleSet>& titleSets)
{
    try {
        // Each title's set and its title there exist, with as many chapters as it says.
        for (const VideoManager::Title& t : disc.titles) {
            require(t.titleSet <= static_cast<int>(titleSets.size()), tr("the title table"));
            const TitleSet& set = titleSets[static_cast<size_t>(t.titleSet - 1)];
            require(t.titleInSet <= static_cast<int>(set.chapters.size()), tr("the title table"));
        }
        if (disc.hasFirstPlay)
            checkCommands(disc.firstPlay, tr("the first-play program chain"), Where{disc, titleSets, Domain::FirstPlay, 0, nullptr});
        // A chain by its number in its table, and the menus' language where there are several.
        const auto eachChain = [](const Chains& table, const Where& w, const auto& name) {
            for (size_t i = 0; i < table.size(); ++i) checkCommands(table[i], name(static_cast<int>(i) + 1), w);
        };
        const auto language = [](const std::vector<Chains>& menus, size_t i) {
            return menus.size() > 1 ? tr(" (language %1)").arg(i + 1) : QString();
        };
        for (size_t l = 0; l < disc.menus.size(); ++l)
            eachChain(disc.menus[l], Where{disc, titleSets, Domain::DiscMenu, 0, &disc.menus[l]},
                      [&](int n) { return tr("program chain %1 of the disc's menus%2").arg(n).arg(language(disc.menus, l)); });
        for (size_t s = 0; s < titleSets.size(); ++s) {
            const int set = static_cast<int>(s) + 1;
            const std::vector<Chains>& menus = titleSets[s].menus;
            for (size_t l = 0; l < menus.size(); ++l)
                eachChain(menus[l], Where{disc, titleSets, Domain::SetMenu, set, &menus[l]}, [&](int n) {
                    return tr("program chain %1 of title set %2's menus%3").arg(n).arg(set).arg(language(menus, l));
                });
            eachChain(titleSets[s].titles, Where{disc, titleSets, Domain::Title, set, &titleSets[s].titles},
                      [&](int n) { return tr("program chain %1 of title set %2").arg(n).arg(set); });
        }
    } catch (const Damage& d) {
        return describe(d);
    }
    return {};
}

}  // namespace dvd_ifo
