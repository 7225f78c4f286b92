// What a selection overlay tells its owner. Every callback is optional: the default answers
// false ("not answered") and the overlay then carries on as if nobody listened.
#pragma once

#include <QPointF>

class SRClipView;

class SRClipViewDelegate {
public:
    virtual ~SRClipViewDelegate() = default;

    // The pointer moved while nothing is chosen yet; location in the overlay's coordinates
    // (origin at the lower left of its screen, y up). The answer usually calls
    // setFrameForContentView with the window under the pointer.
    virtual bool clipViewMouseMoved(SRClipView*, const QPointF&) { return false; }
    virtual bool clipViewMouseDoubleClick(SRClipView*) { return false; }
    // A single click without drag on a watermark placement overlay.
    virtual bool clipViewClipCurrentWindow(SRClipView*) { return false; }
    // After a release that left the main screen's whole frame selected.
    virtual bool clipViewClipFullScreen(SRClipView*) { return false; }
    // The right mouse button was released.
    virtual bool clipViewCancleSelected(SRClipView*) { return false; }
    // Whether clipViewCancleSelected is answered: such an overlay hides itself after a release.
    virtual bool answersClipViewCancleSelected() const { return false; }
    // The toolbar has started to appear; without a toolbar, at every release.
    virtual bool recordViewDidShowToolBar(SRClipView*) { return false; }
    // OK pressed, or the recording starts by itself.
    virtual bool recordStartNote() { return false; }
    virtual bool cancelClip() { return false; }
};
