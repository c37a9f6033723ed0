#pragma once

#include <QString>

namespace zr::sim {

// A file descriptor that closes itself.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  void Reset();
  int Release();

 private:
  int fd_ = -1;
};

// The radio's end of the cable: a pseudo-terminal whose slave side the station
// opens through the link <port dir>/COM<n>. The port keeps a slave descriptor
// of its own, so the master sees no hang-up when the station closes its side.
class PtyPort {
 public:
  // Throws SetupError; refuses to replace an existing COM<n> entry.
  PtyPort(const QString& portDir, int port);
  ~PtyPort() { Unplug(); }
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  int MasterFd() const { return master_.Get(); }
  const QString& PortName() const { return portName_; }
  const QString& SlavePath() const { return slavePath_; }
  const QString& LinkPath() const { return linkPath_; }

  // Whether COM<n> is still there and still leads to this pseudo-terminal.
  bool LinkIntact() const;
  // Bytes sent to the station that it has not read yet.
  int UnreadByStation() const;
  // Removes the link (only while it is still ours) and closes the pseudo-terminal.
  void Unplug();

 private:
  QString portName_;
  QString linkPath_;
  QString slavePath_;
  UniqueFd master_;
  UniqueFd slave_;
};

}  // namespace zr::sim
