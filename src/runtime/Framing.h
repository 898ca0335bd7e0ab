#pragma once
// Cutting the received byte stream into sensor lines. There may be garbage in front of
// a line, reads may end in the middle of one, and a NUL marks everything before it as
// noise; each line ends in CR LF.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// A device that never sends a line end must not make the buffer grow without bound;
// a sensor line is under a hundred characters.
inline constexpr std::size_t kRxBufferLimit = 4096;

// Appends a chunk, drops everything up to and including the last NUL, and keeps only
// the newest kRxBufferLimit characters.
void AppendReceived(std::string& rxBuffer, std::string_view chunk);

// Takes the first line out of the buffer: the text before the character in front of
// the first line feed. A line feed at the very start is dropped and gives no line.
std::optional<std::string> TakeLine(std::string& rxBuffer);

}  // namespace orvanta
