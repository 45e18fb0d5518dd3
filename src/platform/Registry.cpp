#include <cstdint>

#include "platform/System.h"

namespace platform {

bool GetKeyValue(System& system, RegistryRoot keyRoot, const QString& keyName, const QString& subKeyRef,
                 QString& keyVal)
{
    constexpr qsizetype kBufferSize = 1024;
    const std::optional<RegistryValue> value = system.registryValue(keyRoot, keyName, subKeyRef);
    if (!value || value->data.size() > kBufferSize) {
        keyVal.clear();
        return false;
    }
    QByteArray cut = value->data;
    if (const qsizetype zero = cut.indexOf('\0'); zero >= 0) cut.truncate(zero);
    if (value->type == kRegistryString) {
        keyVal = QString::fromUtf8(cut);
    } else if (value->type == kRegistryDword) {
        // A number kept least significant byte first (02 01 00 00 is 258), written in decimal;
        // one too long for 64 bits as its hexadecimal digits.
        const QByteArray& bytes = value->data;
        if (bytes.size() > 8) {
            QByteArray reversed;
            for (qsizetype i = bytes.size() - 1; i >= 0; --i) reversed += bytes[i];
            keyVal = QStringLiteral("&h") + QString::fromLatin1(reversed.toHex());
        } else {
            quint64 number = 0;
            for (qsizetype i = bytes.size() - 1; i >= 0; --i) number = number << 8 | static_cast<uint8_t>(bytes[i]);
            keyVal = QString::number(number);
        }
    }
    return true;
}

}  // namespace platform
