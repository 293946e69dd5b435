// The game's one window: every control of every screen, the game pieces, all
// game state, the settings record and the sound player.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/announcements.hpp"
#include "platform/imaging.hpp"
#include "platform/mz_window.hpp"
#include "platform/ui_controls.hpp"
#include "platform/web_request.hpp"
#include "progress/boards_file.hpp"
#include "progress/level_records.hpp"
#include "screen/board_screens.hpp"
#include "screen/control_group.hpp"
#include "screen/daily_play.hpp"
#include "screen/daily_screen.hpp"
#include "screen/leaderboard_screen.hpp"
#include "screen/level_screen.hpp"
#include "play/play.hpp"
#include "play/run_proof.hpp"

#include "screen/sentence.hpp"
#include "screen/shared_images.hpp"
#include "screen/sprites.hpp"
#include "screen/start_menu_picture.hpp"
#include "progress/game_options.hpp"
#include "settings/game_settings.hpp"
#include "sound/sound_player.hpp"

// The window class name, also the name by which a second start finds this one.
extern const char16_t* const gameWindowClassName;

class GameWindow : public CMzWndEx {
 public:
  // The settings file beside the executable.
  explicit GameWindow(SharedImages& images);
  // The settings file at settingsPath (tests).
  GameWindow(SharedImages& images, std::u16string settingsPath);
  ~GameWindow() override;

  // Window and controls (game_window.cpp).
  const char16_t* GetWindowClassName() override;
  int32_t MzDefWndProc(uint32_t message, uint32_t wParam, int32_t lParam) override;
  int32_t OnInitDialog() override;

  // Commands and screens (commands.cpp).
  void handleCommand(uint32_t wParam, int32_t lParam) override;
  void buildSettingsButtons();
  void showSettingsButtons();
  void hideSettingsButtons();
  void setSettingsButtonsVisible(bool visible);

  // Button groups (button_groups.cpp).
  void openStartMenu();
  void buildMenuButtons();
  void showMenuButtons();
  void hideMenuButtons();
  void buildChoiceButtons();
  void showChoiceButtons();
  void hideChoiceButtons();
  void buildGameOverButtons();
  void showGameOverButtons();
  void hideGameOverButtons();

  // Level layout (level_layout.cpp).
  void LoadLevel(int32_t level, bool fresh);
  void resetLevelState();
  // Loads every picture and sound of play ahead of it (play_preparation.cpp).
  void prepareForPlay();

  // Game loop (game_loop.cpp, animations.cpp).
  void OnTimer(uint32_t timerId) override;
  bool timerIdle(uint32_t timerId) const override;
  void onShotTick();
  void onTimeBarTick();
  void onLightningTick();
  void onCloudTick();
  void onSplashTick();
  // Shows and sounds what a step of play caused, and starts and stops its timers.
  void carryOut(const Effects& effects);

  // Claim and touch (claim_purchases.cpp, touch_input.cpp).
  void showLevelPassed(bool firstClaim);
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;

  // Records, the level screen and the finale (records_keeping.cpp, level_screen.cpp,
  // finale_screen.cpp).
  // Counts a claim of the current level in the records and saves them; true when it beat a
  // record. Every claim that counts for the records goes through here.
  bool recordClaim();
  void openLevelScreen();
  void closeLevelScreen();
  // Starts `level` afresh when it has been reached; a locked level refuses.
  void startChosenLevel(int32_t level);
  // The highest level the player may start: the saved level, or one past the highest claimed.
  int32_t highestReachedLevel() const;
  void showFinale();
  void closeFinale();
  bool levelScreenShown() const;
  bool finaleShown() const;

  // The one door for game-level actions (action_door.cpp): keys, touch, pad
  // and the toolbar's commands all come through here, and the run recorder
  // listens here. False, with nothing done or recorded, when the game does not
  // take the action now.
  bool applyAction(runs::ActionKind kind);
  bool actionPossible(runs::ActionKind kind) const;

