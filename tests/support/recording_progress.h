// A progress sink for tests: every call as one line of text, in order.
#pragma once

#include <string>
#include <vector>

#include "model/progress.h"

namespace zarvex::testing {

// "max 25", "step 10", "pos 0", "status Saving Data ... ...", "busy 1".
class RecordingProgress final : public IProgress {
  public:
    void SetProgressMax(int max) override { events.push_back("max " + std::to_string(max)); }
    void StepProgress(int delta) override { events.push_back("step " + std::to_string(delta)); }
    void SetProgressPosition(int p) override { events.push_back("pos " + std::to_string(p)); }
    void SetStatusText(const std::string& t) override { events.push_back("status " + t); }
    void SetBusy(bool busy) override { events.push_back(busy ? "busy 1" : "busy 0"); }
    // True when nothing was shown, or what was shown was taken back at the end.
    bool EndsReset() const {
        const std::size_t n = events.size();
        return n == 0 || (n >= 3 && events[n - 3] == "pos 0" && events[n - 2] == "status " &&
                          events[n - 1] == "busy 0");
    }
    std::vector<std::string> events;
};

}  // namespace zarvex::testing
