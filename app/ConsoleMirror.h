#pragma once
// Where no one can see the window, its readings and status text go to standard output,
// one line each time they change.

#include <QTimer>
#include <string>

namespace orvanta {

class frmOrvanta;

class ConsoleMirror {
public:
    explicit ConsoleMirror(const frmOrvanta& form);

private:
    void PrintIfChanged();

    const frmOrvanta& form_;
    QTimer timer_;
    std::string lastLine_;
};

}  // namespace orvanta
