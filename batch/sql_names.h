// The name of the table that --format sql fills.
#pragma once

#include <string_view>

namespace quarrow::batch {

// Whether PostgreSQL, SQLite and MySQL/MariaDB all take the name as it is, unquoted (the three do not agree on
// how a name is quoted): a letter or '_', then letters, digits and '_', 63 at most (PostgreSQL's limit), and no
// word any of them reserves.
bool IsSqlName(std::string_view name);

}  // namespace quarrow::batch
