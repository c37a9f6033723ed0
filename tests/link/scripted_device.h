#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "link/serial_device.h"
#include "record/factory_image.h"
#include "tools/radio-sim/radio_model.h"

namespace zr::testing {

// A serial device in memory: every frame written is kept, and the reply the
// script gives for it is handed out by the following reads, piece by piece
// when the script splits it. Time does not pass: silence is an empty read.
class ScriptedDevice : public SerialDevice {
 public:
  using Script = std::function<std::vector<Bytes>(const Bytes& frame)>;

  explicit ScriptedDevice(Script script) : script_(std::move(script)) {}

  qint32 Open(const QString& deviceName) override {
    openedNames.push_back(deviceName);
    if (openFails || open_) return 0;
    open_ = true;
    return 7;
  }
  bool GetState(LineState& state) override {
    state = line;
    return open_;
  }
  bool SetState(const LineState& state) override {
    if (setStateFails) return false;
    line = state;
    return open_;
  }
  bool SetTimeouts(const LineTimeouts& value) override {
    timeouts = value;
    return open_;
  }
  void Purge(PurgeFlags flags) override {
    purges.push_back(flags);
    if (HasAny(flags, PurgeFlags::RxClear)) pending_.clear();
  }
  qint32 Write(const Bytes& bytes) override {
    written.push_back(bytes);
    for (Bytes& piece : script_(bytes)) pending_.push_back(std::move(piece));
    return static_cast<qint32>(bytes.size());
  }
  Bytes Read(int count) override {
    if (pending_.empty()) return {};
    Bytes& piece = pending_.front();
    const auto take = std::min<std::size_t>(piece.size(), static_cast<std::size_t>(count));
    Bytes out(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(take));
    piece.erase(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(take));
    if (piece.empty()) pending_.pop_front();
    return out;
  }
  void Close() override {
    open_ = false;
  }
  PortOpenError OpenError() const override { return openError; }

  bool IsOpen() const { return open_; }

  std::vector<Bytes> written;
  std::vector<QString> openedNames;
  std::vector<PurgeFlags> purges;
  LineState line{9600, 7, LineStopBits::Two, LineParity::Even, 0};
  LineTimeouts timeouts;
  bool openFails = false;
  PortOpenError openError = PortOpenError::None;  // what a failed open says of itself
  bool setStateFails = false;

 private:
  Script script_;
  std::deque<Bytes> pending_;
  bool open_ = false;
};

// A radio in memory that answers as the simulated radio does, from its block.
struct MemoryRadio {
  FactoryImage block;

  std::vector<Bytes> Answer(const Bytes& frame) {
    sim::RadioModel radio(block, {});
    std::vector<Bytes> replies;
    for (const sim::Exchange& exchange : radio.Receive(frame, {})) {
      if (!exchange.reply.empty()) replies.push_back(exchange.reply);
    }
    block = radio.Block();
    return replies;
  }
};

}  // namespace zr::testing
