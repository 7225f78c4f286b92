#include "ScreenshotCommand.h"

#include "RecordCommand.h"
#include "Screenshot.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>

bool ScreenshotCommand::isCommandLine(int argc, char** argv) {
    return argc > 1 && std::strcmp(argv[1], "screenshot") == 0;
}

std::optional<QString> ScreenshotCommand::parse(int argc, char** argv, int& exitStatus) {
    QString output;
    QString error;
    for (int i = 2; i < argc && error.isEmpty(); ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == "--output" && i + 1 < argc)
            output = QString::fromLocal8Bit(argv[++i]);
        else if (argument.startsWith("--output="))
            output = argument.section('=', 1);
        else
            error = "unknown argument " + argument;
    }
    if (error.isEmpty() && !output.isEmpty() && QFileInfo(output).suffix().toLower() != "png")
        error = "--output " + output + " does not end in .png";
    if (error.isEmpty() && QFileInfo::exists(output))
        error = output + " exists already; Tapedeck does not overwrite screenshots";
    if (error.isEmpty())
        return output.isEmpty() ? output : QFileInfo(output).absoluteFilePath();
    std::fprintf(stderr, "tapedeck: %s\nUsage: tapedeck screenshot [--output PATH.png]\n",
                 qPrintable(error));
    exitStatus = RecordCommand::BadOptions;
    return std::nullopt;
}

int ScreenshotCommand::run(const QString& output) {
    const QString path = Screenshot::saveImage(Screenshot::getmainDesktopImage(), output);
    if (path.isEmpty()) {
        std::fprintf(stderr, "tapedeck: the screenshot could not be taken or written\n");
        return RecordCommand::Failed;
    }
    std::printf("%s\n", qPrintable(path));
    return RecordCommand::Finished;
}
