// The recordings list's rows: one per catalogue entry, newest first, with the name, duration,
// size and date columns under localised headers.
#pragma once

#include <QAbstractTableModel>
#include <QVariantList>
#include <QVariantMap>

class FileTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setItems(const QVariantList& items);
    QVariantMap item(int row) const;
    int count() const { return int(items_.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The headers speak the current language.
    void changeLanguage();

    // "HH:MM:SS" of the whole seconds, the hours wrapping at 60.
    static QString durationText(double seconds);
    // Bytes as "%.2f M" of millions.
    static QString sizeText(double bytes);

private:
    QVariantList items_;
};
