#include "app/shell.h"

#include <cstdlib>

int main(int, char**) {
    if (!inicializace()) {
        return EXIT_FAILURE;
    }
    Aplikace app;
    spust(app);
    const int status = smycka(app);
    ukonci(app);
    return status;
}
