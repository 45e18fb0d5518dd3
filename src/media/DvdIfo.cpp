#include "media/DvdIfo.h"

#include <QCoreApplication>
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
void checkPgc(const Region& within, qint64 start)
{
    const Region pgc = within.sub(start, within.end(), tr("a program chain"));
    pgc.need(start, kPgcBytes);
    const int programs = pgc.u8(start + 2), cells = pgc.u8(start + 3);
    pgc.check(programs <= cells);
    if (const quint16 commands = pgc.u16(start + 0xE4); commands != 0) {
        const qint64 at = start + commands;
        const int count = pgc.u16(at) + pgc.u16(at + 2) + pgc.u16(at + 4);
        const qint64 lastByte = pgc.u16(at + 6);
        pgc.check(count <= 255 && 8 + count * 8 <= lastByte + 1);
        pgc.need(at, lastByte + 1);
    }
    if (programs > 0) {
        const quint16 map = pgc.u16(start + 0xE6);
        pgc.check(map != 0);
        for (int i = 0; i < programs; ++i) {
            const int cell = pgc.u8(start + map + i);
            pgc.check(cell >= 1 && cell <= cells);
        }
    }
    if (cells > 0) {
        const quint16 playback = pgc.u16(start + 0xE8), position = pgc.u16(start + 0xEA);
        pgc.check(playback != 0 && position != 0);
        pgc.need(start + playback, cells * 24);
        pgc.need(start + position, cells * 4);
    }
}

// A table of program chains; returns how many it holds.
int checkPgcTable(const Region& table)
{
    const qint64 start = table.begin();
    const int count = table.u16(start);
    const qint64 lastByte = table.u32(start + 4);
    const Region bytes = table.sub(start, start + lastByte + 1, table.name());
    bytes.check(count < 10000 && 8 + count * 8 <= lastByte + 1);
    for (int i = 0; i < count; ++i) checkPgc(bytes, start + bytes.u32(start + 8 + i * 8 + 4));
    return count;
}

// The menus: a program-chain table for each language unit.
void checkMenus(const Region& file, quint32 sector)
{
    if (sector == 0) return;
    const Table t = tableAtSector(file, sector, tr("the menu table"), 8, 8);
    t.bytes.check(t.count < 100);
    for (int i = 0; i < t.count; ++i) {
        const qint64 start = t.bytes.begin() + t.bytes.u32(t.bytes.begin() + 8 + i * 8 + 4);
        checkPgcTable(t.bytes.sub(start, t.bytes.end(), tr("the menu table")));
    }
}

// Cell addresses and the VOBU address map: lists whose length comes from their last byte.
void checkAddressTables(const Region& file, quint32 cells, quint32 map, bool required)
{
    if (cells != 0 || required) tableAtSector(file, cells, tr("the cell address table"), 8, 0);
    if (map != 0 || required) {
        const qint64 start = static_cast<qint64>(map) * kSector;
        file.sub(start, start + 4, tr("the address map"));
        file.sub(start, start + file.u32(start) + 1, tr("the address map"));
    }
}

Region header(QByteArrayView ifo, const char* identifier)
{
    const Region file(ifo, 0, ifo.size(), tr("the file's header"));
    file.need(0, kHeaderBytes);
    file.check(ifo.first(12) == QByteArrayView(identifier));
    return file;
}

QString describe(const Damage& d) { return tr("The DVD is damaged: %1 does not hold together.").arg(d.table); }

}  // namespace

Checked checkVideoManager(QByteArrayView ifo)
{
    Checked result;
    try {
        const Region file = header(ifo, "DVDVIDEO-VMG");
        const int titleSets = file.u16(0x3E);
        file.check(titleSets >= 1 && titleSets <= kMaxTitleSets);
        file.check(static_cast<qint64>(file.u32(0x80)) < ifo.size());
        if (const quint32 firstPlay = file.u32(0x84); firstPlay != 0) checkPgc(file, firstPlay);

        const Table titles = tableAtSector(file, file.u32(0xC4), tr("the title table"), 8, 12);
        titles.bytes.check(titles.count >= 1 && titles.count <= 99);
        for (int i = 0; i < titles.count; ++i) {
            const qint64 entry = titles.bytes.begin() + 8 + i * 12;
            const int chapters = titles.bytes.u16(entry + 2), set = titles.bytes.u8(entry + 6);
            const int titleInSet = titles.bytes.u8(entry + 7);
            titles.bytes.check(chapters >= 1 && set >= 1 && set <= titleSets && titleInSet >= 1);
        }
        checkMenus(file, file.u32(0xC8));
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
        result.titleSets = titleSets;
    } catch (const Damage& d) {
        result.problem = describe(d);
    }
    return result;
}

QString checkTitleSet(QByteArrayView ifo)
{
    try {
        const Region file = header(ifo, "DVDVIDEO-VTS");
        file.check(static_cast<qint64>(file.u32(0x80)) < ifo.size());

        const Table chains = tableAtSector(file, file.u32(0xCC), tr("the program chain table"), 8, 8);
        const int pgcs = checkPgcTable(chains.bytes);

        // Chapters: for each title, its (program chain, program) pairs between two offsets.
        const Table chapters = tableAtSector(file, file.u32(0xC8), tr("the chapter table"), 8, 4);
        chapters.bytes.check(chapters.count >= 1 && chapters.count < 100);
        const qint64 start = chapters.bytes.begin();
        const qint64 firstEntry = 8 + chapters.count * 4, tableBytes = chapters.bytes.end() - start;
        for (int i = 0; i < chapters.count; ++i) {
            const qint64 from = chapters.bytes.u32(start + 8 + i * 4);
            const qint64 to = i + 1 < chapters.count ? chapters.bytes.u32(start + 8 + (i + 1) * 4) : tableBytes;
            chapters.bytes.check(from >= firstEntry && from < to && to <= tableBytes && (to - from) % 4 == 0);
            for (qint64 at = start + from; at < start + to; at += 4) {
                const int pgc = chapters.bytes.u16(at), program = chapters.bytes.u16(at + 2);
                chapters.bytes.check(pgc >= 1 && pgc <= pgcs && program >= 1);
            }
        }
        checkMenus(file, file.u32(0xD0));
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
        return describe(d);
    }
    return {};
}

}  // namespace dvd_ifo
