// The recording host and the game window fixture.
#include "game_fixture.hpp"

#include <unistd.h>

#include "platform/platform_state.hpp"
#include "platform/timer_queue.hpp"
#include "rules/colour_generator.hpp"
#include "rules/shot_rules.hpp"
#include "screen/control_ids.hpp"
#include "sound/sound_player.hpp"

namespace {

std::string fileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void RecordingHost::playSound(const std::string& path, bool) {
  for (uint32_t index = SoundPlayer::FirstSound; index <= SoundPlayer::LastSound; ++index) {
    const std::u16string name = soundFileName(index);
    if (fileNameOf(path) == fileNameOf(std::string(name.begin(), name.end()))) {
      sounds_.push_back(index);
    }
  }
}

std::vector<uint32_t> RecordingHost::takeSounds() {
  std::vector<uint32_t> taken;
  taken.swap(sounds_);
  return taken;
}

void RecordingHost::announce(std::string_view text, AnnouncementPriority priority) {
  announcements_.push_back((priority == AnnouncementPriority::Assertive ? "assertive: " : "") + std::string(text));
}

std::vector<std::string> RecordingHost::takeAnnouncements() {
  std::vector<std::string> taken;
  taken.swap(announcements_);
  return taken;
}

uint32_t RecordingHost::sendWebRequest(const WebRequest& request) {
  if (offline) return 0;
  requests_.push_back(request);
  return ++requestsSent_;
}

std::vector<WebRequest> RecordingHost::takeRequests() {
  std::vector<WebRequest> taken;
  taken.swap(requests_);
  return taken;
}

void GameWindowTest::SetUp() {
  setCurrentHost(&host);
  directory = std::filesystem::temp_directory_path() /
              ("quandrel-screen-" + std::to_string(getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::create_directories(directory);
  window = std::make_unique<GameWindow>(images, (directory / "quandrel.ini").u16string());
  ASSERT_TRUE(window->Create(0, 0, 480, 720));
  host.takeSounds();
}

void GameWindowTest::TearDown() {
  window.reset();
  setCurrentHost(nullptr);
  std::filesystem::remove_all(directory);
}

// The first seed whose draws, modulo 6, come out as `draws`: the game's own
// generator then gives the test the colours (and drift counts) it wants.
void GameWindowTest::scriptDraws(const std::vector<int32_t>& draws) {
  for (uint32_t seed = 0;; ++seed) {
    ColourGenerator generator;
    generator.seed(seed);
    bool matches = true;
    for (int32_t draw : draws) matches = matches && generator.next() % 6 == draw;
    if (matches) {
      window->play.generator.seed(seed);
      return;
    }
  }
}

void GameWindowTest::openMenu() { window->OnTimer(TimerId::splash); }

void GameWindowTest::continueAt(int32_t level) {
  openMenu();
  window->settings.level = level;
  window->settings.Save();
  window->handleCommand(ControlId::continueGame, 0);
  host.takeSounds();
}

void GameWindowTest::aimAt(int32_t slot) {
  const int32_t wanted = 105 + 23 * (slot == NoSlot ? 0 : slot + 1);
  while (window->play.sprayerX < wanted) window->OnLButtonDown(0, 400, 300);
  while (window->play.sprayerX > wanted) window->OnLButtonDown(0, 100, 300);
}

void GameWindowTest::fireAndLand() {
  window->handleCommand(ControlId::toolbar, ToolbarButton::fire);
  shotTicks(24);
}

void GameWindowTest::shotTicks(int count) {
  for (int i = 0; i < count; ++i) window->OnTimer(TimerId::shot);
}

bool GameWindowTest::timerRunning(uint32_t timerId) const {
  const TimerQueue& queue = timerQueue();
  for (size_t i = 0; i < queue.size(); ++i) {
    if (queue[i].window == window->m_hWnd && queue[i].id == timerId) return true;
  }
  return false;
}

void GameWindowTest::setTargets(const std::vector<int32_t>& states) {
  for (size_t k = 0; k < states.size(); ++k) window->play.tubes[k] = states[k];
}

std::vector<int32_t> GameWindowTest::targets() const {
  return std::vector<int32_t>(window->play.tubes.begin(), window->play.tubes.end());
}

void GameWindowTest::earnKeys(const std::vector<int32_t>& keys) {
  for (int32_t k : keys) window->play.keys[static_cast<size_t>(k)] = true;
}
