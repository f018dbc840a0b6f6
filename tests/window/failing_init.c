/* Preloaded into the game by the failing_init row of tests/window/run.sh: TTF_Init and IMG_Init
 * fail with a known error text instead of starting their libraries. It links to nothing of ours:
 * SDL_SetError is found in the game at run time. */
#define _GNU_SOURCE
#include <dlfcn.h>

static int failed(const char* text, int result) {
    ((int (*)(const char*, ...))dlsym(RTLD_DEFAULT, "SDL_SetError"))("%s", text);
    return result;
}

int TTF_Init(void) { return failed("no fonts here", -1); }

int IMG_Init(int flags) { return flags ? failed("no images here", 0) : 0; }
