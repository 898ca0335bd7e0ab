#include "OrvantaView.h"

#include <array>

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>

#include "Twips.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {

// The window is laid out for captions of 8.25 pt, like its number boxes.
constexpr double kDesignPointSize = 8.25;
constexpr int kColumns = 3;
constexpr int kTextMarginPx = 3;  // each side, inside a box's frame

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    for (QWidget* widget : widgets) row->addWidget(widget);
    row->addStretch();
    return row;
}

}  // namespace

OrvantaView::OrvantaView(frmOrvanta& form) : form_(form), windowLink_(form.window, [this] { RefreshWindow(); }) {
    setObjectName(QString::fromStdString(form.window.Name()));
    QFont designFont = font();
    designFont.setPointSizeF(kDesignPointSize);
    setFont(designFont);
    BuildLayout();
    FitWindow();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FollowFocus(now); });
    RefreshWindow();
}

// Children die after this body; focus moving among them then is no user's doing.
OrvantaView::~OrvantaView() { disconnect(qApp, nullptr, this, nullptr); }

// The model learns the window's real size: its stored position is checked against it.
void OrvantaView::FitWindow() {
    const QSize size = ModelSize().expandedTo(layout()->minimumSize());
    setFixedSize(size);
    const double dpi = DotsPerInch();
    form_.window.SetSizeTwips(PixelsToTwips(size.width(), dpi), PixelsToTwips(size.height(), dpi));
}

void OrvantaView::BuildLayout() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    for (int column = 0; column < kColumns; ++column) grid->setColumnStretch(column, 1);
    int row = 0;
    AddReadings(*grid, row);
    AddSensorState(*grid, row);
    AddAlertConditions(*grid, row);
    AddThresholds(*grid, row);
    AddPort(*grid, row);
    AddAlertTypes(*grid, row);
    AddLogging(*grid, row);
    AddFilesAndOnTop(*grid, row);
    AddStatus(*grid, row);
}

BoundTextBox* OrvantaView::NumberBox(TextBox& box, int characters) {
    auto* widget = new BoundTextBox(box, this);
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget);
    const QFontMetrics metrics = widget->fontMetrics();
    widget->setFixedSize(metrics.horizontalAdvance(QString(characters, QLatin1Char('0'))) + frame + 2 * kTextMarginPx,
                         metrics.height() + frame + 2);
    return widget;
}

void OrvantaView::AddReadings(QGridLayout& grid, int& row) {
    const std::array<Label*, kColumns> headings{&form_.Label12, &form_.Label14, &form_.Label13};
    const std::array<Label*, kColumns> units{&form_.lblSkyTempU, &form_.lblAmbientTempU, &form_.lblSensorTempU};
    const std::array<TextBox*, kColumns> readings{&form_.txtSkyTemp, &form_.txtAmbientTemp, &form_.txtSensorTemp};
    for (int column = 0; column < kColumns; ++column) {
        grid.addWidget(new BoundLabel(*headings[column], this), row, column, Qt::AlignHCenter);
        grid.addWidget(new BoundLabel(*units[column], this), row + 1, column, Qt::AlignHCenter);
        grid.addWidget(NumberBox(*readings[column], 6), row + 2, column, Qt::AlignHCenter);
    }
    row += 3;
}

// The heater shows either as the on/off square or as a duty in percent, under the wet
// lamp; whichever pair the model hides gives its room to the other.
void OrvantaView::AddSensorState(QGridLayout& grid, int& row) {
    grid.addWidget(new BoundLabel(form_.Label3, this), row, 0);
    grid.addLayout(Row({new ShapeWidget(form_.shaWet, ShapeWidget::Form::Square, this),
                        new BoundLabel(form_.Label2, this)}),
                   row, 1);
    grid.addWidget(NumberBox(form_.txtBlockTemp, 5), row, 2, Qt::AlignHCenter);
    grid.addLayout(Row({new ShapeWidget(form_.shaHeating, ShapeWidget::Form::Square, this),
                        new BoundLabel(form_.lblHeatflag, this), new BoundLabel(form_.lblHeat, this),
                        NumberBox(form_.txtHeater, 3)}),
                   row + 1, 1, 1, 2);
    row += 2;
}

void OrvantaView::AddAlertConditions(QGridLayout& grid, int& row) {
    grid.addWidget(new BoundLabel(form_.Label4, this), row, 0);
    for (int i = 0; i < static_cast<int>(form_.chkAlertFor.size()); ++i)
        grid.addWidget(new BoundCheckBox(form_.chkAlertFor[i], IndexedObjectName(form_.chkAlertFor[i], i), this),
                       row + i / 2, 1 + i % 2);
    row += 2;
}

void OrvantaView::AddThresholds(QGridLayout& grid, int& row) {
    auto* units = new QButtonGroup(this);
    grid.addWidget(new BoundLabel(form_.lblAlertTemp, this), row, 0);
    grid.addWidget(new BoundLabel(form_.lblCloudyTempU, this), row + 1, 0);
    grid.addWidget(NumberBox(form_.txtCloudyTemp, 6), row + 1, 1, Qt::AlignHCenter);
    grid.addWidget(new BoundOptionButton(form_.optUnits, 0, *units, this), row + 1, 2);
    grid.addWidget(new BoundLabel(form_.Label8, this), row + 2, 0);
    grid.addWidget(NumberBox(form_.txtVCloudyTemp, 6), row + 2, 1, Qt::AlignHCenter);
    grid.addWidget(new BoundOptionButton(form_.optUnits, 1, *units, this), row + 2, 2);
    row += 3;
}

