#pragma once
// The program OvClient: the start-up sequence from the command line to the running instance.

namespace ov {

// The program: returns the exit code. The switches are applied and the web command handed to
// a running instance; the parts of the program (TOvClient) are created only when this process
// becomes the running instance.
int RunClient(int argc, char** argv);

}  // namespace ov
