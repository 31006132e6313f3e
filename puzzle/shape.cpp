#include "puzzle/shape.hpp"

#include <algorithm>
#include <cmath>

#include "data/fieldio.hpp"
#include "fx/emitters.hpp"
#include "fx/pointer.hpp"
#include "fx/sfx.hpp"
#include "platform/graphics.hpp"
#include "platform/input.hpp"
#include "platform/random.hpp"
#include "platform/timing.hpp"
#include "puzzle/tileset.hpp"
#include "ui/frame.hpp"

float FloatOffset = 0;
float FloatAngle = 0;
int32_t RotateHoldTime = 0;
std::list<ShapeRef> ElementList;
ShapeRef PickedShape;
bool TileDragging = false;
MarkList TileMarks;
MarkList SilhouetteMarks;
TileGameLink TileGame;

namespace {

constexpr int32_t kSlotY[5] = {120, 205, 270, 410, 330};
constexpr int32_t kHoverSound[5] = {10, 11, 12, 14, 13};
constexpr float kTurn = 22.5f;
constexpr float kTurnStep = 4.5f;  // a 22.5-degree turn takes 5 frames
constexpr int32_t kHoldFrames = 20;
constexpr uint32_t kPieceLayer = 1;

constexpr int SOUND_DROPDOWN = 2, SOUND_FLYBACK = 3, SOUND_ROTATE = 8, SOUND_PICK = 9, SOUND_FREEZE = 21;

void Sound(int no) {
    if (SFX) SFX->Play(no);
}

bool ValidElement(int32_t e) { return e >= 0 && e < 5; }

const ImageRef& Picture(const TileImageTable& table, int32_t variant, int32_t element) {
    static const ImageRef none;
    if (variant < 0 || variant > 1 || !ValidElement(element)) return none;
    return table[size_t(variant)][size_t(element)];
}

void SetClampedColor(int32_t r, int32_t g, int32_t b) {
    SetColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
}

// Floating remainder with the sign of the dividend, in 32-bit floats like every angle here.
float Mod360(float a) { return std::fmod(a, 360.0f); }

}  // namespace

int32_t TraySlotY(int32_t element) { return ValidElement(element) ? kSlotY[element] : 0; }

// ---- Snap marks ----

void AddSmallTriangleMarks(int32_t cx, int32_t cy, float theta, MarkList& list) {
    const float rho = GetRotation();
    const float f1 = Mod360(rho + 135.0f + theta);
    list.push_back({int32_t(float(cx) + 14.0f * CosDeg(f1)), int32_t(float(cy) + 14.0f * SinDeg(f1)), f1});
    const float f2 = Mod360(rho - 135.0f + theta);
    list.push_back({int32_t(float(cx) - 14.0f * CosDeg(f2)), int32_t(float(cy) - 14.0f * SinDeg(f2)), f2});
}

void AddMediumTriangleMarks(int32_t cx, int32_t cy, float theta, MarkList& list) {
    const float rho = GetRotation();
    const float f1 = Mod360(rho + 135.0f + theta);
    AddSmallTriangleMarks(int32_t(float(cx) + 20.0f * CosDeg(f1)), int32_t(float(cy) + 20.0f * SinDeg(f1)),
                          theta + 135.0f, list);
    const float f2 = Mod360(rho - 135.0f + theta);
    AddSmallTriangleMarks(int32_t(float(cx) - 20.0f * CosDeg(f2)), int32_t(float(cy) - 20.0f * SinDeg(f2)),
                          theta - 135.0f, list);
}

void AddLargeTriangleMarks(int32_t cx, int32_t cy, float theta, MarkList& list) {
    const float rho = GetRotation();
    const float f1 = Mod360(rho + 135.0f + theta);
    AddMediumTriangleMarks(int32_t(float(cx) + 31.0f * CosDeg(f1)), int32_t(float(cy) + 31.0f * SinDeg(f1)), 135.0f,
                           list);
    const float f2 = Mod360(rho - 135.0f + theta);
    AddMediumTriangleMarks(int32_t(float(cx) - 31.0f * CosDeg(f2)), int32_t(float(cy) - 31.0f * SinDeg(f2)), -135.0f,
                           list);
}

