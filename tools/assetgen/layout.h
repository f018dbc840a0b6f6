#pragma once

// Where the game puts things in its 800 x 800 window; the background is painted around them.

struct Box {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

inline constexpr int kWindowSize = 800;

// The rows of the HUD text (pale yellow), which want a calm dark wall behind them.
inline constexpr Box kHudArea{50, 20, 450, 130};

// The player's sprite, and the places of the first, second and third enemy of a wave.
inline constexpr Box kPlayerPlace{300, 300, 50, 100};
inline constexpr Box kEnemyPlaces[3] = {
    {600, 300, 50, 100}, {650, 350, 50, 100}, {700, 400, 50, 100}};

// "Attack", "Block" and "Do Vrask!": the game outlines each in black and stretches its label
// over the whole rectangle; the background gives each a plate.
inline constexpr Box kButtons[3] = {{185, 550, 100, 50}, {350, 550, 100, 50}, {400, 650, 100, 50}};

// How far a button plate reaches beyond the button's outline on every side.
inline constexpr int kPlateMargin = 6;

// The line where the back wall meets the floor.
inline constexpr int kFloorTop = 250;