  // The daily challenge (daily_attempt.cpp).
  // Today's day number from the local date (QUANDREL_TODAY stands in).
  int32_t todayDayNumber() const;
  DailyToday dailyToday() const;
  // Starts an attempt at today's challenge from the menu or the daily screen:
  // official when it is the day's first, practice otherwise. False when there
  // is no challenge today or the menu is not up.
  bool startDailyAttempt();
  // Starts a practice attempt of `run`'s day, level and time mode, seeded as
  // the run was; with `ghost`, racing it.
  bool startRunAttempt(const runs::Run& run, const runs::GhostTrack* ghost);
  // Starts an attempt at `day`'s challenge with `mode`'s time bar: official
  // when the daily rules say so (never in a race).
  bool startDayAttempt(int32_t day, TimeMode mode, const runs::GhostTrack* ghost);
  // Ends the attempt under way, if any: an official one is kept with its
  // score at this moment (claimed when it was). Called at claim, game over,
  // leaving for another game, and closing.
  void endDailyAttempt();
  // Daily play ends: its attempt ends and the game is an ordinary one again.
  void leaveDailyPlay();
  // Game time since the attempt began.
  uint32_t attemptTickMs() const;
  // Today's share text and token, once today's official attempt is over;
  // empty otherwise.
  std::string dailyShareText() const;
  std::string dailyShareToken() const;

  // The daily screen, the watch screen and the race's drawing (daily_screen.cpp,
  // watch_screen.cpp, playback_board.cpp, race_drawing.cpp).
  void openDailyScreen();
  void closeDailyScreen();
  void playDailyChallenge();
  void shareDailyRun();
  void openRunFromClipboard();
  bool dailyScreenShown() const;
  // Verifies `text` (a run's token or link) and shows the watch screen with
  // what came of it.
  void openWatchScreen(std::string_view text);
  void closeWatchScreen();
  void startPlayback();
  void stopPlayback();
  void setPlaybackSpeed(size_t index);
  void onPlaybackTick();
  void raceWatchedRun();
  bool watchScreenShown() const;
  bool playbackShown() const;
  // The practice mark and the ghost, after the daily attempt's state.
  void showRaceDrawing();
  void onGhostTick();
  // The link a shared run travels in.
  std::string runLinkFor(const std::string& token) const;
  void saveDailyHistoryFile();

  // The day's leaderboard (leaderboard_link.cpp, leaderboard_screen.cpp):
  // nothing is sent unless the player posts; a post that got no answer waits
  // in the daily file and goes again at the next start, and whenever the
  // daily screen opens.
  bool leaderboardOn() const;
  // Makes the player's id and the name drawn from it, once, kept in the daily file.
  void ensurePlayer();
  // A name in the shown language.
  std::u16string playerNameText(const runs::PlayerName& name) const;
  void postTodaysRun();
  void sendWaitingPosts();
  void drawAnotherName();
  void OnWebReply(uint32_t request, int32_t status, std::string_view body) override;
  // What the daily screen says of today's post, or the player's name.
  std::u16string dailyPostLine() const;
  void openLeaderboardScreen();
  void closeLeaderboardScreen();
  // Fetches the run of row `index` (OwnRowIndex: the player's own) and
  // watches it, from where it can be raced.
  void chooseLeaderboardRow(size_t index);
  bool leaderboardScreenShown() const;
  // The player's place among the day's runs, once today's run is on the board.
  struct Standing {
    int32_t rank = 0;
    int32_t of = 0;
    int32_t percentile = 0;
  };
  std::optional<Standing> playerStanding() const;
  // The leaderboard screen's status line: loading, failed, nobody yet, or the standing.
  std::u16string leaderboardStatusLine() const;

  // Boards players make and share (maker_screen.cpp, board_screen.cpp,
  // board_attempt.cpp). The maker opens from the menu on the board being
  // made (a new one: the first level's, with fresh colours).
  void openMaker();
  void closeMaker();
  bool makerShown() const;
  // Edits of the made board, each saved at once; each takes its clear back.
  void cycleMakerTube(size_t slot);
  void stepMakerScore(int32_t direction);
  void recolourMadeBoard();
  // Try: the made board played on the game screen, its run recorded; a claim
  // keeps it as the board's clear and returns to the maker, on Share.
  void tryMadeBoard();
  void shareMadeBoard();
  void openBoardFromClipboard();
  // Proves `text` (a board's token or link) and shows the board's screen
  // with what came of it. Nothing of a refused board is kept.
  void openBoardScreen(std::string_view text);
  void closeBoardScreen();
  bool boardScreenShown() const;
  void playReceivedBoard();
  void raceReceivedBoard();
  // Starts an attempt at `board`, seeded from it, with `mode`'s time bar;
  // with `ghost`, racing it. Its run is recorded as a board's.
  bool startBoardAttempt(const Board& board, TimeMode mode, const runs::GhostTrack* ghost, BoardInPlay whose);
  // The made board's share text and token once its maker cleared it as it
  // stands; empty otherwise.
  std::string makerShareText() const;
  std::string makerShareToken() const;
  void saveBoardsFile();

