// How long operations of the core report to whoever runs them: the window's hint
// line, progress bar and busy cursor, or nothing at all in the command-line tool.
#pragma once

#include <string>

namespace zarvex {

class IProgress {
  public:
    virtual ~IProgress() = default;
    virtual void SetProgressMax(int max) = 0;
    virtual void StepProgress(int delta) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetBusy(bool busy) = 0;
};

class NullProgress final : public IProgress {
  public:
    void SetProgressMax(int) override {}
    void StepProgress(int) override {}
    void SetProgressPosition(int) override {}
    void SetStatusText(const std::string&) override {}
    void SetBusy(bool) override {}
};

// Shows a status text and the busy cursor for its lifetime and resets bar,
// status text and cursor on every way out, errors included.
class ProgressScope {
  public:
    ProgressScope(IProgress& p, const std::string& status, int max = -1) : p_(p) {
        if (max >= 0)
            p_.SetProgressMax(max);
        p_.SetStatusText(status);
        p_.SetBusy(true);
    }
    ~ProgressScope() {
        p_.SetProgressPosition(0);
        p_.SetStatusText("");
        p_.SetBusy(false);
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    void Step(int delta) { p_.StepProgress(delta); }

  private:
    IProgress& p_;
};

}  // namespace zarvex
