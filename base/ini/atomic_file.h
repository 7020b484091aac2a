// Safe replacement of a whole file.
#pragma once

#include <filesystem>
#include <string_view>

namespace tarsel::ini {

// Writes the bytes into a new file beside the target, flushes it to the disk and renames it over
// the target, so that readers see either the old or the new content and a failure (full disk,
// crash, missing permission) never leaves a damaged file.  An existing target keeps its permission
// bits; a symbolic link is followed and its target replaced.  False on failure, nothing changed.
bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tarsel::ini
