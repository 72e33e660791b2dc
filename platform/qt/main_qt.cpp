// The program's entry point on Qt: everything else is the framework's start-up.
#include "App.h"

int main(int argc, char** argv) {
    return AfxWinMain(argc, argv);
}
