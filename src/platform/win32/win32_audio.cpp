// Reading PCM WAV files and handing them to the wave-out device.
#include "platform/win32/win32_audio.hpp"

#include <cstring>

#include "platform/system/file_system.hpp"

namespace {

// Larger files are not sounds of this game.
constexpr uint64_t MaxSoundFileBytes = 32u << 20;
// A looping sound repeats this often, far longer than anyone plays.
constexpr DWORD LoopCount = 0xFFFFFFFF;

bool readFile(const std::string& path, std::vector<char>& bytes) {
  FileSystem& files = fileSystem();
  const int file = files.open(path, FileAccess::Read);
  if (file < 0) return false;
  uint64_t size = 0;
  bool ok = files.size(file, size) && size > 12 && size <= MaxSoundFileBytes;
  if (ok) {
    bytes.resize(static_cast<size_t>(size));
    ok = files.read(file, bytes.data(), bytes.size());
  }
  files.close(file);
  return ok;
}

uint32_t word32(const char* at) {
  uint32_t value = 0;
  std::memcpy(&value, at, 4);
  return value;
}

uint16_t word16(const char* at) {
  uint16_t value = 0;
  std::memcpy(&value, at, 2);
  return value;
}

bool sameFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b) {
  return a.nChannels == b.nChannels && a.nSamplesPerSec == b.nSamplesPerSec && a.wBitsPerSample == b.wBitsPerSample;
}

}  // namespace

Win32Audio::~Win32Audio() {
  stop();
  if (device_) waveOutClose(device_);
}

const Win32Audio::Sound* Win32Audio::load(const std::string& path) {
  if (auto found = sounds_.find(path); found != sounds_.end()) return found->second.get();
  std::unique_ptr<Sound> sound;
  std::vector<char> bytes;
  // RIFF/WAVE with a PCM "fmt " chunk and a "data" chunk; anything else is not played.
  if (readFile(path, bytes) && std::memcmp(bytes.data(), "RIFF", 4) == 0 && std::memcmp(bytes.data() + 8, "WAVE", 4) == 0) {
    auto made = std::make_unique<Sound>();
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
      const uint32_t length = word32(bytes.data() + at + 4);
      const char* body = bytes.data() + at + 8;
      if (length > bytes.size() - at - 8) break;
      if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && length >= 16) {
        made->format.wFormatTag = word16(body);
        made->format.nChannels = word16(body + 2);
        made->format.nSamplesPerSec = word32(body + 4);
        made->format.nAvgBytesPerSec = word32(body + 8);
        made->format.nBlockAlign = word16(body + 12);
        made->format.wBitsPerSample = word16(body + 14);
        haveFormat = made->format.wFormatTag == WAVE_FORMAT_PCM && made->format.nBlockAlign > 0;
      } else if (std::memcmp(bytes.data() + at, "data", 4) == 0 && haveFormat) {
        made->samples.assign(body, body + length - length % made->format.nBlockAlign);
        sound = std::move(made);
        break;
      }
      at += 8 + length + (length & 1);
    }
  }
  return sounds_.emplace(path, std::move(sound)).first->second.get();
}

void Win32Audio::prepare(const std::string& path) { load(path); }

void Win32Audio::stop() {
  if (!device_) return;
  waveOutReset(device_);
  if (headerPrepared_) waveOutUnprepareHeader(device_, &header_, sizeof(header_));
  headerPrepared_ = false;
}

bool Win32Audio::openDevice(const WAVEFORMATEX& format) {
  if (device_ && sameFormat(deviceFormat_, format)) return true;
  if (device_) waveOutClose(device_);
  device_ = nullptr;
  if (waveOutOpen(&device_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
    device_ = nullptr;
    return false;
  }
  deviceFormat_ = format;
  return true;
}

void Win32Audio::play(const std::string& path, bool loop) {
  stop();
  const Sound* sound = load(path);
  if (!sound || sound->samples.empty() || !openDevice(sound->format)) return;
  header_ = WAVEHDR{};
  header_.lpData = const_cast<char*>(sound->samples.data());
  header_.dwBufferLength = static_cast<DWORD>(sound->samples.size());
  if (loop) {
    header_.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    header_.dwLoops = LoopCount;
  }
  if (waveOutPrepareHeader(device_, &header_, sizeof(header_)) != MMSYSERR_NOERROR) return;
  headerPrepared_ = true;
  waveOutWrite(device_, &header_, sizeof(header_));
}
