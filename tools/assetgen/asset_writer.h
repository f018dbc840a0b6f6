#pragma once

#include <string>

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
