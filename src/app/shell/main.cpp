// Tapedeck: the desktop screen recorder.
#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "AppDelegate.h"
#include "MainWindow.h"
#include "PulseAudioHardware.h"
#include "RecordFlows.h"
#include "X11Platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Tapedeck");
    QCoreApplication::setApplicationName("Tapedeck");
    std::unique_ptr<X11Platform> platform = X11Platform::create();
    if (!platform) {
        std::fprintf(stderr, "tapedeck: no X11 display (is DISPLAY set?)\n");
        return 1;
    }
    PulseAudioHardware audio;
    AppDelegate& delegate = AppDelegate::createSharedInstance(audio);
    RecordFlows flows(delegate, *platform);
    MainWindow window(delegate, flows);
    delegate.window = &window;
    window.show();
    return app.exec();
}
