// "导出到文件": the rows of the result list, saved as a GBK text file that the user picks in the save dialog.
#pragma once

namespace quarrow::app {

// The click handler of 按钮_导出.
void ExportResults();

}  // namespace quarrow::app
