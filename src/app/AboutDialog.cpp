#include "app/AboutDialog.h"

#include "app/LogoArt.h"
#include "platform/ProgramEnd.h"
#include "ui_frmAbout.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>

AboutDialog::AboutDialog(Program& program, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmAbout>()), program_(program) {
    ui_->setupUi(this);
    ui_->AboutLogo->setPixmap(QPixmap::fromImage(DrawLogo(144)));
    ui_->WebSite->installEventFilter(this);
    connect(ui_->ExitAbout, &QPushButton::clicked, this, &QDialog::accept);
    frmAbout_Load(box_);
    // Each time it becomes active it follows the main window's place on top;
    // it is only ever active while it is open, so once is enough.
    setWindowFlag(Qt::WindowStaysOnTopHint, AboutBoxOnTop(program_.sheet));
    showBox();
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::showBox() {
    setWindowTitle(box_.title);
    ui_->ProgName->setText(box_.ProgName.caption);
    ui_->ProgVersion->setText(box_.ProgVersion.caption);
    ui_->Notice->setText(box_.Notice.caption);
    ui_->WebSite->setText(box_.WebSite.caption);
    QPalette palette = ui_->WebSite->palette();
    palette.setColor(QPalette::WindowText, QColor(box_.WebSiteColour.red, box_.WebSiteColour.green,
                                                  box_.WebSiteColour.blue));
    ui_->WebSite->setPalette(palette);
    ui_->ExitAbout->setToolTip(box_.ExitAbout.toolTip);
}

void AboutDialog::openWebSite() {
    QCoreApplication::processEvents();
    try {
        WebSite_Click(program_, box_);
    } catch (const ProgramEnded&) {
        ended_ = true;
        reject();
        return;
    }
    showBox();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->WebSite) {
        const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        const bool pressed = event->type() == QEvent::KeyPress &&
                             (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space ||
                              static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return);
        if (clicked || pressed) {
            openWebSite();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
