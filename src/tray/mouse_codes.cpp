#include "mouse_codes.h"

#include <array>

QString ClickWhatFor(int code)
{
    static const std::array<const char*, 10> names{
        "MOUSEMOVE", "LBUTTONDOWN",   "LBUTTONUP",   "LBUTTONDBLCLK", "RBUTTONDOWN",
        "RBUTTONUP", "RBUTTONDBLCLK", "MBUTTONDOWN", "MBUTTONUP",     "MBUTTONDBLCLK"};
    if (code >= 0x200 && code <= 0x209)
        return QString::fromLatin1(names[std::size_t(code - 0x200)]);
    return QStringLiteral("OTHER....: ") + QString::number(code);
}
