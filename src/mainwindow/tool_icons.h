// The pictures of the toolbar keys and of the tool display, drawn in code.
#pragma once

#include <string_view>

#include <QIcon>
#include <QPixmap>

namespace kardo {

// Picture of a key of the element, orientation, main or clock toolbar, by its key text.
QIcon KeyIcon(std::string_view key);
// Picture of a tool code for the tool display picSelected (the decoder shows one picture with
// or without clock input); a null pixmap for codes without one.
QPixmap ToolPicture(int tool);

} // namespace kardo
