/* Preloaded into the game by rows of tests/window/run.sh: notes on standard error how the music
 * starts ("shim: ..."); with SHIM_FAIL_INIT set, TTF_Init and IMG_Init fail with a known error
 * text instead of starting their libraries. It links to nothing: SDL_SetError is the game's. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

#define REAL(type, name) ((type)dlsym(RTLD_NEXT, #name))

static void* loaded_music;
static char loaded_file[256] = "none";

static int failed(const char* text, int result) {
    ((int (*)(const char*, ...))dlsym(RTLD_DEFAULT, "SDL_SetError"))("%s", text);
    return result;
}

int TTF_Init(void) {
    return getenv("SHIM_FAIL_INIT") ? failed("no fonts here", -1) : REAL(int (*)(void), TTF_Init)();
}

int IMG_Init(int flags) {
    return getenv("SHIM_FAIL_INIT") ? failed("no images here", 0)
                                    : REAL(int (*)(int), IMG_Init)(flags);
}

void* Mix_LoadMUS(const char* file) {
    snprintf(loaded_file, sizeof loaded_file, "%s", file);
    return loaded_music = REAL(void* (*)(const char*), Mix_LoadMUS)(file);
}

int Mix_PlayMusic(void* music, int loops) {
    fprintf(stderr, "shim: Mix_PlayMusic(%s, %d) at volume %d\n",
            music != NULL && music == loaded_music ? loaded_file : "other", loops,
            REAL(int (*)(int), Mix_VolumeMusic)(-1));
    return REAL(int (*)(void*, int), Mix_PlayMusic)(music, loops);
}
