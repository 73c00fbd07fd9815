// The vardex program: the main window without a sub-command, the headless
// sub-commands otherwise.
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("VARDEX ver. 1.2 (vardex %s)\n", VARDEX_VERSION);
            return 0;
        }
    }
    std::fprintf(stderr, "vardex: the main window is not available in this build yet; try --version\n");
    return 2;
}
