// ovcli: see ovcli.h.

#include "testing/ovcli/ovcli.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ov::cli::Run(app.arguments().mid(1), out, err);
}
