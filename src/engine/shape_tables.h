// Per-galaxy geometry of a display: the wireframe vertices and the running point of the
// point-iteration styles (1, 2, 3, 8), and the wandering B-spline ribbons of the nebula
// style (4). The tables are sized once per display for its galaxies (the only time they
// allocate); the ribbons then move every frame. The universe's own shape keeps a second set
// with one row.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/shape_primitives.h"

namespace engine {

inline constexpr int kWireVertices = 10;  // vertices 0 to 9 of a wireframe
using WireRow = std::array<float, kWireVertices>;

struct ShapeTables {
  // Galaxy rows 0 to n - 1 of the current display.
  std::vector<RibbonRow> PathCtrlX, PathCtrlY, PathCtrlZ;        // ribbon control points
  std::vector<WanderRow> PathWanderX, PathWanderY, PathWanderZ;  // wander spans per point
  std::vector<float> PathWanderT;                                // position in the span, [0, 1)
  std::vector<WireRow> WireVertexX, WireVertexY, WireVertexZ;    // wireframe vertices
  std::vector<float> ShapePointX, ShapePointY, ShapePointZ;      // running shape point
  std::vector<int32_t> AttractorCount;                           // point in the attractor spiral

  // The universe's own shape: one row (its attractor uses AttractorCount[0]).
  std::array<float, 1> UniverseShapePointX{}, UniverseShapePointY{}, UniverseShapePointZ{};
  std::array<WireRow, 1> UniverseWireVertexX{}, UniverseWireVertexY{}, UniverseWireVertexZ{};
  RibbonRow UniverseRibbonX{}, UniverseRibbonY{}, UniverseRibbonZ{};
};
ShapeTables& shapeTables();

// Sizes every galaxy table for n galaxies (all zero), resets the per-type running angles and
// hue offsets of types 0 to 49, clamps Galaxy_CP_Points to 1..20 in the records, sets
// PathSegs, and builds the path of every galaxy: of every member of composite
// `compositeIndex` into row 0 when it is 0 or more, else of `forcedType` for every galaxy
// when that is 0 or more, else of types[g] (a composite slot builds its members, last to
// first). An n below 1 sizes the tables empty.
void InitGalaxyPaths(int32_t n, int32_t forcedType, int32_t compositeIndex,
                     std::span<const int32_t> types = {});

// The path of galaxy row g from one type: wireframe and running point for styles 1, 2, 3, 8;
// the wander spans and control points of the ribbon for style 4.
void InitGalaxyPath(int32_t type, int32_t g);

// Wireframe vertices of row g of the given vertex tables, from the type's style, PathSegs,
// RadiusF and Galaxy_GHW_Ratio. Style 1 sets only vertex 0, to a random start point.
void MakePathControlPoints(std::span<WireRow> VX, std::span<WireRow> VY, std::span<WireRow> VZ,
                           int32_t type, int32_t g);

// A random start point of a single-point attractor spiral (style 1) of the type: a radius
// bent by Galaxy_RadiusExp, a height from the thickness profile, a random direction.
// Three NextRandomSingle draws around the profile's sign draw.
void RandomAttractorStart(const model::GalaxyTypeProps& rec, float& X, float& Y, float& Z);

// One frame of ribbon motion for galaxies 0 to n - 1 (nebula galaxies only): the wander
// position advances, spans roll on to new random points, the spans turn with the galaxy and
// the control points are re-evaluated. The type of galaxy g is `forcedType` when it is 0 or
// more, else types[g] (a composite slot stands for its first member).
void AdvanceGalaxyPaths(int32_t n, int32_t forcedType, std::span<const int32_t> types = {});

}  // namespace engine
