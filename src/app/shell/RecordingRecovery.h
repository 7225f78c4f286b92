// Recordings whose recorder died (killed, crashed, power lost), found by the journals they
// left: each file is checked and catalogued with its real length and size, or dropped when it
// holds nothing playable.
#pragma once

#include <QStringList>

namespace RecordingRecovery {

// The paths catalogued again; each journal is handled once.
QStringList recoverInterrupted();

} // namespace RecordingRecovery
