#include "record_file_loaders.h"

#include "common/dialogs.h"
#include "directories.h"
#include "list_file_path.h"
#include "list_load_context.h"

#include <QFile>
#include <algorithm>
#include <functional>

namespace {

// Reads up to `limit` whole records and hands each to `take` with its
// number (1-based). Returns how many were read; a file that shrinks while
// it is read yields the whole records that were there.
int readRecords(QFile& file, qsizetype recordSize, int limit,
                const std::function<void(int, const char*)>& take)
{
    constexpr int kRecordsPerChunk = 256;
    int read = 0;
    while (read < limit) {
        const int wanted = std::min(kRecordsPerChunk, limit - read);
        const QByteArray chunk = file.read(wanted * recordSize);
        const int whole = int(chunk.size() / recordSize);
        for (int i = 0; i < whole; ++i)
            take(read + i + 1, chunk.constData() + i * recordSize);
        read += whole;
        if (whole < wanted)
            break;
    }
    return read;
}

struct RecordFileKind
{
    qsizetype recordSize;
    int capacity;
    MessageBoxRequest invalid;
    QString loadedSuffix;
};

// The common path of Ton5.dat and Fahrzeug.Dat.
int loadCapped(const QString& path, ListLoadContext& context, const RecordFileKind& kind,
               const std::function<void(int, const char*)>& take)
{
    // A file that cannot be opened counts as missing, without a message.
    const auto file = OpenListFile(path, context.baseDir);
    if (!file)
        return 0;
    if (file->size() % kind.recordSize != 0) {
        file->close();
        context.dialogs.showMessage(kind.invalid);
        return 0;
    }
    const qsizetype records = file->size() / kind.recordSize;
    const int n =
        readRecords(*file, kind.recordSize, int(std::min<qsizetype>(records, kind.capacity)), take);
    file->close();
    context.announce(QString::number(n) + kind.loadedSuffix);
    return n;
}

} // namespace

int LoadFmeFile(const QString& path, ListLoadContext& context)
{
    const RecordFileKind kind{FmeRecord::FileRecordSize,
                              Directories::FmeUpperBound,
                              {path + QStringLiteral(" ist Keine gültige 5Ton-Datei!"),
                               QStringLiteral("5Ton Empfänger Laden"),
                               MessageBoxRequest::Icon::None},
                              QStringLiteral(" Melder geladen.")};
    auto& list = context.directories.FmeList;
    return loadCapped(path, context, kind, [&list](int i, const char* bytes) {
        const FmeRecord record = FmeRecord::fromFileBytes(bytes);
        list[i].Code = record.Code;
        list[i].Name = record.Name;
    });
}

int LoadVehicleFile(const QString& path, ListLoadContext& context)
{
    context.directories.ClearVehicles();
    const RecordFileKind kind{VehicleRecord::FileRecordSize,
                              Directories::VehicleUpperBound,
                              {QStringLiteral("Keine gültige Fahrzeug DAT-Datei!"),
                               QStringLiteral("Fahrzeuge Laden"),
                               MessageBoxRequest::Icon::Critical},
                              QStringLiteral(" Fahrzeuge geladen.")};
    auto& list = context.directories.VehicleList;
    return loadCapped(path, context, kind, [&list](int i, const char* bytes) {
        list[i] = VehicleRecord::fromFileBytes(bytes);
    });
}

int LoadPocsagFile(const QString& path, ListLoadContext& context)
{
    const auto file = OpenListFile(path, context.baseDir);
    if (!file)
        return 0;
    Directories& d = context.directories;
    d.PocsagLoadedCount = 0;
    d.PocsagList.resize(501);
    if (file->size() % PocsagRecord::FileRecordSize != 0) {
        file->close();
        context.dialogs.showMessage({QStringLiteral("Keine gültige POCSAG-Datei!"),
                                     QStringLiteral("POCSAG Empfänger Laden"),
                                     MessageBoxRequest::Icon::None});
        return 0;
    }
    const qsizetype records = file->size() / PocsagRecord::FileRecordSize;
    const int wanted = int(std::min<qsizetype>(records, kPocsagRecordLimit));
    d.PocsagList.resize(std::size_t(wanted) + 11);
    const int n =
        readRecords(*file, PocsagRecord::FileRecordSize, wanted, [&d](int i, const char* bytes) {
            d.PocsagList[i] = PocsagRecord::fromFileBytes(bytes);
        });
    file->close();
    d.PocsagLoadedCount = n;
    return n;
}
