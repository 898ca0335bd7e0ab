#pragma once
// A real pseudo-terminal standing in for a serial adapter: the test plays the sensor on
// the master end, the code under test opens the slave device.

#include <string>
#include <string_view>

namespace orvanta::test {

class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    int MasterFd() const { return master_; }
    // Held open for the pty's whole life so the line never hangs up between opens.
    int SlaveFd() const { return slave_; }
    const std::string& SlavePath() const { return slavePath_; }

    // Sends bytes as if the sensor had transmitted them.
    void Write(std::string_view bytes) const;
    // True once bytes wait at the slave end; needs the slave in non-canonical mode.
    bool WaitForInput(int timeoutMs) const;
    // Makes COM n resolve to this pty under the given config home; returns the link.
    std::string LinkAsCom(int n, const std::string& configHome) const;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

}  // namespace orvanta::test
