// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_files.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>

namespace {

// Field offsets within a record.
constexpr qsizetype FiveToneName = 5;
constexpr qsizetype VehicleName = 8;
constexpr qsizetype PocsagName = 8;

template <typename Entry, typename Decode>
std::optional<QList<Entry>> readRecords(QIODevice& file, qsizetype recordSize, int limit,
                                        Decode decode)
{
    if (file.size() % recordSize != 0)
        return std::nullopt;
    const int wanted = int(std::min<qint64>(file.size() / recordSize, std::max(limit, 0)));
    QList<Entry> entries;
    entries.reserve(wanted);
    constexpr int RecordsPerChunk = 256;
    while (entries.size() < wanted) {
        const int chunkRecords = std::min<int>(RecordsPerChunk, wanted - int(entries.size()));
        const QByteArray chunk = file.read(chunkRecords * recordSize);
        const qsizetype whole = chunk.size() / recordSize;
        for (qsizetype i = 0; i < whole; ++i)
            entries.append(decode(chunk.constData() + i * recordSize));
        if (whole < chunkRecords)
            break;
    }
    return entries;
}

} // namespace

std::optional<QList<FiveToneReceiver>> readFiveToneRecords(QIODevice& file, int limit)
{
    return readRecords<FiveToneReceiver>(file, RecordFile::FiveToneSize, limit,
                                         [](const char* bytes) {
                                             FiveToneReceiver receiver;
                                             receiver.code.readBytes(bytes);
                                             receiver.name.readBytes(bytes + FiveToneName);
                                             return receiver;
                                         });
}

std::optional<QList<Vehicle>> readVehicleRecords(QIODevice& file, int limit)
{
    return readRecords<Vehicle>(file, RecordFile::VehicleSize, limit, [](const char* bytes) {
        Vehicle vehicle;
        vehicle.fmsId.readBytes(bytes);
        vehicle.name.readBytes(bytes + VehicleName);
        return vehicle;
    });
}

std::optional<QList<PocsagReceiver>> readPocsagRecords(QIODevice& file, int limit)
{
    return readRecords<PocsagReceiver>(file, RecordFile::PocsagSize, limit, [](const char* bytes) {
        PocsagReceiver receiver;
        receiver.address = qFromLittleEndian<std::int32_t>(bytes);
        receiver.name.readBytes(bytes + PocsagName);
        return receiver;
    });
}

QByteArray fiveToneRecordBytes(const FiveToneReceiver& receiver)
{
    QByteArray bytes(RecordFile::FiveToneSize, '\0');
    receiver.code.writeBytes(bytes.data());
    receiver.name.writeBytes(bytes.data() + FiveToneName);
    return bytes;
}

QByteArray vehicleRecordBytes(const Vehicle& vehicle)
{
    QByteArray bytes(RecordFile::VehicleSize, '\0');
    vehicle.fmsId.writeBytes(bytes.data());
    vehicle.name.writeBytes(bytes.data() + VehicleName);
    return bytes;
}

QByteArray pocsagRecordBytes(const PocsagReceiver& receiver)
{
    QByteArray bytes(RecordFile::PocsagSize, '\0');
    qToLittleEndian(receiver.address, bytes.data());
    receiver.name.writeBytes(bytes.data() + PocsagName);
    return bytes;
}
