#pragma once
// The window of frmOrvanta in Qt Widgets. It mirrors the model and forwards what the
// user does; everything it shows comes from the model, and nothing it does decides.

#include <QWidget>

#include "ControlWidgets.h"

class QGridLayout;

namespace orvanta {

class frmOrvanta;

class OrvantaView : public QWidget {
public:
    explicit OrvantaView(frmOrvanta& form);
    ~OrvantaView() override;

protected:
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildLayout();
    void FitWindow();
    void AddReadings(QGridLayout& grid, int& row);
    void AddSensorState(QGridLayout& grid, int& row);
    void AddAlertConditions(QGridLayout& grid, int& row);
    void AddThresholds(QGridLayout& grid, int& row);
    void AddPort(QGridLayout& grid, int& row);
    void AddAlertTypes(QGridLayout& grid, int& row);
    void AddLogging(QGridLayout& grid, int& row);
    void AddFilesAndOnTop(QGridLayout& grid, int& row);
    void AddStatus(QGridLayout& grid, int& row);
    BoundTextBox* NumberBox(TextBox& box, int characters);

    void RefreshWindow();
    void RefreshOnTop();
    void RefreshMinimised();
    void FocusModelBox();
    void FollowFocus(QWidget* now);
    double DotsPerInch() const;
    QPoint ModelPosition() const;
    QSize ModelSize() const;

    frmOrvanta& form_;
    ObserverLink windowLink_;
};

}  // namespace orvanta
