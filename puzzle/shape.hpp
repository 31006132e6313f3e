// A piece of the playfield: a dark silhouette piece or one of the player's tiles. A piece
// lives its whole life here: following the mouse while held, turning, the drop with snapping
// onto the silhouette, the flight back to the tray, hover zoom, hint glow, frozen gold,
// fading and floating; and its record in level-set files.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "platform/stream.hpp"

class PEmitter;

inline constexpr int PLAY_GAME = 1;
// Bytes of one shape record in a level-set file.
inline constexpr int kShapeRecordSize = 34;

class Shape;
using ShapeRef = std::shared_ptr<Shape>;

// Vertical swing of the floating playfield; a new shape starts it from rest.
extern float FloatOffset;

// Game state in which the pieces sparkle (the puzzle is solved).
inline constexpr int kShapeLevelCompleteState = 3;
// The playfield lies left of this x, the tray right of it.
inline constexpr float kTrayLeft = 455.0f;
// Tray slots sit at this x plus the tile's OffX.
inline constexpr float kTraySlotX = 550.0f;

// One snap mark: a point of a piece's outline and the direction it faces, in degrees.
struct SmallTri {
    int32_t x = 0, y = 0;
    float r = 0;
};
using MarkList = std::vector<SmallTri>;

// Marks from the drop of a tile, and those of the silhouette (built by the level set-up).
extern MarkList TileMarks;
extern MarkList SilhouetteMarks;

// Mark generators. The piece's angle is the current drawing rotation (SetRotation), so set it
// to the piece's rotation first; theta is the extra angle of the sub-triangle.
void AddSmallTriangleMarks(int32_t cx, int32_t cy, float theta, MarkList& list);
void AddMediumTriangleMarks(int32_t cx, int32_t cy, float theta, MarkList& list);
void AddLargeTriangleMarks(int32_t cx, int32_t cy, float theta, MarkList& list);

// Every picture variant but 0 is the mirrored one: a level file may hold any value there, and
// drawing and both mark builders must agree on it.
inline bool MirroredVariant(int32_t variant) { return variant != 0; }

// The snap marks of a piece of `element` centred at (x, y) and turned by `rotation`, for the
// tile being dropped and for the silhouette alike; the drawing rotation must be set to
// `rotation`. Positions are truncated toward zero.
void AddShapeMarks(int32_t element, int32_t variant, float x, float y, float rotation, MarkList& list);

// Tray slot y of each element (0 for an unknown one).
int32_t TraySlotY(int32_t element);

// The two things of a running puzzle game that pieces read while the level is complete. The
// game points them at its own countdown and burst emitter and clears them when it ends; with
// either missing no piece sparkles.
struct TileGameLink {
    const int32_t* FinishCountdown = nullptr;
    PEmitter* ParticleBurst = nullptr;
};
extern TileGameLink TileGame;

class Shape : public std::enable_shared_from_this<Shape> {
public:
    Shape();
    virtual ~Shape() = default;

    bool PickedUp = false;
    bool Pickable = true;
    bool LightOn = false;
    int32_t LightOnDelay = 0;
    float RotateIt = 0;
    int32_t MyDelay = 0;
    float X = 0, Y = 0;
    float Rotation = 0;
    int32_t R = 255, G = 255, B = 0;
    int32_t Element = 0;
    int32_t KeyAHoldTime = 0, KeySHoldTime = 0;
    float zoomer = 0.9f;
    bool MoveDroppedTile = false;
    float OffX = 0;
    float MoveStp_X = 0, MoveStp_Y = 0, MoveStp_R = 0;
    int32_t MoveStep = 0;
    float dx = 0, dy = 0;
    bool DontFadeAway = false;
    float FadeGold = 0;
    bool TileFading = false;
    bool FlyIn = false;
    float Alpha = 1.0f;

    // Creates a piece and appends it to ElementList. A tile created right of the slot x keeps
    // that distance as its own slot offset.
    static ShapeRef CreateNewShape(int32_t element, float x, float y, float rotation, int32_t r, int32_t g, int32_t b,
                                   bool pickable, bool pickedUp, float dx);
    static void ClearAllElements();
    // One frame of every piece, in list order; the held tile moves to the end of the list so
    // it is drawn on top from the next frame on.
    static void UpdateAllElements(int32_t state, int32_t variant, bool frozenInput, bool freeze, bool fading,
                                  bool floating);

    // One frame of this piece.
    virtual void Render(int32_t state, int32_t variant, bool frozenInput, bool freeze, bool fading);
    // Starts the flight to the tray slot: 10 frames, or 20 for the long form.
    virtual void CalcMove(bool longFlight);
    // Shadows are loaded with the tile set but not drawn.
    virtual void RenderShadow(int32_t variant);
    // Appends the marks of this piece centred at (cx, cy); the drawing rotation must be set.
    void AddMarks(int32_t cx, int32_t cy, int32_t variant, MarkList& list) const;

    // The 34-byte record: only the ten fields that describe a solution piece travel.
    static void SaveShape(const Shape& shape, TStream& stream);
    // Starts from a freshly constructed shape; does not put it on the playfield.
    static ShapeRef ReadShape(TStream& stream);

    // Walks the record's fields in file order with a FieldReader or FieldWriter.
    template <class IO, class S>
    static void WalkRecord(IO& io, S& s) {
        io.Flag(s.PickedUp);
        io.Flag(s.Pickable);
        io.Float(s.RotateIt);
        io.Float(s.X);
        io.Float(s.Y);
        io.Float(s.Rotation);
        io.Int(s.R);
        io.Int(s.G);
        io.Int(s.B);
        io.Int(s.Element);
    }

private:
    void ReadRotationInputs();
    void Drop(int32_t variant, bool freeze, bool fading);
    void Draw(int32_t state, int32_t variant, bool frozenInput, float rememberedAlpha);
    bool UnderMouse() const;
};

// Every piece of the playfield in drawing order (the last lies on top).
extern std::list<ShapeRef> ElementList;
// The tile held now, or null.
extern ShapeRef PickedShape;
extern bool TileDragging;
// Phase of the floating playfield.
extern float FloatAngle;
// Frames left before the space key or right button repeats a turn.
extern int32_t RotateHoldTime;
