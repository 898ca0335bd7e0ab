#pragma once
// Runs the built orvanta-decode binary the way a user would: arguments and an input file
// in, standard output captured line by line.

#include <string>
#include <vector>

namespace orvanta::test::decoder {

struct DecodeRun {
    int exitCode = -1;
    std::vector<std::string> output;
};

std::vector<std::string> ReadLines(const std::string& path);

// The input file goes last, after the arguments.
DecodeRun RunDecoderOnFile(std::vector<std::string> arguments, const std::string& inputPath);
// The lines are written to a scratch file first, each ended by LF.
DecodeRun RunDecoder(const std::vector<std::string>& arguments, const std::vector<std::string>& lines);

}  // namespace orvanta::test::decoder
