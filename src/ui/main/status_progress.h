// The window's side of the core's progress reports: the hint line, the progress
// bar and the application's busy cursor.
#pragma once

#include "model/progress.h"

class QLabel;
class QProgressBar;

namespace zarvex::ui {

class StatusProgress final : public IProgress {
  public:
    StatusProgress(QLabel* hintLine, QProgressBar* bar) : hint_(hintLine), bar_(bar) {}
    ~StatusProgress() override;

    void SetProgressMax(int max) override;
    void StepProgress(int delta) override;
    void SetProgressPosition(int position) override;
    void SetStatusText(const std::string& text) override;
    void SetBusy(bool busy) override;

  private:
    QLabel* hint_;
    QProgressBar* bar_;
    int busyDepth_ = 0;
};

}  // namespace zarvex::ui
