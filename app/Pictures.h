#pragma once

#include <QPixmap>

namespace tunelark {

// The about page's pictures, drawn at run time: the program's card and two link badges.
[[nodiscard]] QPixmap DrawAboutCard(QSize size);
enum class Badge { Community, Forum };
[[nodiscard]] QPixmap DrawBadge(QSize size, Badge badge);

}  // namespace tunelark
