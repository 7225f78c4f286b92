#include "FileListWindowController.h"

#include "Catalogue.h"
#include "DesktopFiles.h"
#include "FileTableModel.h"
#include "FileTableView.h"
#include "Localization.h"
#include "NotificationCenter.h"
#include "OutputNames.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString tr_(const char* key) {
    return Localization::localizedStringForKey(key);
}
} // namespace

FileListWindowController::FileListWindowController(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    model_ = new FileTableModel(this);
    tableView_ = new FileTableView(*model_);
    titleLabel_ = new QLabel;
    titleLabel_->setStyleSheet("font-size: 15px; font-weight: bold;");
    playBtn_ = new QPushButton;
    editBtn_ = new QPushButton;
    openDirBtn_ = new QPushButton;
    deletedBtn_ = new QPushButton;
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(playBtn_);
    buttons->addWidget(editBtn_);
    buttons->addStretch();
    buttons->addWidget(openDirBtn_);
    buttons->addWidget(deletedBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel_);
    layout->addWidget(tableView_, 1);
    layout->addLayout(buttons);
    tableView_->horizontalHeader()->resizeSection(0, 220);
    tableView_->horizontalHeader()->resizeSection(1, 90);
    tableView_->horizontalHeader()->resizeSection(2, 90);
    resize(620, 420);

    connect(playBtn_, &QPushButton::clicked, this, &FileListWindowController::playBtnAction);
    connect(editBtn_, &QPushButton::clicked, this, &FileListWindowController::editBtnAction);
    connect(openDirBtn_, &QPushButton::clicked, this, &FileListWindowController::openDirBtnAction);
    connect(deletedBtn_, &QPushButton::clicked, this, &FileListWindowController::deletedBtnAction);
    connect(tableView_, &FileTableView::selectItem, this, [this](int row) {
        selectRow_ = row;
        setRowButtonsEnabled(true);
        openDirBtn_->setEnabled(true);
    });
    connect(tableView_, &FileTableView::selectItemDoubleClick, this,
            &FileListWindowController::openRow);
    connect(&NotificationCenter::defaultCenter(), &NotificationCenter::ChangeLanguageNotification,
            this, &FileListWindowController::ChangeLoanguage);
    ChangeLoanguage();
    setRowButtonsEnabled(false);
    openDirBtn_->setEnabled(false);
}

FileListWindowController::~FileListWindowController() = default;

void FileListWindowController::setUPData() {
    OutputNames::outputFolder();
    model_->setItems(Catalogue().read().value_or(QVariantList()));
    tableView_->clearSelection();
    selectRow_ = -1;
    setRowButtonsEnabled(false);
    openDirBtn_->setEnabled(false);
    tableView_->scrollToTop();
}

void FileListWindowController::ChangeLoanguage() {
    setWindowTitle(tr_("FileList"));
    titleLabel_->setText(tr_("FileList"));
    model_->changeLanguage();
    const std::pair<QPushButton*, const char*> buttons[] = {{playBtn_, "playBtn.toolTip"},
                                                            {editBtn_, "editBtn.toolTip"},
                                                            {openDirBtn_, "openDirBtn.toolTip"},
                                                            {deletedBtn_, "deletedBtn.toolTip"}};
    for (const auto& [button, key] : buttons) {
        button->setText(tr_(key));
        button->setToolTip(tr_(key));
    }
}

void FileListWindowController::setRowButtonsEnabled(bool enabled) {
    playBtn_->setEnabled(enabled);
    editBtn_->setEnabled(enabled);
    deletedBtn_->setEnabled(enabled);
}

void FileListWindowController::openRow(int row) {
    if (row < 0 || row >= model_->count())
        return;
    const QString path = model_->item(row).value("path").toString();
    if (DesktopFiles::openFile(path))
        return;
    QMessageBox::warning(this, tr_("Alert_Title"), tr_("Alert_DisableOpenFile_Message"));
}

void FileListWindowController::playBtnAction() {
    openRow(selectRow_);
}

void FileListWindowController::editBtnAction() {
    openRow(selectRow_);
}

void FileListWindowController::openDirBtnAction() {
    if (selectRow_ < 0 || selectRow_ >= model_->count())
        return;
    const QFileInfo file(model_->item(selectRow_).value("path").toString());
    if (QFileInfo(file.absolutePath()).isDir())
        DesktopFiles::revealFolder(file.absolutePath());
}

void FileListWindowController::deletedBtnAction() {
    if (selectRow_ < 0 || selectRow_ >= model_->count())
        return;
    Catalogue().remove(model_->item(selectRow_).value("path").toString());
    model_->setItems(Catalogue().read().value_or(QVariantList()));
    // The index stays on the list's last row at most, but no row shows selected.
    selectRow_ = std::min(selectRow_, model_->count() - 1);
    tableView_->clearSelection();
    setRowButtonsEnabled(false);
}
