// The browser's entry point. A page cannot block, so the browser calls one whole frame per
// animation frame, the same frame the desktop loop runs; main returns at once, and the state
// it set up lives on beside it for as long as the page is open.

#include <emscripten.h>

#include "game/globals.h"
#include "shell/frame_loop.h"
#include "shell/startup.h"

namespace {

Shell shell;
GameState state;

void runBrowserFrame() {
    runFrame(shell, state);
    if (quitRequested) {
        emscripten_cancel_main_loop();
        shutDown(shell, state);
    }
}

}  // namespace

int main() {
    if (!startUp(shell, state)) {
        shutDown(shell, state);
        return 1;
    }
    emscripten_set_main_loop(runBrowserFrame, 0, 0);  // 0 fps: on the browser's own frames
    return 0;
}
