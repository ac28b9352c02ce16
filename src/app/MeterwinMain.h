#pragma once

#include "app/SheetView.h"
#include "calc/Program.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class FieldCaptions;
class TrendsWindow;

namespace Ui {
class MeterwinMain;
}

// The main window: a thin view over the program. Before a command it copies
// what the user typed into the sheet, runs the command and shows the sheet
// again. The end of the program from any command closes the window.
class MeterwinMain final : public QWidget {
    Q_OBJECT

public:
    using Command = std::function<void(Program&)>;

    explicit MeterwinMain(Program& program, QWidget* parent = nullptr);
    ~MeterwinMain() override;

    // After loading: shows the sheet and the window, activates it and puts
    // the focus into `Date2`.
    void showFirstTime();
    // Runs a command as a button does.
    void run(const Command& command);
    // The program ended through a fatal message or the error dump (as opposed
    // to Exit or closing the window).
    bool endedByFailure() const { return failed_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectCommands();
    void showSheet();
    // After a refusal, the first field its messages name takes the focus.
    void focusNamedField();
    void activate();
    void applyOnTop();
    void tickTimer1();
    void endProgram();
    void showAbout();
    void showTrends();

    std::unique_ptr<Ui::MeterwinMain> ui_;
    Program& program_;
    SheetView view_;
    FieldCaptions* captions_ = nullptr; // a child of the window
    QPointer<TrendsWindow> trends_;     // while open
    QTimer timer1_;
    bool busy_ = false;
    bool failed_ = false;
};
