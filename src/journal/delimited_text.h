// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One CSV line for German spreadsheet programs: ";" between fields, fields
// with ";", quotes or line breaks in quotes with quotes doubled, CRLF at the end.
QString csvLine(const QStringList& fields);

// The UTF-8 byte order mark that tells spreadsheet programs the encoding.
QByteArray utf8ByteOrderMark();

// Tab-separated lines for the clipboard, the header first. Tabs and line
// breaks inside a field become spaces: a cell stays a cell when pasted.
QString tabSeparated(const QStringList& header, const QList<QStringList>& rows);