  // Announcements for play by ear: the difference since the last call worded
  // (announcements.cpp), buttons named (button_names.cpp), the ear keys' words.
  void AnnounceChanges() override;
  std::string_view NameFocusStop(const FocusStop& stop) const override;
  void announceStatus();
  void announceAllTubes();

  // Desktop keys and pad buttons (desktop_keys.cpp): each asks one thing,
  // whichever sent it.
  enum class Ask : uint8_t { Other, Left, Right, Fire, Claim, Back, Repair, Buy, Repeat, Status, Tubes };
  void OnKeyDown(MzKey key, uint32_t modifiers) override;
  void OnPadButton(MzPadButton button) override;
  bool KeepsKey(MzKey key) const override;

  // The game's fields for the headless dump (debug_state.cpp).
  void AppendDebugState(std::string& json) const override;
  void appendDailyState(std::string& json) const;
  void appendLeaderboardState(std::string& json) const;
  void appendBoardState(std::string& json) const;
  bool IsPlayInProgress() const override;
  enum class Screen : uint8_t {
    Splash, Menu, Settings, Help, Levels, Daily, Watch, Leaderboard, Game, Passed, GameOver, Finale, Question,
    Maker, Board };
  // The screen on top of those open.
  Screen screenOnTop() const;
  // Its name: splash, menu, settings, help, levels, daily, watch,
  // leaderboard, game, passed, gameover, finale, question, maker or board.
  const char* currentScreen() const;

  // Pictures and places of the game pieces (picture_placement.cpp).
  void loadTargetImages();
  void loadKeyImages();
  void setTargetPicture(TargetSprite& target, int32_t state);
  void setKeyPicture(KeySprite& key, int32_t k);
  void setCloudPicture(CloudSprite& cloud);
  void showShotPicture(ShotSprite& shot);
  void showPreviewPicture(PreviewSprite& preview);
  void showTimeBarPicture(BarSprite& bar);
  bool refreshTarget(int32_t slot);
  void placeTargetAt(TargetSprite& target, int32_t x, int32_t y);
  bool placeShot(int32_t colour);
  bool placePreview(int32_t colour);
  // The preview shows the colour of the next shot.
  void showPreview();
  bool placeTimeBar(int32_t x);
  void placeKey(KeySprite& key, int32_t y);
  void placeCloud(CloudSprite& cloud, int32_t x);

