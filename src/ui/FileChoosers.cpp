#include "records/TextFile.h"
#include "runtime/CMain.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {
constexpr int kHideReadOnlyFlag = 4;
constexpr int kDataFileTestAttempts = 6;
}  // namespace

void frmOrvanta::cmdLogfile_Click() {
    RunFileChooser(cdlLogfile, "Bad log file ", main_.LogFilePath, [this](const std::string& f) { ChooseLogFile(f); });
}

void frmOrvanta::cmdDataFile_Click() {
    RunFileChooser(cdlDatafile, "Bad data file ", main_.DataFilePath,
                   [this](const std::string& f) { ChooseDataFile(f); });
}

// Cancelling switches the file off; other dialog errors change nothing.
void frmOrvanta::RunFileChooser(FileDialogControl& dialog, const std::string& badFileText, std::string& path,
                                const std::function<void(const std::string&)>& take) {
    WithBusyGuard([&] {
        dialog.Flags = kHideReadOnlyFlag;
        const auto choice = main_.platform.dialogs.ChooseFile(dialog.Caption(), dialog.Flags);
        if (choice.error == kFileDialogCancelled) {
            path.clear();
            SaveSettings();
        } else if (choice.error != 0) {
            main_.platform.dialogs.MessageBox(
                badFileText + std::to_string(choice.error) + " " + choice.errorDescription, kProgramName);
        } else if (!choice.fileName.empty()) {
            take(choice.fileName);
        }
        FocusThresholdBox();
    });
}

void frmOrvanta::ChooseLogFile(const std::string& fileName) {
    if (const auto error = AppendLines(fileName, {})) {
        main_.platform.dialogs.MessageBox("For file " + fileName + " error140: " + *error, kProgramName);
        main_.LogFilePath.clear();
        optLog.SetEnabled(false);
        return;
    }
    main_.LogFilePath = fileName;
    SaveSettings();
    optLog.SetEnabled(true);
}

// A file chosen while none was set is taken as it is; replacing a data file that other
// programs already read empties the new one, so they never see a stale line there.
void frmOrvanta::ChooseDataFile(const std::string& fileName) {
    std::string error;
    if (!main_.DataFilePath.empty() && !RewriteWithRetries(fileName, {}, kDataFileTestAttempts, error)) {
        main_.platform.dialogs.MessageBox("For file " + fileName + " error130: could not open, " + error +
                                              ", path\\name cleared to avoid further errors",
                                          kProgramName);
        main_.DataFilePath.clear();
        SaveSettings();
        return;
    }
    main_.DataFilePath = fileName;
    SaveSettings();
}

}  // namespace orvanta
