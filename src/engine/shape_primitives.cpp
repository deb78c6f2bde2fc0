#include "engine/shape_primitives.h"

#include <cmath>
#include <cstddef>

#include "model/angles.h"
#include "model/random_table.h"
#include "runtime/numbers.h"

namespace engine {

namespace {

// Square root of the magnitude, as the profiles take it.
double RootAbs(double v) { return std::sqrt(std::fabs(v)); }

// Unsigned thickness of each profile; the caller adds the random sign.
double Thickness(int32_t profile, float r, float R, float Q) {
  const double rr = static_cast<double>(r) * r;
  const double dR = R;
  const double dQ = Q;
  switch (profile) {
    case 0: {  // Standard: a bulge, a saddle and an outer rim, joined at R/4 and R/2.
      const float c1 = 0.12259806f;
      const double c2 = 2.856;
      const double c1Q = static_cast<double>(c1 * Q);
      if (r <= R / 4.0f) return c2 * RootAbs(c1Q - rr);
      if (r <= R / 2.0f) {
        const double a = static_cast<double>(R / 2.0f) - r;
        return 1.4 * dR - c2 * RootAbs(c1Q - a * a);
      }
      const double a = static_cast<double>(r) - static_cast<double>(R / 2.0f);
      return 0.8 * RootAbs(dQ / 4.0 - a * a);
    }
    case 1: {  // Top-like: a cap, a flaring flank and a rounded rim.
      if (r < R / 10.0f) return 0.75 * dR + 2.5 * RootAbs(dQ / 100.0 - rr);
      if (r < 0.75 * dR) {
        const double a = 0.75 * dR - r;
        const double span = 0.65 * dR;
        // span is 0 only for a disk of radius 0, whose flank has no height.
        const double frac = span != 0.0 ? RootAbs(0.4225 * dQ - a * a) / span : 1.0;
        return 0.25 * dR + 0.5 * dR * (1.0 - frac);
      }
      const double a = r - 0.75 * dR;
      return RootAbs(0.0625 * dQ - a * a);
    }
    case 2:  // Spherical
      return RootAbs(dQ - rr);
    case 3:  // Conical
      return dR - r;
    case 4: {  // Hyperbolic
      const double a = dR - r;
      return dR - RootAbs(dQ - a * a);
    }
    case 5:  // Outer-hyperbolic
      return dR - RootAbs(dQ - rr);
    case 6: {  // Inner-hyperbolic
      const double a = dR - r;
      return RootAbs(dQ - a * a);
    }
    default:
      return 0.0;
  }
}

// Latitude steps and meridians of the globe shapes 1 to 10.
constexpr std::array<int32_t, 11> kGlobeSteps = {0, 8, 12, 16, 24, 32, 4, 6, 10, 16, 24};

// Height of a globe crossing: one of n latitude steps from the top pole downwards.
// A draw that cannot become a step index leaves `y` unchanged.
void GlobeLatitude(double& y, double radius, int32_t n) {
  int32_t step = 0;
  if (DrawIndex(n, step)) y = radius * std::sin(model::kPi * step / n + model::kPi / 2.0);
}

// Longitude of one of n meridians.
void GlobeMeridian(double& theta, int32_t n) {
  int32_t step = 0;
  if (DrawIndex(n, step)) theta = model::kTwoPi * step / n;
}

template <class Row>
bool RowOk(std::span<const Row> a, int32_t g) {
  return g >= 0 && static_cast<size_t>(g) < a.size();
}

bool PointOk(int32_t k, size_t size) { return k >= 0 && static_cast<size_t>(k) < size; }

}  // namespace

bool DrawIndex(double n, int32_t& out) {
  const double r = model::NextRandomSingle();
  if (auto v = runtime::IntToLong(r * n)) {
    out = *v;
    return true;
  }
  return false;
}

int32_t DrawIndexBelow(int32_t count) {
  int32_t i = 0;
  DrawIndex(count, i);
  return i > 0 && i < count ? i : 0;
}

float ProfileThickness(int32_t profile, float r, float R, float Q) {
  const double t = Thickness(profile, r, R, Q);
  const int32_t n = model::NextRandomInteger();
  const int32_t sign = n > 16384 ? 1 : (n < 16384 ? -1 : 0);
  return static_cast<float>(sign * t);
}

void RandomPointInShape(float& X, float& Y, float& Z, float radius, int32_t shape) {
  const double rho = radius;
  double y = 0.0;
  double theta = 0.0;
  if (shape <= 0) {
    const double r1 = model::NextRandomSingle();
    y = (2.0 * r1 - 1.0) * rho;
    const double r2 = model::NextRandomSingle();
    theta = model::kTwoPi * r2;
  } else if (shape <= 10) {
    const int32_t n = kGlobeSteps[static_cast<size_t>(shape)];
    if (shape <= 5) {
      GlobeLatitude(y, rho, n);
      GlobeMeridian(theta, n);
    } else {
      const int32_t m = model::NextRandomInteger();
      if (m < 16384) {
        GlobeLatitude(y, rho, n);  // a point on a latitude circle
        theta = model::kTwoPi * model::NextRandomSingle();
      } else {
        y = (2.0 * model::NextRandomSingle() - 1.0) * rho;  // a point on a meridian
        GlobeMeridian(theta, n);
      }
    }
  } else if (shape <= 13) {
    const double flat = static_cast<double>(model::NextRandomSingle()) * rho;
    theta = model::kTwoPi * model::NextRandomSingle();
    const auto c = static_cast<float>(flat * std::cos(theta));
    const auto s = static_cast<float>(flat * std::sin(theta));
    int32_t plane = shape;
    if (shape == 13) {
      const int32_t m = model::NextRandomInteger();
      plane = m < 10923 ? 11 : (m < 21845 ? 12 : 13);
    }
    if (plane == 11) {
      X = c, Y = 0.0f, Z = s;
    } else if (plane == 12) {
      X = 0.0f, Y = c, Z = s;
    } else {
      X = c, Y = s, Z = 0.0f;
    }
    return;
  } else {
    return;
  }
  // Rounding may leave y a hair beyond the radius; the circle there has radius 0.
  const double across = rho * rho - y * y;
  const double ring = across > 0.0 ? std::sqrt(across) : 0.0;
  X = static_cast<float>(ring * std::cos(theta));
  Y = static_cast<float>(y);
  Z = static_cast<float>(ring * std::sin(theta));
}

float BSplineValue(float p0, float p1, float p2, float p3, float t) {
  const float t2 = t * t;
  const float t3 = t2 * t;
  const float v = (-p0 + 3.0f * p1 - 3.0f * p2 + p3) * t3 + (3.0f * p0 - 6.0f * p1 + 3.0f * p2) * t2 +
                  (-3.0f * p0 + 3.0f * p2) * t + (p0 + 4.0f * p1 + p2);
  return static_cast<float>(static_cast<double>(v) * (1.0 / 6.0));
}

void BSplinePointA3(float& X, float& Y, float& Z, float t, int32_t g, int32_t j,
                    std::span<const WanderRow> AX, std::span<const WanderRow> AY,
                    std::span<const WanderRow> AZ) {
  if (!RowOk(AX, g) || !RowOk(AY, g) || !RowOk(AZ, g) || !PointOk(j, kRibbonPoints)) return;
  const auto& x = AX[static_cast<size_t>(g)][static_cast<size_t>(j)];
  const auto& y = AY[static_cast<size_t>(g)][static_cast<size_t>(j)];
  const auto& z = AZ[static_cast<size_t>(g)][static_cast<size_t>(j)];
  X = BSplineValue(x[0], x[1], x[2], x[3], t);
  Y = BSplineValue(y[0], y[1], y[2], y[3], t);
  Z = BSplineValue(z[0], z[1], z[2], z[3], t);
}

void BSplinePointA2(float& X, float& Y, float& Z, float t, int32_t g, int32_t k0, int32_t k1,
                    int32_t k2, int32_t k3, std::span<const RibbonRow> AX,
                    std::span<const RibbonRow> AY, std::span<const RibbonRow> AZ) {
  if (!RowOk(AX, g) || !RowOk(AY, g) || !RowOk(AZ, g)) return;
  for (int32_t k : {k0, k1, k2, k3})
    if (!PointOk(k, kRibbonPoints)) return;
  const auto& x = AX[static_cast<size_t>(g)];
  const auto& y = AY[static_cast<size_t>(g)];
  const auto& z = AZ[static_cast<size_t>(g)];
  const auto i0 = static_cast<size_t>(k0), i1 = static_cast<size_t>(k1),
             i2 = static_cast<size_t>(k2), i3 = static_cast<size_t>(k3);
  X = BSplineValue(x[i0], x[i1], x[i2], x[i3], t);
  Y = BSplineValue(y[i0], y[i1], y[i2], y[i3], t);
  Z = BSplineValue(z[i0], z[i1], z[i2], z[i3], t);
}

void BSplinePointA1(float& X, float& Y, float& Z, float t, std::span<const float> AX,
                    std::span<const float> AY, std::span<const float> AZ) {
  BSplinePointA1Idx(X, Y, Z, t, 0, 1, 2, 3, AX, AY, AZ);
}

void BSplinePointA1Idx(float& X, float& Y, float& Z, float t, int32_t k0, int32_t k1, int32_t k2,
                       int32_t k3, std::span<const float> AX, std::span<const float> AY,
                       std::span<const float> AZ) {
  for (int32_t k : {k0, k1, k2, k3})
    if (!PointOk(k, AX.size()) || !PointOk(k, AY.size()) || !PointOk(k, AZ.size())) return;
  const auto i0 = static_cast<size_t>(k0), i1 = static_cast<size_t>(k1),
             i2 = static_cast<size_t>(k2), i3 = static_cast<size_t>(k3);
  X = BSplineValue(AX[i0], AX[i1], AX[i2], AX[i3], t);
  Y = BSplineValue(AY[i0], AY[i1], AY[i2], AY[i3], t);
  Z = BSplineValue(AZ[i0], AZ[i1], AZ[i2], AZ[i3], t);
}

}  // namespace engine
