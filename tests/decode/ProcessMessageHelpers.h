#pragma once
// A loaded window on fakes that takes sensor lines, and the lines built field by field.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "decode/WireFormat.h"
#include "support/FakePlatform.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {

// The leading fields of a reading. The defaults put the sensor case at code 524
// (24.64 C) and the ambient at code 512 (2.02 C), with no block reading.
struct Head {
    int fvr = 48;
    int sky = 300;
    int tem = 500;
    int amb = 512;
    int blk = 999;
};

// The fields of a line of this length, its checksum left out; all but the head are 0.
inline std::vector<int> Fields(std::size_t lineLength, const Head& head = {}) {
    std::vector<int> fields(lineLength / 3 - 1, 0);
    fields[0] = head.fvr;
    fields[1] = head.sky;
    fields[2] = head.tem;
    fields[3] = head.amb;
    fields[4] = head.blk;
    return fields;
}

inline std::string Line(const std::vector<int>& fields) { return EncodeSensorLine(fields); }

// A layout-A line (firmware 48, 57 characters) with these flag bits.
inline std::string LayoutALine(const Head& head, int flags = 0) {
    auto fields = Fields(57, head);
    fields[5] = flags;
    return Line(fields);
}

// A first run on an empty settings store: thresholds -25 and -10, Celsius, no alerts,
// no log, port 0, and the start-up grace running.
struct StartedProcess : FakeProcess {
    std::vector<std::string> reports;  // every text handed to ShowMsgError, shown or held

    StartedProcess() {
        main.Main();
        form().msgErrorObserver = [this](const std::string& text) { reports.push_back(text); };
    }
    void Process(const std::string& line) {
        form().rx.CurrentMessage = line;
        form().ProcessMessage();
    }
    void EndGrace() { form().msg.StartupGrace = 0; }
};

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-decode-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The whole file, or an empty text when it does not exist.
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace orvanta::test
