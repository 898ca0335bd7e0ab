#include "DecodeRunner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
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

std::vector<std::string> Lines(std::istream&& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

std::vector<std::string> ReadLines(const std::string& path) { return Lines(std::ifstream(path, std::ios::binary)); }

DecodeRun RunDecoderOnFile(std::vector<std::string> arguments, const std::string& inputPath) {
    arguments.push_back(inputPath);
    std::string command = ShellQuoted(ORVANTA_DECODE_BINARY);
    for (const auto& argument : arguments) command += " " + ShellQuoted(argument);
    FILE* pipe = popen((command + " </dev/null").c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot start " + command);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Lines(std::istringstream(text))};
}

// Runs within one process follow each other, so the process id keeps the file to one run.
DecodeRun RunDecoder(const std::vector<std::string>& arguments, const std::vector<std::string>& lines) {
    const auto path = std::filesystem::temp_directory_path() / ("orvanta-decode-" + std::to_string(::getpid()));
    {
        std::ofstream out(path, std::ios::binary);
        for (const auto& line : lines) out << line << '\n';
    }
    DecodeRun run = RunDecoderOnFile(arguments, path.string());
    std::filesystem::remove(path);
    return run;
}

}  // namespace orvanta::test::decoder
