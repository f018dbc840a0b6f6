// brannoch_assetgen: draws the game's pictures and synthesises its sounds.
//
//   brannoch_assetgen ASSET_FOLDER [--icons ICON_FOLDER] [--web WEB_FOLDER]
//
// writes every image and sound the game loads into ASSET_FOLDER and, when asked, the icon in
// each size into ICON_FOLDER/<N>x<N>/apps/brannoch.png and the browser's smaller copy of the
// music into WEB_FOLDER. The output depends on nothing but this program's code.

#include <SDL.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "asset_writer.h"

int main(int argc, char** argv) {
    std::string assetFolder;
    std::string iconFolder;
    std::string webFolder;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--icons" && i + 1 < argc) {
            iconFolder = argv[++i];
        } else if (argument == "--web" && i + 1 < argc) {
            webFolder = argv[++i];
        } else if (assetFolder.empty() && argument.rfind("--", 0) != 0) {
            assetFolder = argument;
        } else {
            assetFolder.clear();
            break;
        }
    }
    if (assetFolder.empty()) {
        std::fprintf(stderr, "usage: %s ASSET_FOLDER [--icons ICON_FOLDER] [--web WEB_FOLDER]\n",
                     argv[0]);
        return 2;
    }
    try {
        std::filesystem::create_directories(assetFolder);
        bool ok = writeGameAssets(assetFolder);
        if (!iconFolder.empty()) ok = writeIcons(iconFolder) && ok;
        if (!webFolder.empty()) {
            std::filesystem::create_directories(webFolder);
            ok = writeBrowserAssets(webFolder) && ok;
        }
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brannoch_assetgen: %s\n", error.what());
        return 1;
    }
}
