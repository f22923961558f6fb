#pragma once

#include <QString>
#include <QStringView>

// Labels follow the old caption rule: "&&" shows one "&", a single "&" marks
// the next character as access key and is not shown. Every text that reaches
// a label goes through here and is then shown as plain text.
QString captionDisplayText(QStringView caption);
