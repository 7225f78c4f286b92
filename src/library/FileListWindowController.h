// The recordings list window: the catalogue, newest first, with buttons to open the selected
// recording or screenshot, show its folder, or delete it (file and entry). It retitles itself
// when the language changes.
#pragma once

#include <QWidget>

class FileTableModel;
class FileTableView;
class QLabel;
class QPushButton;

class FileListWindowController : public QWidget {
    Q_OBJECT
public:
    explicit FileListWindowController(QWidget* parent = nullptr);
    ~FileListWindowController() override;

    // Reads the catalogue afresh into the list, scrolled to its top, with nothing selected.
    void setUPData();

    void playBtnAction();
    void editBtnAction();
    void openDirBtnAction();
    void deletedBtnAction();
    void ChangeLoanguage();

    FileTableView* tableView() const { return tableView_; }

private:
    // Opens the entry of `row` with the desktop's default application, or tells the user it
    // cannot be opened.
    void openRow(int row);
    void setRowButtonsEnabled(bool enabled);

    FileTableModel* model_ = nullptr;
    FileTableView* tableView_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QPushButton* playBtn_ = nullptr;
    QPushButton* editBtn_ = nullptr;
    QPushButton* openDirBtn_ = nullptr;
    QPushButton* deletedBtn_ = nullptr;
    // The row the buttons act on; -1 when none.
    int selectRow_ = -1;
};
