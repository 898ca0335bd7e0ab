#include "support/TempConfigHome.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace orvanta::test {

TempConfigHome::TempConfigHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanta-config-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    path_ = pattern;
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) previous_ = old;
    ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
}

TempConfigHome::~TempConfigHome() {
    if (previous_)
        ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace orvanta::test
