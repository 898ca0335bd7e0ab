#include <limits>

#include "runtime/CMain.h"
#include "runtime/Framing.h"
#include "runtime/Numbers.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {
constexpr int32_t kWatchdogTicks = 60;
constexpr int16_t kSensorBaud = 300;
}  // namespace

void frmOrvanta::OpenSensorPort() {
    if (rx.SensorPort->IsPortOpen()) return;
    const int16_t port = ParseWholeNumber(txtComPort.Text()).value_or(0);
    if (port <= 0) return;
    if (rx.SensorPort->OpenPort(port, kSensorBaud)) {
        rx.SensorPort->PurgePort();
        rx.RxBuffer.clear();
        return;
    }
    LogMsgError("0a" + StatusHoldText());
    ShowMsgError("Could not open COM Port " + txtComPort.Text() +
                 ", Orvanta or something else already running on this port?");
    txtComPort.SetText("0");
}

void frmOrvanta::CloseSensorPort() {
    if (rx.SensorPort) rx.SensorPort->ClosePort();
}

std::string frmOrvanta::StatusHoldText() const {
    return " showcount " + std::to_string(status.showcount) + " showpriority " +
           std::to_string(status.showpriority);
}

void frmOrvanta::PollMessages() {
    if (main_.TicksSinceGoodData < std::numeric_limits<int32_t>::max()) ++main_.TicksSinceGoodData;
    if (msg.StartupGrace > 0) --msg.StartupGrace;
    UpdateMessageLamp();
    if (txtComPort.Text() != "0" && rx.SensorPort && rx.SensorPort->IsPortOpen()) ReceiveOneMessage();
    RunDelayedCommits();
    if (main_.StartMode == 0) main_.StartMode = static_cast<int16_t>(main_.CloudSensorCreated + 1);
}

// Red once the sensor has gone quiet after talking; a calibration run does not survive it.
void frmOrvanta::UpdateMessageLamp() {
    if (main_.TicksSinceGoodData > kWatchdogTicks && msg.FirstMessagePending == 0) {
        shaMsg.SetFillColor(kRed);
        calibration.Calibrating = 0;
        calibration.CalibrationStep = 0;
    } else {
        shaMsg.SetFillColor(kWindowBackground);
    }
}

void frmOrvanta::ReceiveOneMessage() {
    rx.LastChunk = rx.SensorPort->ReadPort();
    AppendReceived(rx.RxBuffer, rx.LastChunk);
    auto line = TakeLine(rx.RxBuffer);
    if (!line) return;
    rx.CurrentMessage = std::move(*line);
    ProcessMessage();
    if (main_.TicksSinceGoodData == 0) shaMsg.SetFillColor(kGreen);
}

void frmOrvanta::RunDelayedCommits() {
    const auto countDown = [](int16_t& delay, auto commit) {
        if (delay == 0) return;
        if (--delay == 0) commit();
    };
    countDown(edits.CloudyEditDelay, [this] { txtCloudyTemp_LostFocus(); });
    countDown(edits.VCloudyEditDelay, [this] { txtVCloudyTemp_LostFocus(); });
    countDown(edits.ComPortEditDelay, [this] { txtComPort_LostFocus(); });
}

}  // namespace orvanta
