#include "batch/messages.h"

#include <cstdio>
#include <string>

#include "batch/output_target.h"

namespace quarrow::batch {

void PrintMessage(std::string_view gbk) {
  const std::string text = ConsoleText(gbk);
  std::fprintf(stderr, "quarrow-batch: %s\n", text.c_str());
}

}  // namespace quarrow::batch
