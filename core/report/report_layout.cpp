// Report lines laid out by fixed start columns.
#include "core/report/report_layout.h"

#include <algorithm>

namespace ravo {

ReportLine::ReportLine(std::string_view firstField) : lines_{std::string(firstField)} {}

ReportLine& ReportLine::At(int column, std::string_view field)
{
    const std::size_t width = static_cast<std::size_t>(std::max(column, 1) - 1);
    if (lines_.back().size() > width)
        lines_.emplace_back();
    lines_.back().resize(width, ' ');
    lines_.back() += field;
    return *this;
}

std::string ReportLine::Text() const
{
    std::string text = lines_.front();
    for (std::size_t i = 1; i < lines_.size(); ++i) {
        text += ReportLineEnd;
        text += lines_[i];
    }
    return text;
}

ReportLine ReportFields(std::initializer_list<std::string_view> fields)
{
    auto field = fields.begin();
    ReportLine line(field == fields.end() ? std::string_view() : *field++);
    for (int column : FieldColumns) {
        if (field == fields.end())
            break;
        line.At(column, *field++);
    }
    return line;
}

ReportLine LogHeadingLine()
{
    return ReportFields({LogHeadings[0], LogHeadings[1], LogHeadings[2], LogHeadings[3]});
}

}  // namespace ravo
