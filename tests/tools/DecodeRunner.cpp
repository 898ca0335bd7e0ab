#include "DecodeRunner.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orvanta::test::decoder {

namespace {

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::vector<nlohmann::json> DecodeRun::Objects() const {
    std::vector<nlohmann::json> objects;
    for (const auto& line : output) objects.push_back(nlohmann::json::parse(line));
    return objects;
}

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-decode-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string DecoderBinary() { return ORVANTA_DECODE_BINARY; }
std::string GoldenDir() { return ORVANTA_GOLDEN_DIR; }

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

namespace {

// `redirections` go after the arguments: the standard input and error of the decoder.
DecodeRun Run(const std::vector<std::string>& arguments, const std::string& redirections) {
    const ScratchDir scratch;
    std::string command = ShellQuoted(DecoderBinary());
    for (const auto& argument : arguments) command += " " + ShellQuoted(argument);
    command += redirections + " 2>" + ShellQuoted(scratch.File("stderr"));
    DecodeRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot start " + command);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) run.output.push_back(line);
    run.errors = ReadAll(scratch.File("stderr"));
    return run;
}

}  // namespace

DecodeRun RunDecoderOnFile(const std::vector<std::string>& arguments, const std::string& inputPath) {
    std::vector<std::string> withInput = arguments;
    withInput.push_back(inputPath);
    return Run(withInput, " </dev/null");
}

DecodeRun RunDecoder(const std::vector<std::string>& arguments, const std::string& input) {
    const ScratchDir scratch;
    WriteBytes(scratch.File("lines.txt"), input);
    return Run(arguments, " <" + ShellQuoted(scratch.File("lines.txt")));
}

}  // namespace orvanta::test::decoder
