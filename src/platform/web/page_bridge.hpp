// What the page's script does for the host (library_page.js).
#pragma once

#include <cstdint>

// quandrel_page_language_state's answers.
constexpr int32_t PageLanguageLoading = 0;
constexpr int32_t PageLanguageLoaded = 1;
constexpr int32_t PageLanguageFailed = 2;

extern "C" {
// The page's clock (performance.now()) when the player first saw the splash:
// the page's own picture of it, shown while the program loaded.
double quandrel_page_clock_start();
// Whether the tab is hidden now.
int32_t quandrel_page_hidden();
// The changed rectangle of the 480 x 720 RGBA frame goes onto the canvas at
// the next animation frame (with the other rectangles changed until then).
void quandrel_page_present(const uint32_t* pixels, int32_t x, int32_t y, int32_t width, int32_t height);
// Plays the WAV file at `path` in the module's file system, stopping the sound
// playing; an unreadable file just stops it.
void quandrel_page_play_sound(const char* path, int32_t loop);
// Decodes the WAV file at `path` ahead of its first play.
void quandrel_page_prepare_sound(const char* path);
// Vibrates the phone with `count` milliseconds alternately on and off, where
// the browser can.
void quandrel_page_vibrate(const uint32_t* pattern, int32_t count);
void quandrel_page_show_canvas(int32_t show);
void quandrel_page_focus_canvas();
// Starts fetching the package of a language's pictures, unless the page has
// it or is fetching it; quandrel_page_language_state tells how it went.
void quandrel_page_load_language(const char* language);
int32_t quandrel_page_language_state(const char* language);
// Keeps the files the program wrote beside its executable in the browser's
// storage, when they changed.
void quandrel_page_store_files();
// Runs the loop again (quandrel_page_run) in `ms` milliseconds, or only for
// input when `ms` is negative; replaces the last such request.
void quandrel_page_wake_in(double ms);
// Sleeps (Asyncify) for `ms` milliseconds, or when negative until woken; the
// page's input and its showing again wake the sleeper early.
void quandrel_page_sleep(double ms);
// Whether the file at `path` is on its way in a package still loading (null:
// whether any file is), and a sleep (Asyncify) until it arrived (or its
// package failed).
int32_t quandrel_page_file_arriving(const char* path);
void quandrel_page_await_file(const char* path);
// An announcement for the page's live regions, and for the browser's speech
// when `speak`.
void quandrel_page_announce(const char* text, int32_t assertive, int32_t speak);
// The screen's buttons for the page's mirror of them: one call per button in
// focus order (window pixels), then the count.
void quandrel_page_mirror_button(int32_t index, const char* name, int32_t left, int32_t top, int32_t right,
                                 int32_t bottom, int32_t focused);
void quandrel_page_mirror_done(int32_t count);
// The shown language (the page's lang attribute and its voice).
void quandrel_page_show_language(const char* language);
// Plays the WAV file at `path` over the sound playing, panned (-1 left, 1 right).
void quandrel_page_play_cue(const char* path, double pan);
// Holds the screen awake (a wake lock while the page shows) or lets it sleep.
void quandrel_page_keep_screen_awake(int32_t awake);
// Hands `text` to the share sheet, or copies it and says so; 0 when the
// browser can do neither.
int32_t quandrel_page_share(const char* text);
// The page's own address with #run=TOKEN (malloc'd, the caller frees it).
char* quandrel_page_run_link(const char* token);
// Sleeps (Asyncify) until the browser gave the clipboard's text, or ''
// (malloc'd, the caller frees it).
char* quandrel_page_read_clipboard();
// Fetches `url` (a post of `body` as JSON when `post`); the reply comes back
// through quandrel_page_web_reply with the number `request`.
void quandrel_page_fetch(uint32_t request, int32_t post, const char* url, const char* body);
}
