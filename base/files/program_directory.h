// Where the running program lives: the data files, "Connection.ini" and the default log folder
// sit beside it.
#pragma once

#include <string>

namespace tarsel {

// Directory of the running executable, with a trailing separator ("./" when it cannot be told).
std::string ExecutableDirectory();

}  // namespace tarsel
