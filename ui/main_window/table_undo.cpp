// The tables kept for one step back, and putting them back.
#include "ui/main_window/table_undo.h"

#include <utility>

namespace ravo {
namespace {

constexpr std::array<SegmentKind, 2> Kinds = {SegmentKind::VerticalCurve,
                                              SegmentKind::Superelevation};

// The place of a kind's column among the ten: the curves' five, then the segments'.
std::size_t Place(std::size_t kind, std::size_t column) { return kind * ColumnCount + column; }

}  // namespace

void TableUndo::KeepBefore(const ProfileState& state, std::optional<SegmentKind> countTyped)
{
    if (countTyped && countTyped == countTyped_ && kept_)
        return;
    countTyped_ = countTyped;
    Tables tables;
    for (std::size_t k = 0; k < Kinds.size(); ++k) {
        const ConstKindTables columns = TablesOf(state, Kinds[k]);
        for (std::size_t c = 0; c < ColumnCount; ++c)
            tables.columns[Place(k, c)] = *columns[c];
    }
    tables.numVC = state.NumVC;
    tables.numSup = state.NumSup;
    tables.idxVC = state.IdxVC;
    tables.idxSup = state.IdxSup;
    tables.title = state.OutputTitle;
    kept_ = std::move(tables);
}

bool TableUndo::Undo(ProfileState& state)
{
    if (!kept_)
        return false;
    for (std::size_t k = 0; k < Kinds.size(); ++k) {
        const KindTables columns = TablesOf(state, Kinds[k]);
        for (std::size_t c = 0; c < ColumnCount; ++c)
            columns[c]->swap(kept_->columns[Place(k, c)]);
    }
    std::swap(state.NumVC, kept_->numVC);
    std::swap(state.NumSup, kept_->numSup);
    std::swap(state.IdxVC, kept_->idxVC);
    std::swap(state.IdxSup, kept_->idxSup);
    std::swap(state.OutputTitle, kept_->title);
    countTyped_.reset();
    return true;
}

}  // namespace ravo
