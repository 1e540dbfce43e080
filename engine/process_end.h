#pragma once

namespace sorvani {

// Ends a program whose own work is done, with the given status; call it with what main would
// return, once every window, file and thread of the program's own has closed. Where ending the
// usual way may hang (Wine deadlocks now and then when a thread of a library is still ending as
// the process ends), the process ends at once after writing out the standard streams; elsewhere
// this returns the status for main to return.
int EndProcess(int status);

}  // namespace sorvani
