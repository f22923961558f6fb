// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "message_bar.h"

#include <QString>
#include <QStringView>

// The bar's labels follow the old caption rule: "&&" shows one "&", a single
// "&" marks the next character as access key and is not shown. This is the
// one place the rule is applied; the bar shows what it is given as plain text.
QString captionDisplayText(QStringView caption);

inline void writeCaption(MessageBar& bar, BarLabel label, const QString& caption)
{
    bar.setCaption(label, captionDisplayText(caption));
}
