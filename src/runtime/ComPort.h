#pragma once
// The sensor's serial line, receive only. Framing is the caller's business.

#include <cstdint>
#include <string>

namespace orvanta {

class ComPort {
public:
    ComPort() = default;
    ComPort(const ComPort&) = delete;
    ComPort& operator=(const ComPort&) = delete;
    ~ComPort();

    bool IsPortOpen() const { return handle != -1; }
    bool OpenPort(const int16_t& portnum, const int16_t& bps);
    void ClosePort();
    bool ReadPortRaw(uint8_t& Buf);
    std::string ReadPort();
    bool PurgePort();

    // The device that COM port n stands for on this machine.
    static std::string DeviceForPort(int portnum);

private:
    int handle = -1;
};

}  // namespace orvanta
