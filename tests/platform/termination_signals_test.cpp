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

// The signals blocked as the program blocks them; the test process gets its mask back afterwards.
class TerminationSignalsTest : public ::testing::Test {
 protected:
  void SetUp() override { pthread_sigmask(SIG_SETMASK, nullptr, &mask_); BlockTerminationSignals(); }
  void TearDown() override { pthread_sigmask(SIG_SETMASK, &mask_, nullptr); }

 private:
  sigset_t mask_{};
};

TEST_F(TerminationSignalsTest, EachSignalReachesTheCallbackOnTheEventLoop) {
  ASSERT_EQ(raise(SIGINT), 0);  // before the receiver exists: kept pending, not lost
  std::vector<int> received;
  TerminationSignals termination([&received](int signalNumber) { received.push_back(signalNumber); });
  ASSERT_EQ(raise(SIGTERM), 0);
  ASSERT_EQ(raise(SIGHUP), 0);
  EXPECT_TRUE(received.empty());  // not from inside the signal
  const QDeadlineTimer deadline(2000);
  while (received.size() < 3 && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }
  EXPECT_THAT(received, ::testing::UnorderedElementsAre(SIGINT, SIGTERM, SIGHUP));
  EXPECT_EQ(termination.Received(), received.empty() ? 0 : received.front());
}

}  // namespace
}  // namespace zr::platform
