#include "engine/sprites.h"

#include <cmath>
#include <optional>
#include <span>

#include "model/galaxy_types.h"
#include "engine/render_view.h"
#include "runtime/inline_numbers.h"
#include "runtime/numbers.h"

namespace engine {

namespace {

enum class Op : uint8_t { Centre, Axis, Diag, Pair };

struct PixOp {
  Op op;
  int8_t a;
  int8_t b;
};

constexpr PixOp C() { return {Op::Centre, 0, 0}; }
constexpr PixOp A(int8_t k) { return {Op::Axis, k, 0}; }
constexpr PixOp D(int8_t k) { return {Op::Diag, k, 0}; }
constexpr PixOp P(int8_t a, int8_t b) { return {Op::Pair, a, b}; }

// [k * u]: the distance rounded to the nearest whole pixel, halves to even; nothing when the
// unit is not a usable number.
template <class U>
inline std::optional<int64_t> Dist(int k, U u) {
  const U d = static_cast<U>(k) * u;
  int32_t r = 0;
  if (!runtime::ToLongInline(static_cast<double>(d), r)) return std::nullopt;
  return static_cast<int64_t>(r);
}

template <class U>
void DrawOps(const RenderView& v, int64_t x, int64_t y, U u, std::span<const PixOp> ops, int32_t colour) {
  for (const PixOp& o : ops) {
    switch (o.op) {
      case Op::Centre:
        StorePixel(v, x, y, colour);
        break;
      case Op::Axis: {
        const auto d = Dist(o.a, u);
        if (!d) break;
        StorePixel(v, x - *d, y, colour);
        StorePixel(v, x + *d, y, colour);
        StorePixel(v, x, y - *d, colour);
        StorePixel(v, x, y + *d, colour);
        break;
      }
      case Op::Diag: {
        const auto d = Dist(o.a, u);
        if (!d) break;
        StorePixel(v, x - *d, y - *d, colour);
        StorePixel(v, x + *d, y - *d, colour);
        StorePixel(v, x - *d, y + *d, colour);
        StorePixel(v, x + *d, y + *d, colour);
        break;
      }
      case Op::Pair: {
        const auto da = Dist(o.a, u);
        const auto db = Dist(o.b, u);
        if (!da || !db) break;
        StorePixel(v, x - *da, y - *db, colour);
        StorePixel(v, x + *da, y - *db, colour);
        StorePixel(v, x - *da, y + *db, colour);
        StorePixel(v, x + *da, y + *db, colour);
        break;
      }
    }
  }
}

// Screen position of a camera-space point at depth d: X * PerspectiveScale / d plus the
// centre, rounded. The product of the two Singles is a Single whatever the depth's type. A
// depth that is not in front of the eye, or a projection that is not a finite number in
// range, gives no position: the point is off-screen.
template <class Dp>
inline bool Project(const RenderView& v, float X, float Y, Dp d, int64_t& sx, int64_t& sy) {
  if (!(d > 0)) return false;
  const float xp = X * v.PerspectiveScale;
  const float yp = Y * v.PerspectiveScale;
  int32_t px = 0, py = 0;
  if (!runtime::ToLongInline(static_cast<double>(static_cast<Dp>(xp) / d) + v.ScreenCentreX, px) ||
      !runtime::ToLongInline(static_cast<double>(static_cast<Dp>(yp) / d) + v.ScreenCentreY, py))
    return false;
  sx = px;
  sy = py;
  return true;
}

constexpr double kTinyUnit = 0.0078125;  // 1/128: below this a sprite is a dot

// The nova pattern: main layer, the layer pair at the first offset, the pair at the second.
constexpr PixOp kNovaMain[] = {A(16), D(16), D(7), A(11), D(11), P(2, 24), P(24, 2), A(32)};
constexpr PixOp kNovaMid[] = {P(3, 10), P(10, 3), P(7, 5), P(5, 7), A(24)};
constexpr PixOp kNovaOuter[] = {A(2), P(3, 5), P(5, 3)};

struct Layer {
  double k;  // depth offset in units of PulsarDepthF x scale
  std::span<const PixOp> ops;
};

struct FlareShape {
  bool centreFirst;  // the centre is drawn before the size test
  std::span<const PixOp> main;
  std::span<const Layer> layers;
};

constexpr PixOp kCentre[] = {C()};

constexpr Layer kShape0Layers[] = {{0.5, kNovaMid}, {1.0, kNovaOuter}};

constexpr PixOp kAxesMain[] = {A(8), A(12), A(20), A(32)};
constexpr PixOp kAxesL1[] = {C(), A(8)};
constexpr Layer kShape1Layers[] = {{0.25, kAxesL1}, {0.5, kCentre}, {0.75, kCentre}, {1.0, kCentre}};

constexpr PixOp kStarMain[] = {A(8), A(12), A(18), A(32)};
constexpr PixOp kStarL1[] = {C(), A(8), D(8)};
constexpr PixOp kStarL2[] = {C(), A(12), D(12)};
constexpr PixOp kStarL3[] = {C(), D(18)};
constexpr Layer kShape2Layers[] = {{0.25, kStarL1}, {0.5, kStarL2}, {0.75, kStarL3}, {1.0, kCentre}};

constexpr PixOp kSphereMain[] = {A(32), P(12, 29), D(23), P(29, 12)};
constexpr PixOp kSphereL1[] = {A(28), P(14, 23), P(23, 14)};
constexpr PixOp kSphereL2[] = {A(16), D(11)};
constexpr Layer kShape3Layers[] = {{0.333, kSphereL1}, {0.667, kSphereL2}, {1.0, kCentre}};

constexpr PixOp kSphere2Main[] = {A(32), P(10, 30), P(19, 26), P(26, 19), P(30, 10)};
constexpr PixOp kSphere2L1[] = {A(30), P(11, 30), D(21), P(30, 11)};
constexpr PixOp kSphere2L2[] = {A(23), P(11, 20), P(20, 11)};
constexpr PixOp kSphere2L3[] = {A(12), D(7)};
constexpr Layer kShape4Layers[] = {{0.25, kSphere2L1}, {0.5, kSphere2L2}, {0.75, kSphere2L3}, {1.0, kCentre}};

constexpr FlareShape kFlareShapes[] = {
    {true, kNovaMain, kShape0Layers},
    {true, kAxesMain, kShape1Layers},
    {true, kStarMain, kShape2Layers},
    {false, kSphereMain, kShape3Layers},
    {false, kSphere2Main, kShape4Layers},
};

// One further layer at depth d: projected on its own, unit FocalLength / d x scale x factor.
void DrawLayerAt(const RenderView& v, float X, float Y, double d, double unitFactor, std::span<const PixOp> ops,
                 int32_t colour) {
  int64_t sx = 0, sy = 0;
  if (!Project(v, X, Y, d, sx, sy)) return;
  const double u = static_cast<double>(v.FocalLength) / d * unitFactor;
  DrawOps(v, sx, sy, u, ops, colour);
}

}  // namespace

void PlotPixel(int32_t x, int32_t y, int32_t color) { StorePixel(CurrentRenderView(), x, y, color); }

void PlotGlint(int32_t x, int32_t y, float depth, int32_t frame, int32_t frames, float scale, int32_t colour) {
  const RenderView v = CurrentRenderView();
  // Nothing at all unless the centre itself is inside the plot window.
  if (!(x > 0 && x < v.PlotMaxX && y > v.PlotMinY && y < v.PlotMaxY)) return;
  StorePixel(v, x, y, colour);

  if (frames == 0) return;  // no life to grow along: the dot alone
  const double u = static_cast<double>(v.FocalLength / depth * scale) * frame / frames;
  const auto r = Dist(32, u);
  if (!r || *r < 1) return;

  static constexpr PixOp kSmall[] = {A(32)};
  static constexpr PixOp kMedium[] = {A(16), A(32)};
  static constexpr PixOp kLarge[] = {D(8), D(12), A(16), A(32)};
  static constexpr PixOp kFull[] = {A(4), D(8), D(12), A(16), A(32)};
  if (*r == 1) {
    DrawOps(v, x, y, u, kSmall, colour);
  } else if (*r < 4) {
    DrawOps(v, x, y, u, kMedium, colour);
  } else if (*r < 8) {
    DrawOps(v, x, y, u, kLarge, colour);
  } else {
    // Four pixels at one unit from the centre, rounded as a whole position.
    const auto xm = runtime::ToLong(x - u), xp = runtime::ToLong(x + u);
    const auto ym = runtime::ToLong(y - u), yp = runtime::ToLong(y + u);
    if (xm) StorePixel(v, *xm, y, colour);
    if (xp) StorePixel(v, *xp, y, colour);
    if (ym) StorePixel(v, x, *ym, colour);
    if (yp) StorePixel(v, x, *yp, colour);
    DrawOps(v, x, y, u, kFull, colour);
  }
}

void PlotProjectedGlint(float X, float Y, float Z, int32_t frame, int32_t lastFrame, float scale, int32_t colour) {
  const RenderView v = CurrentRenderView();
  const double p = std::pow(static_cast<double>(lastFrame) - frame + 1.0, 0.6375);

  int64_t sx = 0, sy = 0;
  if (!Project(v, X, Y, Z, sx, sy)) return;
  const double u = static_cast<double>(v.FocalLength / Z * scale) * p;
  StorePixel(v, sx, sy, colour);
  if (!(u > kTinyUnit)) return;
  DrawOps(v, sx, sy, u, kNovaMain, colour);

  const double factor = static_cast<double>(scale) * p;
  const double z = Z;
  DrawLayerAt(v, X, Y, z + 0.1 * scale, factor, kNovaMid, colour);
  if (z - 0.1 * scale > 0) DrawLayerAt(v, X, Y, z - 0.1 * scale, factor, kNovaMid, colour);
  DrawLayerAt(v, X, Y, z + 0.2 * scale, factor, kNovaOuter, colour);
  if (z - 0.2 * scale > 0) DrawLayerAt(v, X, Y, z - 0.2 * scale, factor, kNovaOuter, colour);
}

void PlotProjectedFlare(float X, float Y, float Z, float scale, int32_t galaxyType, int32_t colour) {
  if (galaxyType < 0 || galaxyType >= model::kGalaxyTypeCount) return;
  const model::GalaxyTypeProps& t = model::records().GalaxyTypes[galaxyType];
  const int32_t shapeIndex = t.Galaxy_PulsarShape;
  if (shapeIndex < 0 || shapeIndex > 4) return;
  const FlareShape& shape = kFlareShapes[shapeIndex];
  const RenderView v = CurrentRenderView();

  int64_t sx = 0, sy = 0;
  if (!Project(v, X, Y, Z, sx, sy)) return;
  const float u = v.FocalLength / Z * scale;
  if (shape.centreFirst) StorePixel(v, sx, sy, colour);
  if (!(u > kTinyUnit)) return;
  DrawOps(v, sx, sy, u, shape.main, colour);

  const double spacing = static_cast<double>(t.PulsarDepthF) * scale;
  const double z = Z;
  for (const Layer& l : shape.layers) {
    const double off = l.k * spacing;
    DrawLayerAt(v, X, Y, z + off, scale, l.ops, colour);
    if (z - off > 0) DrawLayerAt(v, X, Y, z - off, scale, l.ops, colour);
  }
}

}  // namespace engine
