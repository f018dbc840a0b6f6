#include "shell/frame_loop.h"
#include "shell/startup.h"

// The game reads no arguments, but main keeps SDL's signature: on Windows SDL_main.h renames it
// SDL_main, which SDL2main's WinMain calls with (argc, argv); without them it does not link.
int main(int /*argc*/, char* /*argv*/[]) {
    Shell shell;
    GameState state;
    if (!startUp(shell, state)) {
        shutDown(shell, state);
        return 1;
    }
    runFrameLoop(shell, state);
    shutDown(shell, state);
    return 0;
}
