#pragma once
// A form on fakes with the real Qt view bound to it, loaded as at start.

#include <gtest/gtest.h>

#include <QWidget>

#include "ControlWidgets.h"
#include "OrvantaView.h"
#include "support/FakePlatform.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {

class ViewFixture : public ::testing::Test {
protected:
    void SetUp() override { process.main.Main(); }

public:

    frmOrvanta& form() { return process.form(); }

    template <typename WidgetType>
    WidgetType* Find(const QString& objectName) {
        auto* widget = view.findChild<WidgetType*>(objectName);
        EXPECT_NE(widget, nullptr) << objectName.toStdString();
        return widget;
    }

    QLineEdit* Box(const TextBox& box) { return Find<QLineEdit>(QString::fromStdString(box.Name())); }

    FakeProcess process;
    OrvantaView view{process.form()};
};

}  // namespace orvanta::test
