// The help texts of ravo-calc and its commands, as --help prints them.
#pragma once

namespace ravo::calc {

inline constexpr const char* Description =
    "ravo-calc: finished road elevations from a Ravo input file, for scripts and spreadsheets.\n"
    "It reads the same input files as the Ravo desktop program (a title, the vertical curves\n"
    "and the superelevation segments) and computes exactly what the desktop program shows.\n";

inline constexpr const char* MainFooter = R"(Commands, each followed by the input file:
  ravo-calc table FILE --from S --to S --step D [--offset O,...] [--ground G] [--csv] [--plus]
  ravo-calc curves FILE [--design-speed V] [--units m|ft|usft] [--plus] [--json|--csv]
  ravo-calc check FILE [--tolerance E] [--grade-tolerance G] [--design-speed V]
                       [--units m|ft|usft] [--min-length L] [--plus] [--json|--csv]
  ravo-calc convert FILE OUT|-o OUT [--units m|ft|usft] [--to-units m|ft|usft]
                       [--format landxml|csv|input]
  ravo-calc report FILE -o OUTPUT [--from S --to S --step D] [--offset O]
                        [--ground G --width W --fill-slope N --cut-slope N]
  ravo-calc earthwork FILE --ground G --width W --fill-slope N --cut-slope N
                           [--interval S] [--pavement-depth D] [--cut-factor F] [--csv]
  ravo-calc fit GROUND --from S --to S --design-speed V --units m|ft --max-grade G
                       [--fix STA:ELEV ...] [--window A:B:LOW:HIGH ...] [--balance]
                       [--width W --fill-slope N --cut-slope N] [--max-pvis N]
                       [--compare FILE] -o OUT
--units is always the unit of FILE's lengths when the file names none (metres
when not given); a file that names its own, LandXML's Units, keeps it.
"ravo-calc COMMAND --help" tells more about a command.

FILE is a Ravo input file, a LandXML file or a PVI table in CSV (header
station,elevation,length), told apart by content whatever its name; --pvi reads
a plain table of "station elevation [length]" lines. FILE may be - for standard
input, or a pipe such as a process substitution; a file of none of these formats
is refused. A LandXML file with several profiles needs --alignment NAME (and
--profile NAME), a name or a number counted from 1 in the file; without them the
names are listed and the exit status is 2. An input-file field that holds no number
reads as 0, and standard error says how many did and which was the first.

Stations are plain numbers (1234.56, -50, 1.5e3, 1e+05) or road-station notation: hundreds,
"+", exactly two digits and an optional fraction (12+34.56 is 1234.56, -0+50 is -50).
With --plus, stations are printed in that notation with three decimals (12+34.560);
otherwise as plain numbers with three decimals (1234.560). Give a value that begins
with "-" as --from -50 or as --from=-50.

Exit status:
  0  success
  1  check found faults; or a table has stations that give "Invalid Entry"
     (the table is complete all the same)
  2  the input file does not load, or the command line is wrong
  3  a table has stations that no curve contains ("no curve"), and none that
     give "Invalid Entry" (the table is complete all the same)

Example, the quickest way to see Ravo work:
  ravo-calc table examples/main-street.in --from 1000 --to 1250 --step 50 --offset 12)";

inline constexpr const char* TableFooter =
    R"(One row per station and offset: station, offset, superelevation and finished
elevation, as the desktop program shows them for that station and offset
(elevation to three decimals, halves away from zero). Stations run from --from
to --to in steps of --step, and --to itself is always the last station, even
when the step does not land on it. Station k is --from + k * --step, held as a
32-bit float as the desktop program holds a typed station. When --to lies below
--from the table walks downwards (the step may be written 50 or -50); a step of
0, or a negative step with --to above --from, is refused. A table of more than
10 000 000 rows (stations times offsets) is refused.

A station where the desktop program says "Invalid Entry" (a row of zero length
there, or a result beyond the float range) has "Invalid Entry" as its elevation;
a line on standard error says why, the rest of the table follows, and the exit
status is 1.

