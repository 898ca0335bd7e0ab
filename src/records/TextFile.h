#pragma once
// Files are opened, written and closed per line or group of lines, so no handle is held
// between messages and other programs can read or move them at any time.

#include <optional>
#include <string>
#include <vector>

namespace orvanta {

// The system's description of a failed file operation, or nothing on success.
using FileError = std::optional<std::string>;

// Appends each line with a CR LF line end; creates the file when missing.
FileError AppendLines(const std::string& path, const std::vector<std::string>& lines);

// Replaces the whole content with these lines, each ended by CR LF. The file is held
// with an exclusive lock while written, so a reader holding it makes the open fail.
FileError RewriteFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace orvanta
