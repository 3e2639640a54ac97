// Small LandXML files for the tests: every point element, several alignments
// and profiles, ground lines, superelevation and station equations.
#pragma once

#include <string>

namespace ravo::samples {

// Alignment "Main" has one design profile with each kind of point; "Ramp" two.
inline const std::string LandXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- written by hand -->
<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2">
  <Units><Imperial linearUnit="foot" areaUnit="squareFoot" volumeUnit="cubicYard"/></Units>
  <Alignments>
    <Alignment name="Main" staStart="1000" length="1000">
      <CoordGeom><Line><Start>0 0</Start><End>0 1000</End></Line></CoordGeom>
      <StaEquation staAhead="1500" staBack="1490"/>
      <Profile name="Main profiles">
        <ProfSurf name="Ground"><PntList2D>1000 99 2000 98</PntList2D></ProfSurf>
        <ProfAlign name="Design">
          <PVI>1000 100</PVI>
          <ParaCurve length="200">1250 105</ParaCurve>
          <UnsymParaCurve lengthIn="50" lengthOut="100">1500 102.5</UnsymParaCurve>
          <CircCurve length="100" radius="11111">1750 104</CircCurve>
          <PVI desc="end">2000 103.25</PVI>
        </ProfAlign>
      </Profile>
      <Superelevation staStart="1100" staEnd="1300"/>
      <Superelevation staStart="1600" staEnd="1800"/>
    </Alignment>
    <Alignment name="Ramp">
      <Profile>
        <ProfAlign name="Prelim"><PVI>0 10</PVI><PVI>100 12</PVI></ProfAlign>
        <ProfAlign name="Final"><PVI>0 10</PVI><ParaCurve length="40">50 11</ParaCurve><PVI>100 10.5</PVI></ProfAlign>
      </Profile>
    </Alignment>
  </Alignments>
</LandXML>
)";

// One alignment "A" whose one design profile "P" holds `points`, which begin
// on line 4.
inline std::string InOneProfile(const std::string& points)
{
    return "<LandXML>\n<Alignments><Alignment name=\"A\"><Profile>\n<ProfAlign name=\"P\">\n" +
           points + "\n</ProfAlign></Profile></Alignment></Alignments></LandXML>";
}

}  // namespace ravo::samples
