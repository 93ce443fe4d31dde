#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestFileLayer.h"

// Label and text of each row of a string table.
using TableRows = std::vector<std::pair<std::string, std::string>>;

// The spreadsheet XML that a string table reads, one row per pair. Texts are
// written as given, with "&", "<" and ">" escaped; a literal "%" must be
// written "%%", as in any string table.
std::string StringTableXml(const TableRows& rows);

// Writes the rows as the asset name and indexes the assets afresh, so the
// file can be opened at once.
void WriteStringTable(const TestFileLayer& files, const std::string& name, const TableRows& rows);
