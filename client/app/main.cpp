#include "client/app/runclient.h"
#include "client/webpages/webpages.h"

int main(int argc, char** argv) {
    return ov::RunClient(argc, argv, ov::ClientWebPages());
}
