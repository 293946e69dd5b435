// Reads the shell's apps-ask queue as the shell would while the real game
// starts and ends, and checks every byte of the two requests; a second start
// that is refused must tell the shell nothing.
#include <fcntl.h>
#include <mqueue.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char* QueueName = "/QueueNameOffAppsAskShellEvent";
constexpr size_t RequestBytes = 232;

using Request = std::vector<uint8_t>;

uint32_t wordAt(const Request& request, size_t offset) {
  return static_cast<uint32_t>(request[offset]) | static_cast<uint32_t>(request[offset + 1]) << 8 |
         static_cast<uint32_t>(request[offset + 2]) << 16 |
         static_cast<uint32_t>(request[offset + 3]) << 24;
}

bool zeroFrom(const Request& request, size_t offset) {
  for (size_t i = offset; i < request.size(); ++i) {
    if (request[i] != 0) return false;
  }
  return true;
}

class ShellAnnouncementTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* build = std::getenv("QUANDREL_BINARY_DIR");
    ASSERT_NE(build, nullptr);
    binary = std::filesystem::path(build) / "quandrel";
    ASSERT_TRUE(std::filesystem::exists(binary));
    directory = std::filesystem::temp_directory_path() /
                ("quandrel-app-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory / "first");
    std::filesystem::create_directories(directory / "second");
    for (const char* copy : {"first", "second"}) {
      std::filesystem::copy_file(binary, directory / copy / "quandrel");
    }
    mq_attr attributes{};
    attributes.mq_maxmsg = 10;
    attributes.mq_msgsize = RequestBytes;
    queue = mq_open(QueueName, O_RDONLY | O_CREAT | O_NONBLOCK, 0600, &attributes);
    ASSERT_NE(queue, static_cast<mqd_t>(-1));
    readAll();  // whatever earlier runs left behind
  }

  void TearDown() override {
    if (queue != static_cast<mqd_t>(-1)) mq_close(queue);
    std::filesystem::remove_all(directory);
  }

  std::vector<Request> readAll() {
    mq_attr attributes{};
    mq_getattr(queue, &attributes);
    std::vector<Request> requests;
    std::vector<uint8_t> buffer(static_cast<size_t>(attributes.mq_msgsize));
    for (;;) {
      const ssize_t size = mq_receive(queue, reinterpret_cast<char*>(buffer.data()), buffer.size(), nullptr);
      if (size < 0) break;
      requests.emplace_back(buffer.begin(), buffer.begin() + size);
    }
    return requests;
  }

  // The command that runs the copy in `copy` headless with its own lock directory.
  std::string gameCommand(const char* copy) const {
    const std::filesystem::path dir = directory / copy;
    return "(cd '" + dir.string() + "' && XDG_RUNTIME_DIR='" + directory.string() +
           "' ./quandrel --headless >/dev/null)";
  }

  std::filesystem::path binary;
  std::filesystem::path directory;
  mqd_t queue = static_cast<mqd_t>(-1);
};

}  // namespace

TEST_F(ShellAnnouncementTest, StartAndExitRequestsCarryTheirBytes) {
  ASSERT_EQ(std::system(("printf 'wait 100\\nquit\\n' | " + gameCommand("first")).c_str()), 0);
  const std::vector<Request> requests = readAll();
  ASSERT_EQ(requests.size(), 2u);
  for (const Request& request : requests) ASSERT_EQ(request.size(), RequestBytes);
  EXPECT_EQ(wordAt(requests[0], 0), 10u);
  EXPECT_NE(wordAt(requests[0], 4), 0u);  // the main window's handle
  EXPECT_TRUE(zeroFrom(requests[0], 8));
  EXPECT_EQ(wordAt(requests[1], 0), 11u);
  EXPECT_TRUE(zeroFrom(requests[1], 4));
}

TEST_F(ShellAnnouncementTest, RefusedSecondStartSendsNothing) {
  FILE* first = popen(gameCommand("first").c_str(), "w");
  ASSERT_NE(first, nullptr);
  std::fputs("wait 10\ndump\n", first);
  std::fflush(first);
  // The first copy has announced itself once its start request is queued.
  std::vector<Request> requests;
  for (int attempt = 0; attempt < 500 && requests.empty(); ++attempt) {
    usleep(10000);
    requests = readAll();
  }
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(wordAt(requests[0], 0), 10u);
  EXPECT_EQ(std::system(("printf 'dump\\n' | " + gameCommand("second")).c_str()), 0);
  EXPECT_TRUE(readAll().empty());
  std::fputs("quit\n", first);
  EXPECT_EQ(pclose(first), 0);
  requests = readAll();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(wordAt(requests[0], 0), 11u);
}
