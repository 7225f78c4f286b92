#include "LevelBars.h"

#include <QHBoxLayout>

#include "Localization.h"
#include "NSVertProgressView.h"

LevelBars::LevelBars(QWidget* parent)
    : QWidget(parent), progressView_(new NSVertProgressView), systemBar_(new NSVertProgressView),
      micBar_(new NSVertProgressView) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (NSVertProgressView* bar : {progressView_, systemBar_, micBar_}) {
        bar->setFixedSize(8, 60);
        layout->addWidget(bar);
    }
    setMode(0);
    changeLanguage();
}

void LevelBars::changeLanguage() {
    const auto name = [](NSVertProgressView* bar, const char* key) {
        bar->setToolTip(Localization::localizedStringForKey(key));
        bar->setAccessibleName(bar->toolTip());
    };
    name(progressView_, "levelBar.toolTip");
    name(systemBar_, "systemLevelBar.toolTip");
    name(micBar_, "micLevelBar.toolTip");
}

void LevelBars::setMode(unsigned mode) {
    progressView_->setVisible(mode != 3);
    systemBar_->setVisible(mode == 3);
    micBar_->setVisible(mode == 3);
}

void LevelBars::clear() {
    for (NSVertProgressView* bar : {progressView_, systemBar_, micBar_})
        bar->setProgress(0);
}
