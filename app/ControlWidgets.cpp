#include "ControlWidgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QPainter>

namespace orvanta {

namespace {

constexpr int16_t kEnterKey = 13;
constexpr int kShapeSidePx = 11;
const char* const kNumberFamily = "Courier New";

QString Text(const std::string& text) { return QString::fromStdString(text); }

// What every control has: visibility, enabled state, tool tip. Visibility is always set
// explicitly, so a control hidden before the window first shows stays hidden then.
void ApplyCommon(QWidget& widget, const Control& control) {
    widget.setVisible(control.Visible());
    widget.setEnabled(control.Enabled());
    widget.setToolTip(Text(control.ToolTip()));
}

QFont TextBoxFont(const TextBox& box) {
    QFont font = !box.FixedPitch()                         ? QApplication::font()
                 : QFontDatabase::hasFamily(kNumberFamily) ? QFont(kNumberFamily)
                                                           : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(box.FontSize());
    return font;
}

}  // namespace

ObserverLink::ObserverLink(Control& control, std::function<void()> refresh) : control_(control) {
    control_.SetObserver(std::move(refresh));
}

ObserverLink::~ObserverLink() { control_.SetObserver({}); }

QColor ToQColor(OleColor colour) {
    if (colour == kWindowBackground) return QApplication::palette().color(QPalette::Window);
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QString IndexedObjectName(const Control& control, int index) {
    return Text(control.Name()) + QStringLiteral("(%1)").arg(index);
}

namespace {
void SetCaption(QLabel& label, const QString& caption) { label.setText(caption); }
void SetCaption(QGroupBox& frame, const QString& caption) { frame.setTitle(caption); }
}  // namespace

template <typename Widget>
BoundCaption<Widget>::BoundCaption(Control& control, QWidget* parent)
    : Widget(parent), control_(control), link_(control, [this] { Refresh(); }) {
    this->setObjectName(Text(control.Name()));
    Refresh();
}

template <typename Widget>
void BoundCaption<Widget>::Refresh() {
    ApplyCommon(*this, control_);
    SetCaption(*this, Text(control_.Caption()));
}

template class BoundCaption<QLabel>;
template class BoundCaption<QGroupBox>;

// Only what the user types goes to the model (textEdited, not textChanged), so the
// model's own text coming back never raises a second Change.
BoundTextBox::BoundTextBox(TextBox& box, QWidget* parent)
    : QLineEdit(parent), box_(box), link_(box, [this] { Refresh(); }) {
    setObjectName(Text(box.Name()));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { box_.SetText(text.toStdString()); });
    connect(this, &QLineEdit::returnPressed, this, [this] { box_.UserKeyPress(kEnterKey); });
    Refresh();
}

void BoundTextBox::Refresh() {
    ApplyCommon(*this, box_);
    const QString text = Text(box_.Text());
    if (this->text() != text) setText(text);
    setReadOnly(box_.ReadOnly());
    RefreshLook();
}

void BoundTextBox::RefreshLook() {
    const QFont font = TextBoxFont(box_);
    if (this->font() != font) setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, ToQColor(box_.ForeColor()));
    colours.setColor(QPalette::Base, ToQColor(box_.BackColor()));
    setPalette(colours);
}

// The box toggles itself when clicked and the model's click toggles the value the same
// way, so the two agree without any echo.
BoundCheckBox::BoundCheckBox(CheckBox& box, const QString& objectName, QWidget* parent)
    : QCheckBox(parent), box_(box), link_(box, [this] { Refresh(); }) {
    setObjectName(objectName);
    connect(this, &QCheckBox::clicked, this, [this] { box_.UserClick(); });
    Refresh();
}

void BoundCheckBox::Refresh() {
    ApplyCommon(*this, box_);
    setText(Text(box_.Caption()));
    setChecked(box_.Value() != 0);
}

BoundOptionButton::BoundOptionButton(OptionGroup& group, int index, QButtonGroup& buttons, QWidget* parent)
    : QRadioButton(parent), group_(group), index_(index), link_(group[index], [this] { Refresh(); }) {
    setObjectName(IndexedObjectName(group[index], index));
    buttons.addButton(this, index);
    connect(this, &QRadioButton::clicked, this, [this] { group_.UserClick(index_); });
    Refresh();
}

void BoundOptionButton::Refresh() {
    const OptionButton& button = group_[index_];
    ApplyCommon(*this, button);
    setText(Text(button.Caption()));
    setChecked(button.Value());
}

BoundCommandButton::BoundCommandButton(CommandButton& button, QWidget* parent)
    : QPushButton(parent), button_(button), link_(button, [this] { Refresh(); }) {
    setObjectName(Text(button.Name()));
    connect(this, &QPushButton::clicked, this, [this] { button_.UserClick(); });
    Refresh();
}

void BoundCommandButton::Refresh() {
    ApplyCommon(*this, button_);
    setText(Text(button_.Caption()));
}

ShapeWidget::ShapeWidget(Shape& shape, Form form, QWidget* parent)
    : QWidget(parent), shape_(shape), form_(form), link_(shape, [this] { Refresh(); }) {
    setObjectName(Text(shape.Name()));
    setFixedSize(kShapeSidePx, kShapeSidePx);
    Refresh();
}

void ShapeWidget::Refresh() {
    ApplyCommon(*this, shape_);
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, form_ == Form::Circle);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(ToQColor(shape_.FillColor()));
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (form_ == Form::Circle)
        painter.drawEllipse(outline);
    else
        painter.drawRect(outline);
}

}  // namespace orvanta
