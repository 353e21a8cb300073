#pragma once
// The program OvClient: the start-up sequence from the command line to the running instance.

#include "client/app/composition.h"

namespace ov {

// The program: returns the exit code. The switches are applied and the web command handed to
// a running instance; the parts of the program (TOvClient) are created only when this process
// becomes the running instance, with the web pages the program links.
int RunClient(int argc, char** argv, const TWebPages& webPages = {});

}  // namespace ov
