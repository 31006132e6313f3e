#include "puzzle/shape.hpp"

#include "data/fieldio.hpp"

float FloatOffset = 0;

Shape::Shape() { FloatOffset = 0; }

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
