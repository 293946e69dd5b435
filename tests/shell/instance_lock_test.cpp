// The single-instance lock across processes: held by another running program, free once it
// dies however it ends.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/services/instance_lock.hpp"

using services::InstanceLock;

namespace {

class InstanceLockTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quandrel-lock-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory = pattern;
    setenv("XDG_RUNTIME_DIR", directory.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XDG_RUNTIME_DIR");
    std::filesystem::remove_all(directory);
  }

  // Another program that takes the lock and holds it until killed.
  struct Holder {
    pid_t pid;
    int input;
    InstanceLock result;
  };

  static Holder startHolder(const char* name) {
    int toHolder[2];
    int fromHolder[2];
    EXPECT_EQ(pipe2(toHolder, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(fromHolder, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toHolder[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromHolder[1], STDOUT_FILENO);
    char* const argv[] = {const_cast<char*>(QUANDREL_LOCK_HOLDER), const_cast<char*>(name), nullptr};
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, QUANDREL_LOCK_HOLDER, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(toHolder[0]);
    close(fromHolder[1]);
    char line[16] = {};
    EXPECT_GT(read(fromHolder[0], line, sizeof line - 1), 0);
    close(fromHolder[0]);
    return {pid, toHolder[1], static_cast<InstanceLock>(std::atoi(line))};
  }

  // Ends the holder the hard way: nothing of it gets to clean up.
  static void crash(const Holder& holder) {
    kill(holder.pid, SIGKILL);
    int status = 0;
    waitpid(holder.pid, &status, 0);
    close(holder.input);
  }

  std::filesystem::path directory;
};

TEST_F(InstanceLockTest, LockFileIsNamedAfterTheNameInTheRuntimeDirectory) {
  EXPECT_EQ(services::instanceLockPath(u"RidevuzuzUvi"), directory / "RidevuzuzUvi.lock");
  EXPECT_EQ(services::instanceLockPath(u"a/b"), directory / "a_b.lock");
}

TEST_F(InstanceLockTest, WithoutRuntimeDirectoryTheTemporaryDirectoryHoldsOneLockPerUser) {
  unsetenv("XDG_RUNTIME_DIR");
  setenv("TMPDIR", directory.c_str(), 1);
  const std::string own = "Game-" + std::to_string(getuid()) + ".lock";
  EXPECT_EQ(services::instanceLockPath(u"Game"), directory / own);
  setenv("XDG_RUNTIME_DIR", "relative/dir", 1);
  EXPECT_EQ(services::instanceLockPath(u"Game"), directory / own);
  EXPECT_EQ(services::instanceLockPath(u"a/b"), directory / ("a_b-" + std::to_string(getuid()) + ".lock"));
  unsetenv("TMPDIR");
}

TEST_F(InstanceLockTest, InTheSharedFolderTheSameUsersCopiesStillMeet) {
  unsetenv("XDG_RUNTIME_DIR");
  setenv("TMPDIR", directory.c_str(), 1);
  const Holder holder = startHolder("QuandrelLockF");
  EXPECT_EQ(holder.result, InstanceLock::Acquired);
  EXPECT_EQ(services::acquireInstanceLock(u"QuandrelLockF"), InstanceLock::HeldByAnotherProcess);
  crash(holder);
  unsetenv("TMPDIR");
}

TEST_F(InstanceLockTest, SecondCopyIsRefusedWhileTheFirstRunsAndAdmittedAfterItDies) {
  const Holder holder = startHolder("QuandrelLockA");
  EXPECT_EQ(holder.result, InstanceLock::Acquired);
  EXPECT_EQ(services::acquireInstanceLock(u"QuandrelLockA"), InstanceLock::HeldByAnotherProcess);
  EXPECT_EQ(services::acquireInstanceLock(u"QuandrelLockA"), InstanceLock::HeldByAnotherProcess);
  crash(holder);
  EXPECT_TRUE(std::filesystem::exists(directory / "QuandrelLockA.lock"));
  EXPECT_EQ(services::acquireInstanceLock(u"QuandrelLockA"), InstanceLock::Acquired);
}

TEST_F(InstanceLockTest, HolderKeepsItsLockAndOthersAreRefused) {
  EXPECT_EQ(services::acquireInstanceLock(u"QuandrelLockB"), InstanceLock::Acquired);
  EXPECT_EQ(services::acquireInstanceLock(u"QuandrelLockB"), InstanceLock::Acquired);
  const Holder holder = startHolder("QuandrelLockB");
  EXPECT_EQ(holder.result, InstanceLock::HeldByAnotherProcess);
  crash(holder);
}

TEST_F(InstanceLockTest, DifferentNamesDoNotMeet) {
  const Holder holder = startHolder("QuandrelLockC");
  EXPECT_EQ(holder.result, InstanceLock::Acquired);
  EXPECT_EQ(services::acquireInstanceLock(u"QuandrelLockD"), InstanceLock::Acquired);
  crash(holder);
}

TEST_F(InstanceLockTest, UnusableDirectoryOrNameIsReportedAsUnavailable) {
  setenv("XDG_RUNTIME_DIR", (directory / "missing").c_str(), 1);
  EXPECT_EQ(services::acquireInstanceLock(u"QuandrelLockE"), InstanceLock::Unavailable);
  EXPECT_EQ(services::acquireInstanceLock(u""), InstanceLock::Unavailable);
}

}  // namespace
