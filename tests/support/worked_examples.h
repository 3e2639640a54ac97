// The worked example profile and the report that it gives, shared by the core
// and the window tests: one curve from 1000 to 1200, one segment from 1000 to
// 1100, offset 12, title "Main Street profile", written on 5 March 2026 at 14:07.
#pragma once

#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "core/profile/profile_state.h"
#include "core/report/report.h"

namespace ravo::fixtures {

inline void SetRow(ProfileState& state, SegmentKind kind, std::int32_t row, SegmentRow values)
{
    for (int c = 0; c < ColumnCount; ++c)
        StoreField(state, kind, static_cast<Column>(c), row,
                   ColumnValue(values, static_cast<Column>(c)));
}

// Rows given as {start, rate1, rate2, station1, station2}.
inline ProfileState ProfileOf(const std::vector<SegmentRow>& curves,
                              const std::vector<SegmentRow>& segments = {})
{
    ProfileState state;
    for (auto [kind, rows] : {std::pair{SegmentKind::VerticalCurve, &curves},
                              std::pair{SegmentKind::Superelevation, &segments}}) {
        RecreateTables(state, kind, static_cast<std::int32_t>(rows->size()));
        for (std::size_t i = 0; i < rows->size(); ++i)
            SetRow(state, kind, static_cast<std::int32_t>(i + 1), (*rows)[i]);
    }
    return state;
}

inline ProfileState WorkedExampleProfile()
{
    ProfileState state =
        ProfileOf({{100, 0.02f, -0.01f, 1000, 1200}}, {{-0.02f, 0.0004f, 0.0004f, 1000, 1100}});
    state.CalcOffset = 12;
    return state;
}

inline std::tm WorkedExampleTime()
{
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 5;
    time.tm_hour = 14;
    time.tm_min = 7;
    return time;
}

// The text with every line feed turned into the report's CR LF.
inline std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string(ReportLineEnd) : std::string(1, c);
    return out;
}

// The echo with input file main.in and output file main.out.
inline const std::string EchoOfWorkedExample = WithCrLf(R"(Main Street profile

* * * * * * * * * * * * * * * * * * * * * * * * * * * * * * * * *
*                                                               *
*                    P R O G R A M   R A V O                    *
*                                                               *
*                        INPUT DATA ECHO                        *
*                                                               *
* * * * * * * * * * * * * * * * * * * * * * * * * * * * * * * * *
(Version  1.21)                               3/05/26, 2:07 pm

Input file  = main.in
Output file = main.out

Number of vertical curves = 1

ELEV 1        GRADE 1        GRADE 2        STA 1          STA 2
-------------------------------------------------------------------

100.000       0.02           -0.01          1000.000       1200.000

Number of superelevation segments =  1

SUPER 1       GRADE 1        GRADE 2        STA 1          STA 2
-------------------------------------------------------------------
-0.02         0.0004         0.0004         1000.000       1100.000

)");

inline const std::string LogHeader =
    WithCrLf(R"(===================================================================
E L E V A T I O N   C A L C U L A T I O N S
===================================================================

STATION       OFFSET         SUPER          ELEVATION
-------------------------------------------------------------------

)");

// The log of stations 1000, 1100 and 1200 at offset 12, after its header.
inline const std::string LogOfWorkedExample =
    LogHeader + WithCrLf(R"(1000.000      12.000         -0.02          99.760
1100.000      12.000         0.02           101.490
1200.000      12.000         0.             101.000
)");

}  // namespace ravo::fixtures
