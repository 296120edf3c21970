// Tolmara Deepgrid: the program entry.
#include "app/main_loop.h"

int main() {
    return RunGame();
}
