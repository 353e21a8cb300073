#include "client/app/runclient.h"

int main(int argc, char** argv) {
    return ov::RunClient(argc, argv);
}
