// What the batch program says on standard error. Its messages are GBK, as every text of the program, with the
// user's texts in them converted to GBK where they were read; they become the console's encoding here, once.
#pragma once

#include <string_view>

namespace quarrow::batch {

// "quarrow-batch: " and the message, as one line.
void PrintMessage(std::string_view gbk);

}  // namespace quarrow::batch
