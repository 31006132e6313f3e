// One game over a level set: level set-up, the frame loop from the count-in to the completed
// level or the end of the game, the solution check, scoring and the side panel.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "bonus/bonusgame.hpp"
#include "bonus/bonustutorial.hpp"
#include "data/users.hpp"
#include "platform/graphics.hpp"
#include "puzzle/shape.hpp"

class TOptions;
class TReqYesNo;
class TextAnim;

// Values of TGame::GameState.
enum GameStateCode : int32_t {
    FADE_IN = 0,
    // PLAY_GAME = 1 is shared with the tile code (puzzle/shape.hpp).
    GAME_PAUSED = 2,
    LEVEL_COMPLETE = 3,
    GAME_OVER = 4,
    GAME_OVER_2 = 5,
    OPTIONS = 6,
    FADE_IN_NEXT_LEVEL = 7,
    GET_READY = 8,
    TIME_OUT = 9,
    TRY_AGAIN = 10,
    FADE_OUT = 11,
    LEVEL_BONUS = 12,
    LEVEL_COMPLETE_FADEOUT = 13,
    LEVEL_COMPLETE_CONTINUE = 14,
    OPTION_MENU = 15,
    GAME_OVER_CANCEL = 16,
    PLAY_BONUS_GAME = 17,
};

// The playfield rectangle that the solution check reads, and its thresholds.
inline constexpr int kCheckX = 4, kCheckY = 66, kCheckW = 449, kCheckH = 394;
inline constexpr int32_t kSolvedBelow = 340;
inline constexpr int32_t kFreezeSolvedBelow = 341;

// Pure-black pixels (alpha ignored) of a grabbed picture.
int32_t CountBlackPixels(const TPixmap& pix);
void SplitARGB(uint32_t value, uint32_t& a, uint32_t& r, uint32_t& g, uint32_t& b);

// The score as the panel shows it: always six digits, the lowest ones of the score.
std::string SixDigitScore(int32_t score);

// Time left on the clock: seconds allowed minus whole seconds gone.
int32_t ClockSecondsLeft(int32_t gameTime, int32_t startTime, int32_t now);

// Seconds between whirlwinds on a Twister level: a fifth of the level time, at least 12.
int32_t TwisterInterval(int32_t gameTime);

// Alpha of the Enlightenment black-out for the cycle value after this frame's step; steps the
// cycle (500 frames clear, 20 darkening, 80 black, 20 brightening).
float StepMeditationFade(float& fade);

// The score the player will have after a level, before the display counts it up.
struct LevelScoreInput {
    int32_t score = 0;  // player's score before the level
    int32_t secondsLeft = 0;
    bool lampUnused = true;
    int32_t misc = 0;           // the level's mode bits
    int32_t filledPercent = 0;  // covered percentage on Freeze levels
    bool pays = true;           // the level is the furthest one reached in the set
};
int32_t LevelCompleteScore(const LevelScoreInput& in);

class TGame {
public:
    TGame();
    virtual ~TGame();

