// The label placer: candidate places around each anchor, checked against a
// grid of the boxes already taken so that thousands of labels place quickly.
#include "core/view/label_placer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace ravo {
namespace {

constexpr double Gap = 5;    // between an anchor and its label
constexpr double Cell = 48;  // of the grid of taken boxes

// The boxes taken so far, in square cells of the plot.
class BoxGrid {
public:
    explicit BoxGrid(const Box& plot)
        : left_(plot.left),
          top_(plot.top),
          columns_(CellCount(plot.right - plot.left)),
          rows_(CellCount(plot.bottom - plot.top)),
          cells_(columns_ * rows_)
    {
    }

    void Add(const Box& box)
    {
        const std::size_t index = boxes_.size();
        boxes_.push_back(box);
        ForCells(box, [&](std::vector<std::size_t>& cell) { cell.push_back(index); });
    }

    bool Free(const Box& box)
    {
        bool free = true;
        ForCells(box, [&](const std::vector<std::size_t>& cell) {
            for (std::size_t i : cell)
                free = free && !boxes_[i].Overlaps(box);
        });
        return free;
    }

private:
    static std::size_t CellCount(double length)
    {
        return static_cast<std::size_t>(std::max(1.0, std::ceil(length / Cell)));
    }
    std::size_t Clamp(double at, std::size_t count) const
    {
        // A box at NaN (nothing finite to place it by) falls in the first cell,
        // rather than into a conversion that has no defined result.
        const double cell = std::floor(at / Cell);
        if (!(cell > 0))
            return 0;
        return static_cast<std::size_t>(std::min(cell, double(count - 1)));
    }
    template <typename F>
    void ForCells(const Box& box, F&& f)
    {
        for (std::size_t r = Clamp(box.top - top_, rows_); r <= Clamp(box.bottom - top_, rows_);
             ++r)
            for (std::size_t c = Clamp(box.left - left_, columns_);
                 c <= Clamp(box.right - left_, columns_); ++c)
                f(cells_[r * columns_ + c]);
    }

    double left_;
    double top_;
    std::size_t columns_;
    std::size_t rows_;
    std::vector<std::vector<std::size_t>> cells_;
    std::vector<Box> boxes_;
};

// Whether a line's segment between two points might cross the box: their
// bounding boxes meet. Lines are drawn a point or two a pixel column, so the
// test is close enough.
bool LineCrosses(const Polyline& line, const Box& box)
{
    const std::vector<PixelPoint>& p = line.points;
    auto first = std::lower_bound(p.begin(), p.end(), box.left - 2,
                                  [](const PixelPoint& a, double x) { return a.x < x; });
    if (first != p.begin())
        --first;
    for (auto i = first; i != p.end() && i + 1 != p.end() && i->x <= box.right + 2; ++i) {
        const Box segment{std::min(i->x, (i + 1)->x), std::min(i->y, (i + 1)->y),
                          std::max(i->x, (i + 1)->x) + 0.5, std::max(i->y, (i + 1)->y) + 0.5};
        if (segment.Overlaps(box))
            return true;
    }
    return false;
}

// Places around the anchor, nearest first: above and below (below first for
// a label that asks it), right, left, the corners, then the same again further out.
std::vector<Box> Candidates(const LabelRequest& label)
{
    const double w = label.width;
    const double h = label.height;
    const double x = label.anchor.x;
    const double y = label.anchor.y;
    std::vector<Box> boxes;
    for (double reach : {Gap, Gap + h, Gap + 2 * h, Gap + 3.5 * h}) {
        const std::array<std::pair<double, double>, 8> corners = {{
            {x - w / 2, label.below ? y + reach : y - reach - h},
            {x - w / 2, label.below ? y - reach - h : y + reach},
            {x + reach, y - h / 2},
            {x - reach - w, y - h / 2},
            {x + reach / 2, y - reach - h},
            {x - reach / 2 - w, y - reach - h},
            {x + reach / 2, y + reach},
            {x - reach / 2 - w, y + reach},
        }};
        for (const auto& [left, top] : corners)
            boxes.push_back({left, top, left + w, top + h});
    }
    return boxes;
}

bool CrossesAny(const std::vector<Polyline>& lines, const Box& box)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&box](const Polyline& line) { return LineCrosses(line, box); });
}

}  // namespace

Box BoxAround(PixelPoint at, double halfWidth, double halfHeight)
{
    return {at.x - halfWidth, at.y - halfHeight, at.x + halfWidth, at.y + halfHeight};
}

LabelPlacement PlaceLabels(const std::vector<LabelRequest>& labels, const std::vector<Box>& marks,
                           const Box& plot, const std::vector<Polyline>& lines)
{
    std::vector<std::size_t> order(labels.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&labels](std::size_t a, std::size_t b) {
        if (labels[a].rank != labels[b].rank)
            return labels[a].rank < labels[b].rank;
        return labels[a].anchor.x < labels[b].anchor.x;
    });
    BoxGrid taken(plot);
    for (const Box& mark : marks)
        taken.Add(mark);
    LabelPlacement placement;
    for (std::size_t i : order) {
        std::optional<Box> chosen;
        std::optional<Box> crossed;
        for (const Box& box : Candidates(labels[i])) {
            if (!box.Inside(plot) || !taken.Free(box))
                continue;
            if (!CrossesAny(lines, box)) {
                chosen = box;
                break;
            }
            if (!crossed)
                crossed = box;
        }
        if (!chosen)
            chosen = crossed;
        if (!chosen) {
            placement.dropped.push_back(i);
            continue;
        }
        taken.Add(*chosen);
        placement.placed.push_back({i, *chosen});
    }
    std::sort(placement.dropped.begin(), placement.dropped.end());
    return placement;
}

std::vector<std::string> DroppedNear(const std::vector<LabelRequest>& labels,
                                     const LabelPlacement& placement, PixelPoint at, double radius)
{
    std::vector<std::string> texts;
    for (std::size_t i : placement.dropped) {
        const double dx = labels[i].anchor.x - at.x;
        const double dy = labels[i].anchor.y - at.y;
        if (dx * dx + dy * dy <= radius * radius)
            texts.push_back(labels[i].text);
    }
    return texts;
}

}  // namespace ravo
