#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows code page 1252, one byte per character. The five bytes the code
// page leaves undefined map to the C1 control characters of the same value,
// so every byte sequence survives decoding and encoding unchanged.
QString decodeCp1252(QByteArrayView bytes);
QChar decodeCp1252(char byte);

// Characters outside the code page become "?".
QByteArray encodeCp1252(QStringView text);
