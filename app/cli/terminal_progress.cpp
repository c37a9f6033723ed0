#include "app/cli/terminal_progress.h"

#include <algorithm>

namespace zr::cli {

void TerminalProgress::Update(int frame, int resends, int plannedFrames) {
  if (!enabled_) return;
  if (frame == 1 && resends == 0) clock_.start();
  if (!clock_.isValid() || clock_.elapsed() < QuietMs) return;
  terminal_ << "\rframe " << frame << " of " << std::max(frame, plannedFrames) << ", " << resends
            << (resends == 1 ? " resend" : " resends") << "\x1b[K";
  terminal_.flush();
  shown_ = true;
}

void TerminalProgress::Clear() {
  if (!shown_) return;
  terminal_ << "\r\x1b[K";
  terminal_.flush();
  shown_ = false;
}

}  // namespace zr::cli