void OrvantaView::AddPort(QGridLayout& grid, int& row) {
    grid.addLayout(Row({new BoundLabel(form_.Label6, this), new BoundLabel(form_.Label10, this)}), row, 0);
    grid.addWidget(NumberBox(form_.txtComPort, 3), row, 1, Qt::AlignHCenter);
    grid.addWidget(new ShapeWidget(form_.shaMsg, ShapeWidget::Form::Circle, this), row, 2);
    row += 1;
}

void OrvantaView::AddAlertTypes(QGridLayout& grid, int& row) {
    grid.addWidget(new BoundLabel(form_.Label1, this), row, 0);
    for (int i = 0; i < static_cast<int>(form_.chkAlertType.size()); ++i)
        grid.addWidget(new BoundCheckBox(form_.chkAlertType[i], IndexedObjectName(form_.chkAlertType[i], i), this),
                       row + (i + 1) / 2, (i + 1) % 2 + 1);
    row += 2;
}

void OrvantaView::AddLogging(QGridLayout& grid, int& row) {
    grid.addWidget(new BoundLabel(form_.Label9, this), row, 0, Qt::AlignTop);
    auto* frame = new BoundFrame(form_.Frame3, this);
    auto* options = new QGridLayout(frame);
    options->setContentsMargins(4, 2, 4, 2);
    options->setVerticalSpacing(0);
    auto* group = new QButtonGroup(frame);
    for (int i = 0; i < form_.optLog.Count(); ++i)
        options->addWidget(new BoundOptionButton(form_.optLog, i, *group, frame), i / 2, i % 2);
    grid.addWidget(frame, row, 1, 1, 2);
    row += 1;
}

// Only the box of "  On Top" shows; its label beside it says what it is.
void OrvantaView::AddFilesAndOnTop(QGridLayout& grid, int& row) {
    for (auto [button, column] : {std::pair{&form_.cmdLogfile, 0}, std::pair{&form_.cmdDataFile, 1}}) {
        auto* widget = new BoundCommandButton(*button, this);
        widget->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        grid.addWidget(widget, row, column);
    }
    auto* onTop = new BoundCheckBox(form_.chkOnTop, QString::fromStdString(form_.chkOnTop.Name()), this);
    onTop->setFixedWidth(style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, onTop) + 2);
    grid.addLayout(Row({onTop, new BoundLabel(form_.Label5, this)}), row, 2);
    grid.addWidget(new BoundLabel(form_.lblVC, this), row + 1, 0);
    grid.addWidget(new BoundLabel(form_.lblKC, this), row + 1, 1);
    row += 2;
}

// The box keeps the height of its large condition text when it shows a small one.
void OrvantaView::AddStatus(QGridLayout& grid, int& row) {
    auto* frame = new BoundFrame(form_.Frame1, this);
    auto* inside = new QHBoxLayout(frame);
    inside->setContentsMargins(3, 3, 3, 3);
    auto* status = new BoundTextBox(form_.txtAlertAlarmError, frame);
    status->setFixedHeight(status->sizeHint().height());
    inside->addWidget(status);
    grid.addWidget(frame, row, 0, 1, kColumns);
    grid.setRowStretch(row, 1);
    row += 1;
}

void OrvantaView::RefreshWindow() {
    const WindowModel& window = form_.window;
    setWindowTitle(QString::fromStdString(window.Caption()));
    RefreshOnTop();
    if (pos() != ModelPosition()) move(ModelPosition());
    setVisible(window.Visible());
    RefreshMinimised();
    FocusModelBox();
}

// Changing a window flag hides the window; RefreshWindow shows it again.
void OrvantaView::RefreshOnTop() {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != form_.window.OnTop())
        setWindowFlag(Qt::WindowStaysOnTopHint, form_.window.OnTop());
}

void OrvantaView::RefreshMinimised() {
    if (isMinimized() == form_.window.Minimised()) return;
    setWindowState(windowState() ^ Qt::WindowMinimized);
}

void OrvantaView::FocusModelBox() {
    const TextBox* focus = form_.window.Focus();
    if (focus == nullptr) return;
    for (BoundTextBox* box : findChildren<BoundTextBox*>())
        if (&box->Box() == focus && focusWidget() != box) box->setFocus(Qt::OtherFocusReason);
}

// Focus leaving the window (another window activated) is not a move inside it.
void OrvantaView::FollowFocus(QWidget* now) {
    if (now == nullptr || now->window() != this) return;
    auto* box = dynamic_cast<BoundTextBox*>(now);
    form_.window.SetFocus(box != nullptr ? &box->Box() : nullptr);
}

void OrvantaView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (pos() == ModelPosition()) return;
    const double dpi = DotsPerInch();
    form_.window.Move(PixelsToTwips(pos().y(), dpi), PixelsToTwips(pos().x(), dpi));
}

void OrvantaView::closeEvent(QCloseEvent* event) {
    form_.Close();
    event->accept();
}

void OrvantaView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) form_.window.SetMinimised(isMinimized());
}

double OrvantaView::DotsPerInch() const { return screen()->logicalDotsPerInch(); }

QPoint OrvantaView::ModelPosition() const {
    const double dpi = DotsPerInch();
    return {TwipsToPixels(form_.window.Left(), dpi), TwipsToPixels(form_.window.Top(), dpi)};
}

QSize OrvantaView::ModelSize() const {
    const double dpi = DotsPerInch();
    return {TwipsToPixels(form_.window.WidthTwips(), dpi), TwipsToPixels(form_.window.HeightTwips(), dpi)};
}

}  // namespace orvanta
