// Helpers of the drive data files shared by the board objects and the windows.
#pragma once

#include <string>

#include "gui/model/board/board_commands.h"

namespace tarsel {

// Whether "Info"/"Model" of the file names this model, ignoring letter case.
bool FileModelMatches(const std::string& path, const std::string& modelName);
// Writes "Info"/"Model", keeping the rest of the file.
bool WriteFileModel(const std::string& path, const std::string& modelName);

// One "PosTable" line: the command, then the other 16 fields, separated by a tab and a blank.
std::string FormatPosTableLine(const PosTableItem& item);
// Fills the 40 field bytes of `item` from a line; numbers the line lacks are read as 0.
void ParsePosTableLine(const std::string& line, PosTableItem& item);

}  // namespace tarsel
