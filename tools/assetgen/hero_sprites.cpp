#include "hero_sprites.h"

#include "pixel_art.h"

// The hero: a knight in a blue tabard and cape, facing right towards the enemies. Edit a pose by
// changing its rows; every row of a grid must be as wide as the first.
namespace {

const Palette kHeroPalette = {
    {'k', {22, 20, 30, 255}},     // outline
    {'S', {214, 222, 236, 255}},  // steel, lit
    {'s', {146, 156, 178, 255}},  // steel
    {'d', {84, 92, 114, 255}},    // steel in shadow
    {'W', {246, 250, 255, 255}},  // blade edge
    {'C', {56, 96, 190, 255}},    // tabard and cape
    {'c', {30, 50, 116, 255}},    // cape in shadow
    {'G', {236, 196, 72, 255}},   // gold trim
    {'g', {164, 122, 40, 255}},   // gold in shadow
    {'B', {70, 118, 214, 255}},   // shield face
    {'b', {40, 66, 140, 255}},    // shield face in shadow
    {'R', {214, 58, 58, 255}},    // plume
    {'r', {140, 34, 44, 255}},    // plume in shadow
    {'L', {128, 86, 52, 255}},    // boots
    {'l', {78, 52, 34, 255}},     // boot soles
    {'A', {200, 236, 255, 170}},  // the sweep of the swung blade
};

// clang-format off
const Grid kStanding = {
    "...........rRr...........",
    "..........rRRrr..........",
    ".........kkkRkkk.........",
    "........kSSSSsssk........",
    ".......kSSSSsssssk.......",
    ".......kSSsssssddk.......",
    ".......kSskkkkkkdk.......",
    ".......kSsssskkddk.......",
    ".......kSsssskkddk.......",
    "........kdsssssddk.......",
    ".........kkddddkk........",
    "...cc..kkSSsssddkk.......",
    "..cCCckSSSsCCCCsddk......",
    "..cCCkSSskCCGCCkkkkkkkk..",
    "..cCCksskCGGGCCkGGGGGgk..",
    "..cCCkdskCCGCCCkGBBWbgk..",
    "..cCCkdskCCGCCCkGBBWbgk..",
    "..cCCkdskCCCCCCkGWWWWgk..",
    "..cCCkdskCCCCCCkGBBWbgk..",
    "..cCckdskCCCCCCkGBBWbgk..",
    "..cCckssskCCCCCkGBBWbgk..",
    "..cCckddkkGgGGGkkGBWbgk..",
    "..cCkdssdkCCCCCCkGWbgk...",
    "..cCkddddkCCCCCCCkGgk....",
    "..cCGGGGGGkCCCCCCkkk.....",
    "..cCckSWkkCCCCCCCk.......",
    "..cCckSWkCCCCCCCCCk......",
    "..cCckSWkcCCcCCcCCk......",
    "..cCckSWk.kdsk.kdsk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.kdsk.kdsk......",
    "..cCckSWk.kSSk.kSSk......",
    "..cCckSWk.kdsk.kdsk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    ".cCCckSWk.kdsk.kdsk......",
    ".cCCc.kSk.kdsk.kdsk......",
    ".ccCc..k..kdsk.kdsk......",
    ".c.cc.....kLLkkkLLk......",
    "..........kLLLkkLLLk.....",
    ".........kLLLLkLLLLLk....",
    ".........kLLLLLkLLLLLk...",
    ".........klllllklllllk...",
    ".........kkkkkkkkkkkkk...",
};
// clang-format on

// clang-format off
const Grid kBlocking = {
    "...........rRr...........",
    "..........rRRrr..........",
    ".........kkkRkkk.........",
    "........kSSSSsssk........",
    ".......kSSSSsssskkkkkkkk.",
    ".......kSSsssssdkGGGGGgk.",
    ".......kSskkkkkkkGBBWbgk.",
    ".......kSsssskkdkGBBWbgk.",
    ".......kSsssskkdkGWWWWgk.",
    "........kdsssssdkGBBWbgk.",
    ".........kkddddkkGBBWbgk.",
    "...cc..kkSSsssddkGBBWbgk.",
    "..cCCckSSSsCCCCskkGBWbgk.",
    "..cCCkSSskCCGCCk.kGBWbgk.",
    "..cCCksskCGGGCCkkdkGgk...",
    "..cCCkdskCCGCCCkkskkk....",
    "..cCCkdskCCGCCCkkdk......",
    "..cCCkdskCCCCCCk.........",
    "..cCCkdskCCCCCCk.........",
    "..cCckdskCCCCCCk.........",
    "..cCckssskCCCCCk.........",
    "..cCckddkkGgGGGk.........",
    "..cCkdssdkCCCCCCk........",
    "..cCkddddkCCCCCCCk.......",
    "..cCGGGGGGkCCCCCCk.......",
    "..cCckSWkkCCCCCCCk.......",
    "..cCckSWkCCCCCCCCCk......",
    "..cCckSWkcCCcCCcCCk......",
    "..cCckSWk.kdsk.kdsk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.kdsk.kdsk......",
    "..cCckSWk.kSSk.kSSk......",
    "..cCckSWk.kdsk.kdsk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    "..cCckSWk.ksSk.ksSk......",
    ".cCCckSWk.kdsk.kdsk......",
    ".cCCc.kSk.kdsk.kdsk......",
    ".ccCc..k..kdsk.kdsk......",
    ".c.cc.....kLLkkkLLk......",
    "..........kLLLkkLLLk.....",
    ".........kLLLLkLLLLLk....",
    ".........kLLLLLkLLLLLk...",
    ".........klllllklllllk...",
    ".........kkkkkkkkkkkkk...",
};
// clang-format on

// clang-format off
const Grid kAttacking = {
    "...........rRr...........",
    "..........rRRrr..........",
    ".........kkkRkkk....AA...",
    "........kSSSSsssk.....A..",
    ".......kSSSSsssssk.....A.",
    ".......kSSsssssddk.....A.",
    ".......kSskkkkkkdk......A",
    ".......kSsssskkddk......A",
    ".......kSsssskkddk......A",
    "........kdsssssddkk.....A",
    ".........kkddddkk.Gkkkkkk",
    "...cc..kSSSSSSSsddGWWWWWW",
    "..cCCcksssssssssdsGssssss",
    "..cCCkkkkkkkkkkkkkGkkkkkk",
    "..cCCCckCGGGCCCk.kGk....A",
    "..cCCCckCCGCCCCkkkkkkkk.A",
    "..cCCCckCCGCCCCkGGGGGgkA.",
    "..cCCCckCCCCCCCkGBBWbgk..",
    "..cCCCckCCCCCCCkGBBWbgk..",
    "..cCCCckCCCCCCCkGWWWWgk..",
    "..cCCCckCCCCCCCkGBBWbgk..",
    "..cCCCckGgGGGGGkGBBWbgk..",
    "..cCCCckCCCCCCCkGBBWbgk..",
    "..cCCCckCCCCCCCkkGBWbgk..",
    "..cCCCckCCCCCCC.kGBWbgk..",
    "..cCCCckCCCCCCCCCkgk.....",
    "..cCCCckCCCCCCCCCkk......",
    "..cCCCc..cCCcCCcCCk......",
    "..cCCCc...kdsk.kdsk......",
    "..cCCCc...ksSk.ksSk......",
    "..cCCCc...ksSk.ksSk......",
    "..cCCCc...ksSk.ksSk......",
    "..cCCCc...kdsk.kdsk......",
    "..cCCCc...kSSk.kSSk......",
    "..cCCCc...kdsk.kdsk......",
    "..cCCCc...ksSk.ksSk......",
    "..cCCCc...ksSk.ksSk......",
    "..cCCCc...ksSk.ksSk......",
    "..cCCCc...ksSk.ksSk......",
    "..cCCCc...ksSk.ksSk......",
    ".cCCCc....kdsk.kdsk......",
    ".cCCc.....kdsk.kdsk......",
    ".ccCc.....kdsk.kdsk......",
    ".c.cc.....kLLkkkLLk......",
    "..........kLLLkkLLLk.....",
    ".........kLLLLkLLLLLk....",
    ".........kLLLLLkLLLLLk...",
    ".........klllllklllllk...",
    ".........kkkkkkkkkkkkk...",
};
// clang-format on

}  // namespace

Image drawHero(HeroPose pose) {
    const Grid& grid = pose == HeroPose::Blocking    ? kBlocking
                       : pose == HeroPose::Attacking ? kAttacking
                                                     : kStanding;
    Image image = makeImage(kSpriteWidth, kSpriteHeight);
    // Feet on the bottom edge: the game stands the picture on the floor by its lower side.
    const int top = kSpriteHeight - gridHeight(grid) * kSpriteCell;
    stampGrid(image, grid, kHeroPalette, 0, top, kSpriteCell, "hero");
    return image;
}
