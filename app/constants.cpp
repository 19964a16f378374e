#include "app/constants.h"

namespace quarrow::app {

const Constants kConstants = {
    "", 100.0, "路 ", "号 ", "小区 ", "号楼 ", "单元 ", "室", "0", "%", "\r\n", "txt", 1.0, {1, 0},
};

}  // namespace quarrow::app
