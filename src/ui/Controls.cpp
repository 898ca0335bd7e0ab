#include "ui/Controls.h"

namespace orvanta {

Control::Control(std::string name, std::string caption, std::string toolTip)
    : name_(std::move(name)), caption_(std::move(caption)), toolTip_(std::move(toolTip)) {}

void Control::Changed() const {
    if (observer_) observer_();
}

void Control::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Changed();
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Changed();
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Changed();
}

void TextBox::SetText(const std::string& text) {
    if (text_ == text) return;
    text_ = text;
    Changed();
    if (Change) Change();
}

void TextBox::SetForeColor(OleColor colour) {
    if (foreColor_ == colour) return;
    foreColor_ = colour;
    Changed();
}

void TextBox::SetBackColor(OleColor colour) {
    if (backColor_ == colour) return;
    backColor_ = colour;
    Changed();
}

void TextBox::SetFontSize(double points) {
    if (fontSize_ == points) return;
    fontSize_ = points;
    Changed();
}

void TextBox::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    Changed();
}

void TextBox::SetFixedPitch(bool fixedPitch) {
    fixedPitch_ = fixedPitch;
    Changed();
}

int16_t TextBox::UserKeyPress(int16_t keyAscii) {
    if (KeyPress) KeyPress(keyAscii);
    return keyAscii;
}

void CheckBox::SetValue(int16_t value) {
    if (value_ == value) return;
    value_ = value;
    Changed();
    if (Click) Click();
}

void OptionButton::SetValueQuietly(bool value) {
    if (value_ == value) return;
    value_ = value;
    Changed();
}

OptionGroup::OptionGroup(const std::string& name, const std::vector<CaptionAndTip>& buttons) {
    for (const auto& button : buttons)
        buttons_.push_back(std::make_unique<OptionButton>(name, button.caption, button.toolTip));
}

void OptionGroup::Select(int index) {
    if (index < 0 || index >= Count()) return;
    for (int i = 0; i < Count(); ++i) buttons_[i]->SetValueQuietly(i == index);
    if (Click) Click(index);
}

int OptionGroup::Selected() const {
    for (int i = 0; i < Count(); ++i)
        if (buttons_[i]->Value()) return i;
    return -1;
}

void OptionGroup::SetEnabled(bool enabled) {
    for (auto& button : buttons_) button->SetEnabled(enabled);
}

void Shape::SetFillColor(OleColor colour) {
    if (fillColor_ == colour) return;
    fillColor_ = colour;
    Changed();
}

}  // namespace orvanta

namespace orvanta {

void WindowModel::Move(int top, int left) {
    if (top_ == top && left_ == left) return;
    top_ = top;
    left_ = left;
    Changed();
}

void WindowModel::SetSizeTwips(int width, int height) {
    widthTwips_ = width;
    heightTwips_ = height;
    Changed();
}

void WindowModel::SetOnTop(bool onTop) {
    if (onTop_ == onTop) return;
    onTop_ = onTop;
    Changed();
}

void WindowModel::SetMinimised(bool minimised) {
    if (minimised_ == minimised) return;
    minimised_ = minimised;
    Changed();
}

void WindowModel::SetFocus(TextBox* box) {
    if (focus_ == box) return;
    TextBox* previous = focus_;
    focus_ = box;
    Changed();
    if (previous && previous->LostFocus) previous->LostFocus();
}

}  // namespace orvanta
