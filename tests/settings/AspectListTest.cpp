// Choosing an aspect from the menu: the caption names the entry, the first
// entry of that name wins, and an unknown name means no folder at all.
#include "settings/AspectList.h"

#include <gtest/gtest.h>

TEST(AspectList, MenuCaptionLeadsBackToItsFolder)
{
    AspectList aspects;
    aspects.append("Eté", ".\\img\\1\\");
    aspects.append("Hiver", ".\\img\\4\\");
    aspects.append("Hiver", ".\\img\\9\\");

    EXPECT_EQ(AspectList::captionFor("Eté"), "&Eté");
    EXPECT_EQ(aspects.folderForCaption(AspectList::captionFor("Eté")), ".\\img\\1\\");
    EXPECT_EQ(aspects.folderForCaption("&Hiver"), ".\\img\\4\\");
    EXPECT_EQ(aspects.folderOf("hiver"), ".\\img\\4\\");
    EXPECT_EQ(aspects.folderForCaption("&Automne"), QString());
    EXPECT_EQ(aspects.size(), 3);
    EXPECT_EQ(aspects.entries().at(1).folder, ".\\img\\4\\");
}
