// Small value types shared by the UI library stand-in and its hosts.
#pragma once

#include <cstdint>

// A window's handle: the platform's 32-bit window id (0 = no window).
using WindowHandle = uint32_t;

// Opaque handle to the executable's compiled-in resources.
using InstanceHandle = const void*;

// A rectangle given by its edges (right and bottom exclusive).
struct MzRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// Text colours are 0xRRGGBB.
using MzColour = uint32_t;
constexpr MzColour MzWhite = 0xFFFFFF;

// Keys the hosts deliver to CMzWnd::OnKeyDown. Names follow SDL's key names
// ("Left", "Right", "Space", "Return", "Escape", "R", "B", "F11", ...).
enum class MzKey : uint32_t {
  Unknown = 0,
  Left,
  Right,
  Up,
  Down,
  Space,
  Return,
  Escape,
  Backspace,
  Tab,
  F11,
  // Letters: MzKey::A + (letter - 'A').
  A = 0x100,
  B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
};

// Gamepad buttons the hosts deliver as pad events (the d-pad, the four face
// buttons in the standard layout, Start and Back).
enum class MzPadButton : uint8_t { Up, Down, Left, Right, A, B, X, Y, Start, Back };

// Modifier flags delivered with a key.
constexpr uint32_t MzKeyModAlt = 1u << 0;
constexpr uint32_t MzKeyModCtrl = 1u << 1;
constexpr uint32_t MzKeyModShift = 1u << 2;
