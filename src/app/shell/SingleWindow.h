// One Tapedeck window per user: the first window owns the session-bus name
// "org.tapedeck.Tapedeck"; a window started while it runs brings that one to the front instead
// and ends. "tapedeck record" does not take part and may run beside it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class SingleWindow : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tapedeck.Tapedeck")
public:
    // True when this process may open its window (the name is its own, or there is no session
    // bus to share); false when the running window was asked to come to the front.
    bool claim();
    // From now on a later start brings `window` to the front.
    void serve(QWidget* window);

public slots:
    Q_SCRIPTABLE void raise();

private:
    QPointer<QWidget> window_;
};
