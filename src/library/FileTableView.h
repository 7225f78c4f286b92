// The recordings list's table: rows 44 high in alternating colours, one row selected at a time.
// A second press on the same row within 0.2 s opens it; a slower one only selects it.
#pragma once

#include <QTableView>

class FileTableModel;

// The timing of presses on rows: `press` says whether a press completes a double press.
class RowPressTiming {
public:
    static constexpr double kDoublePressSeconds = 0.2;
    // `t` in seconds; a press on another row starts afresh.
    bool press(int row, double t);

private:
    int row_ = -1;
    double clickTime_ = 0;
};

class FileTableView : public QTableView {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 44;

    explicit FileTableView(FileTableModel& model, QWidget* parent = nullptr);

    // The selected row, -1 when none.
    int selectedRow() const;

signals:
    // A double press on a row, or Enter on the current one.
    void selectItemDoubleClick(int row);
    void selectItem(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    RowPressTiming timing_;
};
