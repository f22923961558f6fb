// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: arbitrary bytes as each of the text lists.
#include "directories/directories.h"
#include "directories/status_tables.h"
#include "directories/text_lists.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    // Small capacities reach the overflow path with short inputs.
    readFiveToneTextList(file, 3);
    file.seek(0);
    readVehicleTextList(file, Directories::VehicleCapacity);
    file.seek(0);
    StatusTables tables;
    readStatusTexts(file, tables);
    return 0;
}
