#pragma once
// The window's controls as plain objects. Logic drives them headlessly; a view mirrors
// them through the observer and forwards what the user does through the User* calls.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvanta {

// Colours as 0x00BBGGRR, plus one value that means "the window's background colour".
using OleColor = uint32_t;
inline constexpr OleColor kRed = 0x0000FF;
inline constexpr OleColor kGreen = 0x008000;
inline constexpr OleColor kBrightGreen = 0x00C000;
inline constexpr OleColor kLightRed = 0x8080FF;
inline constexpr OleColor kBlue = 0xFF0000;
inline constexpr OleColor kBlack = 0x000000;
inline constexpr OleColor kWhite = 0xFFFFFF;
inline constexpr OleColor kWindowBackground = 0x8000000F;

class Control {
public:
    Control(std::string name, std::string caption = {}, std::string toolTip = {});
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    const std::string& ToolTip() const { return toolTip_; }
    bool Visible() const { return visible_; }
    bool Enabled() const { return enabled_; }
    void SetCaption(const std::string& caption);
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);

    // Called after any property change; the view re-reads the control.
    void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

protected:
    void Changed() const;

private:
    std::string name_;
    std::string caption_;
    std::string toolTip_;
    bool visible_ = true;
    bool enabled_ = true;
    std::function<void()> observer_;
};

using Label = Control;
using Frame = Control;

class TextBox : public Control {
public:
    using Control::Control;

    std::function<void()> Change;
    std::function<void(int16_t& keyAscii)> KeyPress;
    std::function<void()> LostFocus;

    const std::string& Text() const { return text_; }
    // Raises Change when the text differs, whether typed or set by the program.
    void SetText(const std::string& text);

    OleColor ForeColor() const { return foreColor_; }
    OleColor BackColor() const { return backColor_; }
    double FontSize() const { return fontSize_; }
    bool ReadOnly() const { return readOnly_; }
    bool FixedPitch() const { return fixedPitch_; }
    void SetForeColor(OleColor colour);
    void SetBackColor(OleColor colour);
    void SetFontSize(double points);
    void SetReadOnly(bool readOnly);
    void SetFixedPitch(bool fixedPitch);

    // The user pressed a key; returns the key code after the handler (0 = swallowed).
    int16_t UserKeyPress(int16_t keyAscii);

private:
    std::string text_;
    OleColor foreColor_ = kBlack;
    OleColor backColor_ = kWhite;
    double fontSize_ = 8.25;
    bool readOnly_ = false;
    bool fixedPitch_ = false;
};

class CheckBox : public Control {
public:
    using Control::Control;

    std::function<void()> Click;

    int16_t Value() const { return value_; }
    // Raises Click when the value changes, also when the program sets it.
    void SetValue(int16_t value);
    void UserClick() { SetValue(value_ == 0 ? 1 : 0); }

private:
    int16_t value_ = 0;
};

class OptionButton : public Control {
public:
    using Control::Control;
    bool Value() const { return value_; }

private:
    friend class OptionGroup;
    void SetValueQuietly(bool value);
    bool value_ = false;
};

struct CaptionAndTip {
    std::string caption;
    std::string toolTip;
};

// Option buttons of one group exclude each other; selecting one raises the group's Click
// with its index.
class OptionGroup {
public:
    OptionGroup(const std::string& name, const std::vector<CaptionAndTip>& buttons);

    std::function<void(int index)> Click;

    OptionButton& operator[](int index) { return *buttons_.at(index); }
    const OptionButton& operator[](int index) const { return *buttons_.at(index); }
    int Count() const { return static_cast<int>(buttons_.size()); }
    int Selected() const;
    void Select(int index);
    void UserClick(int index) { Select(index); }
    void SetEnabled(bool enabled);

private:
    std::vector<std::unique_ptr<OptionButton>> buttons_;
};

class CommandButton : public Control {
public:
    using Control::Control;
    std::function<void()> Click;
    void UserClick() {
        if (Click) Click();
    }
};

// The platform's file dialog; its caption is the dialog's title.
class FileDialogControl : public Control {
public:
    using Control::Control;
    int Flags = 0;
};

// Plays sound files; FileName is the file the next play command plays.
class MultimediaControl : public Control {
public:
    using Control::Control;
    std::string FileName;
};

class Shape : public Control {
public:
    using Control::Control;
    OleColor FillColor() const { return fillColor_; }
    void SetFillColor(OleColor colour);

private:
    OleColor fillColor_ = kWindowBackground;
};

}  // namespace orvanta

namespace orvanta {

// The window itself: caption and visibility as for any control, plus its place,
// on-top state, minimised state and which text box holds the keyboard focus.
class WindowModel : public Control {
public:
    using Control::Control;

    int Top() const { return top_; }
    int Left() const { return left_; }
    void Move(int top, int left);
    int WidthTwips() const { return widthTwips_; }
    int HeightTwips() const { return heightTwips_; }
    void SetSizeTwips(int width, int height);

    bool OnTop() const { return onTop_; }
    void SetOnTop(bool onTop);
    bool Minimised() const { return minimised_; }
    void SetMinimised(bool minimised);

    TextBox* Focus() const { return focus_; }
    // Moving the focus away from a text box raises its LostFocus.
    void SetFocus(TextBox* box);

private:
    int top_ = 0;
    int left_ = 0;
    int widthTwips_ = 2940;
    int heightTwips_ = 5550;
    bool onTop_ = false;
    bool minimised_ = false;
    TextBox* focus_ = nullptr;
};

}  // namespace orvanta
