#include "name_lists.h"

#include "record_file_loaders.h"
#include "text_list_loaders.h"

void LoadNameLists(StatusTables& tables, ListLoadContext& context)
{
    LoadStatusTexts(QStringLiteral("Settings\\BOSList.hvn"), tables, context);
    if (LoadVehicleFile(QStringLiteral("Fahrzeug.Dat"), context) == 0)
        LoadVehicleText(QStringLiteral("Settings\\Fahrzeugmelder.hvn"), context);
    if (LoadFmeFile(QStringLiteral("Ton5.dat"), context) == 0)
        LoadFmeText(QStringLiteral("Settings\\FahrzeugMelder.hvn"), context);
    LoadPocsagFile(QStringLiteral("POCSAG.DAT"), context);
}
