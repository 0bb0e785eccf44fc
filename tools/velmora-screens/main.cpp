// Screenshots for reviewing captions, colours, fonts and reading direction, taken offscreen:
//
//   velmora-screens window <English|French|Hebrew> <output folder>
//   velmora-screens grids <output folder> [program folder]
//   velmora-screens units <output folder>
//   velmora-screens sheet | ergo | transfer | talkgroups | copy <output folder>
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
    static const Scene scenes[] = {
        {"window", WindowScene},        {"grids", GridScene}, {"units", UnitsScene},
        {"sheet", SheetScene},          {"ergo", ErgoScene},  {"transfer", TransferScene},
        {"talkgroups", TalkgroupScene}, {"copy", CopyScene}};
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
                         "       velmora-screens units <output folder>\n"
                         "       velmora-screens sheet <output folder>\n"
                         "       velmora-screens ergo <output folder>\n"
                         "       velmora-screens transfer <output folder>\n"
                         "       velmora-screens talkgroups <output folder>\n"
                         "       velmora-screens copy <output folder>\n");
    return 2;
}
