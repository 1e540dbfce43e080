#include "process_end.h"

namespace sorvani {

int EndProcess(int status) { return status; }

}  // namespace sorvani