  UiToolbar_Text toolbar;
  UiStatic scoreLabel;
  UiStatic levelLabel;
  UiPicture backgroundPicture;
  UiPicture sprayerPicture;
  UiPicture splashPicture;
  StartMenuPicture menuPicture;
  UiPicture settingsPanelPicture;
  UiPicture helpPicture;
  UiButton_Image repairButton;
  UiButton_Image passIndicator;
  UiButton_Image buyShotsButton;
  ImageContainer repairButtonImages;
  ImageContainer passIndicatorImages;
  ImageContainer buyShotsButtonImages;
  std::array<UiButton_Image, 5> menuButtons;
  std::array<ImageContainer, 5> menuButtonImages;
  UiButton_Image settingsBackButton;
  ImageContainer settingsBackButtonImages;
  UiButton_Image helpBackButton;
  ImageContainer helpBackButtonImages;
  UiButton_Image helpPreviousButton;
  UiButton_Image helpNextButton;
  std::array<ImageContainer, 2> pageArrowImages;  // previous, next
  std::array<UiButton_Image, 10> choiceButtons;
  std::array<ImageContainer, 10> choiceButtonImages;
  std::array<UiButton_Image, 2> toggleButtons;
  std::array<ImageContainer, 2> toggleButtonImages;
  UiButton_Image timeModeButton;
  ImageContainer timeModeButtonImages;
  UiButton_Image vibrationToggle;
  ImageContainer vibrationToggleImages;
  UiButton_Image speechToggle;
  ImageContainer speechToggleImages;
  UiButton_Image languageButton;
  ImageContainer languageButtonImages;
  std::array<UiButton_Image, 2> gameOverButtons;
  std::array<ImageContainer, 2> gameOverButtonImages;
  ControlGroup menuGroup;  // the menu's buttons with the level, daily and maker buttons
  ControlGroup choiceGroup;
  ControlGroup gameOverGroup;
  UiButton_Image levelsButton;
  ImageContainer levelsButtonImages;
  UiPicture recordMarkPicture;
  LevelScreenControls levelScreen;
  FinaleControls finale;
  std::array<TargetSprite, 10> targetSlots;
  TargetSprite* lastPlacedTarget = nullptr;
  std::array<KeySprite, KeyCount> keyPictures;
  KeySprite* lastEarnedKey = nullptr;
  std::array<ShotSprite, 6> shotPictures;
  ShotSprite* flyingShot = nullptr;
  std::array<LightningSprite, 5> lightningPictures;
  LightningSprite* currentLightning = nullptr;
  std::array<PreviewSprite, 6> previewPictures;
  PreviewSprite* activePreview = nullptr;
  std::array<BarSprite, 6> barPictures;
  BarSprite* timeBar = nullptr;
  std::array<CloudSprite, 5> cloudPictures;
  CloudSprite* currentCloud = nullptr;
  OverlaySprite overlayPicture;
  // The game in play: the window draws it and carries out what it says.
  Play play;
  int32_t currentLevel = 0;
  bool lightningRunning = false;
  int32_t lightningFrame = 0;
  int32_t cloudDriftCount = 0;
  bool inGame = false;
  bool splashDone = false;
  GameSettings settings;
  SoundPlayer sound;
  bool movementOn = false;
  LevelRecords records;
  // The records file beside the settings file; empty when there is no place for it.
  std::string recordsPath;
  // When the attempt began and how long it waited under the menu, for the records.
  uint32_t attemptStartMs = 0;
  uint32_t attemptPausedMs = 0;
  uint32_t pausedAtMs = 0;
  // Played under the designed time bar all along: a claim keeps records.
  bool attemptKeepsRecords = true;
  DailyPlay daily;
  PanelButton dailyButton;  // start menu: to the daily screen
  DailyScreenControls dailyScreen;
  WatchScreenControls watchScreen;
  RaceControls race;
  LeaderboardLink leaderboardLink;
  LeaderboardControls leaderboardScreen;
  // The run the watch screen shows, proven or refused.
  std::optional<RunVerdict> watchedRun;
  // A run given on the command line (--watch) or by the page's #run=, opened
  // on the watch screen once the splash ends.
  std::string runToOpen;
  PanelButton makeButton;  // start menu: to the maker
  MakerScreenControls maker;
  BoardScreenControls receivedBoard;
  // The board being made and the records of received boards, from the boards
  // file beside the settings file (none: nothing is kept).
  BoardShelf boards;
  std::string boardsPath;
  bool boardsSaveWarned = false;
  // A board given on the command line (--board) or by the page's #board=,
  // opened on its screen once the splash ends.
  std::string boardToOpen;
  // The time bar's mode, vibration and the language the player chose.
  GameOptions options;
  // The options file beside the settings file; empty when there is no place for it.
  std::string optionsPath;
  bool optionsSaveWarned = false;

  // The button pictures, each owned by its button's container.
  ImagingHelper* repairDimImage = nullptr;
  ImagingHelper* repairLitImage = nullptr;
  ImagingHelper* passDimImage = nullptr;
  ImagingHelper* passLitImage = nullptr;
  ImagingHelper* buyDimImage = nullptr;
  ImagingHelper* buyLitImage = nullptr;
  ImagingHelper* levelsLitImage = nullptr;
  ImagingHelper* levelsDimImage = nullptr;
  std::array<ImagingHelper*, 10> choiceDimImages{};
  std::array<ImagingHelper*, 10> choiceLitImages{};
  std::array<ImagingHelper*, 5> menuLitImages{};
  std::array<ImagingHelper*, 5> menuDimImages{};
  std::array<ImagingHelper*, 2> switchOnImages{};
  std::array<ImagingHelper*, 2> switchOffImages{};
  std::array<ImagingHelper*, TimeModeCount> timeModeImages{};
  ImagingHelper* vibrationOnImage = nullptr;
  ImagingHelper* vibrationOffImage = nullptr;
  ImagingHelper* speechOnImage = nullptr;
  ImagingHelper* speechOffImage = nullptr;
  ImagingHelper* languageLitImage = nullptr;
  ImagingHelper* languageDimImage = nullptr;
  std::array<ImagingHelper*, 2> backLitImages{};
  std::array<ImagingHelper*, 2> backDimImages{};
  std::array<ImagingHelper*, 2> gameOverLitImages{};
  std::array<ImagingHelper*, 2> gameOverDimImages{};
  std::array<ImagingHelper*, 2> pageArrowLitImages{};
  std::array<ImagingHelper*, 2> pageArrowDimImages{};

