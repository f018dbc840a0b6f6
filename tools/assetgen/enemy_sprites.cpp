#include "enemy_sprites.h"

#include <array>

#include "pixel_art.h"

// The enemies face left, towards the hero. Each kind is a grid of its own size; the grid is
// centred and stood on the bottom edge of the 50 x 100 picture, so small kinds leave more of
// the place empty and the last kind fills it.
namespace {

const Palette kEnemyPalette = {
    {'k', {18, 14, 20, 255}},     // outline
    {'G', {112, 158, 72, 255}},   // goblin skin
    {'g', {70, 104, 48, 255}},    // goblin skin in shadow
    {'Y', {255, 226, 64, 255}},   // goblin and orc eyes
    {'R', {255, 64, 48, 255}},    // glowing eye sockets
    {'W', {236, 230, 208, 255}},  // bone, teeth
    {'w', {176, 166, 144, 255}},  // bone in shadow
    {'L', {122, 82, 50, 255}},    // leather
    {'l', {76, 50, 32, 255}},     // dark leather, wood
    {'S', {176, 180, 194, 255}},  // iron
    {'s', {104, 108, 124, 255}},  // iron in shadow
    {'O', {176, 92, 40, 255}},    // rust
    {'B', {150, 112, 74, 255}},   // orc hide
    {'b', {98, 70, 46, 255}},     // orc hide in shadow
    {'H', {226, 214, 184, 255}},  // horn, claws
    {'h', {150, 136, 110, 255}},  // horn in shadow
    {'P', {92, 64, 128, 255}},    // black-violet armour
    {'p', {52, 36, 76, 255}},     // armour in shadow
    {'M', {196, 44, 36, 255}},    // demon hide
    {'m', {112, 20, 28, 255}},    // demon hide in shadow
    {'F', {255, 236, 120, 255}},  // fire
};

// clang-format off
const Grid kKind0 = {
    "..............",
    ".....kkkk.....",
    "....kGGGGk..k.",
    "...kGGGGGGkkGk",
    "..kGYkGGGGGGGk",
    ".kGGGGGGGGGgk.",
    "kGGGGGGGGGgk..",
    ".kkWkWkGGgk...",
    "...kkkkggk....",
    "....kLLLLLk...",
    "..kkLLLLLLLk..",
    ".kSkGLlLLLLGk.",
    "kSk.kGLLLLLkGk",
    "kk..kLLLLLLkgk",
    "....klllllllk.",
    ".....kLLkLLk..",
    ".....kGgkGgk..",
    ".....kGgkGgk..",
    "....kGGkkGGk..",
    "....kkkk.kkkk.",
};
// clang-format on

// clang-format off
const Grid kKind1 = {
    "......kkkkk.......",
    ".....kWWWWWk......",
    "....kWWWWWWWk.....",
    "....kWkkWWWWWk....",
    "....kRkkWkkWWk....",
    "....kWWWkWWWWk....",
    ".....kWWWWWWk.....",
    ".....kWkWkWk......",
    "......kkkkkk......",
    "........kwk.......",
    ".....kkWWWWWkk....",
    "....kWkwWwWwkWk...",
    "...kWk.kWWWk.kWk..",
    "...kWk.kwwwk.kWk..",
    "..kWk..kWWWk..kWk.",
    "..kwk..kwwwk..kwk.",
    ".kSSk...kWk...kWk.",
    "kOsSk..kLLLk..kwk.",
    ".kSk..kLLlLLk.kWk.",
    ".kSk..kLlLlLk..k..",
    ".kSk..kLLLLLk.....",
    ".kSk...kWkWk......",
    ".kSk...kWkWk......",
    ".kSk...kwkwk......",
    ".kSk...kWkWk......",
    ".kSk..kWk.kWk.....",
    ".kSk..kWk.kWk.....",
    ".kSk..kwk.kwk.....",
    ".kOk..kWk.kWk.....",
    "..k...kWk.kWk.....",
    "......kWk.kWk.....",
    "......kwk.kwk.....",
    ".....kWWk.kWWk....",
    "....kWWWk.kWWWk...",
    "....kkkkk.kkkkk...",
};
// clang-format on

// clang-format off
const Grid kKind2 = {
    ".........kkkkk........",
    "........kBBBBBk.......",
    ".......kBBBBBBBk......",
    "......kBYkBBBBBBk.....",
    "......kBBBBBBBBBk.....",
    ".....kBBBBBBBBBbk.....",
    ".....kWkBWkBBBbk......",
    "......kWkkWkbbk.......",
    ".......kkkkkkk........",
    "....kkkBBBBBBBkkk.....",
    "...kBBBLLLLLLLBBBk....",
    "..kBBBBLLLSLLLBBBBk...",
    "..kBBbkLLLLLLLkbBBk...",
    ".kBBbk.LLLLLLLkkbBBk..",
    ".kBBk.kLLLLLLLLk.kBBk.",
    ".kBBk.kLLLSLLLLk.kBBk.",
    ".kBbk.kLLLLLLLLk.kbBk.",
    ".kBbk..kLLLLLLk..kbBk.",
    "..kBk..kSSSSSSk...kBk.",
    ".kHkBk.kLLLLLLk..kBBk.",
    "kHlHkk.kLLLLLLLk.kbk..",
    "kHllHk.kLLLLLLLk..k...",
    "kHllHk.kLLLlLLLk......",
    "kHllHk.kLLLlLLLk......",
    ".kllk..kLLLlLLLk......",
    ".klk...kllklllk.......",
    ".klk...kBBkkBBk.......",
    ".klk...kBBk.kBBk......",
    ".klk..kBBbk.kBBk......",
    ".klk..kBBbk.kBbk......",
    ".klk..kBBbk.kBbk......",
    ".klk..kBBbk..kBbk.....",
    ".klk..kBBk...kBbk.....",
    ".klk..kBBk...kBbk.....",
    ".klk..kLLk...kLLk.....",
    "..k..kLLLk...kLLLk....",
    "....kLLLLk...kLLLLk...",
    "....kkkkkk...kkkkkk...",
};
// clang-format on

// clang-format off
const Grid kKind3 = {
    "..H................H....",
    "..Hh..............Hh....",
    "...Hh....kkkkk...Hh.....",
    "...kHhkkkpppppkkhHk.....",
    "....kHhpPPPPPPPphHk.....",
    "....kpPPPPPPPPPPPpk.....",
    "....kpPkkkkkkPPPPpk.....",
    "....kPkRRkRRkPPPPpk.....",
    "....kPkkkkkkkPPPPpk.....",
    "....kpPPPkPkPPPPppk.....",
    ".....kpPPkPkPPPppk......",
    "......kkppppppppkk......",
    "....kkPPkkkkkkkkPPkk....",
    "...kPPPPpPPPPPPpPPPPk...",
    "..kPPPppkpPMPPpkppPPPk..",
    "..kPPpk.kpPMMPpk.kpPPk..",
    ".kPPpk..kpPPMPpk..kpPPk.",
    ".kPpk...kpPPPPpk...kpPk.",
    ".kPpk...kppPPppk...kpPk.",
    ".kPk....kpPPPPpk....kPk.",
    "kSSk....kkkkkkkk....kPk.",
    "ksSSk...kpPPPPpk....kpk.",
    "kssSSk..kpPppPpk...kPPk.",
    "kSsskk..kpPPPPpk...kkk..",
    "kkSk.k.kpPPPPPPpk.......",
    ".kSk..kkpPPkPPPpk.......",
    ".kSk..kpPPPkkPPPpk......",
    ".klk..kpPPk..kPPpk......",
    ".klk..kpPPk..kPPpk......",
    ".klk..kpPPk..kPPpk......",
    ".klk..kpPMk..kMPpk......",
    ".klk..kpPPk..kPPpk......",
    ".klk..kpPPk..kPPpk......",
    ".klk..kpPPk..kPPpk......",
    ".klk..kpPPk..kPPpk......",
    ".klk..kpPPk..kPPpk......",
    ".klk..kpPPk..kPPpk......",
    ".klk.kppPPk..kPPppk.....",
    ".klkkpPPPPk..kPPPPpk....",
    ".kSkkkkkkkk..kkkkkkk....",
    "..k.....................",
};
// clang-format on

// clang-format off
const Grid kKind4 = {
    ".........................",
    "..H...................H..",
    "..Hh.................hH..",
    "...Hh......kkk......hH...",
    "...Hh.....kMMMk.....hH...",
    "....Hhk..kMMMMMk..khH....",
    ".....kHkkMMMMMMMkkHk.....",
    "......kMMMMMMMMMMMk......",
    "kk....kMkkkMMkkkMMk....kk",
    "kmk...kMkFFkMkFFkMk...kmk",
    "kmMk..kMMkkMMMkkMMk..kMmk",
    "kmMMk.kMMMMMMMMMMMk.kMMmk",
    "kmMMMk.kMkWkWkWkMk.kMMMmk",
    "kmMmMMk.kMWkWkWMk.kMMmMmk",
    "kmMmmMMkkkMMMMMkkkMMmmMmk",
    "kmMm.kMMmmkkkkkmmMMk.mMmk",
    "kmM...kMMMMMMMMMMMk...Mmk",
    "kmM..kMMMMmMOOMmMMMk..Mmk",
    "km..kMMMMMmOFFOmMMMMk..mk",
    "km.kMMmkMMmOFFOmMMkmMMk.k",
    "k..kMmk.kMMmOOmMMk.kmMk.k",
    "..kMmk..kMMMmmMMMk..kmMk.",
    "..kMk...kMMMMMMMMk...kMk.",
    ".kMMk...kmMMMMMMmk...kMMk",
    ".kHHk...kkGGGGGGkk...kHHk",
    ".kHkHk..kmMMMMMMmk..kHkHk",
    "........kMMMMMMMMk.......",
    "........kMMMkkMMMk.......",
    ".......kMMMk..kMMMk......",
    ".......kMMMk..kMMMk......",
    ".......kMMmk..kmMMk......",
    ".......kMMmk..kmMMk......",
    "......kMMmk....kmMMk.....",
    "......kMMmk....kmMMk.....",
    "......kMMmk....kmMMk.....",
    "......kMMk......kMMk.....",
    "......kmMk......kMmk.....",
    ".....kmMMk......kMMmk....",
    ".....kmMk........kMmk....",
    ".....kMMk........kMMk....",
    ".....kmMk........kMmk....",
    "....kmMMk........kMMmk...",
    "....kmMk..........kMmk...",
    "....kMMk..........kMMk...",
    "...kHHHk..........kHHHk..",
    "..kHkHkHk........kHkHkHk.",
    "..kkkkkkk........kkkkkkk.",
};
// clang-format on

const std::array<const Grid*, kEnemyKindCount> kKinds = {&kKind0, &kKind1, &kKind2, &kKind3,
                                                         &kKind4};

}  // namespace

Image drawEnemy(int kind) {
    const Grid& grid = *kKinds.at(static_cast<std::size_t>(kind));
    Image image = makeImage(kSpriteWidth, kSpriteHeight);
    const int left = (kSpriteWidth - gridWidth(grid) * kSpriteCell) / 2;
    const int top = kSpriteHeight - gridHeight(grid) * kSpriteCell;
    stampGrid(image, grid, kEnemyPalette, left, top, kSpriteCell,
              "enemy kind " + std::to_string(kind));
    return image;
}
