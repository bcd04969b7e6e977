#include "app/TabControl.h"

#include <QEvent>

#include "app/Controls.h"

namespace tunelark {

TabControl::TabControl(QWidget* parent, const char* name, QRect place)
    : QWidget(parent), pages_(new QStackedWidget(this)), headers_(new QTabBar(this)) {
    setObjectName(QString::fromUtf8(name));
    setGeometry(place);
    ShowHandPointer(this);
    pages_->setGeometry(0, 0, place.width(), place.height());
    headers_->setGeometry(0, 0, place.width(), kHeaderHeight);
    headers_->setExpanding(false);
    headers_->setDrawBase(false);
    headers_->raise();
    // The pages lie under the headers' strip: raised over it (as the full-screen player does
    // with the widgets around it), they would take every click meant for the headers.
    pages_->installEventFilter(this);
    connect(headers_, &QTabBar::currentChanged, pages_, &QStackedWidget::setCurrentIndex);
}

void TabControl::AddPage(QWidget* page, const QString& title) {
    page->setGeometry(0, 0, width(), height());
    // The hand pointer belongs to the headers, not to the controls on the page.
    page->setCursor(Qt::ArrowCursor);
    pages_->addWidget(page);
    headers_->addTab(title);
    headers_->raise();
}

void TabControl::SetCurrentPage(int index) {
    headers_->setCurrentIndex(index);
}

int TabControl::CurrentPage() const {
    return headers_->currentIndex();
}

bool TabControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pages_ && event->type() == QEvent::ZOrderChange) headers_->raise();
    return QWidget::eventFilter(watched, event);
}

}  // namespace tunelark