    TOptions* ReqOptions = nullptr;
    int32_t OldScore = 0;
    int32_t FilledArea = -1;
    int32_t FilledArea2 = 0;
    PixmapRef PixmapCheck;
    int32_t PixelCount = 0;
    int32_t GameState = FADE_IN, OldGameState = FADE_IN;
    bool QuitGame = false;
    bool LevelSetCompleted = false;
    bool playLampInitAnim = false;
    int32_t GameTime = 0;
    int32_t StartTime = 0;
    int32_t OptionsTime = 0;
    bool EditorIsOn = false;
    TReqYesNo* ReplayLevel = nullptr;
    float YinYangRotation = 0;
    bool HintAllowed = true;
    ImageRef lcs_LeftWheel, lcs_MidWheel, lcs_RightWheel, lcs_Pergament;
    float lcs_frame = 0, lcs_offset = 160, lcs_alpha = 0, lcs_acc = 1.0f;
    int32_t lcs_action = 0, lcs_step = 0;
    bool ShowNewRank = false;
    bool ShowFreezeMessage = false;
    int32_t ShowMeditation = 0;  // 1 Enlightenment, 2 Meditation
    bool ShowFlying = false;
    // 0 no bonus phase, 1 "Find the tiles" pending, 2 board running, 3 bonus tutorial.
    int32_t ShowBonusGame = 0;
    bool ShowTorch = false;
    bool ShowBonusGameTutorial = false;
    bool NoPuzzleLeft = false;  // the set has no level with pieces from here on
    ImageRef MessageBox;
    float MeditationFade = 0;
    bool PrepareCheck = false;
    ImageRef Light, Twister;
    ShapeRef Twister_DestShape;
    float Twister_Frame = 0, Twister_StartX = 0, Twister_StartY = 0, Twister_DestY = 0, Twister_Alpha = 0;
    int32_t Twister_Time = 0, Twister_InitTime = 0;
    bool Show_Twister = false;
    std::string LevelSet;
    int32_t CurrentLevel = 0;
    bool ShowHurry = false;
    int32_t CurrTime = 0;
    bool TimeOff = true;
    std::list<std::shared_ptr<TextAnim>> TextList;
    float TippScale = 0.9f;
    float LampX = 0, LampY = 0;
    UserRef User;
    int32_t LvlCompleteScore = 0;
    // Tiles still to be won on the bonus board.
    std::vector<ShapeRef> TempGameElements;
    // The board of a bonus level and the help shown on a player's first one.
    std::unique_ptr<BonusGame> BGame;
    std::unique_ptr<BonusTutorial> BTutorial;

    int32_t InitLevel(bool fromMenu);
    int32_t Play();
    void CreateText(const std::string& text);
    bool RenderLevelMessage(const std::string& title, const std::string& text);
    void RenderRankMessage();
    bool RenderLevelComplete();
    static void DrawScoreboard(int32_t currTime, int32_t gameTime, bool timeOff, float& rotation);
    int32_t CheckArea(bool mayComplete);
    void LevelComplete();
    static void UpdateKeys();

    // The level's mode bits and the player's progress record for this set.
    int32_t Misc() const;
    TMaxLevel* ProgressRecord() const;
    bool LevelPays() const;
    // The level's picture variant: 0, or 1 for the mirrored parallelogram (any other value).
    int32_t PuzzleVariant() const;

    // Frame counters of Play, kept as fields so that a test can drive single frames.
    float Fade = 0;      // f
    float LampAnim = 0;  // c

    // One pass of the frame loop; false when Play has to return.
    bool Frame();

    // Where other screens and effects join the game: the tutorial before the first level, the
    // ambient animation of the background, and the match-three bonus board.
    void ShowTutorialHook();
    void RenderAmbientHook();
    void SetUpBonusLevelHook();
    void BonusFrameHook();
    bool BonusMessageHook();  // true when it drew a message this frame

private:
    int32_t LoggedState = -1;  // for the debug log of state changes
    bool Retrying = false;     // InitLevel for a "YES" to the retry question
    bool MessagePending() const;
    void RenderPlayfield();
    void RenderSidePanel();
    void RenderLamp();
    void RenderLevelMessages();
    void RenderTwister();
    void RenderTorch();
    void ReleaseFrozenTiles();
    bool SilhouetteGlows() const;
    void RenderCaptions();
    void StepState(bool& leave);
    void OpenOptions();
    void StopAmbientLoops();
    void StartAmbientLoop();
    void ShowWisdom();
    void ApplyRankChanges();
    // No level with pieces is left to play: the game shows a caption and fades out.
    void EndWithNothingToPlay();
};

// Frames of the sinking picture after a solved level; shared with the tile sparkles.
extern int32_t FinishCountdown;
extern std::unique_ptr<class PEmitter> ParticleBurst;