A station that no curve row contains (before the first curve, after the last,
or in a gap between curves) has no road and no elevation: its elevation reads
"no curve" (an empty field in CSV), a line on standard error after the table
counts such rows and names the first, and the exit status is 3 unless a row
gave "Invalid Entry". The stations that "ravo-calc curves" prints as a curve's
ends lie on that curve.

With --ground, two columns follow: GROUND, the existing ground at the station,
and CUT/FILL, the finished elevation at the offset less the ground (fill
positive, cut negative). Where the ground has no point (before its first or
after its last) both read "no ground" (empty fields in CSV), never a number,
and a line on standard error counts such rows. The ground is a ground line of
FILE by name (LandXML ProfSurf) or a ground file, as "ravo-calc earthwork
--help" tells.

Plain text puts the fields in the columns of Ravo's output report; --csv writes
RFC 4180 CSV with the header row station,offset,superelevation,elevation (and
ground,cut_fill with --ground).)";

inline constexpr const char* CurvesFooter =
    R"(For each vertical curve: its beginning and ending station and elevation,
its grades, length, rate of change of grade (G2 - G1) / L per unit of length,
K = L / (100 |G2 - G1|), the length per percent of grade change (none for equal
grades), and the high point of a crest or the low point of a sag when it lies
on the curve (where the grade is 0, at x = -G1 L / (G2 - G1) from its
beginning). For each superelevation segment: its beginning and ending station
and superelevation. A row of zero length or one that ends before it begins is
marked so instead. Each curve also gives its PVI, where its end grades meet.
A row's beginning and ending stations are printed so that they read back as
the row's own: with three decimals, or with as many more as that takes
(1249.9996), so that a table at a printed end lies on the row.

With --design-speed V it gives, in the tables of the profile's unit (V in km/h
for metres, in mph for feet and US survey feet: the file's own unit, or --units
m|ft|usft for a file that names none), the
stopping sight distance (2.5 s reaction, 3.4 m/s2 or 11.2 ft/s2 braking, rounded
up to the next 5) and the minimum K over a crest (S^2/658, S^2/2158) and
through a sag (S^2/(120 + 3.5 S), S^2/(400 + 3.5 S)), rounded to one decimal and
then up to a whole number as the published design tables give it, with the sight
distance taken as shorter than the curve; each curve's minimum beside it.

--json writes one line of JSON instead, in a shape that keeps its version:
{"command":"curves","version":1,"notes":[...],"title":T,"design":D,
"curves":[...],"segments":[...]}, the notes being what an import left out or
approximated. D is null without --design-speed, else "speed", "units",
"stopping_sight_distance", "crest_k" and "sag_k". Each curve has "row",
"extent" (normal, zero-length, reversed), "shape" (crest, sag, straight),
"station1", "station2", "elevation1", "elevation2", "grade1", "grade2",
"length", "rate", "k", "minimum_k", "pvi" and "turning_point" (each with
"station" and "elevation"); each segment "row", "extent", "station1",
"station2", "super1" and "super2". What a row does not have is null. New
fields may come; a field that changes or goes takes a new version.

--csv writes a table instead, lines ended by CR LF: a header naming the
columns kind, row, extent, shape, station1, station2, start, end, grade1,
grade2, length, rate, k, minimum_k, pvi_station, pvi_elevation,
turning_station and turning_elevation, in that order and separated by commas,
then one line a curve (kind "curve"; start and end are its elevations), then
one a superelevation segment (kind "segment"; start and end its
superelevations, grade1 and grade2 its super grades). A field a row does not
have is empty. New columns may come at the end.)";

inline constexpr const char* CheckFooter =
    R"(Reports, one line each, naming the rows (numbered as in the file):
  - no vertical curves at all;
  - rows of zero length (the elevation there is "Invalid Entry");
  - rows that end before they begin (they apply to no station);
  - rows that overlap (where the later row in the file silently wins);
  - gaps between successive rows (elevation or superelevation 0 there);
  - successive curves that meet at different elevations (beyond --tolerance)
    or with different grades (beyond --grade-tolerance);
  - successive superelevation segments that meet at different superelevations
    (beyond --grade-tolerance); super grades may change at a joint.
