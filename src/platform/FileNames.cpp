#include "platform/FileNames.h"

#include <QStringDecoder>

namespace platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isEscapedByte(QChar c) { return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF; }

// The length of the UTF-8 character starting at i, or 0 when the bytes there are not one.
int utf8Length(const QByteArray& bytes, qsizetype i)
{
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return 0;
    for (int k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    // No overlong forms, surrogates or code points past U+10FFFF.
    const unsigned char second = length > 1 ? byte(i + 1) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

}  // namespace

QString decodeFileName(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString name = utf8.decode(bytes);
    if (!utf8.hasError()) return name;
    name.clear();
    for (qsizetype i = 0; i < bytes.size();) {
        if (const int length = utf8Length(bytes, i); length > 0) {
            name += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        } else {
            name += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return name;
}

QByteArray encodeFileName(const QString& name)
{
    QByteArray bytes;
    qsizetype textFrom = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        // A lone low surrogate in the escaped range stands for its byte.
        if (!isEscapedByte(name[i]) || (i > 0 && name[i - 1].isHighSurrogate())) continue;
        bytes += QStringView(name).mid(textFrom, i - textFrom).toUtf8();
        bytes += static_cast<char>(name[i].unicode() - kEscapeBase);
        textFrom = i + 1;
    }
    return bytes + QStringView(name).mid(textFrom).toUtf8();
}

QString displayFileName(const QString& name)
{
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (isEscapedByte(shown[i]) && !(i > 0 && shown[i - 1].isHighSurrogate())) shown[i] = QChar::ReplacementCharacter;
    return shown;
}

}  // namespace platform
