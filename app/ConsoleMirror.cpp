#include "ConsoleMirror.h"

#include <iostream>

#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {

constexpr int kRefreshMs = 500;

std::string Column(const Label& heading, const TextBox& box) { return heading.Caption() + " " + box.Text(); }

std::string WindowLine(const frmOrvanta& form) {
    std::string line = Column(form.Label12, form.txtSkyTemp) + " | " + Column(form.Label14, form.txtAmbientTemp) +
                       " | " + Column(form.Label13, form.txtSensorTemp) + " | block " + form.txtBlockTemp.Text();
    if (form.txtHeater.Visible()) line += " | " + form.txtHeater.Text() + " " + form.lblHeat.Caption();
    line += form.shaWet.FillColor() == kBlue ? " | wet" : " | dry";
    return line + " | " + form.txtAlertAlarmError.Text();
}

}  // namespace

ConsoleMirror::ConsoleMirror(const frmOrvanta& form) : form_(form) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { PrintIfChanged(); });
    timer_.start(kRefreshMs);
}

void ConsoleMirror::PrintIfChanged() {
    if (!form_.window.Visible()) return;
    std::string line = WindowLine(form_);
    if (line == lastLine_) return;
    std::cout << form_.window.Caption() << ": " << line << std::endl;
    lastLine_ = std::move(line);
}

}  // namespace orvanta
