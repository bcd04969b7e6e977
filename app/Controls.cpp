#include "app/Controls.h"

#include "app/WindowFont.h"

namespace tunelark {
namespace {

template <typename Control>
Control* Place(Control* control, const char* name, QRect place, bool withFont = true) {
    control->setObjectName(QString::fromUtf8(name));
    control->setGeometry(place);
    if (withFont) control->setFont(ControlFont());
    return control;
}

}  // namespace

void ShowHandPointer(QWidget* control) {
    control->setCursor(Qt::PointingHandCursor);
}

QPushButton* MakeButton(QWidget* parent, const char* name, QRect place, const QString& text) {
    return Place(new QPushButton(text, parent), name, place);
}

ClickLabel* MakeLabel(QWidget* parent, const char* name, QRect place, const QString& text) {
    auto* label = Place(new ClickLabel(text, parent), name, place);
    // Transparent: the page shows through.
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect place, const QString& text) {
    return Place(new QLineEdit(text, parent), name, place);
}

QComboBox* MakeDropDown(QWidget* parent, const char* name, QRect place, const QStringList& items) {
    auto* box = Place(new QComboBox(parent), name, place);
    box->addItems(items);
    box->setCurrentIndex(0);
    return box;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, QRect place, const QString& title) {
    return Place(new QGroupBox(title, parent), name, place);
}

ClickLabel* MakePicture(QWidget* parent, const char* name, QRect place, const QPixmap& picture) {
    auto* box = Place(new ClickLabel(parent), name, place, false);
    box->setPixmap(picture);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

}  // namespace tunelark
