#include "QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <iostream>

namespace orvanta {

namespace {

const char* const kCancelDescription = "Cancel was selected.";

bool Unattended() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

void Report(const char* kind, const std::string& text) { std::cerr << "Orvanta " << kind << ": " << text << std::endl; }

QString TitleOrDefault(const std::string& title) {
    return title.empty() ? QGuiApplication::applicationDisplayName() : QString::fromStdString(title);
}

}  // namespace

void QtDialogs::MessageBox(const std::string& text, const std::string& title) {
    if (Unattended()) {
        Report("message", text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, TitleOrDefault(title), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title) {
    if (Unattended()) {
        Report("input", prompt);
        return {};
    }
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), TitleOrDefault(title),
                                               QString::fromStdString(prompt), QLineEdit::Normal, QString(), &accepted);
    return accepted ? text.toStdString() : std::string();
}

// The read-only check box that the flags hide does not exist here; overwriting is fine,
// since the chosen log file is appended to and the data file is rewritten anyway.
FileDialogResult QtDialogs::ChooseFile(const std::string& title, int /*flags*/) {
    if (Unattended()) {
        Report("file dialog", title);
        return {kFileDialogCancelled, kCancelDescription, {}};
    }
    const QString fileName = QFileDialog::getSaveFileName(QApplication::activeWindow(), QString::fromStdString(title),
                                                          QString(), QString(), nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
    if (fileName.isEmpty()) return {kFileDialogCancelled, kCancelDescription, {}};
    return {0, {}, fileName.toStdString()};
}

}  // namespace orvanta
