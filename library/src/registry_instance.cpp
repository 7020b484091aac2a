// The registry lives exactly as long as the library is loaded: it is built while the library is
// loaded and destroyed (closing every port) when it is unloaded or the process ends.
#include "library/src/export_support.h"

namespace tarsel::lib {
namespace {

CCommMaster gRegistry;

}  // namespace

CCommMaster& Registry() {
    return gRegistry;
}

}  // namespace tarsel::lib
