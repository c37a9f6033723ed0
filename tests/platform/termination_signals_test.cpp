// Termination signals as calls on the event loop.
#include "platform/termination_signals.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <csignal>
#include <vector>

namespace zr::platform {
namespace {

// Blocks the signals for one test; the test process gets its mask and its
// SIGPIPE action back afterwards.
class TerminationSignalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pthread_sigmask(SIG_SETMASK, nullptr, &mask_);
    sigaction(SIGPIPE, nullptr, &pipeAction_);
    BlockTerminationSignals();
  }
  void TearDown() override {
    pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
    sigaction(SIGPIPE, &pipeAction_, nullptr);
  }

  // Runs the event loop until `count` signals came or a second has passed.
  bool Await(std::size_t count) const {
    const QDeadlineTimer deadline(1000);
    while (received.size() < count && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return received.size() >= count;
  }

  std::vector<int> received;

 private:
  sigset_t mask_{};
  struct sigaction pipeAction_{};
};

TEST_F(TerminationSignalsTest, EachSignalReachesTheCallbackOnTheEventLoop) {
  TerminationSignals termination([this](int signalNumber) { received.push_back(signalNumber); });
  EXPECT_EQ(termination.Received(), 0);
  ASSERT_EQ(raise(SIGTERM), 0);
  EXPECT_TRUE(received.empty());  // not from inside the signal
  ASSERT_TRUE(Await(1));
  EXPECT_EQ(received, std::vector<int>{SIGTERM});

  ASSERT_EQ(raise(SIGHUP), 0);
  ASSERT_EQ(raise(SIGINT), 0);
  ASSERT_TRUE(Await(3));
  EXPECT_THAT(received, ::testing::UnorderedElementsAre(SIGTERM, SIGHUP, SIGINT));
  EXPECT_EQ(termination.Received(), SIGTERM);
}

// Between the blocking at start-up and the window's creation nothing is lost.
TEST_F(TerminationSignalsTest, SignalFromBeforeTheReceiverExistedStillArrives) {
  ASSERT_EQ(raise(SIGINT), 0);
  TerminationSignals termination([this](int signalNumber) { received.push_back(signalNumber); });
  ASSERT_TRUE(Await(1));
  EXPECT_EQ(termination.Received(), SIGINT);
}

TEST_F(TerminationSignalsTest, BrokenPipeIsIgnored) {
  struct sigaction action{};
  sigaction(SIGPIPE, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_IGN);
}

}  // namespace
}  // namespace zr::platform
