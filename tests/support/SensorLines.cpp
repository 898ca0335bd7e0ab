#include "support/SensorLines.h"

#include <fstream>
#include <sstream>

#include "decode/WireFormat.h"

namespace orvanta::test {

std::string LayoutDLine(int sky, int tem, int amb, int blk, int hea, int flg) {
    std::vector<int> fields{55, sky, tem, amb, blk, hea, flg};
    fields.resize(26, 0);
    return EncodeSensorLine(fields);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
    const std::string text = ReadFile(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace orvanta::test
