#pragma once

#include "world/enemy_waves.h"

// The files the game reads from its working folder, each named once, with what it is. The
// generator (tools/assetgen) draws and synthesises them under these names.

inline constexpr char kMusicFile[] = "vrask.wav";  // looped for the whole run
inline constexpr char kFontFile[] = "DelaGothicOne-Regular.ttf";
inline constexpr char kPlayerStandingFile[] = "bplayer1.png";  // at start and after a Vrask
inline constexpr char kPlayerBlockingFile[] = "bplayer2.png";
inline constexpr char kPlayerAttackingFile[] = "bplayer3.png";
inline constexpr char kBackgroundFile[] = "back1.png";  // the whole window
inline constexpr const char* kEnemySpriteFiles[kEnemyKindCount] = {
    "enemy1.png", "enemy2.png", "enemy3.png", "enemy4.png", "enemy5.png"};  // by enemy kind
inline constexpr char kHealthBarFile[] = "health1.png";  // stretched to an enemy's health
inline constexpr char kExplosionFile[] = "explosion.png";
inline constexpr char kEnemyDeathSoundFile[] = "enemydeath.wav";
inline constexpr char kButtonSoundFile[] = "button.wav";     // Attack and Block
inline constexpr char kVraskSoundFile[] = "vrasksound.wav";  // a Vrask used

// The eleven pictures in the order the game loads them, and the sounds, music first.
inline constexpr const char* kImageFiles[] = {
    kPlayerStandingFile,  kPlayerBlockingFile,  kPlayerAttackingFile, kBackgroundFile,
    kEnemySpriteFiles[0], kEnemySpriteFiles[1], kEnemySpriteFiles[2], kEnemySpriteFiles[3],
    kEnemySpriteFiles[4], kHealthBarFile,       kExplosionFile};
inline constexpr const char* kSoundFiles[] = {kMusicFile, kEnemyDeathSoundFile, kButtonSoundFile,
                                              kVraskSoundFile};
