#pragma once

#include <QIcon>

namespace zelvane {

// The toolbar's pictures, drawn here so the program carries no image files of others.
// An unknown command gets an empty icon.
QIcon ToolbarIcon(int commandId);

// The program's own icon: an up arrow on a dance panel.
QIcon ProgramIcon();

} // namespace zelvane
