// Start-up: the whole game process, from exec to its first composed frame
// (headless: the first line it prints comes after that frame), next to
// reading and decoding the same start-up pictures alone, in the same run.
// The pictures are found by starting the game window in-process and noting
// every file it opens. Prints the medians and their ratio.
// Usage: startup_bench PATH_TO_quandrel [RUNS]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench_host.hpp"
#include "platform/image.hpp"
#include "platform/image_cache.hpp"
#include "platform/resources.hpp"
#include "platform/system/file_system.hpp"
#include "screen/game_window.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Passes everything to the real file system and notes the files opened.
class RecordingFileSystem final : public FileSystem {
 public:
  PathKind lookup(const std::string& path) override { return real_.lookup(path); }
  bool clearReadOnly(const std::string& path) override { return real_.clearReadOnly(path); }
  int open(const std::string& path, FileAccess access) override {
    opened.push_back(path);
    return real_.open(path, access);
  }
  int createTemporary(const std::string& besidePath, std::string& tempPath) override {
    return real_.createTemporary(besidePath, tempPath);
  }
  bool size(int file, uint64_t& bytes) override { return real_.size(file, bytes); }
  bool read(int file, void* buffer, size_t bytes) override { return real_.read(file, buffer, bytes); }
  bool write(int file, const void* data, size_t bytes) override { return real_.write(file, data, bytes); }
  bool copyPermissions(const std::string& fromPath, int file) override { return real_.copyPermissions(fromPath, file); }
  bool flush(int file) override { return real_.flush(file); }
  bool close(int file) override { return real_.close(file); }
  bool rename(const std::string& from, const std::string& to) override { return real_.rename(from, to); }
  bool remove(const std::string& path) override { return real_.remove(path); }

  std::vector<std::string> opened;

 private:
  FileSystem& real_ = systemFileSystem();
};

struct StartUpPictures {
  std::vector<std::string> files;
  size_t resources = 0;  // resources decoded at start-up
};

// Starts the game window in-process and notes what it decodes.
StartUpPictures startUpPictures(const fs::path& scratch) {
  RecordingFileSystem recording;
  StartUpPictures pictures;
  BenchHost host;
  setCurrentHost(&host);
  {
    ScopedFileSystem inPlace(recording);
    SharedImages images;
    const uint64_t decodesBefore = imageCache().decodeCount();
    const uint64_t readsBefore = imageCache().fileReadCount();
    GameWindow window(images, (scratch / "quandrel.ini").u16string());
    window.Create(0, 0, 480, 720);
    window.Show(true, true);
    window.UpdateWindow();
    for (const std::string& path : recording.opened) {
      const std::string extension = fs::path(path).extension().string();
      if (extension == ".png" || extension == ".jpg") pictures.files.push_back(path);
    }
    const uint64_t fileDecodes = imageCache().fileReadCount() - readsBefore;
    pictures.resources = imageCache().decodeCount() - decodesBefore - fileDecodes;
  }
  setCurrentHost(nullptr);
  return pictures;
}

// Reads and decodes the pictures once, keeping every one as the game does;
// returns seconds.
double decodeOnce(const StartUpPictures& pictures) {
  const auto start = Clock::now();
  std::vector<Image> decoded(pictures.files.size() + pictures.resources);
  size_t next = 0;
  for (const std::string& path : pictures.files) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!decodeImage(bytes, decoded[next++])) std::fprintf(stderr, "cannot decode %s\n", path.c_str());
  }
  const auto& entries = compiledResources().entries;
  for (size_t i = 0; i < pictures.resources && i < entries.size(); ++i) {
    decodeImage(std::span<const uint8_t>(entries[i].data, entries[i].size), decoded[next++]);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs the game headless until its first line; returns seconds. Its settings
// file stays from one run to the next, as for a player's every start but the
// first.
double processOnce(const fs::path& game) {
  int input[2];
  int output[2];
  if (pipe(input) != 0 || pipe(output) != 0) std::exit(1);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], 0);
  posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  posix_spawn_file_actions_addclose(&actions, input[1]);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  const std::string program = game.string();
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--headless"), nullptr};

  const auto start = Clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) != 0) std::exit(1);
  ::close(input[0]);
  ::close(output[1]);
  const char script[] = "dump\n";
  if (::write(input[1], script, sizeof script - 1) < 0) std::exit(1);
  ::close(input[1]);
  char c = 0;
  while (::read(output[0], &c, 1) == 1 && c != '\n') {
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  ::close(output[0]);
  int status = 0;
  waitpid(child, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  return seconds;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_bench PATH_TO_quandrel [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
  const fs::path source = fs::absolute(argv[1]);
  // A copy of the game in a scratch folder, its pictures and sounds linked in.
  const fs::path scratch = fs::temp_directory_path() / ("quandrel-startup-bench-" + std::to_string(getpid()));
  fs::create_directories(scratch / "run");
  fs::copy_file(source, scratch / "quandrel");
  fs::create_directory_symlink(source.parent_path() / "Images", scratch / "Images");
  fs::create_directory_symlink(source.parent_path() / "Sounds", scratch / "Sounds");
  setenv("XDG_RUNTIME_DIR", (scratch / "run").c_str(), 1);

  const StartUpPictures pictures = startUpPictures(scratch);
  std::vector<double> decodes;
  std::vector<double> processes;
  for (int run = 0; run < runs; ++run) {
    decodes.push_back(decodeOnce(pictures));
    processes.push_back(processOnce(scratch / "quandrel"));
  }
  fs::remove_all(scratch);

  const double decode = median(decodes);
  const double process = median(processes);
  std::printf("start-up pictures: %zu files, %zu resources\n", pictures.files.size(), pictures.resources);
  std::printf("decode_ms %.3f\n", decode * 1000);
  std::printf("process_ms %.3f\n", process * 1000);
  std::printf("ratio %.2f\n", process / decode);
  return 0;
}
