#pragma once
// A fresh, empty XDG_CONFIG_HOME for the lifetime of the object.

#include <optional>
#include <string>

namespace orvanta::test {

class TempConfigHome {
public:
    TempConfigHome();
    ~TempConfigHome();
    TempConfigHome(const TempConfigHome&) = delete;
    TempConfigHome& operator=(const TempConfigHome&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::optional<std::string> previous_;
};

}  // namespace orvanta::test