void Shape::AddMarks(int32_t cx, int32_t cy, int32_t variant, MarkList& list) const {
    const float c = CosDeg(Rotation), s = SinDeg(Rotation);
    switch (Element) {
        case 0:
            AddLargeTriangleMarks(cx, cy, 0, list);
            break;
        case 1:
            AddMediumTriangleMarks(cx, cy, 0, list);
            break;
        case 2:
            AddSmallTriangleMarks(cx, cy, 0, list);
            break;
        case 3:
            // The square is two small triangles back to back.
            AddSmallTriangleMarks(int32_t(float(cx) + 21.0f * c), int32_t(float(cy) + 21.0f * s), 90.0f, list);
            AddSmallTriangleMarks(int32_t(float(cx) - 21.0f * c), int32_t(float(cy) - 21.0f * s), -90.0f, list);
            break;
        case 4: {
            // One small triangle pointing up, one down; the mirrored picture swaps their places.
            int32_t mx = int32_t(float(cx) - 20.0f * c), my = int32_t(float(cy) - 20.0f * s);
            int32_t px = int32_t(float(cx) + 20.0f * c), py = int32_t(float(cy) + 20.0f * s);
            if (variant == 1) {
                std::swap(mx, px);
                std::swap(my, py);
            }
            AddSmallTriangleMarks(mx, my, 0.0f, list);
            AddSmallTriangleMarks(px, py, 180.0f, list);
            break;
        }
        default:
            break;
    }
}

// ---- Construction and the list ----

Shape::Shape() { FloatOffset = 0; }

ShapeRef Shape::CreateNewShape(int32_t element, float x, float y, float rotation, int32_t r, int32_t g, int32_t b,
                               bool pickable, bool pickedUp, float dx) {
    auto s = std::make_shared<Shape>();
    s->Element = element;
    s->X = x;
    s->Y = y;
    if (rotation < 0) rotation += 360.0f;
    s->Rotation = rotation;
    s->R = r;
    s->G = g;
    s->B = b;
    s->Pickable = pickable;
    s->PickedUp = pickedUp;
    s->dx = dx;
    s->OffX = x > kTraySlotX ? x - kTraySlotX : 0.0f;
    ElementList.push_back(s);
    return s;
}

void Shape::ClearAllElements() { ElementList.clear(); }

void Shape::UpdateAllElements(int32_t state, int32_t variant, bool frozenInput, bool freeze, bool fading,
                              bool floating) {
    const float rotation = GetRotation();
    const float alpha = GetAlpha();
    if (fading && MouseHits[0]) {
        const bool holding =
            std::any_of(ElementList.begin(), ElementList.end(), [](const ShapeRef& s) { return s->PickedUp; });
        // The click that lets a tile go lights the placed ones for a moment; they darken again.
        if (holding)
            for (const ShapeRef& s : ElementList)
                if (s->TileFading) s->R = s->G = s->B = 271;
    }
    if (floating) {
        FloatAngle = Mod360(FloatAngle + 1.0f);
        FloatOffset = CosDeg(FloatAngle) * 30.0f;
    }
    // A copy, so a piece's frame can never trip over changes to the list.
    const std::vector<ShapeRef> pieces(ElementList.begin(), ElementList.end());
    for (const ShapeRef& s : pieces) s->Render(state, variant, frozenInput, freeze, fading);

    auto held = std::find_if(ElementList.begin(), ElementList.end(), [](const ShapeRef& s) { return s->PickedUp; });
    if (held != ElementList.end()) ElementList.splice(ElementList.end(), ElementList, held);

    SetRotation(rotation);
    SetAlpha(alpha);
    SetColor(255, 255, 255);
}

// ---- One frame of a piece ----

void Shape::ReadRotationInputs() {
    if (KeyHit(KEY_A) && RotateIt == 0 && KeyDown(KEY_A)) {
        KeyAHoldTime = kHoldFrames;
        RotateIt = -kTurn;
    }
    if (KeyDown(KEY_A)) {
        --KeyAHoldTime;
        if (RotateIt == 0 && KeyAHoldTime < 1) {
            RotateIt = -kTurn;
            Sound(SOUND_ROTATE);
        }
    } else {
        KeyAHoldTime = kHoldFrames;
    }

    if (KeyHit(KEY_S) && RotateIt == 0 && KeyDown(KEY_S)) {
        KeySHoldTime = kHoldFrames;
        RotateIt = kTurn;
    }
    if (KeyDown(KEY_S)) {
        --KeySHoldTime;
        if (RotateIt == 0 && KeySHoldTime < 1) {
            RotateIt = kTurn;
            Sound(SOUND_ROTATE);
        }
    } else {
        KeySHoldTime = kHoldFrames;
    }

    const bool spaceHit = KeyHit(KEY_SPACE) && KeyDown(KEY_SPACE);
    if ((spaceHit || MouseHits[1]) && RotateIt == 0) {
        RotateHoldTime = kHoldFrames;
        RotateIt = kTurn;
        Sound(SOUND_ROTATE);
    }
    if (MouseDown(MOUSE_RIGHT) || KeyDown(KEY_SPACE)) {
        --RotateHoldTime;
        if (RotateIt == 0 && RotateHoldTime < 1) {
            RotateIt = kTurn;
            Sound(SOUND_ROTATE);
        }
    }

    // Wheel turns add up without waiting for the running turn to end.
    if (MouseZ > OldMouseZ) {
        RotateIt -= kTurn;
        Sound(SOUND_ROTATE);
    }
    if (MouseZ < OldMouseZ) {
        RotateIt += kTurn;
        Sound(SOUND_ROTATE);
    }
}

