#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <memory>

// Releases an SDL, SDL_ttf or SDL_mixer object with the library's own function. Every one of
// them accepts a null handle.
struct SdlRelease {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
    void operator()(SDL_Renderer* drawer) const { SDL_DestroyRenderer(drawer); }
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};

// The one owner of a library object: released when the owner goes, never copied.
template <typename T>
using Owned = std::unique_ptr<T, SdlRelease>;
