#pragma once

#include <QByteArray>
#include <QString>

// File names as the file system holds them: bytes, nearly always UTF-8, but not always (a disc
// written on another system, an old archive). A name read from the file system keeps each byte
// that is not part of a UTF-8 character as a character of its own (U+DC80 plus the byte, a lone
// surrogate that no text holds), so the name goes back to the very same bytes.
namespace platform {

QString decodeFileName(const QByteArray& bytes);
QByteArray encodeFileName(const QString& name);

// The name as a person sees it: the bytes that are not text shown as U+FFFD.
QString displayFileName(const QString& name);

}  // namespace platform
