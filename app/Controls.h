#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

#include "app/ClickLabel.h"

namespace tunelark {

// The window's controls, each made with its name, place and text as the window lays them
// out; places are relative to the parent.
// The hand pointer, for the controls that show it; every other control keeps the arrow.
void ShowHandPointer(QWidget* control);

[[nodiscard]] QPushButton* MakeButton(QWidget* parent, const char* name, QRect place,
                                      const QString& text);
[[nodiscard]] ClickLabel* MakeLabel(QWidget* parent, const char* name, QRect place,
                                    const QString& text);
[[nodiscard]] QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect place,
                                  const QString& text);
[[nodiscard]] QComboBox* MakeDropDown(QWidget* parent, const char* name, QRect place,
                                      const QStringList& items);
[[nodiscard]] QGroupBox* MakeGroup(QWidget* parent, const char* name, QRect place,
                                   const QString& title);
[[nodiscard]] ClickLabel* MakePicture(QWidget* parent, const char* name, QRect place,
                                      const QPixmap& picture);

}  // namespace tunelark
