#include "playlist/PlaylistRows.h"

#include <algorithm>
#include <stdexcept>

PlaylistRows::Removed PlaylistRows::removeLast(Set set)
{
    const auto inSet = [set](const Row& r) { return r.set == set; };
    const auto last = std::find_if(rows_.rbegin(), rows_.rend(), inSet);
    if (last == rows_.rend()) return {};
    const bool detailed = last->detailed;
    rows_.erase(std::next(last).base());
    if (detailed) return {true, true};
    const auto shown = std::find_if(rows_.rbegin(), rows_.rend(), [&](const Row& r) { return inSet(r) && r.detailed; });
    if (shown == rows_.rend()) return {true, false};
    shown->detailed = false;
    return {true, true};
}

int PlaylistRows::count(Set set) const
{
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [set](const Row& r) { return r.set == set; }));
}

const PlaylistRows::Row& PlaylistRows::at(Set set, int position) const
{
    for (const Row& r : rows_)
        if (r.set == set && position-- == 0) return r;
    throw std::out_of_range("no such playlist row");
}

QStringList PlaylistRows::sources() const
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(rows_.size()));
    for (const Row& r : rows_) lines << r.source;
    return lines;
}
