#include "app/MeterwinMain.h"

#include "app/AboutDialog.h"
#include "app/CommandKeys.h"
#include "app/FieldCaptions.h"
#include "app/LogoArt.h"
#include "app/NotesValidator.h"
#include "app/ShortcutKeys.h"
#include "app/TrendsWindow.h"
#include "app/WindowCommands.h"
#include "app/WindowFit.h"
#include "commands/Activation.h"
#include "commands/Timer1_Timer.h"
#include "commands/WebPage.h"
#include "logs/ErrorDump.h"
#include "platform/ProgramEnd.h"
#include "ui_MeterwinMain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <exception>

namespace {

constexpr int StatusLineMilliseconds = 2000;

// The form is set up before the view looks for its controls.
QWidget& withForm(Ui::MeterwinMain& ui, QWidget& window) {
    auto* form = new QWidget;
    form->setObjectName(QStringLiteral("MeterwinForm"));
    ui.setupUi(form);
    window.setObjectName(QStringLiteral("MeterwinMain"));
    window.setWindowTitle(form->windowTitle());
    // The scroll area fits the form to itself: its own size first.
    window.resize(OpeningSize(window, *form));
    ScrollInto(window, *form);
    return window;
}

} // namespace

MeterwinMain::MeterwinMain(Program& program, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::MeterwinMain>()), program_(program),
      view_(withForm(*ui_, *this)) {
    ui_->Logo->setPixmap(QPixmap::fromImage(DrawLogo(112)));
    ui_->Logo->installEventFilter(this);
    timer1_.setInterval(StatusLineMilliseconds);
    timer1_.setSingleShot(true);
    connect(&timer1_, &QTimer::timeout, this, &MeterwinMain::tickTimer1);
    connectCommands();
    new CommandKeys(*this); // owned by the window, as are the next two
    new ShortcutKeys(*this);
    captions_ = new FieldCaptions(*this);
    ui_->Notes->setValidator(new NotesValidator(ui_->Notes));
}

MeterwinMain::~MeterwinMain() = default;

void MeterwinMain::connectCommands() {
    for (const auto& [name, command] : ButtonCommands()) {
        auto* button = findChild<QPushButton*>(name);
        connect(button, &QPushButton::clicked, this, [this, c = command] { run(c); });
    }
    for (const auto& [name, command] : CheckBoxCommands()) {
        auto* box = findChild<QCheckBox*>(name);
        connect(box, &QCheckBox::clicked, this, [this, c = command] { run(c); });
    }
    connect(ui_->About, &QPushButton::clicked, this, &MeterwinMain::showAbout);
    connect(ui_->Exit, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_->Trends, &QPushButton::clicked, this, &MeterwinMain::showTrends);
}

void MeterwinMain::showFirstTime() {
    // Loading may have put its outcome on the status line.
    if (program_.sheet.Timer1)
        timer1_.start();
    showSheet();
    show();
    activate();
    ui_->Date2->setFocus();
}

void MeterwinMain::run(const Command& command) {
    // Message boxes are modal; this only keeps a stray event out of a command.
    if (busy_ || failed_)
        return;
    busy_ = true;
    Sheet& sheet = program_.sheet;
    view_.readInto(sheet);
    // A status text shown by this command (re)starts the count of two seconds.
    sheet.Timer1 = false;
    bool ended = false;
    try {
        // Every command guards its own work; this is the last net, so that
        // nothing unexpected ever leaves the window unrecorded.
        DumpingFailures(program_, [&] {
            Guarded(program_, QStringLiteral("Program Error"), [&] { command(program_); });
        });
    } catch (const ProgramEnded&) {
        ended = true;
    }
    busy_ = false;
    if (ended) {
        endProgram();
        return;
    }
    if (sheet.Timer1)
        timer1_.start();
    else if (timer1_.isActive())
        sheet.Timer1 = true;
    showSheet();
}

void MeterwinMain::showSheet() {
    view_.show(program_.sheet);
    captions_->nameFields();
    applyOnTop();
    focusNamedField();
}

void MeterwinMain::focusNamedField() {
    QString& name = program_.sheet.FocusField;
    if (auto* field = name.isEmpty() ? nullptr : findChild<QWidget*>(name))
        field->setFocus();
    name.clear();
}

void MeterwinMain::activate() {
    run([](Program& program) { MeterwinMain_Activate(program.sheet); });
}

void MeterwinMain::applyOnTop() {
    const bool onTop = MainWindowOnTop(program_.sheet);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing the flag hides the window.
    if (visible)
        show();
}

void MeterwinMain::tickTimer1() {
    // Only the status line: the fields may hold typed text not yet copied.
    Timer1_Timer(program_.sheet);
    view_.showStatus(program_.sheet);
}

void MeterwinMain::endProgram() {
    failed_ = true;
    timer1_.stop();
    close();
}

void MeterwinMain::showAbout() {
    if (busy_ || failed_)
        return;
    busy_ = true;
    AboutDialog dialog(program_, this);
    dialog.exec();
    busy_ = false;
    if (dialog.programEnded()) {
        endProgram();
        return;
    }
    // Closing the box makes the main window the active one again.
    activate();
}

// Opens the Trends window, or raises it and reads the history log again, on
// the tariff as the fields show it now.
void MeterwinMain::showTrends() {
    if (busy_ || failed_)
        return;
    view_.readInto(program_.sheet);
    if (!trends_)
        trends_ = new TrendsWindow(program_.forms(), this);
    trends_->load(program_.sheet);
    trends_->show();
    trends_->raise();
    trends_->activateWindow();
}

void MeterwinMain::closeEvent(QCloseEvent* event) {
    // Exit and the window frame end the program at once; nothing is saved.
    timer1_.stop();
    if (trends_)
        trends_->close();
    event->accept();
}

bool MeterwinMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->Logo && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        run([](Program& program) {
            QCoreApplication::processEvents();
            Logo_Click(program);
        });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
