// The session controller's side of the recording-area session.
#include "SRRecordManager.h"

#include "KTLog.h"
#include "Platform.h"

#include <QMetaObject>
#include <QPointer>

#include <algorithm>

void SRRecordManager::startRecordScreen() {
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

void SRRecordManager::readyToRecordScreen() {
    if (status() != Idle)
        return;
    isDisableChangeScreen = false;
    clearRecordWindowControllerArray();
    // Before any overlay exists, so that none of them is among the windows.
    arrayRect = platform_.windowList().onScreenWindows();
    if (!createRecordWindowController)
        return;
    for (const DisplayInfo& s : platform_.displays().screens()) {
        std::shared_ptr<SRRecordAreaController> controller = createRecordWindowController();
        controller->startRecorderScreen(s);
        recordWindowControllerArray.push_back(std::move(controller));
    }
}

void SRRecordManager::clearRecordWindowControllerArray() {
    std::vector<std::shared_ptr<SRRecordAreaController>> controllers;
    controllers.swap(recordWindowControllerArray);
    for (const auto& controller : controllers) {
        controller->clearDelegate();
        controller->cleanup();
    }
    releaseLater(std::move(controllers));
}

void SRRecordManager::changeKeyWindowWithScreen(const DisplayInfo& s) {
    if (isDisableChangeScreen)
        return;
    for (const auto& controller : recordWindowControllerArray) {
        if (controller->screen() == s) {
            controller->makeKeyAndOrderFront();
            return;
        }
    }
}

void SRRecordManager::removeRecordWindowController(SRRecordAreaController* controller) {
    auto found =
        std::find_if(recordWindowControllerArray.begin(), recordWindowControllerArray.end(),
                     [controller](const auto& c) { return c.get() == controller; });
    if (found == recordWindowControllerArray.end())
        return;
    std::shared_ptr<SRRecordAreaController> removed = std::move(*found);
    recordWindowControllerArray.erase(found);
    removed->clearDelegate();
    removed->cleanup();
    releaseLater({std::move(removed)});
}

void SRRecordManager::recordScreenWindowControllerDidSelectRegion(
    SRRecordAreaController* controller) {
    for (const auto& c : recordWindowControllerArray) {
        if (c.get() != controller)
            c->orderOut();
    }
}

void SRRecordManager::recordScreenWindowControllerRemoveEventMonitor(SRRecordAreaController*) {
    for (const auto& c : recordWindowControllerArray)
        c->removeEventMonitor();
}

void SRRecordManager::recordScreenWindowControllerDidCancel(SRRecordAreaController*) {
    clearRecordWindowControllerArray();
}

void SRRecordManager::recordScreenWindowController(SRRecordAreaController*, const QString&, bool) {
    clearRecordWindowControllerArray();
}

void SRRecordManager::releaseLater(std::vector<std::shared_ptr<SRRecordAreaController>> list) {
    if (list.empty())
        return;
    QMetaObject::invokeMethod(
        this, [list = std::move(list)] {}, Qt::QueuedConnection);
}
