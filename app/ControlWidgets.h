#pragma once
// One Qt widget per control of the window model. Each re-reads its control whenever the
// control reports a change, and hands what the user does to the control's User* calls;
// none of them decides anything.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "ui/Controls.h"

class QButtonGroup;

namespace orvanta {

// Points a control's observer at a widget for exactly the widget's lifetime.
class ObserverLink {
public:
    ObserverLink(Control& control, std::function<void()> refresh);
    ~ObserverLink();
    ObserverLink(const ObserverLink&) = delete;
    ObserverLink& operator=(const ObserverLink&) = delete;

private:
    Control& control_;
};

QColor ToQColor(OleColor colour);

// Widgets are named after their controls; members of a control array carry the index,
// as in "chkAlertFor(1)".
QString IndexedObjectName(const Control& control, int index);

// A label or a frame: all either shows of its control is the caption.
template <typename Widget>
class BoundCaption : public Widget {
public:
    BoundCaption(Control& control, QWidget* parent);

private:
    void Refresh();
    Control& control_;
    ObserverLink link_;
};

using BoundLabel = BoundCaption<QLabel>;
using BoundFrame = BoundCaption<QGroupBox>;

class BoundTextBox : public QLineEdit {
public:
    BoundTextBox(TextBox& box, QWidget* parent);
    TextBox& Box() const { return box_; }

private:
    void Refresh();
    void RefreshLook();
    TextBox& box_;
    ObserverLink link_;
};

class BoundCheckBox : public QCheckBox {
public:
    BoundCheckBox(CheckBox& box, const QString& objectName, QWidget* parent);

private:
    void Refresh();
    CheckBox& box_;
    ObserverLink link_;
};

class BoundOptionButton : public QRadioButton {
public:
    BoundOptionButton(OptionGroup& group, int index, QButtonGroup& buttons, QWidget* parent);

private:
    void Refresh();
    OptionGroup& group_;
    int index_;
    ObserverLink link_;
};

class BoundCommandButton : public QPushButton {
public:
    BoundCommandButton(CommandButton& button, QWidget* parent);

private:
    void Refresh();
    CommandButton& button_;
    ObserverLink link_;
};

// The model's shapes: small filled squares and the round message lamp.
class ShapeWidget : public QWidget {
public:
    enum class Form { Square, Circle };
    ShapeWidget(Shape& shape, Form form, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Refresh();
    Shape& shape_;
    Form form_;
    ObserverLink link_;
};

}  // namespace orvanta
