#pragma once

#include <string>
#include <vector>

// A channel's song ids in playlist order, addressed 1-based by callers.
using SongIdList = std::vector<std::string>;
