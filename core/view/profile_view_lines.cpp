// The profile view's lines: the rows in view reduced to one min/max pair per
// pixel column, then joined into polylines.
#include "core/view/profile_view_lines.h"

#include <algorithm>
#include <cmath>

namespace ravo {
namespace {

// Takes whole blocks of pieces that fall into one column, from block b on, and
// returns the first block not taken.
template <typename ColumnOf, typename AddGap>
std::size_t MergeBlocks(const std::vector<PieceBlock>& blocks, std::size_t b,
                        const ColumnOf& column, const ProfileView& view, const CurveFlags* flags,
                        std::vector<ColumnRange>& columns, const AddGap& addGap)
{
    while (b < blocks.size() && blocks[b].first >= view.firstStation) {
        const std::size_t c = column(blocks[b].first);
        const double end = std::min(StationAtX(view, static_cast<double>(c + 1)), view.lastStation);
        ColumnRange& range = columns[c];
        const std::size_t first = b;
        for (; b < blocks.size() && blocks[b].last <= end; ++b) {
            const PieceBlock& block = blocks[b];
            range.low = std::min<double>(range.low, block.low);
            range.high = std::max<double>(range.high, block.high);
            range.flagged = range.flagged || (flags != nullptr && flags->Flagged(block));
            if (block.gap) {
                addGap(block.first, block.last);
                range.gapAfter = true;
            }
        }
        if (b == first)
            break;
    }
    return b;
}

}  // namespace

// One min/max pair per pixel column over the pieces in view, and the x ranges
// of the gaps. A piece wider than a column is evaluated column by column, so
// the line stays smooth at any zoom; where many pieces fall into one column,
// whole blocks of them are taken at once.
std::vector<ColumnRange> Columns(const DecidedRows& rows, const ProfileView& view,
                                 const CurveFlags* flags,
                                 std::vector<std::pair<double, double>>& gaps)
{
    const int width = view.plotWidth;
    std::vector<ColumnRange> columns(static_cast<std::size_t>(width));
    const double s0 = view.firstStation;
    const double perPixel = (view.lastStation - view.firstStation) / view.plotWidth;
    auto column = [&](double station) {
        return static_cast<std::size_t>(
            std::clamp(std::floor((station - s0) / perPixel), 0.0, width - 1.0));
    };
    auto addGap = [&](double first, double last) {
        const double x0 = (first - s0) / perPixel;
        const double x1 = (last - s0) / perPixel;
        if (!gaps.empty() && x0 - gaps.back().second < 1)
            gaps.back().second = x1;
        else
            gaps.emplace_back(x0, x1);
    };
    auto merge = [&](std::size_t c, double low, double high, bool flagged) {
        columns[c].low = std::min(columns[c].low, low);
        columns[c].high = std::max(columns[c].high, high);
        columns[c].flagged = columns[c].flagged || flagged;
    };
    const std::vector<DecidedPiece>& pieces = rows.Pieces();
    const std::vector<PieceBlock>& blocks = rows.Blocks();
    constexpr std::size_t Block = DecidedRows::BlockPieces;
    for (std::size_t i = rows.FirstPieceEndingAfter(s0);
         i < pieces.size() && pieces[i].first < view.lastStation; ++i) {
        // A block within one column is taken from the blocks alone: the
        // pieces themselves are many times larger than the cache.
        if (i % Block == 0)
            i = MergeBlocks(blocks, i / Block, column, view, flags, columns, addGap) * Block;
        if (i >= pieces.size() || pieces[i].first >= view.lastStation)
            break;
        const DecidedPiece& piece = pieces[i];
        const double first = std::max<double>(piece.first, s0);
        const double last = std::min<double>(piece.last, view.lastStation);
        const std::size_t c0 = column(first);
        const std::size_t c1 = column(last);
        if (piece.row == 0) {
            addGap(first, last);
            columns[c0].gapAfter = true;  // the columns up to c1 hold no value
            continue;
        }
        const bool flagged = flags != nullptr && flags->Flagged(piece.row);
        if (c0 == c1 && first == piece.first && last == piece.last) {
            merge(c0, piece.low, piece.high, flagged);
            continue;
        }
        for (std::size_t c = c0; c <= c1; ++c) {
            const double a = std::max(first, s0 + static_cast<double>(c) * perPixel);
            const double b = std::min(last, s0 + static_cast<double>(c + 1) * perPixel);
            const auto [low, high] = RowRange(rows.Row(piece.row), a, std::max(a, b));
            merge(c, low, high, flagged);
        }
    }
    return columns;
}

// The y of a value in a panel of the given height, 0 at the top.
double YOfValue(const Panel& panel, double height, double value)
{
    return (panel.valueAtTop - value) / (panel.valueAtTop - panel.valueAtBottom) * height;
}

// Joins the columns into polylines, broken at gaps and where the flag changes;
// each column adds its low and high, the end nearer the last point first.
std::vector<Polyline> Lines(const std::vector<ColumnRange>& columns, double scale,
                            const Panel& panel, double height)
{
    auto y = [&](double value) { return YOfValue(panel, height, value * scale); };
    std::vector<Polyline> lines;
    bool open = false;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const ColumnRange& column = columns[c];
        if (!column.HasValue()) {
            open = false;
            continue;
        }
        if (open && lines.back().flagged != column.flagged) {
            const PixelPoint joint = lines.back().points.back();
            lines.push_back({{joint}, column.flagged});
        } else if (!open) {
            lines.push_back({{}, column.flagged});
        }
        const double x = static_cast<double>(c) + 0.5;
        PixelPoint low{x, y(column.low)};
        PixelPoint high{x, y(column.high)};
        std::vector<PixelPoint>& points = lines.back().points;
        if (!points.empty() &&
            std::abs(points.back().y - high.y) < std::abs(points.back().y - low.y))
            std::swap(low, high);
        points.push_back(low);
        if (column.high != column.low)
            points.push_back(high);
        open = !column.gapAfter;
    }
    return lines;
}

void ValueRange(const std::vector<ColumnRange>& columns, double scale, double& low, double& high)
{
    low = std::numeric_limits<double>::infinity();
    high = -low;
    for (const ColumnRange& column : columns) {
        // An elevation that overflowed the float rows cannot be drawn, and
        // would stretch the scale to infinity.
        if (column.HasValue() && std::isfinite(column.low) && std::isfinite(column.high)) {
            low = std::min(low, column.low * scale);
            high = std::max(high, column.high * scale);
        }
    }
}

}  // namespace ravo
