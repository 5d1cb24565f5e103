#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the code page of plan and settings files. Our own table rather than
// QStringConverter: its Windows-1252 exists only with ICU, and the five undefined bytes
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) must map to U+0081 … and back, so that any file survives
// being read and written again byte for byte.
namespace Cp1252 {

QString dekodieren(QByteArrayView bytes);

// False (and *bytes unspecified) when a character of `text` has no Windows-1252 byte.
bool kodieren(QStringView text, QByteArray* bytes);

// Writes text.size() bytes to `ziel`; false at the first character without a byte.
bool kodierenNach(QStringView text, char* ziel);

// Whether every character of `text` has a Windows-1252 byte.
bool passt(QStringView text);

} // namespace Cp1252
