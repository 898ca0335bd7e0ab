// orvanta-decode: sensor lines in, the window's decoded state out, one JSON object per
// line. The lines go through the real message processing of a headless window.

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "DecodeOptions.h"
#include "LineDecoder.h"

namespace {

using namespace orvanta::decode;

constexpr int kUsageExit = 2;
constexpr int kInputExit = 1;

// A line ends at LF; a CR right in front of it belongs to the line end.
bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!in.eof() && !line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

int DecodeAll(const DecodeOptions& options, std::istream& in) {
    LineDecoder decoder(options, std::cerr);
    std::string line;
    for (long number = 1; ReadLine(in, line); ++number) {
        std::cout << decoder.Decode(line).dump(-1, ' ', true) << '\n';
        if (decoder.Ended()) {
            std::cerr << "orvanta-decode: the program ended after line " << number << "\n";
            break;
        }
    }
    std::cout.flush();
    return 0;
}

int Run(const DecodeOptions& options) {
    if (options.input.empty() || options.input == "-") return DecodeAll(options, std::cin);
    std::ifstream file(options.input, std::ios::binary);
    if (!file) {
        std::cerr << "orvanta-decode: cannot read " << options.input << "\n";
        return kInputExit;
    }
    return DecodeAll(options, file);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParseResult parsed = ParseArguments(arguments);
    if (std::holds_alternative<ShowUsage>(parsed)) {
        std::cout << UsageText("orvanta-decode");
        return 0;
    }
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        std::cerr << "orvanta-decode: " << error->text << "\n" << UsageText("orvanta-decode");
        return kUsageExit;
    }
    return Run(std::get<DecodeOptions>(parsed));
}
