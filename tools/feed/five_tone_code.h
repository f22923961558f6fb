#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// The five digits a ZVEI1 line's symbols stand for. "E", the repeat tone,
// repeats the symbol before it (two equal tones in a row would merge into
// one). Other letters after the digits, an alarm tone right behind the
// sequence, are cut off. Anything else than five digits is no call.
std::optional<QString> resolveFiveTone(QByteArrayView symbols);
