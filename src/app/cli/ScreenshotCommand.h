// "tapedeck screenshot [--output PATH]": one screenshot of the main display without the main
// window, saved and catalogued as the tray's screenshot is; the file's path is printed.
#pragma once

#include <QString>

#include <optional>

namespace ScreenshotCommand {

bool isCommandLine(int argc, char** argv);
// The output path (empty: a fresh name in the output folder), or nothing after printing why
// the arguments are refused, with the status to exit with.
std::optional<QString> parse(int argc, char** argv, int& exitStatus);
// Needs the application object; the exit status.
int run(const QString& output);

} // namespace ScreenshotCommand
