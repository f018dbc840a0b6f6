#pragma once

#include <string>
#include <vector>

#include "world/entity.h"

// The map file that start-up reads from the working directory.
inline constexpr const char* kMapFile = "map.miap";

// Reads "map.miap": one row of 20-pixel cells per line, one cell per byte. "-", "#", "*" and
// "$" make tiles of kind 0..3; "@" makes a kind-0 tile and puts the player there with the start
// statistics. Appends to `tiles`. A missing file changes nothing and says nothing.
void loadMap(std::vector<Entity>& tiles, Entity& player);

// The same from the file's text, so the reader can be fed text directly.
void loadMap(const std::string& text, std::vector<Entity>& tiles, Entity& player);

// A file's bytes read as text, the way the map is read; empty if it cannot be opened. A read
// error ends the text where it happened.
std::string readText(const char* path);

// The player's start statistics at a given cell, as a player mark gives them.
void placePlayer(Entity& player, float x, float y, int32_t id);
