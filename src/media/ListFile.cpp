#include "media/ListFile.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "media/MediaSource.h"
#include "platform/LocalFile.h"

namespace {

bool isLocalWithSuffix(const QString& name, std::initializer_list<const char*> suffixes)
{
    if (media_source::isAddress(name)) return false;
    const QString suffix = QFileInfo(name.trimmed()).suffix();
    for (const char* s : suffixes)
        if (suffix.compare(QLatin1String(s), Qt::CaseInsensitive) == 0) return true;
    return false;
}

// Reads the list and takes each name the splitter finds in it, checked by its form (files are
// looked at when each entry is opened).
template <class Splitter> ListEntries readList(const QString& path, Splitter names)
{
    ListEntries list;
    const platform::LocalFile read = platform::readLocalFile(path, kListFileMaxBytes);
    if (!read.problem.isEmpty()) {
        list.problem = read.problem;
        return list;
    }
    const QDir folder = QFileInfo(path).absoluteDir();
    for (const QString& name : names(QString::fromUtf8(read.data))) {
        const media_source::Checked entry = media_source::resolve(name, folder);
        // A name is one line of a list: control characters have no place in it.
        const bool clean = std::none_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20; });
        if (entry.ok && clean) list.entries << entry.target;
        else if (list.problem.isEmpty())
            list.problem = media_source::listLineProblem(name, clean ? entry.problem : QObject::tr("It is not a name."));
    }
    if (list.entries.isEmpty() && list.problem.isEmpty()) list.problem = QObject::tr("The list names nothing to play.");
    return list;
}

}  // namespace

bool isRamFile(const QString& name) { return isLocalWithSuffix(name, {"ram"}); }

bool isAsxFile(const QString& name) { return isLocalWithSuffix(name, {"asx", "wax", "wvx"}); }

ListEntries readRamFile(const QString& path)
{
    return readList(path, [](const QString& text) {
        QStringList names;
        for (const QString& raw : text.split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) names << line;
        }
        return names;
    });
}

ListEntries readAsxFile(const QString& path)
{
    return readList(path, [](const QString& text) {
        static const QRegularExpression ref(QStringLiteral("<ref\\s+href\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"),
                                            QRegularExpression::CaseInsensitiveOption);
        QStringList names;
        for (auto it = ref.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            names << (m.captured(1).isNull() ? m.captured(2) : m.captured(1)).trimmed().replace(QLatin1String("&amp;"), QLatin1String("&"));
        }
        return names;
    });
}
