#include "FileTableView.h"

#include "FileTableModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

#include <chrono>

namespace {
double nowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

bool RowPressTiming::press(int row, double t) {
    const bool twice = row == row_ && t - clickTime_ < kDoublePressSeconds;
    row_ = row;
    clickTime_ = t;
    return twice;
}

FileTableView::FileTableView(FileTableModel& model, QWidget* parent) : QTableView(parent) {
    setModel(&model);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setAlternatingRowColors(true);
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    // Normal rows alternate two greys; the selected row takes a third colour.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(0xfa, 0xfa, 0xfa));
    colours.setColor(QPalette::AlternateBase, QColor(0xec, 0xee, 0xf1));
    colours.setColor(QPalette::Highlight, QColor(0x3d, 0x7e, 0xd8));
    colours.setColor(QPalette::HighlightedText, Qt::white);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0x3d, 0x7e, 0xd8));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
    setPalette(colours);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (selectedRow() >= 0)
            emit selectItem(selectedRow());
    });
}

int FileTableView::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void FileTableView::mousePressEvent(QMouseEvent* event) {
    const int row = indexAt(event->position().toPoint()).row();
    QTableView::mousePressEvent(event);
    if (row >= 0 && event->button() == Qt::LeftButton && timing_.press(row, nowSeconds()))
        emit selectItemDoubleClick(row);
}

void FileTableView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The desktop's double-click interval is longer than the list's: count it as a press.
    mousePressEvent(event);
}

void FileTableView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && selectedRow() >= 0)
        emit selectItemDoubleClick(selectedRow());
    else
        QTableView::keyPressEvent(event);
}
