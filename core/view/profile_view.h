// What the profile window draws and where: the grade line over station with
// its marks, the superelevation diagram beneath it on the same station axis,
// the axes and the cursor, all in pixels of a view. The window only paints it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/design/design_speed.h"
#include "core/view/profile_view_index.h"
#include "core/view/sheet_text.h"

namespace ravo {

// The part of the road in view and the pixels it is drawn on. Both panels are
// plotWidth wide; the grade panel lies above the superelevation panel.
struct ProfileView {
    double firstStation = 0;
    double lastStation = 100;
    int plotWidth = 600;
    int gradeHeight = 300;
    int superHeight = 120;
    bool plusNotation = false;            // station labels as 12+34
    std::optional<double> designSpeed{};  // flags curves below the least K
    LengthUnits units = LengthUnits::Metres;
    StationStyle stationStyle = StationStyle::Hundreds3;  // of plus notation
    // A chosen vertical exaggeration; without one the view's own, from the
    // height of the line in view.
    std::optional<double> exaggeration{};
    // The mass haul panel between the two, in pixels; none when 0.
    int massHeight = 0;
    // Elevations the grade panel shows besides the line's own, lowest and
    // highest: the ground's in view.
    std::optional<std::pair<double, double>> alsoShown{};
};

struct PixelPoint {
    double x = 0;
    double y = 0;
};

struct Polyline {
    std::vector<PixelPoint> points;
    bool flagged = false;  // a curve below the least K for the design speed
};

enum class MarkKind { Pvi, HighPoint, LowPoint };

struct Mark {
    MarkKind kind = MarkKind::Pvi;
    PixelPoint at;
    std::int32_t row = 0;
    std::string label;  // empty where there is no room for it
};

// A text placed at a pixel position along an axis.
struct Tick {
    double at = 0;
    std::string label;
};

struct Panel {
    std::vector<Polyline> lines;
    std::vector<std::pair<double, double>> gaps;  // x ranges inside no row
    std::vector<Tick> valueTicks;                 // y positions of the value axis
    double valueAtTop = 0;
    double valueAtBottom = 0;
};

struct ProfileScene {
    Panel grade;
    Panel super;  // in percent
    std::vector<Tick> stationTicks;
    std::vector<double> rowBoundaries;  // x of every place one row hands over to another
    std::vector<Mark> marks;
    std::vector<Tick> curveLabels;  // K of a curve, centred over it where there is room
    double exaggeration = 1;        // vertical scale over horizontal scale of the grade panel
    std::string exaggerationText;   // "Vertical exaggeration 10:1"
};

ProfileScene BuildScene(const ProfileViewIndex& index, const ProfileView& view);

// The view that shows every row of the profile, or the given one unchanged
// when there are none.
ProfileView FitView(const ProfileViewIndex& index, ProfileView view);
// Zooms by a factor (above 1 magnifies) keeping the station under x in place.
ProfileView ZoomView(ProfileView view, double x, double factor);
// Moves the road by dx pixels to the right.
ProfileView PanView(ProfileView view, double dx);

double StationAtX(const ProfileView& view, double x);
double XOfStation(const ProfileView& view, double station);

// The value axis of a panel: ticks about `spacing` pixels apart at 1, 2 or 5
// times a power of ten, labelled with the decimals the step needs, at most
// `mostDecimals`, and never closer than those decimals tell apart.
std::vector<Tick> ValueTicks(const Panel& panel, double height, double spacing, int mostDecimals);

// The station as the station box should receive it after a click at x: plain
// digits, to the resolution of one pixel.
std::string StationTextAtX(const ProfileView& view, double x);

// The cursor at a station: where it meets the grade line and the diagram
// (none in a gap), and its caption with the elevation calculated there.
struct Cursor {
    double x = 0;
    std::optional<double> gradeY{};
    std::optional<double> superY{};
    std::string caption;
};
Cursor CursorAt(const ProfileViewIndex& index, const ProfileView& view, const ProfileScene& scene,
                float station, float elevation);

// What a curve under the mouse is: its row, K and, with a design speed, the
// least K for its shape; in a gap between curves, that none does; empty
// beyond the curves.
std::string HoverText(const ProfileViewIndex& index, const ProfileView& view, double x);

}  // namespace ravo
