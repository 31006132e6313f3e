#include "editor/editor.hpp"

#include <algorithm>
#include <cstdio>

#include "data/language.hpp"
#include "data/users.hpp"
#include "fx/pointer.hpp"
#include "fx/sfx.hpp"
#include "game/board.hpp"
#include "game/game.hpp"
#include "platform/input.hpp"
#include "platform/timing.hpp"
#include "puzzle/levelset.hpp"
#include "puzzle/tileset.hpp"
#include "puzzle/unlocks.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/requester.hpp"

namespace {

constexpr float kFadeStep = 0.05f;
constexpr int kKeyR = 82;

// Palette places of the five base elements.
constexpr float kPaletteX = 550;
constexpr float kPaletteY[5] = {120, 200, 260, 340, 420};

constexpr int32_t kBombFirstFrame = 112, kBombLastFrame = 143;

int32_t AnimatedFrame(int32_t frame) {
    if (frame >= kBombFirstFrame && frame <= kBombLastFrame) frame += (Millisecs() / 20) % 32;
    return frame;
}

TLevelProperties& Props(int32_t level) { return LevelProps[size_t(std::clamp(level, 0, LEVEL_COUNT - 1))]; }

void Log(const char* line) { std::printf("%s\n", line); }

}  // namespace

int32_t BonusKindFrame(int32_t kind) { return kind < 8 ? 16 * kind : kind + 136; }

TEd::TEd() {
    LevelPropRequester = std::make_unique<TLvlOptions>();
    BonusLevelPropRequester = std::make_unique<TBonusLvlOptions>();
    // The palette is hit-tested pixel by pixel against a single opaque pixel at the mouse.
    PixmapRef probe = CreatePixmap(1, 1);
    probe->WritePixel(0, 0, 0xffffffffu);
    ColPic = LoadImageFromPixmap(probe, 0);
    SetImageHandle(ColPic, 0, 0);
    Cls();
    SetAlpha(0);

    std::printf("Load level...%s\n", CurrLevelSetFile.c_str());
    Log("START EDITOR");
    ReadLevelSet(CurrLevelSetFile);
    Shape::ClearAllElements();

    const bool mid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    BonusGameBG = LoadImage("incbin::../gfx/bonusgame/bg.png");
    Slider = LoadImage("incbin::../gfx/slider.png");
    Panel = LoadAnimImage("incbin::../gfx/editor/panel.png", 640, 29, 0, 3);
    BalloonImg = LoadImage("incbin::../gfx/balloons/ed001.png");
    Fahne = LoadImage("incbin::../gfx/editor/fahne.png");
    BalloonsTxt[0] =
        Tx("To create your own levels,\nchoose a base element on the right side and\nmove it to the play field.");
    BalloonsTxt[1] =
        Tx("Using the keys A, S, SPACE,\nthe right mouse button or the mouse wheel\nyou can rotate the selected "
           "tile.\n\nUse the cursor keys\nto move the tile pixel wise.");
    BalloonsTxt[2] =
        Tx("You can place as much tiles\nas you want on the play field\nto create your own puzzles.\nYou are able to "
           "remove tiles\nby selecting them and\nmove them back on the stack.");
    BalloonsTxt[3] = Tx("Use this slider,\nto set the time of a level.");
    BalloonsTxt[4] = Tx("Click here to change the level.\nEach levelset can consist\nof up to 50 different puzzles.");
    AutoMidHandle(true);
    BonusTiles = LoadAnimImage("incbin::../gfx/bonusgame/tiles.png", 40, 40, 0, 160);
    Regler = LoadImage("incbin::../gfx/regler.png");
    Icons = LoadAnimImage("incbin::../gfx/editor/icons.png", 50, 50, 0, 18);
    AutoMidHandle(mid);
    Log("END TED NEW CONSTRUCTOR");
}

TEd::~TEd() {
    Shape::ClearAllElements();
    PickedShape.reset();
    TileDragging = false;
}

