// Hands recordings to the desktop: opening one with the user's default application and showing
// its folder in the file manager.
#pragma once

#include <QString>

namespace DesktopFiles {

// True for a regular file (not a folder, not a link) of a type Tapedeck writes: its video and
// audio containers and PNG screenshots. Nothing else is handed to a default handler.
bool isOpenable(const QString& path);

// Opens the file with the desktop's default application; false when it is not openable.
bool openFile(const QString& path);

// Shows `folder` selected in its parent through the file manager's D-Bus service
// (org.freedesktop.FileManager1), else opens the folder itself. Returns at once.
void revealFolder(const QString& folder);

} // namespace DesktopFiles