void Shape::Drop(int32_t variant, bool freeze, bool fading) {
    PickedUp = false;
    PickedShape.reset();
    MouseHits[0] = 0;  // no other piece reacts to the click that let this one go
    TileDragging = false;
    TileDropped = 1;

    if (X > kTrayLeft && !MoveDroppedTile) {
        Sound(SOUND_FLYBACK);
        CalcMove(false);
    }
    if (X < kTrayLeft) {
        if (freeze) {
            Pickable = false;
            DontFadeAway = true;
            Sound(SOUND_FREEZE);
        }
        if (fading) TileFading = true;
    }
    Y = std::clamp(Y, 66.0f, 460.0f);
    if (X < 0) X = 0;

    TileMarks.clear();
    AddMarks(int32_t(X), int32_t(Y + FloatOffset), variant, TileMarks);
    auto normalise = [](float r) {
        while (r < 0) r = Mod360(r + 360.0f);
        return r;
    };
    int32_t count = 0, n = 0;
    float sumX = 0, sumY = 0;
    for (SmallTri& p : TileMarks) {
        ++count;
        p.r = normalise(p.r);
        for (const SmallTri& q : SilhouetteMarks) {
            const float qr = normalise(q.r);
            const float qy = float(q.y) + FloatOffset;
            if (p.x < q.x + 15 && p.x > q.x - 15 && float(p.y) < qy + 15.0f && float(p.y) > qy - 15.0f && p.r == qr) {
                ++n;
                sumX += float(q.x - p.x);
                sumY += qy - float(p.y);
            }
        }
    }
    // Only when every mark has a partner; a piece without marks never snaps.
    if (n > 0 && n >= count) {
        X += sumX / float(n);
        Y += sumY / float(n);
        Sound(SOUND_DROPDOWN);
    } else {
        Sound(SOUND_PICK);
    }
}

void Shape::CalcMove(bool longFlight) {
    MoveDroppedTile = true;
    MoveStep = longFlight ? -10 : 0;
    const float steps = longFlight ? 20.0f : 10.0f;
    MoveStp_X = (kTraySlotX - X + OffX) / steps;
    MoveStp_R = -Rotation / steps;
    MoveStp_Y = (float(TraySlotY(Element)) - Y) / steps;
}

void Shape::RenderShadow(int32_t) {}

bool Shape::UnderMouse() const { return CollideRect(float(MouseX()), float(MouseY()), 2, 2, kPieceLayer, 0); }

void Shape::Draw(int32_t state, int32_t variant, bool frozenInput, float rememberedAlpha) {
    const ImageRef& pic = Picture(TileImages, variant, Element);
    if (X >= kTraySlotX && !PickedUp && !frozenInput) {
        // Resting in the tray: drawn at its own zoom, without the floating offset.
        SetScale(zoomer, zoomer);
        CollideImage(pic, float(int32_t(X)), float(int32_t(Y)), 0, 0, kPieceLayer);
        RenderShadow(variant);
        const bool hovered = state == PLAY_GAME && UnderMouse() && Pickable && !PickedUp;
        if (hovered) {
            if (zoomer <= 0.8f && ValidElement(Element)) Sound(kHoverSound[Element]);
            if (zoomer <= 1.0f) zoomer += 0.05f;
            SetScale(zoomer, zoomer);
            DrawImage(pic, X, Y);
        } else {
            if (zoomer >= 0.8f) zoomer -= 0.05f;
            DrawImage(pic, X, Y);
            SetScale(1, 1);
        }
        return;
    }
    RenderShadow(variant);
    const float y = Y + FloatOffset;
    CollideImage(pic, float(int32_t(X)), float(int32_t(y)), 0, 0, kPieceLayer);
    DrawImage(pic, X, y);
    if (!Pickable && DontFadeAway) {
        SetAlpha(FadeGold);
        if (FadeGold < 1.0f) FadeGold += 0.05f;
        DrawImage(Picture(TileGoldImages, variant, Element), X, y);
        SetAlpha(rememberedAlpha);
    }
    SetClampedColor(R, G, B);
}

