#include "runtime/Framing.h"

namespace orvanta {

void AppendReceived(std::string& rxBuffer, std::string_view chunk) {
    rxBuffer.append(chunk);
    if (const auto nul = rxBuffer.rfind('\0'); nul != std::string::npos) rxBuffer.erase(0, nul + 1);
    if (rxBuffer.size() > kRxBufferLimit) rxBuffer.erase(0, rxBuffer.size() - kRxBufferLimit);
}

std::optional<std::string> TakeLine(std::string& rxBuffer) {
    const auto lineFeed = rxBuffer.find('\n');
    if (lineFeed == std::string::npos) return std::nullopt;
    if (lineFeed == 0) {
        rxBuffer.erase(0, 1);
        return std::nullopt;
    }
    // The character in front of the line feed is the sensor's carriage return.
    std::string line = rxBuffer.substr(0, lineFeed - 1);
    rxBuffer.erase(0, lineFeed + 1);
    return line;
}

}  // namespace orvanta
