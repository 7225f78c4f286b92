// Tapedeck: the desktop screen recorder. "tapedeck" opens the main window; "tapedeck record"
// records and "tapedeck screenshot" takes a screenshot from the command line.
#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include <unistd.h>

#include "AppDelegate.h"
#include "AppMenus.h"
#include "ApplicationSetup.h"
#include "CameraSwitch.h"
#include "KTLog.h"
#include "Localization.h"
#include "MainWindow.h"
#include "NotificationCenter.h"
#include "Platform.h"
#include "RecordCommand.h"
#include "RecordFlows.h"
#include "RecordingRecovery.h"
#include "SRSetsWindowController.h"
#include "ScreenshotCommand.h"
#include "SingleWindow.h"
#include "StopSignals.h"

int main(int argc, char** argv) {
    const std::optional<ApplicationSetup::Backend> backend =
        ApplicationSetup::chooseBackend(argc, argv);
    if (!backend)
        return 2;
    // Parsed before anything needs a display, so help and option errors work anywhere.
    if (ScreenshotCommand::isCommandLine(argc, argv)) {
        int status = 0;
        const std::optional<QString> output = ScreenshotCommand::parse(argc, argv, status);
        if (!output)
            return status;
        QApplication app(argc, argv);
        return ScreenshotCommand::run(*output);
    }
    std::optional<RecordOptions> record;
    if (RecordCommand::isCommandLine(argc, argv)) {
        int status = 0;
        record = RecordCommand::parse(argc, argv, status);
        if (!record)
            return status;
        // Wayland keeps other programs' windows to the compositor.
        if (*backend == ApplicationSetup::Backend::Wayland && record->mode == 2) {
            std::fprintf(stderr, "tapedeck: a window cannot be recorded on Wayland; record an "
                                 "area instead\n");
            return 2;
        }
    }
    logToSystemJournal();
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Tapedeck");
    QCoreApplication::setApplicationName("Tapedeck");
    SingleWindow single;
    if (!record && !single.claim())
        return 0; // the running window came to the front
    std::unique_ptr<ApplicationSetup> setup = ApplicationSetup::create(*backend);
    if (!setup)
        return 1;
    // The display going away ends a recording as a stop does; then the process ends, as it
    // must without a display.
    setDisplayLostHandler([&setup, window = !record] {
        if (window)
            setup->flows().blockSignals(true); // its windows went with the display
        setup->flows().endRecording("Alert_Display_Lost");
        std::fflush(nullptr);
        _exit(RecordCommand::Failed);
    });
    // Recordings whose recorder died are catalogued now, and the user told once.
    const QStringList recovered = RecordingRecovery::recoverInterrupted();
    const QString recoveredText =
        Localization::localizedStringForKey("Alert_Recovered") + " " + recovered.join(", ");
    if (record) {
        if (!recovered.isEmpty())
            std::fprintf(stderr, "tapedeck: %s\n", qPrintable(recoveredText));
        // The terminal is told when sound goes missing; the recording goes on with silence.
        setup->setSoundMissingShown([](bool missing) {
            if (missing)
                std::fprintf(
                    stderr, "tapedeck: %s\n",
                    qPrintable(Localization::localizedStringForKey("Alert_Sound_Missing")));
        });
        return RecordCommand(setup->delegate(), setup->flows(), setup->platform().displays(),
                             [&](unsigned type, std::function<void()> flowing) {
                                 setup->chooseAudio(type, std::move(flowing));
                             })
            .run(*record);
    }

    setup->enableAreaSelection();
    MainWindow window(setup->delegate(), setup->flows());
    QObject::connect(&window, &MainWindow::audioSourceChosen,
                     [&](unsigned type) { setup->chooseAudio(type); });
    QObject::connect(&window, &MainWindow::modeChoiceShown, [&] { setup->stopAudioCapture(); });
    setup->delegate().ui.window = &window;
    AppMenus menus(setup->delegate(), setup->flows(), window);
    setup->showLevels(window.levelViews());
    HotkeyDispatcher& hotkeys = setup->installHotkeys();
    std::unique_ptr<SRSetsWindowController> settings;
    QObject::connect(&setup->delegate(), &AppDelegate::settingWindowRequested, [&] {
        if (!settings)
            settings = std::make_unique<SRSetsWindowController>(
                setup->delegate(), setup->flows().recordManager().encodeManager(), &hotkeys,
                setup->platform());
        settings->showWindow();
    });
    // Sound that went missing is shown, without stopping anything, until it is back.
    QMessageBox soundMissing(QMessageBox::Warning, QString(), QString(), QMessageBox::Ok, &window);
    soundMissing.setModal(false);
    const auto soundMissingText = [&] {
        soundMissing.setText(Localization::localizedStringForKey("Alert_Sound_Missing"));
    };
    setup->setSoundMissingShown([&](bool missing) {
        soundMissingText();
        soundMissing.setVisible(missing);
    });
    QObject::connect(&NotificationCenter::defaultCenter(),
                     &NotificationCenter::ChangeLanguageNotification, &soundMissing,
                     soundMissingText);
    // A logout or kill stops and saves a recording without asking, then quits so the clean-up
    // runs.
    StopSignals quitSignals;
    QObject::connect(&quitSignals, &StopSignals::stopRequested, &app, [&] {
        if (setup->delegate().ui.recording)
            setup->flows().recordScreenClicked();
        QCoreApplication::quit();
    });
    // A recording whose completion choice is to quit ends the program the same way.
    QObject::connect(&setup->flows(), &RecordFlows::quitRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    single.serve(&window);
    QMessageBox recoveredBox(QMessageBox::Information, QString(), recoveredText, QMessageBox::Ok,
                             &window);
    if (!recovered.isEmpty())
        recoveredBox.open();
    const int status = app.exec();
    // Quitting closes the floating camera picture and the camera.
    setup->flows().cameraSwitch().applicationWillTerminate();
    // Capture and routing end before the window whose views show the levels.
    settings.reset();
    setup.reset();
    return status;
}
