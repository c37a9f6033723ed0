#pragma once

namespace zr::window {

// The application's wait cursor while a transfer runs. Show and Hide may each
// come more than once (a transfer has several ends, and boxes pause it): the
// override cursor is set and restored at most once each, so it stays balanced.
class BusyCursor {
 public:
  BusyCursor() = default;
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
  ~BusyCursor() { Hide(); }

  void Show();
  void Hide();
  bool Shown() const { return shown_; }

 private:
  bool shown_ = false;
};

}  // namespace zr::window
