#pragma once
// The pictures of the window: the toolbar image strip and the icons, drawn by the program.

#include <QIcon>
#include <vector>

// Six 32 x 32 images with transparency: check all, uncheck all, refresh, privacy, delete,
// close.
std::vector<QIcon> ToolbarImages();
// The window's 16 x 16 icon.
QIcon WindowIcon();
// The program's 32 x 32 icon.
QIcon ApplicationIcon();
