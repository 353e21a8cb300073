#include "client/startup/startup.h"

int main(int argc, char** argv) {
    return ov::RunClient(argc, argv);
}
