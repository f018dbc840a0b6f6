#include "shell/frame_loop.h"
#include "shell/startup.h"

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
