#pragma once

#include "common/tray_summary.h"
#include "directories/directories.h"
#include "status_tables.h"

// Everything that lives for the whole run and is shared between the
// subsystems. Created once and handed on by reference.
struct ProgramData
{
    Directories directories;
    StatusTables statusTables;
    TraySummary tray;
};
