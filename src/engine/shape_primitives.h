// Geometry shared by star placement, molecules, galaxy paths, comets and the camera tour:
// the thickness profiles of a disk, random points on spheres, globes and flat disks, and the
// uniform cubic B-spline evaluators. All randomness comes from the engine's random table;
// nothing here allocates or keeps state.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/galaxy_types.h"

namespace engine {

// Rows of the ribbon tables: control points 0 to 22 of one galaxy, and for each of them the
// four points of the B-spline span along which it wanders.
inline constexpr int kRibbonPoints = 23;
using RibbonRow = std::array<float, kRibbonPoints>;
using WanderRow = std::array<std::array<float, 4>, kRibbonPoints>;

// Int(r * n) of a fresh NextRandomSingle draw r; false (and `out` unchanged) when the product
// cannot become a whole number.
bool DrawIndex(double n, int32_t& out);
// One of `count` entries, 0 to count - 1: Int(r * count) of a fresh NextRandomSingle draw r,
// the product taken in Double (Fix gives the same, the product is never negative). A count
// below 1 still draws and gives 0.
int32_t DrawIndexBelow(int32_t count);

// Signed height of thickness profile `profile` (0 to 6) at distance r from the centre of a
// disk of radius R, with Q = R². The sign comes from one NextRandomInteger draw (0 when the
// draw is exactly 16384); a profile outside 0 to 6 has height 0 but still draws its sign.
float ProfileThickness(int32_t profile, float r, float R, float Q);

// A random point of shape `shape` with radius `radius`: 0 or below a point on the sphere,
// 1 to 5 a crossing of a globe grid, 6 to 10 a point on the grid lines of a globe, 11 to 13
// a point of a flat disk (X-Z plane, Y-Z plane, or one of the three planes). A shape above
// 13 leaves the outputs as they were.
void RandomPointInShape(float& X, float& Y, float& Z, float radius, int32_t shape);

// One coordinate of the uniform cubic B-spline of P0..P3 at t (t = 0 gives
// (P0 + 4 P1 + P2) / 6, t = 1 gives (P1 + 4 P2 + P3) / 6).
float BSplineValue(float p0, float p1, float p2, float p3, float t);

// The four evaluators differ only in how they pick their four control points. A point index
// outside its array leaves the outputs as they were.

// Control points A(g, j, 0..3) of three-dimensional tables (galaxy, point, span point).
void BSplinePointA3(float& X, float& Y, float& Z, float t, int32_t g, int32_t j,
                    std::span<const WanderRow> AX, std::span<const WanderRow> AY,
                    std::span<const WanderRow> AZ);
// Control points A(g, k0), A(g, k1), A(g, k2), A(g, k3) of two-dimensional tables.
void BSplinePointA2(float& X, float& Y, float& Z, float t, int32_t g, int32_t k0, int32_t k1,
                    int32_t k2, int32_t k3, std::span<const RibbonRow> AX,
                    std::span<const RibbonRow> AY, std::span<const RibbonRow> AZ);
// Control points A(0) to A(3) of one-dimensional arrays.
void BSplinePointA1(float& X, float& Y, float& Z, float t, std::span<const float> AX,
                    std::span<const float> AY, std::span<const float> AZ);
// Control points A(k0), A(k1), A(k2), A(k3) of one-dimensional arrays.
void BSplinePointA1Idx(float& X, float& Y, float& Z, float t, int32_t k0, int32_t k1, int32_t k2,
                       int32_t k3, std::span<const float> AX, std::span<const float> AY,
                       std::span<const float> AZ);

}  // namespace engine
