// No heap allocation in the steady state: composing frames, ticking timers,
// reloading cached pictures, drawing text drawn before, replaying sounds.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

#include "platform/canvas.hpp"
#include "platform/host.hpp"
#include "platform/imaging.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_functions.hpp"
#include "platform/ui_controls.hpp"
#include "recording_window.hpp"
#include "sound/sound_player.hpp"
#include "test_support.hpp"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

// The replacements pair malloc with free; GCC cannot see that across the
// replaced operators and warns.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  if (counting) ++allocations;
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

namespace {

// Counts the allocations made while `work` runs.
template <typename Work>
long allocationsDuring(Work&& work) {
  allocations = 0;
  counting = true;
  work();
  counting = false;
  return allocations;
}

// A host whose clock jumps straight to whatever the loop waits for.
class JumpingClockHost : public Host {
 public:
  uint64_t nowMs() override { return now_; }
  bool waitEvent(uint64_t deadlineMs, HostEvent&) override {
    now_ = deadlineMs;
    return false;
  }
  void present(const Canvas&, const MzRect&) override { ++frames; }
  void playSound(const std::string&, bool) override { ++sounds; }
  void showWindow(bool) override {}
  void raiseWindow() override {}
  void wake() override {}
  long frames = 0;
  long sounds = 0;

 private:
  uint64_t now_ = 0;
};

// A game-like window: a background, 50 sprites, a toolbar, a label; its
// timer moves a sprite, its ticks invalidate.
class BusyWindow : public RecordingWindow {
 public:
  BusyWindow() {
    backgroundImage.Assign(&background);
    spriteImage.Assign(&sprite);
    backgroundPicture.SetImage(&backgroundImage);
    backgroundPicture.SetPos(0, 0, 480, 625);
    AddUiWin(&backgroundPicture);
    for (int i = 0; i < 50; ++i) {
      sprites[i].SetImage(&spriteImage);
      sprites[i].SetPos(10 * i % 440, 8 * i, 32, 126);
      AddUiWin(&sprites[i]);
    }
    label.SetPos(3, 35, 96, 34);
    label.SetText(u"1250");
    AddUiWin(&label);
    toolbar.SetPos(0, 655, 480, 65);
    toolbar.SetButton(0, true, true, u"营救");
    toolbar.SetButton(1, true, true, u"发泄");
    toolbar.SetButton(2, true, true, u"返回");
    AddUiWin(&toolbar);
  }
  void OnTimer(uint32_t) override {
    shotY = (shotY + 15) % 450;
    sprites[0].SetPos(145, shotY, 16, 48);
    Invalidate();
  }

  Image background = solidImage(480, 625, packRgba(20, 40, 80, 255));
  Image sprite = solidImage(32, 126, packRgba(100, 0, 0, 128));
  ImagingHelper backgroundImage, spriteImage;
  UiPicture2 backgroundPicture;
  UiPicture2 sprites[50];
  UiStatic label;
  UiToolbar_Text toolbar;
  int32_t shotY = 0;
};

TEST(NoAllocation, ComposingFullFrames) {
  BusyWindow window;
  window.open();
  Canvas canvas;
  window.Paint(canvas);  // warm-up: glyphs are rasterised once
  EXPECT_EQ(allocationsDuring([&] {
              for (int i = 0; i < 20; ++i) window.Paint(canvas);
            }),
            0);
}

TEST(NoAllocation, TimersTickingAndFramesRepaintedThroughTheLoop) {
  JumpingClockHost host;
  setCurrentHost(&host);
  BusyWindow window;
  window.open();
  SetTimer(window.m_hWnd, 110, 50);
  SetTimer(window.m_hWnd, 111, 250);
  SetTimer(window.m_hWnd, 196, 30);
  while (pumpMessage(1000) != PumpResult::Idle) {
  }
  const long framesBefore = host.frames;
  EXPECT_EQ(allocationsDuring([&] {
              while (pumpMessage(11000) != PumpResult::Idle) {
              }
            }),
            0);
  EXPECT_GT(host.frames - framesBefore, 300);
  setCurrentHost(nullptr);
}

TEST(NoAllocation, ReloadingACachedPictureAndReplayingASound) {
  ScratchDirectory scratch;
  const std::u16string c0 = (scratch.path() / "c0.png").u16string();
  const std::u16string c1 = (scratch.path() / "c1.png").u16string();
  scratch.writePng("c0.png", 30, 40, 0xFF0000FF);
  scratch.writePng("c1.png", 30, 40, 0xFF00FF00);
  JumpingClockHost host;
  setCurrentHost(&host);
  ImagingHelper preview;
  preview.LoadImageW(c0.c_str());
  preview.LoadImageW(c1.c_str());
  SoundPlayer sound;
  sound.playSound(1);
  PlaySoundW(u"./Sounds/laught.wav", SndFilename | SndAsync);
  EXPECT_EQ(allocationsDuring([&] {
              for (int shot = 0; shot < 100; ++shot) {
                preview.LoadImageW(shot % 2 ? c0.c_str() : c1.c_str());
                sound.playSound(1);
              }
            }),
            0);
  EXPECT_EQ(host.sounds, 102);
  setCurrentHost(nullptr);
}

}  // namespace
