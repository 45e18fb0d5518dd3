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
    chain.programs = pgc.u8(start + 2);
    chain.cells = pgc.u8(start + 3);
    chain.next = pgc.u16(start + 0x9C);
    chain.previous = pgc.u16(start + 0x9E);
    chain.goUp = pgc.u16(start + 0xA0);
    pgc.check(chain.programs <= chain.cells);
    if (const quint16 commands = pgc.u16(start + 0xE4); commands != 0) {
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
        const quint16 map = pgc.u16(start + 0xE6);
        pgc.check(map != 0);
        for (int i = 0; i < chain.programs; ++i) {
            const int cell = pgc.u8(start + map + i);
            pgc.check(cell >= 1 && cell <= chain.cells);
        }
    }
    if (chain.cells > 0) {
        const quint16 playback = pgc.u16(start + 0xE8), position = pgc.u16(start + 0xEA);
        pgc.check(playback != 0 && position != 0);
        pgc.need(start + playback, chain.cells * 24);
        pgc.need(start + position, chain.cells * 4);
        // A cell in a block belongs to an angle block, the only kind of block there is.
        for (int i = 0; i < chain.cells; ++i) {
            const int flags = pgc.u8(start + playback + i * 24), blockMode = flags >> 6, blockType = (flags >> 4) & 3;
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
        Chain chain = readChain(bytes, start + bytes.u32(start + 8 + i * 8 + 4));
        chain.entryId = bytes.u8(start + 8 + i * 8);
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

QString describe(const Damage& d) { return tr("The DVD is damaged: %1 does not hold together.").arg(d.table); }

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

void checkSubLink(int link, const Chain& chain, Chain::Place place)
{
    if (link > 16) return;  // not a link
    // Codes the machine has no step for: it would go round for ever.
    require(link != 4 && link != 8 && link != 14 && link != 15, tr("a navigation command"));
    if (link == 3) require(place != Chain::Place::Before && chain.cells > 1, tr("a navigation command"));     // previous cell
    if (link == 7) require(place != Chain::Place::Before && chain.programs > 1, tr("a navigation command"));  // previous program
    if (link == 10) require(chain.next != 0, tr("a navigation command"));
    if (link == 11) require(chain.previous != 0, tr("a navigation command"));
    if (link == 12) require(chain.goUp != 0, tr("a navigation command"));
}

void checkLink(const std::array<quint8, 8>& b, int op, const Chain& chain, Chain::Place place, const Where& w)
{
    switch (op) {
    case 1: checkSubLink(b[7] & 0x1F, chain, place); break;
    case 4: {  // to a program chain of the same table
        const int number = (b[6] & 0x7F) << 8 | b[7];
        if (w.domain == Domain::FirstPlay) require(hasChain(w.disc.menus, number), tr("a navigation command"));
        else require(number >= 1 && number <= static_cast<int>(w.table->size()), tr("a navigation command"));
        break;
    }
    case 5: require(w.domain == Domain::Title, tr("a navigation command")); break;  // to a chapter of the title
    case 6: require((b[7] & 0x7F) >= 1 && (b[7] & 0x7F) <= chain.programs, tr("a navigation command")); break;
    case 7: require(b[7] >= 1 && b[7] <= chain.cells, tr("a navigation command")); break;
    default: break;  // not a link
    }
}

void checkJump(const std::array<quint8, 8>& b, const Where& w)
{
    const bool onDisc = w.domain == Domain::FirstPlay || w.domain == Domain::DiscMenu;
    const bool inSet = w.domain == Domain::SetMenu || w.domain == Domain::Title;
    const int kind = b[5] >> 6, menu = b[5] & 0x0F, chainNumber = (b[2] & 0x7F) << 8 | b[3];
    const std::vector<Chains> noMenus;
    const std::vector<Chains>& setMenus = w.set >= 1 ? w.sets[static_cast<size_t>(w.set - 1)].menus : noMenus;
    switch (b[1] & 0x0F) {
    case 2: {  // to a title of the disc
        const int title = b[5] & 0x7F;
        require(onDisc && title >= 1 && title <= static_cast<int>(w.disc.titles.size()), tr("a navigation command"));
        break;
    }
    case 3:
    case 5: require(inSet, tr("a navigation command")); break;  // to a title or chapter of this set
    case 6:
        if (kind == 0) require((w.domain == Domain::DiscMenu || w.domain == Domain::SetMenu) &&
                                  (w.disc.hasFirstPlay || hasChain(w.disc.menus, 1)), tr("a navigation command"));
        if (kind == 1) require(w.domain != Domain::Title && (w.disc.menus.empty() || hasMenu(w.disc.menus, menu)), tr("a navigation command"));
        if (kind == 2) {
            const int set = b[4];
            if (set == 0) {
                require(w.domain == Domain::SetMenu && hasMenu(setMenus, menu), tr("a navigation command"));
            } else {
                require(w.domain != Domain::Title && (w.domain != Domain::SetMenu || set == w.set), tr("a navigation command"));
                require(set <= static_cast<int>(w.sets.size()), tr("a navigation command"));
                const std::vector<Chains>& target = w.sets[static_cast<size_t>(set - 1)].menus;
                require(target.empty() || hasMenu(target, menu), tr("a navigation command"));
            }
        }
        if (kind == 3) require(w.domain != Domain::Title && (w.disc.menus.empty() || hasChain(w.disc.menus, chainNumber)), tr("a navigation command"));
        break;
    case 8:  // a call from a title, which resumes it afterwards
        require(w.domain == Domain::Title, tr("a navigation command"));
        if (kind == 1) require(w.disc.menus.empty() || hasMenu(w.disc.menus, menu), tr("a navigation command"));
        if (kind == 2) require(setMenus.empty() || hasMenu(setMenus, menu), tr("a navigation command"));
        if (kind == 3) require(w.disc.menus.empty() || hasChain(w.disc.menus, chainNumber), tr("a navigation command"));
        break;
    default: break;  // not a jump
    }
}

void checkCommands(const Chain& chain, const Where& w)
{
    for (const Chain::Command& c : chain.commands) {
        const std::array<quint8, 8>& b = c.bytes;
        switch (b[0] >> 5) {
        case 0: break;
        case 1:
            if (b[0] & 0x10) checkJump(b, w);
            else checkLink(b, b[1] & 0x0F, chain, c.place, w);
            break;
        case 2:
        case 3: checkLink(b, b[1] & 0x0F, chain, c.place, w); break;
        case 4:
        case 5:
        case 6: checkSubLink(b[7] & 0x1F, chain, c.place); break;
        default: require(false, tr("a navigation command"));  // no such command: the machine stops
        }
    }
}

}  // namespace

VideoManager readVideoManager(QByteArrayView ifo)
{
    VideoManager disc;
    try {
        const Region file = header(ifo, "DVDVIDEO-VMG");
        const int titleSets = file.u16(0x3E);
        file.check(titleSets >= 1 && titleSets <= kMaxTitleSets);
        file.check(static_cast<qint64>(file.u32(0x80)) < ifo.size());
        if (const quint32 firstPlay = file.u32(0x84); firstPlay != 0) {
            disc.firstPlay = readChain(file, firstPlay);
            disc.hasFirstPlay = true;
        }

        const Table titles = tableAtSector(file, file.u32(0xC4), tr("the title table"), 8, 12);
        titles.bytes.check(titles.count >= 1 && titles.count <= 99);
        for (int i = 0; i < titles.count; ++i) {
            const qint64 entry = titles.bytes.begin() + 8 + i * 12;
            const int chapters = titles.bytes.u16(entry + 2), set = titles.bytes.u8(entry + 6);
            const int titleInSet = titles.bytes.u8(entry + 7);
            titles.bytes.check(chapters >= 1 && set >= 1 && set <= titleSets && titleInSet >= 1);
            disc.titles.push_back({set, titleInSet, chapters});
        }
        disc.menus = readMenus(file, file.u32(0xC8));
        if (const quint32 sector = file.u32(0xCC); sector != 0) {
            const qint64 start = static_cast<qint64>(sector) * kSector;
            const Region t = file.sub(start, start + 8, tr("the parental table"));
            const int countries = file.u16(start), sets = file.u16(start + 2);
            const Region bytes = file.sub(start, start + file.u32(start + 4) + 1, t.name());
            bytes.check(countries < 100 && sets >= 1 && sets <= kMaxTitleSets && 8 + countries * 8 <= bytes.end() - start);
            for (int i = 0; i < countries; ++i)
                bytes.need(start + bytes.u16(start + 8 + i * 8 + 4), 8 * (sets + 1) * 2);
        }
        if (const quint32 sector = file.u32(0xD0); sector != 0) {
            const Table sets = tableAtSector(file, sector, tr("the title set table"), 8, 4);
            sets.bytes.check(sets.count >= 1 && sets.count <= kMaxTitleSets);
            for (int i = 0; i < sets.count; ++i) sets.bytes.need(sets.bytes.begin() + sets.bytes.u32(sets.bytes.begin() + 8 + i * 4), 8);
        }
        if (const quint32 sector = file.u32(0xD4); sector != 0) file.sub(static_cast<qint64>(sector) * kSector,
                                                                          static_cast<qint64>(sector) * kSector + 12,
                                                                          tr("the text table"));
        checkAddressTables(file, file.u32(0xD8), file.u32(0xDC), false);
        disc.titleSets = titleSets;
    } catch (const Damage& d) {
        disc = VideoManager{};
        disc.problem = describe(d);
    }
    return disc;
}

TitleSet readTitleSet(QByteArrayView ifo)
{
    TitleSet set;
    try {
        const Region file = header(ifo, "DVDVIDEO-VTS");
        file.check(static_cast<qint64>(file.u32(0x80)) < ifo.size());

        const Table chains = tableAtSector(file, file.u32(0xCC), tr("the program chain table"), 8, 8);
        set.titles = readChains(chains.bytes);
        const int pgcs = static_cast<int>(set.titles.size());

        // Chapters: for each title, its (program chain, program) pairs between two offsets.
        const Table chapters = tableAtSector(file, file.u32(0xC8), tr("the chapter table"), 8, 4);
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
        set.menus = readMenus(file, file.u32(0xD0));
        if (const quint32 sector = file.u32(0xD4); sector != 0) {
            const Table maps = tableAtSector(file, sector, tr("the time map"), 8, 4);
            maps.bytes.check(maps.count < 10000);
            for (int i = 0; i < maps.count; ++i) {
                const qint64 at = maps.bytes.begin() + maps.bytes.u32(maps.bytes.begin() + 8 + i * 4);
                maps.bytes.need(at, 4 + static_cast<qint64>(maps.bytes.u16(at + 2)) * 4);
            }
        }
        checkAddressTables(file, file.u32(0xD8), file.u32(0xDC), false);
        checkAddressTables(file, file.u32(0xE0), file.u32(0xE4), true);
    } catch (const Damage& d) {
        set = TitleSet{};
        set.problem = describe(d);
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
        if (disc.hasFirstPlay) checkCommands(disc.firstPlay, Where{disc, titleSets, Domain::FirstPlay, 0, nullptr});
        for (const Chains& language : disc.menus)
            for (const Chain& c : language) checkCommands(c, Where{disc, titleSets, Domain::DiscMenu, 0, &language});
        for (size_t s = 0; s < titleSets.size(); ++s) {
            const int set = static_cast<int>(s) + 1;
            for (const Chains& language : titleSets[s].menus)
                for (const Chain& c : language) checkCommands(c, Where{disc, titleSets, Domain::SetMenu, set, &language});
            for (const Chain& c : titleSets[s].titles)
                checkCommands(c, Where{disc, titleSets, Domain::Title, set, &titleSets[s].titles});
        }
    } catch (const Damage& d) {
        return describe(d);
    }
    return {};
}

}  // namespace dvd_ifo
