// What an author wrote into an INI file that the lookups made on it do not
// read as meant: a missing group, keys no lookup asks for, lines that answer
// the lookup of a shorter key, a blank before "=", text where a number is
// read. Judged against the lookups an IniFile remembers, so the check knows
// exactly the keys the reader asked for and nothing else.
#pragma once

#include "common/Diagnostics.h"
#include "common/IniFile.h"

namespace vorn {

// Reports against every group the file was asked about. A file that could
// not be read is left to the caller (whether it is needed is its business).
void CheckIniFile(const IniFile& file, Diagnostics& diagnostics);

}  // namespace vorn
