#pragma once

#include "calc/Program.h"
#include "commands/AboutBox.h"

#include <QDialog>
#include <memory>

namespace Ui {
class frmAbout;
}

// The modal About box `frmAbout`: a view of `AboutBox` as the main window is
// of the sheet.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    AboutDialog(Program& program, QWidget* parent);
    ~AboutDialog() override;

    const AboutBox& box() const { return box_; }
    // The program came to its end while the box was open.
    bool programEnded() const { return ended_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBox();
    void openWebSite();

    std::unique_ptr<Ui::frmAbout> ui_;
    Program& program_;
    AboutBox box_;
    bool ended_ = false;
};