void TEd::BalloonDraw(const std::string& text, int32_t x, int32_t y, bool flip) {
    if (!FontMain || !FontMainHover) return;
    const int32_t w = FontMain->GetWidth(text);
    const int32_t h = int32_t(float(FontMain->GetHeight(text)) * 1.2f);
    SetColor(255, 255, 255);
    DrawRect(float(x - 5), float(y - 5), float(w + 15), float(h + 25));
    if (flip) {
        SetScale(1, -1);
        if (BalloonImg) DrawImage(BalloonImg, float(x + 15), float(y - 5));
        SetScale(1, 1);
    } else if (BalloonImg) {
        DrawImage(BalloonImg, float(x + w - 80), float(y + h + 20));
    }
    FontMainHover->Draw(text, float(x), float(y));
}

void TEd::SaveToMem() {
    ShapeList& level = LevelShapes[size_t(std::clamp(CurrentLevel, 0, LEVEL_COUNT - 1))];
    level.clear();
    // A tile still held over the palette side would be deleted the moment it is let go; it
    // must not end up in the set as a piece of the silhouette.
    for (const ShapeRef& s : ElementList)
        if (!(s->PickedUp && s->X > kTrayLeft)) level.push_back(s);
}

void TEd::LoadFromMem() {
    Shape::ClearAllElements();
    PickedShape.reset();
    TileDragging = false;
    for (const ShapeRef& s : LevelShapes[size_t(std::clamp(CurrentLevel, 0, LEVEL_COUNT - 1))])
        if (s) Shape::CreateNewShape(s->Element, s->X, s->Y, s->Rotation, s->R, s->G, s->B, true, false, 0);
}

bool TEd::DrawIconButton(int32_t x, int32_t y, int32_t icon, const std::string& text) {
    const int32_t slot = ++ButtonSlot;
    const int32_t mx = MouseX(), my = MouseY();
    const bool active = !MovePlayfield && !ShowOptions && !ShowOptionsBonus;
    int state = 0;
    if (active && x - 18 < mx && mx < x + 18 && y - 18 < my && my < y + 18) {
        state = 1;
        if (MousePointer) MousePointer->SetHover(true);
        if (MouseDown(MOUSE_LEFT)) state = 2;
    }
    SetColor(255, 255, 255);
    if (Icons) DrawImage(Icons, float(x), float(y), icon * 3 + state);
    if (state > 0 && !text.empty() && !MovePlayfield && FontMain) {
        const int32_t tw = FontMain->GetWidth(text), th = FontMain->FrameHeight;
        const int32_t tx = mx + tw + 5 > 620 ? mx - tw - 20 : mx + 5;
        const int32_t ty = my - 5 < th + 20 ? th + my + 25 : my - 5;
        const float alpha = GetAlpha();
        SetColor(0, 0, 0);
        SetAlpha(0.4f);
        DrawRect(float(tx - 4), float(ty - th - 14), float(tw + 16), float(th + 16));
        SetColor(255, 255, 255);
        SetAlpha(alpha);
        FontMain->Draw(text, float(tx), float(ty - th - 6));
    }
    if (MovePlayfield) return false;
    if (slot < 0 || slot >= kButtonLatches) return false;
    uint8_t& latch = ButtonLatch[size_t(slot)];
    if (state > 0 && MouseHits[0]) {
        latch = 1;
        if (SFX) SFX->Play(0);
    }
    if (latch && state == 0) latch = 0;
    if (latch && !MouseDown(MOUSE_LEFT)) {
        latch = 0;
        return state > 0;
    }
    return false;
}

int32_t TEd::MarkersLeft() const {
    const TLevelProperties& p = Props(CurrentLevel);
    int32_t markers = 0;
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y)
            if (p.PuzzleTileData[x][y] >= 0) ++markers;
    return int32_t(ElementList.size()) - markers;
}

void TEd::Start() {
    Begin();
    while (Frame()) {
    }
    Finish();
}

