#pragma once
// The process: its shared state, its start and its end. The application owns one CMain;
// tests make a fresh one each.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/Platform.h"

namespace orvanta {

class frmOrvanta;

inline constexpr int kPollPeriodMs = 250;
inline constexpr int kAlertPeriodMs = 1400;
inline constexpr int32_t kStartTicksSinceGoodData = 400;

class CMain {
public:
    explicit CMain(Platform& platform);
    ~CMain();
    CMain(const CMain&) = delete;
    CMain& operator=(const CMain&) = delete;

    void Main();
    // Unloads the window and ends the process. Callers return at once afterwards;
    // no tick does any work once the process is ending.
    void EndProgram();
    bool Ending() const { return ending_; }

    // The one main window, created on first use.
    frmOrvanta& Form();
    bool FormExists() const { return form_ != nullptr; }

    Platform& platform;

    // Latest readings, degrees Celsius.
    double RelSkyT = 0;
    double SensorT = 0;
    double AmbientT = 0;
    double BlockT = 0;
    double HeaterPercent = 0;

    // Settings.
    double CloudyThreshT = 0;
    double VCloudyThreshT = 0;
    int16_t LogInterval = 0;
    int16_t TempUnit = 0;
    std::string LogFilePath;
    std::string DataFilePath;

    // Calibration sets and the sky model.
    std::array<double, 4> CalSkyT{};
    std::array<double, 4> CalSensorT{};
    std::array<double, 4> CalAmbientT{};
    std::array<double, 4> CalBlockT{};
    double SkyModelK = 0;
    double SkyModelD = 0;
    double SkyModelEps = 0;
    double SkyModelOffs = 0;
    std::array<double, 4> CalResiduals{};

    // Flags of the last good message.
    int16_t WetF = 0;
    int16_t WetSinceLog = 0;
    int16_t HeatingF = 0;
    int16_t VCloudyFlag = 0;
    int16_t CloseFlag = 0;
    int16_t CloseSinceLog = 0;
    int16_t CalibrateFlag = 0;
    int16_t CloudyF = 0;
    int16_t VCloudyF = 0;
    int16_t CalDataF = 0;

    int32_t TicksSinceGoodData = kStartTicksSinceGoodData;
    int32_t SkyCondition = 0;

    // Automation.
    int16_t CloudSensorCount = 0;
    int16_t CloudSensorCreated = 0;
    int16_t StartMode = 0;

    // Timers and their guards.
    int32_t PollTimerId = 0;
    int32_t AlertTimerId = 0;
    int16_t PollBusy = -1;
    int16_t AlertBusy = -1;

private:
    void ResetState();
    bool CreateTimers();

    std::unique_ptr<frmOrvanta> form_;
    bool ending_ = false;
};

}  // namespace orvanta
