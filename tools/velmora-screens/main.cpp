// Screenshots for reviewing captions, colours, fonts and reading direction, taken offscreen:
//
//   velmora-screens window <English|French|Hebrew> <output folder>
//   velmora-screens grids <output folder> [program folder]
//   velmora-screens units <output folder>
//   velmora-screens <scene> <output folder>   (the scenes are listed in main() below)
//
// "velmora-screens <English|French|Hebrew> <output folder>" is the window scene, as before.

#include "Scenes.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

int main(int argc, char** argv)
{
    struct Scene
    {
        const char* name;
        int (*run)(int, char**);
    };
    // One scene a line, so that a new scene is one added line.
    // clang-format off
    static const Scene scenes[] = {
        {"window", WindowScene},
        {"grids", GridScene},
        {"units", UnitsScene},
        {"sheet", SheetScene},
        {"ergo", ErgoScene},
        {"transfer", TransferScene},
        {"talkgroups", TalkgroupScene},
        {"sms", SmsScene},
        {"copywizard", CopyWizardScene},
        {"autofill", AutoFillScene},
        {"copy", CopyScene},
        {"help", HelpScene},
        {"pim", PimScene},
    };
    // clang-format on
    if (argc >= 2) {
        for (const Scene& scene : scenes) {
            if (std::strcmp(argv[1], scene.name) == 0)
                return scene.run(argc - 1, argv + 1);
        }
        for (const char* language : {"English", "French", "Hebrew"}) {
            if (std::strcmp(argv[1], language) == 0)
                return WindowScene(argc, argv);
        }
    }
    std::fprintf(stderr, "usage: velmora-screens window <English|French|Hebrew> <output folder>\n"
                         "       velmora-screens grids <output folder> [program folder]\n"
                         "       velmora-screens <scene> <output folder>, the scenes being:\n       ");
    for (const Scene& scene : scenes)
        std::fprintf(stderr, " %s", scene.name);
    std::fprintf(stderr, "\n");
    return 2;
}
