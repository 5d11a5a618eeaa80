#include "ui/main/status_progress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "platform/text_codec.h"

namespace zarvex::ui {

StatusProgress::~StatusProgress() {
    while (busyDepth_ > 0)
        SetBusy(false);
}

void StatusProgress::SetProgressMax(int max) {
    bar_->setMaximum(max);
}

void StatusProgress::StepProgress(int delta) {
    bar_->setValue(std::min(bar_->maximum(), bar_->value() + delta));
}

void StatusProgress::SetProgressPosition(int position) {
    bar_->setValue(position);
}

void StatusProgress::SetStatusText(const std::string& text) {
    hint_->setText(platform::DecodeFieldText(text));
    // Long operations run on this thread; paint now so that the text is seen during them.
    if (hint_->isVisible())
        hint_->repaint();
}

// Nested operations turn the cursor on and off in pairs; only the outermost pair counts.
void StatusProgress::SetBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        if (--busyDepth_ == 0)
            QApplication::restoreOverrideCursor();
    }
}

}  // namespace zarvex::ui