  // The screens open, each set as it opens and closes. Several can be open
  // at once, one over another; currentScreen() names the one on top.
  enum class Overlay : uint8_t { None, Passed, GameOver };
  struct OpenScreens {
    bool menu = false;
    bool settings = false;
    bool help = false;
    bool levels = false;
    bool daily = false;
    bool watchResult = false;
    bool playback = false;
    bool leaderboard = false;
    bool finale = false;
    bool maker = false;
    bool board = false;
    Overlay overlay = Overlay::None;  // over the game
  };
  OpenScreens openScreens;
  // The level-passed or the game-over picture over the game (claim_purchases.cpp).
  void showOverlay(Overlay overlay);
  bool choiceButtonsBuilt = false;
  bool recordsSaveWarned = false;
  bool exitQuestionOpen = false;
  // The help page shown, from 1; 0 while the help is closed.
  int32_t helpPage = 0;
  // Where the last press that no button took began: a sweep on the help turns its page.
  int32_t helpSwipeStartX = 0;
  // What the announcements have told so far; AnnounceChanges words the rest.
  struct AnnouncedState {
    const char* screen = "";
    int32_t helpPage = 0;
    const UiWin* focusControl = nullptr;
    int32_t focusPart = -1;
    int32_t focusNameHash = 0;
    uint32_t leaderboardChanges = 0;
    int32_t level = 0;
    int32_t sprayerSlot = 0;
    int32_t sprayerX = 0;
    int32_t currentColour = -1;
    int32_t nextColour = -1;
    int32_t shotsLeft = 0;
    int32_t score = 0;
    uint32_t keys = 0;
    bool claimable = false;
    int32_t timeStage = 0;
    uint32_t landings = 0;
    std::array<int32_t, 10> tubes{};
    // The maker's board as last told.
    Board madeBoard;
    bool madeCleared = false;
  };
  AnnouncedState announced;
  Sentence sentence;
  mutable Sentence buttonName;

