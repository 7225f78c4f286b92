// Web addresses kept in the string tables ("HelpUrl", "HomeUrl"). An address with a scheme is
// used as it is; a relative one names a page shipped inside Tapedeck, which is written out to
// the cache folder so that the desktop's browser can open it.
#pragma once

#include <QString>
#include <QUrl>

// An invalid URL when a relative address names no shipped page or it cannot be written out.
QUrl urlForAddress(const QString& address);