void TEd::Begin() {
    CurrentLevel = 0;
    LoadFromMem();
    ShowOptions = ShowOptionsBonus = false;
    BonusPage = false;
    BonusKind = 0;
    SliderDrag = false;
    TutorialStep = 0;
    TutorialAlpha = 0;
    TutorialTile.reset();
    std::printf("Screen Editor (frame %lld)\n", (long long)FlipCount());
}

void TEd::Finish() {
    SaveToMem();
    SaveLevelSet();
}

bool TEd::SaveLevelSet() {
    if (WriteLevelSet(CurrLevelSetFile)) {
        std::printf("Level set saved to %s\n", CurrLevelSetFile.c_str());
        return true;
    }
    std::printf("Could not save the level set to %s\n", CurrLevelSetFile.c_str());
    ShowSaveNotice();
    return false;
}

void TEd::ShowSaveNotice() {
    TReqNotice notice;
    notice.Line1 = Tx("Not saved");
    notice.Line2 = Tx("The levelset could not be written.\nThe previous file is kept.");
    std::printf("Screen SaveFailed (frame %lld)\n", (long long)FlipCount());
    while (!notice.Done) {
        Cls();
        UpdateInput();
        SetAlpha(1);
        SetColor(255, 255, 255);
        if (BackgroundImage) DrawImage(BackgroundImage, 0, 0);
        if (BoardImage) DrawImage(BoardImage, 0, 0);
        notice.Render(90, 100);
        SetAlpha(1);
        if (MousePointer) MousePointer->Draw();
        FlipFrame(-1);
    }
    Cls();
}

void TEd::ChangeLevel(int32_t delta) {
    SaveToMem();
    CurrentLevel = std::clamp(CurrentLevel + delta, 0, LEVEL_COUNT - 1);
    LoadFromMem();
}

