#include "platform/RegFile.h"

#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>

namespace platform {
namespace {

QString rootName(RegistryRoot) { return QStringLiteral("hkey_local_machine"); }

QString entryName(const QString& rootAndKey, const QString& name)
{
    return (rootAndKey + QStringLiteral("\\\\") + name).toLower();
}

// A quoted text from its opening quote; the position after the closing quote, or -1.
qsizetype readQuoted(const QString& line, qsizetype at, QString& out)
{
    if (at >= line.size() || line[at] != QLatin1Char('"')) return -1;
    for (qsizetype i = at + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            out += line[++i];
        } else if (c == QLatin1Char('"')) {
            return i + 1;
        } else {
            out += c;
        }
    }
    return -1;
}

std::optional<RegistryValue> readData(const QString& text)
{
    if (text.startsWith(QLatin1Char('"'))) {
        QString value;
        if (readQuoted(text, 0, value) != text.size()) return std::nullopt;
        return RegistryValue{kRegistryString, value.toUtf8() + '\0'};
    }
    if (text.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        bool ok = false;
        const uint number = text.mid(6).toUInt(&ok, 16);
        if (!ok) return std::nullopt;
        QByteArray bytes(4, '\0');
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
        return RegistryValue{kRegistryDword, bytes};
    }
    static const QRegularExpression hex(QStringLiteral("^hex(?:\\((\\d+)\\))?:(.*)$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = hex.match(text);
    if (!m.hasMatch()) return std::nullopt;
    RegistryValue value{m.captured(1).isEmpty() ? 3 : m.captured(1).toInt(), {}};
    for (const QString& b : m.captured(2).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint byte = b.trimmed().toUInt(&ok, 16);
        if (!ok || byte > 0xFF) return std::nullopt;
        value.data += static_cast<char>(byte);
    }
    return value;
}

// The file's text: UTF-16 as the registry editor exports by default (with its byte order mark,
// or without one, known by the zero bytes of ASCII letters), or UTF-8.
QString decode(const QByteArray& bytes)
{
    std::optional<QStringConverter::Encoding> encoding = QStringConverter::encodingForData(bytes);
    if (!encoding && bytes.size() >= 2) {
        if (bytes[0] != '\0' && bytes[1] == '\0') encoding = QStringConverter::Utf16LE;
        else if (bytes[0] == '\0' && bytes[1] != '\0') encoding = QStringConverter::Utf16BE;
    }
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    return decoder.decode(bytes);
}

// The file's lines, whatever ends them (\r\n, \n or \r alone), a line ending in a backslash
// going on on the next one (long hex values).
QStringList logicalLines(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines;
    QString pending;
    for (const QString& raw : text.split(lineEnd)) {
        const QString line = raw.trimmed();
        const bool goesOn = line.endsWith(QLatin1Char('\\')) &&
                            (!pending.isEmpty() || line.contains(QLatin1String("=hex"), Qt::CaseInsensitive));
        if (goesOn) {
            pending += line.chopped(1);
            continue;
        }
        lines << pending + line;
        pending.clear();
    }
    if (!pending.isEmpty()) lines << pending;
    return lines;
}

}  // namespace

RegFile RegFile::parse(const QByteArray& bytes)
{
    RegFile file;
    QString section;
    for (const QString& line : logicalLines(decode(bytes))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        QString name;
        const qsizetype afterName = readQuoted(line, 0, name);
        if (section.isEmpty() || afterName < 0 || afterName >= line.size() || line[afterName] != QLatin1Char('=')) continue;
        if (const auto value = readData(line.mid(afterName + 1).trimmed())) file.values_[entryName(section, name)] = *value;
    }
    return file;
}

std::optional<RegistryValue> RegFile::value(RegistryRoot root, const QString& key, const QString& name) const
{
    const auto it = values_.find(entryName(rootName(root) + QLatin1Char('\\') + key, name));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

}  // namespace platform
