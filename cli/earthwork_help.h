// The help texts of the earthwork command and of the --ground option of
// table and report, as --help prints them.
#pragma once

namespace ravo::calc {

inline constexpr const char* EarthworkDescription =
    "earthwork volumes and the mass haul between the grade line and the existing ground";

inline constexpr const char* TableGroundHelp =
    "add the columns GROUND and CUT/FILL (fill positive): a ground line of FILE by name, or a "
    "ground file (CSV, \"station elevation\" lines or LandXML)";

inline constexpr const char* ReportGroundHelp =
    "add the earthwork table after the echo, with --width, --fill-slope and --cut-slope "
    "(see \"ravo-calc earthwork --help\")";

inline constexpr const char* EarthworkFooter =
    R"(The first estimate of earthwork from a section on level ground across: a
formation of width W at the grade line (less --pavement-depth), with side
slopes of 1:n (n horizontal to 1 vertical) down to the ground in fill and up
to it in cut. A depth h of fill has the area h (W + n h), and so has a cut.

The ground (--ground) is a ground line of FILE itself, by the name of its
ProfSurf when FILE is LandXML, or a file: LandXML (its ProfSurf; with several,
the one whose state is "existing"), CSV with the columns station,elevation (a
header row is recognised, and one that names the columns station and elevation
chooses them among others), or lines of "station elevation"; stations may be
written 12+34.56, and a line that reads otherwise is named. Points at the same
station are merged into their mean elevation, with a note. The ground is
straight between its points and absent before the first and after the last.

The table runs from --from to --to (by default over the stretch where both the
grade line and the ground are), at every --interval (default 20) and at every
point of the ground and every end of a curve row between. At each station:
the grade line, the ground, the depth (fill positive), the cut and fill areas,
the cut and fill volumes of the interval up to the station by the average of
the end areas (an interval where the depth changes sign is split where it is
0), the cumulative cut and fill and the mass ordinate: the cumulative cut
times --cut-factor (the fill that a unit of cut makes, say 0.9 for shrinkage)
less the cumulative fill. Below the table: the totals, the same volumes by the
prismoidal formula as a check, the balance points (where the mass ordinate
crosses 0, taken as straight between stations) and the largest haul ordinate.
A station where no curve row lies has no section; the intervals beside it
count no volume, and a note says how many.

--csv writes the table as CSV (RFC 4180, lines ended by CR LF) with the header
row station,grade,ground,depth,cut_area,fill_area,cut_volume,fill_volume,
prismoidal_cut,prismoidal_fill,cumulative_cut,cumulative_fill,mass_ordinate;
the totals then go to standard error.)";

}  // namespace ravo::calc