"Successive" means along the road, not in file order: rows are taken in order
of their beginning station, and each row is compared with the row before it
that reaches farthest. With --design-speed (and --units for a file that names
no unit), also each curve whose K
lies below the minimum for its kind (see "ravo-calc curves --help"); with
--min-length, each curve shorter than that. Exit status 0 when nothing is
found, 1 when something is, 2 when the file does not load.

--json writes one line of JSON instead, in a shape that keeps its version:
{"command":"check","version":1,"notes":[...],"count":N,"faults":[...]}, the
notes being what an import left out or approximated, and each fault with
"kind" (no-curves, zero-length, reversed, overlap, more-overlaps, gap,
elevation-step, grade-step, super-step, below-minimum-k, too-short), "rows"
(curve or superelevation), "first" and "second" (row numbers, 0 for none),
"from", "to", "before" and "after" (or "crest", "value" and "minimum" for the
last two kinds) and "text", the line that check prints without --json. New
fields may come; a field that changes or goes takes a new version.

--csv writes a table instead, lines ended by CR LF: a header naming the
columns kind, rows, first, second, from, to, before, after, crest, value,
minimum and text, in that order and separated by commas, then one line a
fault, the fields as in --json ("crest" true or false for the last two kinds); a field a fault does not have is empty, and "text" is quoted
as CSV quotes a field with a comma. New columns may come at the end.)";

inline constexpr const char* ConvertFooter =
    R"(Writes the profile of FILE to OUT: as LandXML 1.2 when OUT ends in .xml, as a
PVI table (CSV) when it ends in .csv, otherwise as a Ravo input file. LandXML
and PVI tables need curve rows that form one continuous profile (no overlaps,
gaps or steps in elevation); otherwise nothing is written, the faults are
listed and the exit status is 1. Superelevation is written to input files only.
--format names the format whatever OUT is called. OUT - writes to standard
output, as a Ravo input file unless --format says otherwise.

LandXML names the unit the profile came with (the file's own, or --units for a
file that names none, metres by default); lengths change only with --to-units,
and a LandXML file's ground lines (ProfSurf) are written beside its profile,
by the exact factors 1 ft = 0.3048 m and 1 US survey ft = 1200/3937 m.)";

inline constexpr const char* FitFooter =
    R"(Finds the grade line from --from to --to that moves the least earth over the
GROUND line, by linear programming: the line is made of parabolic pieces of
--piece length, continuous in elevation and grade, with grades within
--max-grade percent and every crest and sag at least the minimum K of the
design speed (see "ravo-calc curves --help"), through each --fix point and
within each --window, and with --balance the cut times --cut-factor equals the
fill within --balance-tolerance. Earthwork is measured on a level trapezium
section (formation --width, side slopes 1:N, formation --pavement-depth below
the grade line) at the joints and middles of the pieces, by average end areas. The
programme takes each area as the largest of its tangents at depths 1.25 times
apart, so it never overestimates an area (by at most 1.2% below it, for depths
beyond 0.05 m or 0.15 ft): its cost is a lower bound that no line of these
pieces beats. A fitted profile's curves end between the joints, so it may
cost a little less.

The optimum is then made a designer's profile: PVIs where the tangents about
its curves meet (at most --max-pvis between the ends, the least telling left
out), symmetric curves of at least the minimum K in multiples of --curve-step,
and the PVI elevations placed again for the least earthwork under the same
criteria. The earthwork of both, with exact areas, is printed, and with
--compare that of a given design (any profile file) on the same ground; the
fitted profile is checked as "ravo-calc check --design-speed" checks it.

OUT is written as LandXML with the ground line (*.xml), a PVI table (*.csv) or
a Ravo input file. Criteria that no grade line meets are named (for example a
fixed point that no grade within the maximum reaches) and the exit status is 1;
so it is when the fitted profile misses a criterion, which is then listed.)";

}  // namespace ravo::calc