void Shape::Render(int32_t state, int32_t variant, bool frozenInput, bool freeze, bool fading) {
    // 1. Sparkles over the solved picture while it sinks away.
    if (state == kShapeLevelCompleteState && Rand(0, 100) > 95 && TileGame.FinishCountdown &&
        *TileGame.FinishCountdown > 0) {
        const int32_t count = Rand(1, 10);
        const float x = X + float(Rand(-50, 50));
        const float y = Y + float(Rand(-50, 50));
        if (TileGame.ParticleBurst) TileGame.ParticleBurst->Init(count, x, y, 0);
        Alpha -= 0.02f;
    }

    // 2.
    if (MyDelay > 0) --MyDelay;
    const float rememberedAlpha = GetAlpha();
    ResetCollisions(kPieceLayer);
    if (state != PLAY_GAME) PickedUp = false;
    SetRotation(Rotation);

    // 3. The held tile follows the mouse, the pointer stays out of sight.
    if (PickedUp) {
        if (MousePointer) MousePointer->Display = false;
        X = float(MouseX());
        Y = float(MouseY()) - FloatOffset;
        ReadRotationInputs();
    }

    // 4. Turn animation.
    if (RotateIt > 0.00001f) {
        RotateIt -= kTurnStep;
        Rotation += kTurnStep;
    } else if (RotateIt >= -0.00001f) {
        RotateIt = 0;
    } else {
        RotateIt += kTurnStep;
        Rotation -= kTurnStep;
    }
    Rotation = Mod360(Rotation);
    if (Rotation < 0) Rotation += 360.0f;

    // 5. Silhouette pieces: soft shadow and the hint glow.
    if (!Pickable && !DontFadeAway) {
        SetAlpha(rememberedAlpha * 0.2f);
        if (LightOn) {
            --LightOnDelay;
            if (LightOnDelay < 1) {
                if (R < 128) {
                    R += 8;
                    G += 8;
                    B += 8;
                } else {
                    LightOn = false;
                }
            }
        }
        if (!LightOn && R > 0) {
            R -= 2;
            G -= 2;
            B -= 2;
        }
        SetClampedColor(R, G, B);
        DrawImage(Picture(TileImages, variant, Element), X + 4.0f, Y + 2.0f + (X <= kTrayLeft ? FloatOffset : 0.0f));
    }

    // 6. Placed tiles darken on meditation levels.
    if (TileFading && X < kTrayLeft) {
        if (R > 0) {
            R -= 4;
            G -= 4;
            B -= 4;
        }
        SetClampedColor(R, G, B);
    }

    // 7.
    SetAlpha(rememberedAlpha);
    SetClampedColor(R, G, B);

    // 8.
    if (MouseHits[0] && PickedUp && !frozenInput) Drop(variant, freeze, fading);

    // 9. Flight to the tray slot.
    if (MoveDroppedTile) {
        ++MoveStep;
        X += MoveStp_X;
        Y += MoveStp_Y;
        Rotation += MoveStp_R;
        if (MoveStep > 9) {
            MoveDroppedTile = false;
            X = kTraySlotX + OffX;
            Rotation = 0;
            Y = float(TraySlotY(Element));
        }
        if (zoomer < 1.0f) zoomer += 0.1f;
        SetScale(zoomer, zoomer);
        TileFading = false;
        R = G = B = 255;
    }

    // 10.
    Draw(state, variant, frozenInput, rememberedAlpha);
    SetScale(1, 1);

    // 11. Pick up. The click stays set, so of several pieces under the mouse the last in the
    // list (the one on top) ends up held.
    if (MouseHits[0] && state == PLAY_GAME && UnderMouse() && Pickable && !PickedUp && !frozenInput) {
        if (PickedShape) {
            PickedShape->PickedUp = false;
            if (fading) PickedShape->TileFading = true;
        }
        PickedShape = shared_from_this();
        PickedUp = true;
        TileDragging = true;
        if (TileFading) {
            TileFading = false;
            R = G = B = 255;
        }
        Sound(SOUND_PICK);
    }

    // 12.
    SetAlpha(rememberedAlpha);
}

// ---- The level-set record ----

void Shape::SaveShape(const Shape& shape, TStream& stream) {
    FieldWriter w{stream};
    WalkRecord(w, shape);
}

ShapeRef Shape::ReadShape(TStream& stream) {
    auto shape = std::make_shared<Shape>();
    FieldReader r{stream};
    WalkRecord(r, *shape);
    return shape;
}
