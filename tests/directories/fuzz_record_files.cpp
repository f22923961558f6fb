// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: arbitrary bytes as each of the record files.
#include "directories/directories.h"
#include "directories/record_files.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    Directories directories;
    if (auto receivers = readFiveToneRecords(file, Directories::FiveToneCapacity))
        directories.setFiveToneReceivers(*receivers);
    file.seek(0);
    if (auto vehicles = readVehicleRecords(file, Directories::VehicleCapacity))
        directories.setVehicles(*vehicles);
    file.seek(0);
    if (auto pagers = readPocsagRecords(file, RecordFile::PocsagLimit))
        directories.setPocsagReceivers(*pagers);
    directories.findFiveTone(u"12345");
    directories.findVehicle(u"61110144");
    directories.findPocsag(u"1234567");
    return 0;
}
