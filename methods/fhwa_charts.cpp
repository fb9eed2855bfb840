// Chart values are single-precision constants used in double arithmetic.
// Every chart is read by the one chart mechanism of the engine: a column or
// curve in its own argument first, then the columns or curves among
// themselves in the second argument.
//
// Source: Nordlund (1963, 1979) and Tomlinson (1979, 1980) as charted in
// FHWA NHI-05-042, Design and Construction of Driven Pile Foundations
// (Hannigan et al. 2006).
#include "methods/fhwa_charts.h"

#include <array>

#include "capacity/charts.h"

namespace tovek {

namespace {

// delta/phi against the displaced volume, one column per pile type.
constexpr std::array<double, 13> kVolumes{0.08f, 0.1f, 0.2f, 0.3f, 0.4f, 0.52f, 0.6f,
                                          0.8f,  1.0f, 1.2f, 1.4f, 1.6f, 1.9f};
constexpr std::array<Chart<13>, 7> kDeltaRatio{{
    // 1 steel pipe, non-tapered monotube
    {kVolumes, {0.342f, 0.342f, 0.342f, 0.342f, 0.41f, 0.476f, 0.516f, 0.593f, 0.652f, 0.697f, 0.733f, 0.763f, 0.798f}},
    // 2 timber
    {kVolumes,
     {0.404f, 0.404f, 0.404f, 0.404f, 0.466f, 0.527f, 0.562f, 0.637f, 0.693f, 0.734f, 0.766f, 0.793f, 0.825f}},
    // 3 precast concrete
    {kVolumes, {0.466f, 0.466f, 0.466f, 0.466f, 0.525f, 0.59f, 0.63f, 0.708f, 0.767f, 0.813f, 0.848f, 0.877f, 0.914f}},
    // 4 Raymond step-taper
    {kVolumes,
     {0.571f, 0.571f, 0.571f, 0.571f, 0.637f, 0.699f, 0.736f, 0.814f, 0.873f, 0.917f, 0.953f, 0.985f, 1.024f}},
    // 5 Raymond uniform taper
    {kVolumes, {0.801f, 0.801f, 0.801f, 0.801f, 0.845f, 0.895f, 0.925f, 0.994f, 1.053f, 1.11f, 1.159f, 1.207f, 1.27f}},
    // 6 H-pile
    {kVolumes, {0.727f, 0.747f, 0.827f, 0.8875f, 0.933f, 0.972f, 0.98f, 0.98f, 0.98f, 0.98f, 0.98f, 0.98f, 0.98f}},
    // 7 tapered portion of a monotube
    {kVolumes, {0.643f, 0.643f, 0.643f, 0.643f, 0.696f, 0.757f, 0.792f, 0.86f, 0.916f, 0.958f, 0.994f, 1.024f, 1.062f}},
}};

// C_F against the friction angle, one column per ratio delta/phi.
constexpr std::array<double, 7> kRatios{0.2f, 0.4f, 0.6f, 0.8f, 1.0f, 1.2f, 1.4f};
constexpr std::array<double, 9> kAngles{14, 18, 22, 26, 30, 34, 38, 42, 45};
constexpr std::array<Chart<9>, 7> kCorrection{{
    {kAngles, {0.83f, 0.77f, 0.71f, 0.64f, 0.58f, 0.5f, 0.42f, 0.32f, 0.24f}},   // 0.2
    {kAngles, {0.9f, 0.85f, 0.8f, 0.74f, 0.69f, 0.63f, 0.56f, 0.49f, 0.43f}},    // 0.4
    {kAngles, {0.95f, 0.92f, 0.89f, 0.85f, 0.82f, 0.77f, 0.72f, 0.66f, 0.62f}},  // 0.6
    {kAngles, {0.99f, 0.98f, 0.97f, 0.95f, 0.94f, 0.92f, 0.9f, 0.87f, 0.84f}},   // 0.8
    {kAngles, {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f}},           // 1.0
    {kAngles, {1.01f, 1.02f, 1.02f, 1.02f, 1.03f, 1.05f, 1.07f, 1.09f, 1.12f}},  // 1.2
    {kAngles, {1.02f, 1.03f, 1.03f, 1.04f, 1.06f, 1.08f, 1.1f, 1.13f, 1.16f}},   // 1.4
}};

// K-delta against the taper angle, for displaced volumes 0.1, 1.0 and 10.0
// ft3/ft, one chart per friction angle 25, 30, 35, 40.
struct KDeltaChart {
    std::array<Chart<10>, 3> columns;
};
constexpr std::array<double, 3> kChartVolumes{0.1f, 1.0f, 10.0f};
constexpr std::array<double, 10> kOmega25{0, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.8f, 1, 1.2f};
constexpr std::array<double, 10> kOmega35{0, 0.1f, 0.2f, 0.25f, 0.3f, 0.4f, 0.5f, 0.6f, 0.75f, 0.88f};
constexpr std::array<double, 10> kOmega40{0, 0.1f, 0.15f, 0.22f, 0.3f, 0.4f, 0.43f, 0.5f, 0.56f, 2};
constexpr KDeltaChart kChart25{{{
    {kOmega25, {0.7f, 0.739f, 0.817f, 0.922f, 1.042f, 1.194f, 1.4f, 1.808f, 2.322f, 2.917f}},
    {kOmega25, {0.85f, 0.902f, 0.992f, 1.085f, 1.206f, 1.353f, 1.536f, 1.886f, 2.337f, 2.917f}},
    {kOmega25, {1.0f, 1.05f, 1.136f, 1.237f, 1.349f, 1.478f, 1.646f, 1.944f, 2.316f, 2.917f}},
}}};
constexpr KDeltaChart kChart30{{{
    {kOmega25, {0.85f, 1.043f, 1.26f, 1.551f, 2.017f, 2.56f, 3.18f, 4.332f, 5.36f, 5.934f}},
    {kOmega25, {1.15f, 1.408f, 1.629f, 1.958f, 2.435f, 2.928f, 3.444f, 4.421f, 5.36f, 5.934f}},
    {kOmega25, {1.45f, 1.745f, 1.978f, 2.339f, 2.746f, 3.18f, 3.638f, 4.499f, 5.36f, 5.934f}},
}}};
constexpr KDeltaChart kChart35{{{
    {kOmega35, {1.15f, 1.47f, 2.0f, 2.32f, 2.9f, 4.18f, 5.42f, 6.81f, 8.55f, 9.75f}},
    {kOmega35, {1.75f, 2.01f, 2.59f, 2.98f, 3.56f, 4.66f, 5.65f, 6.85f, 8.55f, 9.75f}},
    {kOmega35, {2.35f, 2.76f, 3.37f, 3.72f, 4.26f, 5.19f, 6.08f, 7.12f, 8.55f, 9.75f}},
}}};
constexpr KDeltaChart kChart40{{{
    {kOmega40, {1.7f, 5.12f, 7.36f, 10.56f, 13.6f, 15.84f, 16.64f, 17.28f, 17.54f, 17.54f}},
    {kOmega40, {3.0f, 6.352f, 8.0f, 10.56f, 13.6f, 15.84f, 16.64f, 17.28f, 17.54f, 17.54f}},
    {kOmega40, {4.3f, 7.04f, 8.48f, 10.56f, 13.6f, 15.84f, 16.64f, 17.28f, 17.54f, 17.54f}},
}}};

// alpha against the undrained shear strength (ksf), one curve per
// penetration ratio of the case.
constexpr std::array<double, 10> kStrengths{0, 0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 3.5f, 4.0f, 4.5f};
constexpr std::array<Chart<10>, 3> kSandOverClay{{
    {kStrengths, {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f}},         // r <= 10
    {kStrengths, {1.0f, 1.0f, 1.0f, 1.0f, 0.95f, 0.875f, 0.75f, 0.75f, 0.75f, 0.75f}},  // r = 20
    {kStrengths, {1.0f, 1.0f, 0.9f, 0.815f, 0.68f, 0.5f, 0.44f, 0.4f, 0.4f, 0.4f}},     // r >= 40
}};
constexpr std::array<double, 3> kSandOverClayRatios{10, 20, 40};
constexpr std::array<Chart<10>, 2> kSoftOverStiff{{
    {kStrengths, {0.7f, 0.519f, 0.398f, 0.334f, 0.298f, 0.272f, 0.246f, 0.226f, 0.206f, 0.186f}},  // r <= 10
    {kStrengths, {0.97f, 0.84f, 0.746f, 0.694f, 0.675f, 0.656f, 0.626f, 0.599f, 0.568f, 0.54f}},   // r >= 20
}};
constexpr std::array<double, 2> kSoftOverStiffRatios{10, 20};
constexpr std::array<Chart<10>, 2> kStiffClay{{
    {kStrengths, {1.0f, 0.984f, 0.923f, 0.829f, 0.688f, 0.443f, 0.303f, 0.245f, 0.238f, 0.238f}},  // r <= 10
    {kStrengths, {1.0f, 1.0f, 1.0f, 1.0f, 0.9f, 0.701f, 0.502f, 0.388f, 0.315f, 0.299f}},          // r >= 40
}};
constexpr std::array<double, 2> kStiffClayRatios{10, 40};

// The curves of a family read at `at` (on `alongLine`), then read among
// themselves at `between` on their own breakpoints (on `acrossLine`).
template <size_t Curves, size_t Points>
double acrossCurves(const std::array<Chart<Points>, Curves>& curves, const std::array<double, Curves>& breakpoints,
                    double at, ChartLine alongLine, double between, ChartLine acrossLine) {
    std::array<double, Curves> values{};
    for (size_t k = 0; k < Curves; ++k) values[k] = curves[k](at, alongLine);
    return ChartTable{breakpoints.data(), values.data(), Curves, acrossLine}(between);
}

}  // namespace

double deltaRatio(int32_t pileType, double displacedVolume) {
    const size_t column = pileType >= 1 && pileType <= 7 ? static_cast<size_t>(pileType - 1) : 0;
    return kDeltaRatio[column](displacedVolume);
}

double correctionFactor(double ratio, double frictionAngle) {
    // The ratio 0.2 itself reads the 0.4 column.
    if (ratio == static_cast<double>(0.2f)) return kCorrection[1](frictionAngle);
    // Columns a <= r < b.
    return acrossCurves(kCorrection, kRatios, frictionAngle, ChartLine::endingAt, ratio, ChartLine::startingAt);
}

double kDelta(int32_t chartAngle, double displacedVolume, double taperAngle) {
    const KDeltaChart& chart = chartAngle >= 40   ? kChart40
                               : chartAngle >= 35 ? kChart35
                               : chartAngle >= 30 ? kChart30
                                                  : kChart25;
    // Columns 0.1 < V < 1.0 and 1.0 <= V < 10.0.
    return acrossCurves(chart.columns, kChartVolumes, taperAngle, ChartLine::endingAt, displacedVolume,
                        ChartLine::startingAt);
}

double alphaChart(int32_t clayCase, double undrainedShearStrength, double penetrationRatio) {
    // Along a curve, 4.5 ksf and more take the last value.
    const double cu = undrainedShearStrength;
    const double r = penetrationRatio;
    constexpr ChartLine along = ChartLine::startingAt;
    constexpr ChartLine across = ChartLine::endingAt;
    switch (clayCase) {
    case 1: return acrossCurves(kSandOverClay, kSandOverClayRatios, cu, along, r, across);
    case 2: return acrossCurves(kSoftOverStiff, kSoftOverStiffRatios, cu, along, r, across);
    case 3: return acrossCurves(kStiffClay, kStiffClayRatios, cu, along, r, across);
    default: return 0.0;
    }
}

}  // namespace tovek
