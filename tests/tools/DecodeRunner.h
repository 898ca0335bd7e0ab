#pragma once
// Runs the built orvanta-decode binary the way a user would: arguments, an input file,
// standard output and standard error captured.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace orvanta::test::decoder {

struct DecodeRun {
    int exitCode = -1;
    std::vector<std::string> output;  // standard output, one entry per line
    std::string errors;               // standard error
    std::vector<nlohmann::json> Objects() const;
};

// A scratch folder, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string DecoderBinary();
std::string GoldenDir();

void WriteBytes(const std::string& path, const std::string& bytes);
std::vector<std::string> ReadLines(const std::string& path);

// Runs the decoder on the file named after the arguments.
DecodeRun RunDecoderOnFile(const std::vector<std::string>& arguments, const std::string& inputPath);
// Runs the decoder with these bytes on its standard input.
DecodeRun RunDecoder(const std::vector<std::string>& arguments, const std::string& input);

}  // namespace orvanta::test::decoder