bool TEd::Frame() {
    Cls();
    UpdateInput();
    TGame::UpdateKeys();
    // Keys are read every frame, so a press made while a dialog is open is not kept for later.
    const bool escape = KeyHit(KEY_ESCAPE) > 0;
    const bool plus = KeyHit(KEY_NUMADD) > 0;
    const bool minus = KeyHit(KEY_NUMSUBTRACT) > 0;
    if (escape && !ShowOptions && !ShowOptionsBonus) Leave = true;

    SetColor(255, 255, 255);
    SetAlpha(1);
    if (BackgroundImage) DrawImage(BackgroundImage, 0, 0);
    if (BoardImage) DrawImage(BoardImage, 0, 0);
    bool click = MouseHits[0] != 0;
    const bool tutorialClick = click;

    if (!(Props(CurrentLevel).MiscProperties & MISC_PLAY_FOR_TILES)) BonusPage = false;
    if (BonusPage)
        BonusPageFrame(click);
    else
        NormalPage(click);

    TGame::DrawScoreboard(0, 0, true, YinYangRotation);
    TimeSlider(click);

    if (Props(CurrentLevel).MiscProperties & MISC_PLAY_FOR_TILES) {
        if (DrawButton(BonusPage ? Tx("Level") : Tx("Bonus"), 460, 35) && !ShowOptions && !ShowOptionsBonus)
            BonusPage = !BonusPage;
    }

    SetColor(255, 255, 255);
    if (Fahne) DrawImage(Fahne, -15, 254);
    bool playLevel = false;
    if (DrawIconButton(25, 317, ICON_CLEAR, Tx("Clear level"))) {
        if (BonusPage) {
            Props(CurrentLevel).ClearBonusBoard();
        } else {
            Shape::ClearAllElements();
            PickedShape.reset();
            TileDragging = false;
        }
    }
    if (!BonusPage) {
        if (DrawIconButton(70, 317, ICON_MOVE_PLAYFIELD, Tx("Move playfield"))) MovePlayfield = true;
        if (DrawIconButton(25, 372, ICON_FLIP, Tx("Flip parallelogram"))) {
            TLevelProperties& p = Props(CurrentLevel);
            p.PuzzleSet = p.TileVariant() == 0 ? 1 : 0;
        }
    }
    if (DrawIconButton(70, 372, ICON_PLAY, Tx("Play level"))) playLevel = true;
    if (DrawIconButton(25, 427, ICON_PROPERTIES, Tx("Level properties"))) ShowOptions = true;
    if (DrawIconButton(593, 31, ICON_QUIT, Tx("Quit"))) Leave = true;

    if ((!ShowOptions && DrawTextButton("+", 85, 252)) || plus) ChangeLevel(1);
    if (DrawTextButton("-", 85, 220) || minus) ChangeLevel(-1);

    SetColor(255, 255, 255);
    if (FontHeadline) FontHeadline->Draw(std::to_string(CurrentLevel + 1), 42, 233, true);

    Tutorial(tutorialClick);

    if (ShowOptions) {
        if (!LoggedOptions) std::printf("Screen LevelProperties (frame %lld)\n", (long long)FlipCount());
        LoggedOptions = true;
        LevelPropRequester->Render(CurrentLevel);
        if (LevelPropRequester->Page == PAGE_EXIT) {
            ShowOptions = false;
            LevelPropRequester->Page = PAGE_MAIN;
        }
    } else {
        LoggedOptions = false;
    }
    if (ShowOptionsBonus) {
        if (!LoggedBonusOptions) std::printf("Screen BonusProperties (frame %lld)\n", (long long)FlipCount());
        LoggedBonusOptions = true;
        BonusLevelPropRequester->Render(CurrentLevel);
        if (BonusLevelPropRequester->Page == PAGE_EXIT) {
            ShowOptionsBonus = false;
            BonusLevelPropRequester->Page = PAGE_MAIN;
        }
    } else {
        LoggedBonusOptions = false;
    }

    SetColor(255, 255, 255);
    SetAlpha(1);
    if (!MovePlayfield && MousePointer) MousePointer->Draw();

    if (playLevel && !ShowOptions) TestPlay();

    if (!Leave && Alpha <= 1) {
        Alpha += kFadeStep;
        SetColor(0, 0, 0);
        SetAlpha(1 - Alpha);
        DrawRect(0, 0, 640, 480);
    }
    if (Leave && Alpha >= 0) {
        Alpha -= kFadeStep;
        SetColor(0, 0, 0);
        SetAlpha(1 - Alpha);
        DrawRect(0, 0, 640, 480);
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
    FlipFrame(-1);
    return !(Leave && Alpha < 0);
}

void TEd::NormalPage(bool& click) {
    const int32_t variant = Props(CurrentLevel).TileVariant();
    for (const ShapeRef& s : ElementList) s->R = s->G = s->B = 0;
    // While the layout follows the mouse no piece may be picked up by the click that ends it.
    Shape::UpdateAllElements(PLAY_GAME, variant, ShowOptions || ShowOptionsBonus || MovePlayfield, false, false, false);
    for (const ShapeRef& s : ElementList) s->R = s->G = s->B = 255;
    click = MouseHits[0] != 0;

    if (KeyHit(kKeyR) && !ShowOptions) {
        for (auto it = ElementList.begin(); it != ElementList.end();) {
            if ((*it)->PickedUp) {
                (*it)->PickedUp = false;
                it = ElementList.erase(it);
            } else {
                ++it;
            }
        }
        PickedShape.reset();
        TileDragging = false;
    }

    if (MovePlayfield) {
        if (MouseHits[0]) {
            MovePlayfield = false;
            MouseHits[0] = 0;
            click = false;
        }
        const float dx = float(MouseX() - 70), dy = float(MouseY() - 317);
        for (const ShapeRef& s : ElementList) {
            s->X += dx;
            s->Y += dy;
        }
        MoveMouse(70, 317);
    }

    SetColor(255, 255, 255);
    const int32_t mx = MouseX(), my = MouseY();
    for (int32_t e = 0; e < 5; ++e) {
        const ImageRef& pic = TileImages[size_t(variant)][size_t(e)];
        if (!pic) continue;
        DrawImage(pic, kPaletteX, kPaletteY[e]);
        if (!ShowOptions && !ShowOptionsBonus && MouseHits[0] &&
            ImagesCollide(ColPic, float(mx), float(my), 0, pic, kPaletteX, kPaletteY[e], 0)) {
            PickedShape = Shape::CreateNewShape(e, -1, -1, 0, 255, 255, 255, true, true, 0);
            TileDragging = true;
            MouseHits[0] = 0;
        }
    }

    // A tile let go on the palette side is thrown away.
    if (!MovePlayfield) ElementList.remove_if([](const ShapeRef& s) { return !s->PickedUp && s->X > kTrayLeft; });
}

void TEd::BonusPageFrame(bool click) {
    TLevelProperties& p = Props(CurrentLevel);
    SetColor(255, 255, 255);
    if (BonusGameBG) DrawImage(BonusGameBG, 145, 80);
    const int32_t mx = MouseX(), my = MouseY();
    const bool dialog = ShowOptions || ShowOptionsBonus;

    for (int32_t r = 0; r < 5; ++r)
        for (int32_t c = 0; c < 2; ++c) {
            const int32_t k = 2 * r + c;
            const int32_t bx = 495 + 52 * c, by = 75 + 52 * r;
            SetColor(255, 255, 255);
            if (bx < mx && mx < bx + 50 && by < my && my < by + 50) {
                SetColor(0, 0, 255);
                if (click && !dialog) BonusKind = k;
            }
            if (k == BonusKind) SetColor(255, 0, 0);
            DrawRect(float(bx), float(by), 50, 50);
            SetColor(0, 0, 0);
            DrawRect(float(bx + 1), float(by + 1), 48, 48);
            SetColor(255, 255, 255);
            if (BonusTiles)
                DrawImage(BonusTiles, float(520 + 52 * c), float(100 + 52 * r), AnimatedFrame(BonusKindFrame(k)));
        }

    const int32_t m = MarkersLeft();
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y) {
            SetColor(255, 255, 255);
            if (x > 0 && y > 0) Plot(float(147 + 40 * x), float(82 + 40 * y));
            const int32_t cell = p.BonusLevelData[x][y];
            if (cell >= 0 && BonusTiles)
                DrawImage(BonusTiles, float(167 + 40 * x), float(102 + 40 * y), AnimatedFrame(BonusKindFrame(cell)));
            if (p.PuzzleTileData[x][y] >= 0 && BonusTiles)
                DrawImage(BonusTiles, float(167 + 40 * x), float(102 + 40 * y), 144);
            const int32_t cx = 147 + 40 * x, cy = 82 + 40 * y;
            if (!dialog && cx < mx && mx < cx + 41 && cy < my && my < cy + 41) {
                DrawLine(float(cx), float(cy), float(cx + 40), float(cy));
                DrawLine(float(cx + 40), float(cy), float(cx + 40), float(cy + 40));
                DrawLine(float(cx + 40), float(cy + 40), float(cx), float(cy + 40));
                DrawLine(float(cx), float(cy + 40), float(cx), float(cy));
                if (MouseDown(MOUSE_LEFT)) {
                    if (BonusKind == kMarkerKind) {
                        if (m > 0) p.PuzzleTileData[x][y] = 0;
                    } else {
                        p.BonusLevelData[x][y] = BonusKind;
                    }
                }
                if (MouseDown(MOUSE_RIGHT)) {
                    if (BonusKind == kMarkerKind)
                        p.PuzzleTileData[x][y] = -1;
                    else
                        p.BonusLevelData[x][y] = -1;
                }
            }
        }

    SetColor(255, 255, 255);
    if (FontMain) FontMain->Draw(std::to_string(m), 526, 306, true);
    if (DrawButton(Tx("Options"), 547, 425) && !dialog) ShowOptionsBonus = true;
}

