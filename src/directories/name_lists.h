#pragma once

struct ListLoadContext;
struct StatusTables;

// The list files of start-up, in their order: the status texts, the
// vehicles (record file, else the text list), the five-tone receivers
// (record file, else the text list), the POCSAG receivers.
void LoadNameLists(StatusTables& tables, ListLoadContext& context);
