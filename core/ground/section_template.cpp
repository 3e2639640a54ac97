// Areas of the level-ground trapezium section in fill and in cut.
#include "core/ground/section_template.h"

namespace ravo {

double FormationDepth(const SectionTemplate& section, double design, double ground)
{
    return design - section.pavementDepth - ground;
}

double FillArea(const SectionTemplate& section, double depth)
{
    return depth > 0 ? depth * (section.width + section.fillSlope * depth) : 0;
}

double CutArea(const SectionTemplate& section, double depth)
{
    const double h = -depth;
    return h > 0 ? h * (section.width + section.cutSlope * h) : 0;
}

}  // namespace ravo
