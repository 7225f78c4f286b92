// The process's broadcast notifications, one Qt signal each.
#pragma once

#include <QObject>

class NotificationCenter : public QObject {
    Q_OBJECT
public:
    static NotificationCenter& defaultCenter();

signals:
    // Posted after the user switched the interface language; open windows retitle themselves.
    void ChangeLanguageNotification();
};
