#include "records.h"

#include <QtEndian>
#include <algorithm>

FmeRecord FmeRecord::fromFileBytes(const char* bytes)
{
    FmeRecord record;
    record.Code.readBytes(bytes);
    record.Name.readBytes(bytes + 5);
    return record;
}

VehicleRecord VehicleRecord::fromFileBytes(const char* bytes)
{
    VehicleRecord record;
    record.FmsId.readBytes(bytes);
    record.Name.readBytes(bytes + 8);
    record.Remark.readBytes(bytes + 38);
    std::copy_n(bytes + 88, UninterpretedSize, record.Uninterpreted.begin());
    return record;
}

QByteArray VehicleRecord::toFileBytes() const
{
    QByteArray bytes(FileRecordSize, '\0');
    FmsId.writeBytes(bytes.data());
    Name.writeBytes(bytes.data() + 8);
    Remark.writeBytes(bytes.data() + 38);
    std::copy(Uninterpreted.begin(), Uninterpreted.end(), bytes.data() + 88);
    return bytes;
}

PocsagRecord PocsagRecord::fromFileBytes(const char* bytes)
{
    PocsagRecord record;
    record.Ric = qFromLittleEndian<std::int32_t>(bytes);
    std::copy_n(bytes + 4, 4, record.Field2.begin());
    record.Name.readBytes(bytes + 8);
    std::copy_n(bytes + 58, TailSize, record.Tail.begin());
    return record;
}

QByteArray PocsagRecord::toFileBytes() const
{
    QByteArray bytes(FileRecordSize, '\0');
    qToLittleEndian(Ric, bytes.data());
    std::copy(Field2.begin(), Field2.end(), bytes.data() + 4);
    Name.writeBytes(bytes.data() + 8);
    std::copy(Tail.begin(), Tail.end(), bytes.data() + 58);
    return bytes;
}
