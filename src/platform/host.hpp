// What the platform layer asks of a host (the SDL window, the headless script
// runner): time, input, frame output, sound, vibration, announcements, sharing
// and web requests. The platform calls a host only from the GUI thread, except
// Host::wake.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/announcements.hpp"
#include "platform/haptics.hpp"
#include "platform/mz_types.hpp"
#include "platform/web_request.hpp"

class Canvas;

// Where a shared text went.
enum class ShareOutcome : uint8_t {
  Copied,  // onto the clipboard: the game says so
  Handed,  // to the system's share sheet or the page, which tells the player itself
  Failed,  // nowhere
};

struct HostEvent {
  enum class Kind {
    PointerDown,  // x, y in window pixels
    PointerMove,
    PointerUp,
    Key,          // key, modifiers
    Command,      // a control's command as if the control had reported it: id, arg
    Answer,       // answers the open question box: yes
    Close,        // the user closes the window
    Wake,         // Host::wake was called
    FocusLost,    // the window lost the keyboard focus or was minimised
    FocusGained,  // the window has the keyboard focus again
    Pad,          // a gamepad button was pressed: pad
    WebReply,     // the reply to request `id` came: status in arg, body in text
  };
  Kind kind = Kind::Wake;
  int32_t x = 0;
  int32_t y = 0;
  MzKey key = MzKey::Unknown;
  uint32_t modifiers = 0;
  uint32_t id = 0;
  int32_t arg = 0;
  bool yes = false;
  MzPadButton pad = MzPadButton::A;
  std::string text;
};

// A web reply as the event that brings it to the game's thread.
HostEvent webReplyEvent(WebReply reply);

// A button of the current screen, for a host that mirrors the screen's
// buttons for assistive technology: its name in the shown language (UTF-8),
// where it lies, and whether it holds the focus ring.
struct ButtonDescription {
  std::string name;
  MzRect rect{};
  bool focused = false;
  bool operator==(const ButtonDescription& other) const {
    return name == other.name && focused == other.focused && rect.left == other.rect.left &&
           rect.top == other.rect.top && rect.right == other.rect.right && rect.bottom == other.rect.bottom;
  }
};

class Host {
 public:
  virtual ~Host() = default;

  // Milliseconds since the host started (virtual time for the headless host).
  virtual uint64_t nowMs() = 0;
  // Waits for the next event until the clock reaches `deadlineMs`
  // (UINT64_MAX: no deadline). Returns false when the deadline came first.
  virtual bool waitEvent(uint64_t deadlineMs, HostEvent& event) = 0;
  // Shows the composed 480 x 720 frame; `dirty` is the part that changed.
  virtual void present(const Canvas& frame, const MzRect& dirty) = 0;
  // Starts playing a WAV file (UTF-8 path), stopping any sound playing.
  virtual void playSound(const std::string& path, bool loop) = 0;
  // Loads a WAV file ahead of its first play, so that playing it later reads
  // and allocates nothing. A host that keeps no sounds does nothing.
  virtual void prepareSound(const std::string& /*path*/) {}
  // Makes the pictures of `language` available before the program shows it;
  // false when they cannot be had. A host with every language at hand does
  // nothing.
  virtual bool prepareLanguage(const std::string& /*language*/) { return true; }
  // Vibrates with `pulse` (haptics.hpp); a host that cannot does nothing.
  virtual void pulse(HapticPulse /*pulse*/) {}
  // The class name of the program's top-level window, given when the window is
  // created: a host whose windows others find by class name (Windows'
  // FindWindow) gives its window that class. Others do nothing.
  virtual void nameWindow(std::u16string_view /*className*/) {}

  // Delivers an announcement (announcements.hpp; UTF-8): a screen reader's
  // live region, speech, a record. A host with no way to deliver does nothing.
  virtual void announce(std::string_view /*text*/, AnnouncementPriority /*priority*/) {}
  // The window shown or hidden, brought to the front, animated in.
  virtual void showWindow(bool show) = 0;
  virtual void raiseWindow() = 0;
  // Thread-safe: makes a waiting waitEvent return a Wake event.
  virtual void wake() = 0;
  // The player is in the middle of play (true) or not: the screen stays awake
  // meanwhile and may sleep otherwise. A host without a screen does nothing.
  virtual void keepScreenAwake(bool /*awake*/) {}
  // Whether the file at `path` is still on its way (a page loading its
  // packages), and a wait until it arrived (or will not). Other hosts have
  // every file they will ever have.
  virtual bool fileArriving(std::u16string_view /*path*/) { return false; }
  virtual void awaitFile(std::u16string_view /*path*/) {}

  // Sharing a run (run_link.hpp): gives `text` (UTF-8) to the player's
  // clipboard or share sheet.
  virtual ShareOutcome shareText(const std::string& /*text*/) { return ShareOutcome::Failed; }
  // The clipboard's text (UTF-8), empty when there is none or it cannot be read.
  virtual std::string clipboardText() { return {}; }
  // The link that opens the run `token`: the page's own address with
  // `#run=TOKEN`; elsewhere the build's page address, or the token alone.
  virtual std::string runLink(const std::string& token);

  // Sends `request` without waiting; its reply comes later as a WebReply event
  // with the number returned here (from 1), in the order the requests were
  // sent. 0: this host has no network, and no reply will come.
  virtual uint32_t sendWebRequest(const WebRequest& /*request*/) { return 0; }

  // Called between pieces of long work (before each picture is decoded): a
  // host whose thread must not be held long (a page's main thread, which the
  // browser needs for input and frames) may hand it back here for a moment.
  // Others do nothing.
  virtual void yieldIfBusy() {}

  // The current screen's buttons in focus order, whenever they, their names
  // or the ring change (button_mirror.hpp). A host without a page to mirror
  // them in does nothing.
  virtual void describeButtons(std::span<const ButtonDescription> /*buttons*/) {}
  // Plays a short sound over whatever plays, panned from -1 (left) to 1
  // (right), where the host plays stereo; others do nothing.
  virtual void playCue(const std::string& /*path*/, float /*pan*/) {}
};

// The host the platform runs on; set by the entry function before Init.
Host* currentHost();
void setCurrentHost(Host* host);
