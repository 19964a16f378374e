// The generate action: appends as many numbered addresses to the result list as the count box asks for, while
// the progress bar and the percentage label follow the run.
#pragma once

namespace quarrow::app {

void Generate();

}  // namespace quarrow::app
