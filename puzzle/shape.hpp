// A piece of the playfield: a dark silhouette piece or one of the player's tiles.
// This file holds the piece's data and its record in level-set files.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/stream.hpp"

inline constexpr int PLAY_GAME = 1;
// Bytes of one shape record in a level-set file.
inline constexpr int kShapeRecordSize = 34;

class Shape;
using ShapeRef = std::shared_ptr<Shape>;

// Vertical swing of the floating playfield; a new shape starts it from rest.
extern float FloatOffset;

class Shape {
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
};
