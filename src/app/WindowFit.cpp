#include "app/WindowFit.h"

#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int FrameBorder = 8;

} // namespace

void ScrollInto(QWidget& window, QWidget& form) {
    auto* scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("FormScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    // Tab goes from the last command back to the first field, not to the scroll area.
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(&form);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);
}

QSize OpeningSize(const QWidget& window, QWidget& form) {
    form.ensurePolished();
    const QSize designed = form.size().expandedTo(form.minimumSizeHint());
    const QScreen* screen = window.screen();
    if (!screen)
        return designed;
    // The desktop adds its frame only once the window is shown: room for a
    // title bar and usual borders.
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize room = screen->availableSize() - QSize(2 * FrameBorder, titleBar + 2 * FrameBorder);
    const int width = qMin(designed.width(), room.width());
    // Captions that wrap in a narrower window take more lines.
    const int height = qMax(designed.height(), form.heightForWidth(width));
    return QSize(width, qMin(height, room.height()));
}
