#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

#include "record/factory_image.h"

namespace zr::test {

// The simulated radio (zr93kw-radio-sim) as a child process, with its own
// temporary port directory. Point the station at it with ZR93KW_PORT_DIR set
// to PortDir(). The simulator runs with --trace; its stderr goes to Trace().
//
//   RadioSimulator radio;
//   ASSERT_TRUE(radio.Start({"--no-answer", "read@0x30:1"}));
class RadioSimulator {
 public:
  // The radio keeps its block in an image file in the temporary directory.
  RadioSimulator();
  // Stops the simulator if it still runs.
  ~RadioSimulator();
  RadioSimulator(const RadioSimulator&) = delete;
  RadioSimulator& operator=(const RadioSimulator&) = delete;

  // Runs the simulator, in place of one that runs, with --port-dir, --port,
  // --image and --trace, then `options`, and waits for its ready line. Fails
  // with the simulator's stderr.
  ::testing::AssertionResult Start(const QStringList& options = {}, int port = 1);
  // The same with `block` in the image file first: the radio's block.
  ::testing::AssertionResult Start(const FactoryImage& block, const QStringList& options = {}, int port = 1);
  // SIGTERM, then waits for the exit; kills it if it does not end.
  void Stop();

  QString PortDir() const;  // holds only the COM<n> link
  QString Trace() const;    // the simulator's stderr so far

  // The image file, after the station wrote: what the radio kept.
  std::optional<FactoryImage> ReadImage() const;

 private:
  QTemporaryDir dir_;
  QString imagePath_;
  QProcess process_;
};

}  // namespace zr::test