 private:
  // Commands and screens.
  // Start, continue and the level screen wait for the menu.
  bool menuMayStartGame() const;
  // The toolbar and the game in place of the menu, then `level` afresh.
  void beginLevel(int32_t level);
  // The toolbar and the game in place of the menu for `level`'s attempt.
  void enterGame(int32_t level);
  // A seeded attempt begins on `board` as `level`: the colours from `seed`,
  // the misses from none, nothing falling from before, its run from now.
  void beginSeededAttempt(uint32_t seed, TimeMode mode, int32_t level, const Board& board);
  void pauseToMenu();
  void leaveGameOverToMenu();
  void startGame();
  void continueGame();
  void openOptions();
  void exitGame();
  // The settings record's sound and movement switches become the window's.
  void applyStoredSwitches();
  // The buttons the menu, the level-passed screen and the game-over screen
  // show and hide together (button_groups.cpp).
  void noteButtonGroups();
  void toggleSound();
  void toggleMovement();
  void closeSettings();
  void showOptionLooks();
  void cycleTimeMode();
  void toggleVibration();
  void toggleSpeech();
  void switchToNextLanguage();
  void storeOptions();
  void chooseNextLevel();
  void retryLevel();
  void leaveDailyToMenu();
  void finishGame();
  void buildLevelScreen();
  void showLevelRecords();
  void setLevelScreenVisible(bool visible);
  void buildFinale();
  void setFinaleVisible(bool visible);
  // A new attempt at the current level: its counts for the records start again.
  void startAttemptRecord();
  void showToggleLooks();
  void setUpImageButton(UiButton_Image& button, int32_t id, int32_t x, int32_t y, int32_t width,
                        int32_t height, ImagingHelper* normal, ImagingHelper* pressed, int32_t mode);
  void loadButtonImages();
  void setUpPanelButton(PanelButton& button, int32_t id, uint32_t litResource, int32_t x, int32_t y,
                        int32_t width, int32_t height);
  // A screen over the menu (control_group.cpp): its backdrop over the whole
  // window, under the controls added after it; showing or hiding it, its
  // `controls` together, `open` noting which, and a repaint (nothing before
  // it is built).
  void addScreenPicture(UiPicture& picture, const char16_t* file, int32_t id);
  void setScreenVisible(const ControlGroup& controls, bool& open, bool visible);
  void buildDailyScreen();
  void setDailyScreenVisible(bool visible);
  void showDailyState();
  void buildWatchScreen();
  void setWatchResultVisible(bool visible);
  void showWatchedRun();
  void buildPlaybackBoard();
  void setPlaybackVisible(bool visible);
  void drawPlayback();
  void buildRaceDrawing();
  // Sends `request` to the leaderboard (its path after the address) and notes
  // it as out; false when there is no leaderboard or no network.
  bool sendToLeaderboard(LeaderboardLink::Request request, WebRequest::Method method, const std::string& path,
                         std::string body = {});
  bool leaderboardAsked(LeaderboardLink::Asked asked, int32_t day) const;
  void sendPost(int32_t day);
  void askBoard(int32_t day);
  void takePostReply(int32_t day, int32_t status, std::string_view body);
  void takeBoardReply(int32_t status, std::string_view body);
  void takeRunReply(const std::string& run, int32_t status, std::string_view body);
  void buildLeaderboardScreen();
  void setLeaderboardScreenVisible(bool visible);
  void showLeaderboard();
  void showLeaderboardRow(size_t index, const leaderboard::BoardRow* row, bool own);
  // Today's post, once asked for.
  const runs::PostRecord* todaysPost() const;
  void buildMaker();
  void setMakerVisible(bool visible);
  void showMakerState();
  // The maker's screen again, over the menu (after an attempt, or from the menu).
  void showMaker();
  void buildBoardScreen();
  void setBoardScreenVisible(bool visible);
  void showReceivedBoard();
  // The result of a board's attempt that ended: the made board's clear, or
  // the received board's records. Nothing when its run does not replay.
  void keepBoardResult();
  // From a board's attempt, claimed or lost, back to its screen.
  void returnFromBoardAttempt();

  // The help's pages (help_pages.cpp).
  void openHelp();
  void closeHelp();
  void turnHelpPage(int32_t step);
  void showHelpPage(int32_t page);

  // Level layout.
  // `board` laid out as `level`'s attempt (fresh: from its start).
  void loadBoard(int32_t level, const Board& board, bool fresh);
  void placeLayout(const Board& board);
  void recordLevelReached(int32_t level);

  // Game loop.
  // `count` clouds drift; -1 keeps the last count.
  void startCloudDrift(int32_t count);
  void showKey(int32_t k);
  void updatePurchaseLooks();
  void presentGameOver();
  void showFullTimeBar();

  // Announcements.
  void rememberGameState();
  void announceScreen(std::string_view screen);
  void announceDailyScreen();
  void announceWatchScreen();
  void announceLeaderboardScreen();
  void announceMakerScreen();
  void announceMakerChanges();
  void announceBoardScreen();
  void rememberMadeBoard();
  // A tube's state as words: "Tube 3, yellow, 2 of 3."
  static void addTubeState(Sentence& words, int32_t slot, int32_t state);
  void announceGameChanges();
  void announceLanding();
  void addTube(int32_t slot);
  void endSentence();
  void announceQuestionFocus();
  void sendSentence(AnnouncementPriority priority);

  // What a key or pad button asked of the screen that is up.
  void answer(Ask ask);

  // Touch: the sprayer's picture follows the game's sprayer, which stepped
  // from `fromX`. With the movement switch on it glides there instead of jumping.
  void moveSprayerPicture(int32_t fromX);
  // A tap's step, which reaches no further right than Play::TapRightmostX.
  void stepByTap(runs::ActionKind step);
  // Back where it stands when the game opens (a day's attempt starts there).
  void placeSprayerAtStart();
  void onGlideTick();

  SharedImages& images;
};
