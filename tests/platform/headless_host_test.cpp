// The headless host running the real message loop: virtual time, timers,
// input, dumps, screenshots, errors and the end of the script.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <iterator>
#include <mutex>
#include <thread>

#include "platform/announcements.hpp"
#include "platform/haptics.hpp"
#include "platform/imaging.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_functions.hpp"
#include "platform/sound_numbers.hpp"
#include "platform/ui_controls.hpp"
#include "recording_window.hpp"
#include "test_support.hpp"

namespace {

using Events = std::vector<std::string>;

// Command 999 posts the quit message with its argument as the exit code.
class ScriptWindow : public RecordingWindow {
 public:
  void handleCommand(uint32_t wParam, int32_t lParam) override {
    RecordingWindow::handleCommand(wParam, lParam);
    if (wParam == 999) PostQuitMessage(lParam);
  }
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

TEST(HeadlessHost, WaitsInVirtualTimeFiringTimersWhenDueAndNotBefore) {
  ScriptedHost script("wait 2999\ndump\nwait 1\ndump\nwait 100\n");
  ScriptWindow window;
  window.open();
  SetTimer(window.m_hWnd, 115, 3000);
  SetTimer(window.m_hWnd, 110, 50);
  EXPECT_EQ(runMessageLoop(), 0);
  const auto dumps = lines(script.output());
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_NE(dumps[0].find("\"t\":2999,"), std::string::npos);
  EXPECT_NE(dumps[1].find("\"t\":3000,"), std::string::npos);
  // 110 ticks at 50, 100, ... 3100; 115 at 3000, before 110's tick there
  // because it was started first.
  const auto first115 = std::find(window.events.begin(), window.events.end(), "timer 115");
  ASSERT_NE(first115, window.events.end());
  EXPECT_EQ(first115 - window.events.begin(), 59);
  EXPECT_EQ(std::count(window.events.begin(), window.events.end(), "timer 110"), 62);
  EXPECT_EQ(std::count(window.events.begin(), window.events.end(), "timer 115"), 1);
  KillTimer(window.m_hWnd, 110);
  KillTimer(window.m_hWnd, 115);
}

TEST(HeadlessHost, DumpShowsVisibleControlsTimersQuestionAndSoundsSinceTheLastDump) {
  ScriptedHost script("dump\ndump\n");
  ScriptWindow window;
  UiPicture2 background, hidden;
  UiStatic label;
  background.SetID(102);
  hidden.SetID(107);
  label.SetID(104);
  window.AddUiWin(&background);
  window.AddUiWin(&hidden);
  window.AddUiWin(&label);
  hidden.SetVisible(false);
  window.open();
  SetTimer(window.m_hWnd, 115, 3000);
  SetTimer(window.m_hWnd, 111, 250);
  const char16_t* const numbered[] = {u"./Sounds/a.wav", u"./Sounds/b.wav", u"./Sounds/bgmusic.wav",
                                      u"./Sounds/c.wav", u"./Sounds/d.wav", u"./Sounds/e.wav",
                                      u"./Sounds/ready.wav"};
  MzSetSoundNumbers(numbered, std::size(numbered));
  PlaySoundW(u"./Sounds/bgmusic.wav", SndFilename | SndAsync | SndLoop);
  PlaySoundW(u"./Sounds/ready.wav", SndFilename | SndAsync);
  announce("Tube 1, \"red\"\t1 of 3", AnnouncementPriority::Polite);
  announce("\xe6\x97\xb6\xe9\x97\xb4\xe5\x88\xb0\xe4\xba\x86", AnnouncementPriority::Assertive);
  runMessageLoop();
  MzSetSoundNumbers(nullptr, 0);
  EXPECT_EQ(lines(script.output()),
            (Events{"{\"t\":0,\"sounds\":[3,7],\"looping\":null,\"haptics\":[],\"announcements\":["
                    "{\"text\":\"Tube 1, \\\"red\\\"\\u00091 of 3\",\"priority\":\"polite\"},"
                    "{\"text\":\"\xe6\x97\xb6\xe9\x97\xb4\xe5\x88\xb0\xe4\xba\x86\",\"priority\":\"assertive\"}],"
                    "\"visible\":[102,104],"
                    "\"timers\":[[115,3000],[111,250]],\"focus\":null,\"focusPaused\":false,\"playing\":false,"
                    "\"question\":null,\"language\":\"zh\",\"shared\":[]}",
                    "{\"t\":0,\"sounds\":[],\"looping\":null,\"haptics\":[],\"announcements\":[],\"visible\":[102,104],"
                    "\"timers\":[[115,3000],[111,250]],\"focus\":null,\"focusPaused\":false,\"playing\":false,"
                    "\"question\":null,\"language\":\"zh\",\"shared\":[]}"}));
}

// The sounds and the looping sound of the one dump of a fresh host after `plays`.
std::string soundsDumpedAfter(const std::function<void()>& plays) {
  ScriptedHost script("dump\n");
  ScriptWindow window;
  window.open();
  plays();
  runMessageLoop();
  const std::string out = script.output();
  return out.substr(0, out.find(",\"haptics\""));
}

void play(const char16_t* name, bool loop = false) { PlaySoundW(name, SndFilename | SndAsync | (loop ? SndLoop : 0)); }

// The host knows no program's sounds: it reports them by the numbers the program handed in,
// and leaves out a sound that has none.
TEST(HeadlessHost, SoundsAreReportedByTheNumbersTheProgramHandsIn) {
  const char16_t* const numbered[] = {u"./Sounds/ready.wav", u".\\Sounds\\tune.wav", nullptr, u"Sounds/x.wav"};
  MzSetSoundNumbers(numbered, std::size(numbered));
  EXPECT_EQ(MzSoundNumberOfPath("/opt/game/Sounds/tune.wav"), 2u) << "'\\' counts as '/'";
  EXPECT_EQ(MzSoundNumberOfPath("/opt/game/Sounds/x.wav"), 4u);
  EXPECT_EQ(MzSoundNumberOfPath("/opt/game/Sounds/ready.wav.bak"), 0u);
  EXPECT_EQ(MzSoundNumberOfPath("/opt/game/OtherSounds/ready.wav"), 0u) << "the whole folder name matches";
  EXPECT_EQ(MzSoundNumberOfPath(""), 0u);

  EXPECT_EQ(soundsDumpedAfter([] {
              play(u"./Sounds/tune.wav", true);
              play(u"./Sounds/ready.wav");
              play(u"./Sounds/tune.wav", true);
            }),
            "{\"t\":0,\"sounds\":[2,1,2],\"looping\":2");
  EXPECT_EQ(soundsDumpedAfter([] {
              play(u"./Sounds/tune.wav", true);
              play(u"./Sounds/unnumbered.wav");
            }),
            "{\"t\":0,\"sounds\":[2],\"looping\":null")
      << "a sound without a number still ends the tune";

  const char16_t* const renumbered[] = {u"./Sounds/tune.wav"};
  MzSetSoundNumbers(renumbered, std::size(renumbered));
  EXPECT_EQ(soundsDumpedAfter([] {
              play(u"./Sounds/ready.wav");
              play(u"./Sounds/tune.wav", true);
            }),
            "{\"t\":0,\"sounds\":[1],\"looping\":1");
  MzSetSoundNumbers(nullptr, 0);
  EXPECT_EQ(soundsDumpedAfter([] { play(u"./Sounds/tune.wav", true); }), "{\"t\":0,\"sounds\":[],\"looping\":null");
}

// The pulses asked of the host, by name, in the one dump of a fresh host after `asks`.
std::string pulsesDumpedAfter(const std::function<void()>& asks) {
  ScriptedHost script("dump\ndump\n");
  ScriptWindow window;
  window.open();
  asks();
  runMessageLoop();
  const std::string out = script.output();
  const size_t from = out.find("\"haptics\":");
  EXPECT_NE(out.find("\"haptics\":[]", out.find('\n')), std::string::npos) << "the second dump has none left";
  return out.substr(from, out.find(",\"announcements\"") - from);
}

TEST(HeadlessHost, PulsesAreReportedByNameAndNoneIsAskedWithVibrationOff) {
  EXPECT_TRUE(hapticsEnabled()) << "on until switched off";
  EXPECT_EQ(pulsesDumpedAfter([] {
              EXPECT_TRUE(requestHapticPulse(HapticPulse::Spoil));
              requestHapticPulse(HapticPulse::Complete);
              requestHapticPulse(HapticPulse::GameOver);
              requestHapticPulse(HapticPulse::Spoil);
            }),
            "\"haptics\":[\"spoil\",\"complete\",\"gameover\",\"spoil\"]");
  setHapticsEnabled(false);
  EXPECT_EQ(pulsesDumpedAfter([] { EXPECT_FALSE(requestHapticPulse(HapticPulse::Spoil)); }), "\"haptics\":[]");
  setHapticsEnabled(true);
  EXPECT_EQ(pulsesDumpedAfter([] { requestHapticPulse(HapticPulse::Complete); }), "\"haptics\":[\"complete\"]");
  // Two short pulses with a pause between: on, off, on.
  EXPECT_EQ(hapticPattern(HapticPulse::Complete).size(), 3u);
  EXPECT_GT(hapticPattern(HapticPulse::GameOver)[0], 2 * hapticPattern(HapticPulse::Spoil)[0]);
}

TEST(HeadlessHost, TapsKeysAndCommandsReachTheWindow) {
  ScriptedHost script("tap 20 530\ntap 300 300\nkey Alt+F11\ncommand 101 2\ndown 5 5\nmove 6 6\nup 7 7\n");
  ScriptWindow window;
  UiButton_Image button;
  button.SetID(114);
  button.SetPos(2, 512, 50, 50);
  window.AddUiWin(&button);
  window.open();
  runMessageLoop();
  const std::string f11 = std::to_string(static_cast<int>(MzKey::F11));
  EXPECT_EQ(window.events, (Events{"command 114 0", "down 300 300", "up 300 300", "key " + f11 + " 1",
                                   "command 101 2", "down 5 5", "move 6 6", "up 7 7"}));
}

TEST(HeadlessHost, QuitEndsTheScriptAndThePostedExitCodeEndsTheLoop) {
  {
    ScriptedHost script("quit\ncommand 1\n");
    ScriptWindow window;
    window.open();
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_TRUE(window.events.empty());
    EXPECT_FALSE(script.host().failed());
  }
  {
    ScriptedHost script("command 999 7\ncommand 1\n");
    ScriptWindow window;
    window.open();
    EXPECT_EQ(runMessageLoop(), 7);
    EXPECT_EQ(window.events, (Events{"command 999 7"}));
  }
}

TEST(HeadlessHost, AMalformedLineStopsTheScriptWithItsLineNumber) {
  ScriptedHost script("# setup\ncommand 1\n\nwait soon\ncommand 2\n");
  ScriptWindow window;
  window.open();
  runMessageLoop();
  EXPECT_TRUE(script.host().failed());
  EXPECT_EQ(script.errors(), "error: line 4: wait needs one number of milliseconds (0..604800000)\n");
  EXPECT_EQ(window.events, (Events{"command 1 0"}));
}

TEST(HeadlessHost, AnswerWithoutAQuestionIsAnError) {
  ScriptedHost script("answer yes\n");
  ScriptWindow window;
  window.open();
  runMessageLoop();
  EXPECT_EQ(script.errors(), "error: line 1: no question is open\n");
}

TEST(HeadlessHost, TheScriptFillsTheClipboardAndSharedTextsAreDumpedOnce) {
  ScriptedHost script("command 1\nclipboard QRUN.abc\ncommand 2\ndump\ncommand 3\ndump\n");
  struct SharingWindow : ScriptWindow {
    void handleCommand(uint32_t wParam, int32_t) override {
      seen.push_back(currentHost()->clipboardText());
      if (wParam == 2) {
        EXPECT_EQ(currentHost()->shareText("Quandrel \"8\": é"), ShareOutcome::Copied);
      }
    }
    std::vector<std::string> seen;
  } window;
  window.open();
  runMessageLoop();
  // What was shared is on the clipboard afterwards, as a desktop's would be.
  EXPECT_EQ(window.seen, (std::vector<std::string>{"", "QRUN.abc", "Quandrel \"8\": é"}));
  const std::vector<std::string> dumps = lines(script.output());
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_TRUE(dumps[0].ends_with(",\"shared\":[\"Quandrel \\\"8\\\": é\"]}")) << dumps[0];
  EXPECT_TRUE(dumps[1].ends_with(",\"shared\":[]}")) << dumps[1];
}

// Replies arrive off the game's thread whenever they do; the script sees them
// only at its next wait, all that have arrived, in the order the requests
// were sent, and before the clock moves on.
TEST(HeadlessHost, WebRepliesAreTakenInAtTheNextWaitInTheOrderSent) {
  std::mutex mutex;
  std::condition_variable arrived;
  int transfers = 0;
  auto transfer = [&](const WebRequest& request, const std::atomic<bool>& stopping) {
    // The third request stays out until the host ends: its start says the
    // second's reply is in.
    {
      std::lock_guard<std::mutex> lock(mutex);
      ++transfers;
    }
    arrived.notify_all();
    while (request.url.ends_with("/slow") && !stopping) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    WebReply reply;
    reply.status = request.method == WebRequest::Method::Post ? 201 : 0;
    reply.body = request.url + " " + request.body;
    return reply;
  };
  std::istringstream script("command 1\ncommand 2\ncommand 3\nwait 5\ncommand 3\n");
  std::ostringstream out;
  std::ostringstream err;
  HeadlessHost host(script, out, err, transfer);
  setCurrentHost(&host);
  struct WebWindow : ScriptWindow {
    std::function<void()> awaitTransfers;
    void handleCommand(uint32_t wParam, int32_t) override {
      if (wParam == 1) {
        sent.push_back(currentHost()->sendWebRequest({WebRequest::Method::Post, "http://a/v1/runs", "{}"}));
        sent.push_back(currentHost()->sendWebRequest({WebRequest::Method::Get, "http://a/v1/runs/7", ""}));
        sent.push_back(currentHost()->sendWebRequest({WebRequest::Method::Get, "http://a/slow", ""}));
      }
      if (wParam == 2) awaitTransfers();
      events.push_back("command " + std::to_string(wParam) + " at " + std::to_string(GetTickCount()));
    }
    void OnWebReply(uint32_t request, int32_t status, std::string_view body) override {
      events.push_back("reply " + std::to_string(request) + " " + std::to_string(status) + " " + std::string(body) +
                       " at " + std::to_string(GetTickCount()));
    }
    std::vector<uint32_t> sent;
  } window;
  window.awaitTransfers = [&] {
    std::unique_lock<std::mutex> lock(mutex);
    arrived.wait(lock, [&] { return transfers == 3; });
  };
  window.open();
  runMessageLoop();
  setCurrentHost(nullptr);
  EXPECT_EQ(window.sent, (std::vector<uint32_t>{1, 2, 3}));
  EXPECT_EQ(window.events, (Events{"command 1 at 0", "command 2 at 0", "command 3 at 0", "reply 1 201 http://a/v1/runs {} at 0",
                                   "reply 2 0 http://a/v1/runs/7  at 0", "command 3 at 5"}));
  EXPECT_EQ(err.str(), "");
}

TEST(HeadlessHost, SilentModeIsSetByTheScript) {
  ScriptedHost script("silent on\ncommand 1\nsilent off\ncommand 2\n");
  struct SilenceWindow : ScriptWindow {
    void handleCommand(uint32_t, int32_t) override { seen.push_back(MzIsSilence()); }
    std::vector<bool> seen;
  } window;
  window.open();
  runMessageLoop();
  EXPECT_EQ(window.seen, (std::vector<bool>{true, false}));
}

TEST(HeadlessHost, RepaintsOnlyWhenSomethingWasInvalidated) {
  ScriptedHost script("wait 10\ncommand 1\nwait 1000\ncommand 2\nwait 10\n");
  struct MovingWindow : ScriptWindow {
    void handleCommand(uint32_t wParam, int32_t) override {
      if (wParam == 2) picture.SetPos(10, 10, 20, 20);
      frames.push_back(host->framesPresented());
    }
    UiPicture2 picture;
    HeadlessHost* host = nullptr;
    std::vector<uint64_t> frames;
  } window;
  window.host = &script.host();
  window.AddUiWin(&window.picture);
  window.open();
  runMessageLoop();
  ASSERT_EQ(window.frames.size(), 2u);
  EXPECT_EQ(window.frames[0], 1u);  // the first frame only
  EXPECT_EQ(window.frames[1], 1u);  // a second of nothing repaints nothing
  EXPECT_EQ(script.host().framesPresented(), 2u);
}

TEST(HeadlessHost, ScreenshotWritesTheCurrentFrameAsPng) {
  ScratchDirectory scratch;
  const auto shot = scratch.path() / "frame.png";
  ScriptedHost script("screenshot " + shot.string() + "\nscreenshot " + (scratch.path() / "no/such/dir.png").string() + "\n");
  ScriptWindow window;
  Image green = solidImage(1, 1, packRgba(0, 255, 0, 255));
  ImagingHelper greenImage;
  greenImage.Assign(&green);
  UiPicture2 picture;
  picture.SetImage(&greenImage);
  picture.SetPos(100, 100, 50, 50);
  window.AddUiWin(&picture);
  window.open();
  runMessageLoop();
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load(shot.c_str(), &width, &height, &channels, 4);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(width, 480);
  EXPECT_EQ(height, 720);
  const stbi_uc* inside = pixels + (120 * 480 + 120) * 4;
  const stbi_uc* outside = pixels + (300 * 480 + 300) * 4;
  EXPECT_EQ((std::vector<int>{inside[0], inside[1], inside[2], inside[3]}), (std::vector<int>{0, 255, 0, 255}));
  EXPECT_EQ((std::vector<int>{outside[0], outside[1], outside[2]}), (std::vector<int>{255, 255, 255}));
  stbi_image_free(pixels);
  EXPECT_NE(script.errors().find("error: line 2: cannot write "), std::string::npos);
  EXPECT_TRUE(script.host().failed());
}

}  // namespace
