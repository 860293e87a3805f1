#pragma once
// Why a run cannot meet the demand, told in the shop's words: the cut-piece row that fits on no
// sheet of the stock in any way it may lie.

#include <optional>
#include <string>

#include "job/job.h"

namespace veltrix::engine {

// The first cut-piece row (table row number, as the user sees it) that the stock cannot take:
// with the kerf and the tolerance as a run counts them, neither lengthwise nor turned (turned only
// when the job has no grain or the piece need not follow it) within the usable area of any kept
// sheet and the blade. The message names the row, its size and description, and why: longer than
// every sheet, wider than every sheet, or only fitting across the grain. Nothing when every row
// fits somewhere (a run can then still fail for want of stock).
std::optional<std::string> unplaceablePieceMessage(const Job& job);

}  // namespace veltrix::engine
