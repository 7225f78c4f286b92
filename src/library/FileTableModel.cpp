#include "FileTableModel.h"

#include "Catalogue.h"
#include "Localization.h"

namespace {
// Header titles by column, the catalogue key shown under each.
constexpr const char* kTitleKeys[4] = {"FileName", "FileDuration", "FileSize", "FileDate"};
} // namespace

void FileTableModel::setItems(const QVariantList& items) {
    beginResetModel();
    items_ = items;
    endResetModel();
}

QVariantMap FileTableModel::item(int row) const {
    return row >= 0 && row < count() ? items_[row].toMap() : QVariantMap();
}

int FileTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int FileTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant FileTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const QVariantMap entry = item(index.row());
    switch (index.column()) {
    case 0:
        return entry.value("name").toString();
    case 1:
        // A picture has no length.
        return Catalogue::isImageEntry(entry) ? QString()
                                              : durationText(entry.value("duration").toDouble());
    case 2:
        return sizeText(entry.value("size").toDouble());
    case 3:
        return entry.value("date").toString();
    default:
        return {};
    }
}

QVariant FileTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= 4 ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return Localization::localizedStringForKey(kTitleKeys[section]);
}

void FileTableModel::changeLanguage() {
    emit headerDataChanged(Qt::Horizontal, 0, 3);
}

QString FileTableModel::durationText(double seconds) {
    const auto s = static_cast<unsigned long>(seconds > 0 ? seconds : 0);
    return QString::asprintf("%02lu:%02lu:%02lu", s / 3600 % 60, s / 60 % 60, s % 60);
}

QString FileTableModel::sizeText(double bytes) {
    return QString::asprintf("%.2f M", double(static_cast<qint64>(bytes)) / 1000000.0);
}
