#include "SRRecordAreaSession.h"

#include <QMetaObject>
#include <QPointer>

#include <algorithm>

#include "KTLog.h"
#include "Platform.h"
#include "SRRecordManager.h"
#include "SRRecordScreenWindowController.h"

SRRecordAreaSession::SRRecordAreaSession(SRRecordManager& manager, SRRecordScreenHost& host,
                                         Platform& platform)
    : manager_(manager), host_(host), platform_(platform) {}

void SRRecordAreaSession::startRecordScreen() {
    if (platform_.choosesScreen()) {
        // The desktop shows the screen only once the user has chosen it: the overlay goes on
        // that screen alone, over its picture. No choice is asked for while a recording runs.
        if (manager_.status() != SRRecordManager::Idle)
            return;
        platform_.chooseScreen(
            [self = QPointer(this)](std::optional<DisplayInfo> screen, const QString& error) {
                if (!screen) {
                    KTLOG("no screen to record: %s", qPrintable(error));
                    return;
                }
                if (self)
                    self->readyToRecordScreen({*screen});
            });
        return;
    }
    CaptureAuthorization& authorization = platform_.captureAuthorization();
    if (authorization.authorizationStatus(CaptureMediaType::Screen) ==
        AuthorizationStatus::Authorized) {
        readyToRecordScreen();
        return;
    }
    authorization.requestAccess(CaptureMediaType::Screen, [self = QPointer(this)](bool granted) {
        if (!granted) {
            KTLOG("screen capture refused");
            return;
        }
        if (self)
            QMetaObject::invokeMethod(
                self, [self] { self->readyToRecordScreen(); }, Qt::QueuedConnection);
    });
}

void SRRecordAreaSession::readyToRecordScreen(std::vector<DisplayInfo> screens) {
    if (manager_.status() != SRRecordManager::Idle)
        return;
    isDisableChangeScreen = false;
    clearRecordWindowControllerArray();
    // Before any overlay exists, so that none of them is among the windows.
    arrayRect = platform_.windowList().onScreenWindows();
    if (screens.empty())
        screens = platform_.displays().screens();
    for (const DisplayInfo& s : screens) {
        auto controller =
            std::make_shared<SRRecordScreenWindowController>(*this, manager_, host_, platform_);
        controller->startRecorderScreen(s);
        recordWindowControllerArray.push_back(std::move(controller));
    }
}

void SRRecordAreaSession::clearRecordWindowControllerArray() {
    std::vector<std::shared_ptr<SRRecordScreenWindowController>> controllers;
    controllers.swap(recordWindowControllerArray);
    for (const auto& controller : controllers) {
        controller->clearDelegate();
        controller->cleanup();
    }
    releaseLater(std::move(controllers));
}

void SRRecordAreaSession::changeKeyWindowWithScreen(const DisplayInfo& s) {
    if (isDisableChangeScreen)
        return;
    for (const auto& controller : recordWindowControllerArray) {
        if (controller->screen() == s) {
            controller->makeKeyAndOrderFront();
            return;
        }
    }
}

void SRRecordAreaSession::removeRecordWindowController(SRRecordScreenWindowController* controller) {
    auto found =
        std::find_if(recordWindowControllerArray.begin(), recordWindowControllerArray.end(),
                     [controller](const auto& c) { return c.get() == controller; });
    if (found == recordWindowControllerArray.end())
        return;
    std::shared_ptr<SRRecordScreenWindowController> removed = std::move(*found);
    recordWindowControllerArray.erase(found);
    removed->clearDelegate();
    removed->cleanup();
    releaseLater({std::move(removed)});
}

void SRRecordAreaSession::recordScreenWindowControllerDidSelectRegion(
    SRRecordScreenWindowController* controller) {
    for (const auto& c : recordWindowControllerArray) {
        if (c.get() != controller)
            c->orderOut();
    }
}

void SRRecordAreaSession::recordScreenWindowControllerRemoveEventMonitor(
    SRRecordScreenWindowController*) {
    for (const auto& c : recordWindowControllerArray)
        c->removeEventMonitor();
}

void SRRecordAreaSession::recordScreenWindowControllerDidCancel(SRRecordScreenWindowController*) {
    clearRecordWindowControllerArray();
    platform_.releaseChosenScreen();
}

void SRRecordAreaSession::recordScreenWindowController(SRRecordScreenWindowController*,
                                                       const QString&, bool) {
    clearRecordWindowControllerArray();
    platform_.releaseChosenScreen();
}

void SRRecordAreaSession::releaseLater(
    std::vector<std::shared_ptr<SRRecordScreenWindowController>> list) {
    if (list.empty())
        return;
    QMetaObject::invokeMethod(
        this, [list = std::move(list)] {}, Qt::QueuedConnection);
}
