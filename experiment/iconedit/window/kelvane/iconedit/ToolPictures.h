#pragma once
// The pictures of the tool strip, drawn here rather than shipped as files.

#include <QPixmap>

namespace kelvane {

enum class Tool { Paint, Fill, Line, Square, FilledSquare, Circle, FilledCircle, Region };
inline constexpr int ToolCount = 8;

QPixmap toolPicture(Tool tool);

} // namespace kelvane
