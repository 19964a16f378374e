// One batch run: the rows made and written as the options say.
#pragma once

#include "batch/batch_options.h"

namespace quarrow::batch {

// Exit codes: every row written, the output could not be written, bad input.
inline constexpr int kWritten = 0;
inline constexpr int kWriteFailed = 1;
inline constexpr int kBadInput = 2;

// `fresh_seed` seeds the run when the options give no seed; it is then said on standard error ("seed: N"), so
// that the run can be made again. Messages go to standard error.
int Run(const Options& options, std::uint32_t fresh_seed);

}  // namespace quarrow::batch