void TEd::TimeSlider(bool click) {
    int32_t& t = Props(CurrentLevel).GameTime;
    t = std::clamp(t, 0, 240);
    SetColor(255, 255, 255);
    SetScale(1.85f, 1);
    if (Slider) DrawImage(Slider, 105, 25);
    SetScale(1, 1);
    if (Regler) DrawImage(Regler, float(t + 110), 36);
    const int32_t mx = MouseX(), my = MouseY();
    if (click && !ShowOptions && !ShowOptionsBonus && 97 < mx && mx < 348 && 25 < my && my < 53) SliderDrag = true;
    if (SliderDrag) {
        if (MouseDown(MOUSE_LEFT))
            t = std::clamp(mx - 105, 0, kEditorMaxTime);
        else
            SliderDrag = false;
    }
    if (FontMain) {
        FontMain->Draw(Tx("Time: "), 35, 15);
        const float alpha = GetAlpha();
        SetAlpha(0.7f);
        FontMain->Draw(t < 1 ? Tx("off") : Language->GetString("$sec seconds", {"sec", std::to_string(t)}), 220, 30,
                       true);
        SetAlpha(alpha);
    }
}

void TEd::Tutorial(bool click) {
    if (TutorialStep > 10 || !FontMain) return;
    const int32_t step = TutorialStep;
    const bool fadingOut = step == 1 || step == 3 || step == 6 || step == 8 || step == 10;
    const float wobble = 10.0f * SinDeg(float(Millisecs() / 20));

    if (step == 2 && !TutorialTile) {
        for (const ShapeRef& s : ElementList)
            if (s->PickedUp) {
                TutorialTile = s;
                break;
            }
        if (!TutorialTile) return;
    }
    if (step == 4) {
        if (!TutorialTile || !TutorialTile->PickedUp) TutorialStep = 5;
        return;
    }

    std::string text;
    int32_t x = 0, base = 0;
    bool flip = false;
    switch (step) {
        case 0:
        case 1:
            text = BalloonsTxt[0];
            x = 560 - FontMain->GetWidth(text);
            base = 162;
            break;
        case 2:
        case 3:
            text = BalloonsTxt[1];
            x = int32_t(TutorialTile->X) - FontMain->GetWidth(text);
            base = int32_t(TutorialTile->Y) - 270;
            break;
        case 5:
        case 6:
            text = BalloonsTxt[2];
            x = 40;
            base = 30;
            break;
        case 7:
        case 8:
            text = BalloonsTxt[3];
            x = 95;
            base = 75;
            flip = true;
            break;
        default:
            text = BalloonsTxt[4];
            x = 5;
            base = 265;
            flip = true;
            break;
    }

    if (fadingOut) {
        TutorialAlpha -= 0.1f;
        if (TutorialAlpha <= 0) {
            TutorialAlpha = 0;
            TutorialStep = step + 1;
        }
    } else {
        if (TutorialAlpha < 1) TutorialAlpha = std::min(1.0f, TutorialAlpha + 0.1f);
        if (click) TutorialStep = step + 1;
    }
    const float alpha = GetAlpha();
    SetAlpha(TutorialAlpha);
    BalloonDraw(text, x, int32_t(float(base) + wobble), flip);
    SetAlpha(alpha);
    SetColor(255, 255, 255);
}

void TEd::TestPlay() {
    Log("PlayGame Start.... / SaveToMem");
    SaveToMem();
    Log("Save Level");
    SaveLevelSet();
    Log("Create New Game");
    {
        TGame game;
        Log("Set Vars");
        UserRef player = Users.GetCurrentUser();
        player->ProgressMap = false;
        player->Wisdoms = false;
        game.EditorIsOn = true;
        game.CurrentLevel = CurrentLevel;
        Log("Init Level");
        game.InitLevel(false);
        Log("Play");
        game.Play();
    }
    SetAlpha(1);
    while (KeyDown(KEY_ESCAPE)) {
        Cls();
        FlipFrame(-1);
    }
    FlushKeys();
    LoadFromMem();
    std::printf("Screen Editor (frame %lld)\n", (long long)FlipCount());
}
