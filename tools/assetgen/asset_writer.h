#pragma once

#include <string>
#include <vector>

// The files the game loads, as this program writes them into its output folder.
inline const std::vector<std::string> kImageFiles = {
    "back1.png",  "bplayer1.png", "bplayer2.png", "bplayer3.png", "enemy1.png",   "enemy2.png",
    "enemy3.png", "enemy4.png",   "enemy5.png",   "health1.png",  "explosion.png"};
inline const std::vector<std::string> kSoundFiles = {"vrask.wav", "button.wav", "enemydeath.wav",
                                                     "vrasksound.wav"};

// Draws every picture and synthesises every sound into `folder`, which must exist. Returns
// false (after a message on stderr) when a file cannot be written.
bool writeGameAssets(const std::string& folder);

// Writes the browser build's own copy of the music (halveRate) as <folder>/vrask.wav; the page
// preloads it in place of the desktop's.
bool writeBrowserAssets(const std::string& folder);

// Writes the icon as <folder>/<N>x<N>/apps/brannoch.png for every icon size, making the
// folders it needs.
bool writeIcons(const std::string& folder);

// Where writeIcons puts the icon of one size, relative to its folder.
std::string iconPath(int size);
