#pragma once

#include <QString>

// The click code text for a mouse message code: "LBUTTONDOWN" for 0x201,
// "OTHER....: 522" for an unknown code.
QString ClickWhatFor(int code);
