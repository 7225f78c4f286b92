#include "RecordingRecovery.h"

#include <QFileInfo>

#include "Catalogue.h"
#include "EncodeManager.h"
#include "OutputNames.h"
#include "RecordingJournal.h"

QStringList RecordingRecovery::recoverInterrupted() {
    QStringList recovered;
    for (const RecordingJournal::Entry& e : RecordingJournal().abandoned()) {
        EncodeManager::finishInterruptedFile(e.path);
        const int64_t ms = EncodeManager::mediaDuration(e.path);
        Catalogue catalogue;
        if (ms > 0) {
            const double seconds = double(ms) / 1000.0, size = double(QFileInfo(e.path).size());
            // Killed while stopping, the entry is there already with the last progress report.
            if (!catalogue.update(e.path, {{"duration", seconds}, {"size", size}}))
                catalogue.insert(Catalogue::recordingEntry(
                    e.path, seconds, size, OutputNames::dateToString(e.start), e.isVideo));
            recovered << e.path;
        } else if (QFileInfo::exists(e.path)) {
            catalogue.remove(e.path);
        }
        RecordingJournal::remove(e);
    }
    return recovered;
}
