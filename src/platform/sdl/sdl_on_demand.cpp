// SDL loaded on demand: the SDL functions the window host uses, each
// forwarding to libSDL2, which is opened at the first call. A run without a
// window (headless) never loads SDL and the forty-odd libraries it brings,
// which would take a quarter of its start-up. When libSDL2 cannot be opened,
// every call fails as SDL reports failure, and the window host says it
// cannot open a window.
#include <SDL.h>
#include <dlfcn.h>

#include <string>

namespace {

constexpr const char* LibraryName = "libSDL2-2.0.so.0";

void* library() {
  static void* const handle = dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
  return handle;
}

void* symbol(const char* name) {
  void* handle = library();
  return handle ? dlsym(handle, name) : nullptr;
}

// Why there is no SDL, for SDL_GetError.
const char* notLoaded() {
  static const std::string message = [] {
    const char* reason = dlerror();
    return std::string("cannot load ") + LibraryName + (reason ? std::string(": ") + reason : std::string());
  }();
  return message.c_str();
}

}  // namespace

// FORWARD(result, name, (parameters), (arguments), result without SDL)
#define FORWARD(Result, Name, Parameters, Arguments, Missing)                        \
  extern "C" Result Name Parameters {                                                \
    static const auto real = reinterpret_cast<decltype(&Name)>(symbol(#Name));       \
    return real ? real Arguments : Missing;                                          \
  }
#define FORWARD_VOID(Name, Parameters, Arguments)                                    \
  extern "C" void Name Parameters {                                                  \
    static const auto real = reinterpret_cast<decltype(&Name)>(symbol(#Name));       \
    if (real) real Arguments;                                                        \
  }

// Start-up, hints, errors, time and events.
FORWARD(int, SDL_InitSubSystem, (Uint32 flags), (flags), -1)
FORWARD(Uint32, SDL_WasInit, (Uint32 flags), (flags), 0)
FORWARD_VOID(SDL_QuitSubSystem, (Uint32 flags), (flags))
FORWARD_VOID(SDL_Quit, (void), ())
FORWARD(SDL_bool, SDL_SetHint, (const char* name, const char* value), (name, value), SDL_FALSE)
FORWARD(const char*, SDL_GetHint, (const char* name), (name), nullptr)
FORWARD(const char*, SDL_GetError, (void), (), notLoaded())
FORWARD(Uint64, SDL_GetTicks64, (void), (), 0)
FORWARD_VOID(SDL_Delay, (Uint32 ms), (ms))
FORWARD(int, SDL_PollEvent, (SDL_Event* event), (event), 0)
FORWARD(int, SDL_WaitEventTimeout, (SDL_Event* event, int timeout), (event, timeout), 0)
FORWARD(int, SDL_PushEvent, (SDL_Event* event), (event), -1)
FORWARD(Uint32, SDL_RegisterEvents, (int count), (count), static_cast<Uint32>(-1))

// The display and the window.
FORWARD(const char*, SDL_GetCurrentVideoDriver, (void), (), nullptr)
FORWARD(int, SDL_GetDisplayUsableBounds, (int display, SDL_Rect* rect), (display, rect), -1)
FORWARD(SDL_Window*, SDL_CreateWindow, (const char* title, int x, int y, int w, int h, Uint32 flags),
        (title, x, y, w, h, flags), nullptr)
FORWARD_VOID(SDL_DestroyWindow, (SDL_Window* window), (window))
FORWARD(Uint32, SDL_GetWindowID, (SDL_Window* window), (window), 0)
FORWARD(Uint32, SDL_GetWindowFlags, (SDL_Window* window), (window), 0)
FORWARD(const char*, SDL_GetWindowTitle, (SDL_Window* window), (window), "")
FORWARD_VOID(SDL_GetWindowSize, (SDL_Window* window, int* w, int* h), (window, w, h))
FORWARD_VOID(SDL_SetWindowSize, (SDL_Window* window, int w, int h), (window, w, h))
FORWARD_VOID(SDL_SetWindowMinimumSize, (SDL_Window* window, int w, int h), (window, w, h))
FORWARD(int, SDL_SetWindowFullscreen, (SDL_Window* window, Uint32 flags), (window, flags), -1)
FORWARD_VOID(SDL_ShowWindow, (SDL_Window* window), (window))
FORWARD_VOID(SDL_HideWindow, (SDL_Window* window), (window))
FORWARD_VOID(SDL_RaiseWindow, (SDL_Window* window), (window))
FORWARD_VOID(SDL_EnableScreenSaver, (void), ())
FORWARD_VOID(SDL_DisableScreenSaver, (void), ())
FORWARD(SDL_bool, SDL_IsScreenSaverEnabled, (void), (), SDL_FALSE)

// The clipboard.
FORWARD(int, SDL_SetClipboardText, (const char* text), (text), -1)
FORWARD(char*, SDL_GetClipboardText, (void), (), nullptr)
FORWARD_VOID(SDL_free, (void* memory), (memory))

// Drawing.
FORWARD(SDL_Renderer*, SDL_CreateRenderer, (SDL_Window* window, int index, Uint32 flags), (window, index, flags),
        nullptr)
FORWARD_VOID(SDL_DestroyRenderer, (SDL_Renderer* renderer), (renderer))
FORWARD(int, SDL_GetRendererOutputSize, (SDL_Renderer* renderer, int* w, int* h), (renderer, w, h), -1)
FORWARD(SDL_Texture*, SDL_CreateTexture, (SDL_Renderer* renderer, Uint32 format, int access, int w, int h),
        (renderer, format, access, w, h), nullptr)
FORWARD_VOID(SDL_DestroyTexture, (SDL_Texture* texture), (texture))
FORWARD(int, SDL_SetTextureBlendMode, (SDL_Texture* texture, SDL_BlendMode mode), (texture, mode), -1)
FORWARD(int, SDL_SetTextureScaleMode, (SDL_Texture* texture, SDL_ScaleMode mode), (texture, mode), -1)
FORWARD(int, SDL_UpdateTexture, (SDL_Texture* texture, const SDL_Rect* rect, const void* pixels, int pitch),
        (texture, rect, pixels, pitch), -1)
FORWARD(int, SDL_SetRenderDrawColor, (SDL_Renderer* renderer, Uint8 r, Uint8 g, Uint8 b, Uint8 a),
        (renderer, r, g, b, a), -1)
FORWARD(int, SDL_RenderClear, (SDL_Renderer* renderer), (renderer), -1)
FORWARD(int, SDL_RenderCopy,
        (SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* source, const SDL_Rect* target),
        (renderer, texture, source, target), -1)
FORWARD_VOID(SDL_RenderPresent, (SDL_Renderer* renderer), (renderer))
FORWARD(int, SDL_RenderReadPixels,
        (SDL_Renderer* renderer, const SDL_Rect* rect, Uint32 format, void* pixels, int pitch),
        (renderer, rect, format, pixels, pitch), -1)

// Gamepads.
FORWARD(SDL_GameController*, SDL_GameControllerOpen, (int index), (index), nullptr)
FORWARD_VOID(SDL_GameControllerClose, (SDL_GameController * controller), (controller))
FORWARD(SDL_Joystick*, SDL_GameControllerGetJoystick, (SDL_GameController * controller), (controller), nullptr)
FORWARD(SDL_JoystickID, SDL_JoystickInstanceID, (SDL_Joystick * joystick), (joystick), -1)
FORWARD(SDL_bool, SDL_GameControllerHasRumble, (SDL_GameController * controller), (controller), SDL_FALSE)
FORWARD(int, SDL_GameControllerRumble,
        (SDL_GameController * controller, Uint16 low, Uint16 high, Uint32 durationMs),
        (controller, low, high, durationMs), -1)
// Virtual pads, for tests of the pad path.
FORWARD(int, SDL_JoystickAttachVirtualEx, (const SDL_VirtualJoystickDesc* description), (description), -1)
FORWARD(int, SDL_JoystickDetachVirtual, (int index), (index), -1)
FORWARD(int, SDL_NumJoysticks, (void), (), 0)
FORWARD(SDL_Joystick*, SDL_JoystickOpen, (int index), (index), nullptr)
FORWARD_VOID(SDL_JoystickClose, (SDL_Joystick * joystick), (joystick))
FORWARD(int, SDL_JoystickSetVirtualButton, (SDL_Joystick * joystick, int button, Uint8 value),
        (joystick, button, value), -1)
FORWARD(int, SDL_JoystickSetVirtualAxis, (SDL_Joystick * joystick, int axis, Sint16 value), (joystick, axis, value),
        -1)

// Sound.
FORWARD(SDL_AudioDeviceID, SDL_OpenAudioDevice,
        (const char* device, int capture, const SDL_AudioSpec* wanted, SDL_AudioSpec* obtained, int changes),
        (device, capture, wanted, obtained, changes), 0)
FORWARD_VOID(SDL_CloseAudioDevice, (SDL_AudioDeviceID device), (device))
FORWARD_VOID(SDL_PauseAudioDevice, (SDL_AudioDeviceID device, int pause), (device, pause))
FORWARD_VOID(SDL_LockAudioDevice, (SDL_AudioDeviceID device), (device))
FORWARD_VOID(SDL_UnlockAudioDevice, (SDL_AudioDeviceID device), (device))
FORWARD(SDL_RWops*, SDL_RWFromFile, (const char* file, const char* mode), (file, mode), nullptr)
FORWARD(SDL_AudioSpec*, SDL_LoadWAV_RW,
        (SDL_RWops * source, int freeSource, SDL_AudioSpec* format, Uint8** buffer, Uint32* length),
        (source, freeSource, format, buffer, length), nullptr)
FORWARD_VOID(SDL_FreeWAV, (Uint8 * buffer), (buffer))
FORWARD(int, SDL_BuildAudioCVT,
        (SDL_AudioCVT * conversion, SDL_AudioFormat sourceFormat, Uint8 sourceChannels, int sourceRate,
         SDL_AudioFormat targetFormat, Uint8 targetChannels, int targetRate),
        (conversion, sourceFormat, sourceChannels, sourceRate, targetFormat, targetChannels, targetRate), -1)
FORWARD(int, SDL_ConvertAudio, (SDL_AudioCVT * conversion), (conversion), -1)
