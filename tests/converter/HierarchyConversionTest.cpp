// Hierarchy records become the tree of the scene: groups under push and pop
// levels, levels of detail, switches, clip regions, instances, replications
// and external references, each checked on the scene text or the nodes.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "ConvertedDatabase.h"

namespace {

// Header and the push level that opens the root, for a database whose tree
// the test then writes.
FltTestWriter opened(int32_t revision = 1570)
{
    FltTestWriter w;
    w.header(revision).pushLevel();
    return w;
}

} // namespace

TEST(HierarchyConversion, GroupsNestAndTakeTheirAncillaryRecords)
{
    FltTestWriter w = opened();
    w.group("town").comment("first line\r\n\r\nsecond\rthird\n").longId("the town");
    w.pushLevel().group("g1").translation(1, 2, 3);
    w.pushLevel().textNode("sign").dof("door").pushLevel().popLevel().popLevel();
    w.group("g2").popLevel().popLevel().popLevel();
    ConvertedDatabase db(w);
    ASSERT_TRUE(db.converted);
    EXPECT_EQ(db.sceneFrom(3), "SoSeparator \"the town\" {\n"
                               "  SoInfo {\n    string \"first line\"\n  }\n"
                               "  SoInfo {\n    string \"second\"\n  }\n"
                               "  SoInfo {\n    string \"third\"\n  }\n"
                               "  SoSeparator \"g1\" {\n"
                               "    SoMatrixTransform {\n      matrix 1 0 0 0 0 1 0 0 0 0 1 0 1 2 3 1\n    }\n"
                               "    SoSeparator \"sign\" {\n    }\n"
                               "    SoSeparator \"door\" {\n    }\n"
                               "  }\n"
                               "  SoSeparator \"g2\" {\n  }\n"
                               "}\n");
    // The last pop level finds the stack empty.
    EXPECT_EQ(db.warnings, std::vector<std::string>{"WARNING ! trying a pop() but stack is empty! (File corrupted ?)"});
    EXPECT_EQ(db.levels, std::vector<int>{2});

    // Before the first push level there is no open level: the group and what
    // it holds stay outside the scene (and are freed all the same).
    FltTestWriter early;
    early.header(1570).group("outside").pushLevel().group("inner").popLevel();
    ConvertedDatabase outside(early);
    EXPECT_EQ(outside.root->getNumChildren(), 3);
    EXPECT_TRUE(outside.warnings.empty());
}

TEST(HierarchyConversion, LevelsOfDetailHoldTheirContentBetweenTheRangeLabels)
{
    FltTestWriter w;
    w.header(1570).vertexPalette().vertexColor(2, 4, 6).vertexColor(4, 8, 10).vertexColor(2, 8, 6);
    const std::vector<int32_t> triangle = {w.vertexOffset(0), w.vertexOffset(1), w.vertexOffset(2)};
    w.pushLevel().lod("near", 100, 0).pushLevel().object("o").pushLevel().face("f").pushLevel().vertexList(triangle);
    w.popLevel().popLevel().popLevel();
    w.lod("placed", 200, 50, {1, 2, 3}).pushLevel().popLevel();
    w.oldLod("old", 300, 10, {7, 8, 9}).pushLevel().popLevel();
    ConvertedDatabase db(w);

    SoLOD* nearLod = dynamic_cast<SoLOD*>(findNode(db.root, "near"));
    ASSERT_NE(nearLod, nullptr);
    // A zero centre is replaced by the centre of the content's bounds.
    EXPECT_EQ(nearLod->center.getValue(), SbVec3f(3, 6, 8));
    ASSERT_EQ(nearLod->getNumChildren(), 3);
    EXPECT_EQ(nearLod->getChild(0)->getName(), SbName());
    EXPECT_EQ(static_cast<SoLabel*>(nearLod->getChild(0))->label.getValue(), SbName("MinRangeLimitForLOD"));
    EXPECT_EQ(nearLod->getChild(1)->getName(), SbName("near"));
    EXPECT_EQ(static_cast<SoLabel*>(nearLod->getChild(2))->label.getValue(), SbName("MaxRangeLimitForLOD"));
    EXPECT_EQ(nearLod->range.getNum(), 2);
    EXPECT_EQ(nearLod->range[0], 0.0f);
    EXPECT_EQ(nearLod->range[1], 100.0f);

    const std::string placed = writeSceneToString(findNode(db.root, "placed"));
    EXPECT_EQ(placed.substr(0, placed.find("SoLabel")), "SoLOD \"placed\" {\n  center 1 2 3\n  range [50, 200]\n  ");
    const std::string old = writeSceneToString(findNode(db.root, "old"));
    EXPECT_EQ(old.substr(0, old.find("SoLabel")), "SoLOD \"old\" {\n  center 7 8 9\n  range [10, 300]\n  ");
    // The range labels are the converter's own two nodes, shared by every level of detail.
    EXPECT_EQ(nearLod->getChild(0), static_cast<SoLOD*>(findNode(db.root, "placed"))->getChild(0));
}

TEST(HierarchyConversion, SwitchChildrenAreWrappedAndShownByTheCurrentMask)
{
    FltTestWriter w = opened();
    // Mask 0 of "sw" shows children 0 and 2. Masks of two words hold
    // children 0 to 31 in their last word: mask 1 of "wide" shows child 1.
    w.switchNode("sw", 0, 2, 1, {0x5, 0x2}).pushLevel().group("a").group("b").group("c").popLevel();
    w.switchNode("wide", 1, 2, 2, {0, 0, 0x1, 0x2}).pushLevel().group("d").group("e").popLevel();
    w.switchNode("renamed", 0, 1, 1, {0x1}).longId("plain").pushLevel().group("f").popLevel();
    ConvertedDatabase db(w);

    SoGroup* sw = dynamic_cast<SoGroup*>(findNode(db.root, "sw_(flt_switch)"));
    ASSERT_NE(sw, nullptr);
    ASSERT_EQ(sw->getNumChildren(), 4);
    const SoInfo* info = static_cast<SoInfo*>(sw->getChild(0));
    EXPECT_EQ(info->getName(), SbName("SoInfo_child_of_FLT_switch"));
    EXPECT_EQ(std::string(info->string.getValue().toLatin1()),
              "Current Mask:0 NumberOfWordsPerMask:1 numberOfMasks:2 Switch Masks:"
              "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 0 1   "
              "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 0   ");
    const int32_t expected[] = {SO_SWITCH_ALL, SO_SWITCH_NONE, SO_SWITCH_ALL};
    for (int child = 0; child < 3; ++child) {
        SoSwitch* wrapper = dynamic_cast<SoSwitch*>(sw->getChild(child + 1));
        ASSERT_NE(wrapper, nullptr);
        EXPECT_EQ(wrapper->getName(), SbName("child_of_sw_(flt_switch)"));
        EXPECT_EQ(wrapper->whichChild.getValue(), expected[child]) << child;
        EXPECT_EQ(wrapper->getChild(0)->getName(), SbName(std::string(1, char('a' + child)).c_str()));
    }
    SoGroup* wide = dynamic_cast<SoGroup*>(findNode(db.root, "wide_(flt_switch)"));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(static_cast<SoSwitch*>(wide->getChild(1))->whichChild.getValue(), SO_SWITCH_NONE);
    EXPECT_EQ(static_cast<SoSwitch*>(wide->getChild(2))->whichChild.getValue(), SO_SWITCH_ALL);
    // A long identifier renames the switch before its children come: they are not wrapped.
    SoGroup* plain = dynamic_cast<SoGroup*>(findNode(db.root, "plain"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->getChild(1)->getName(), SbName("f"));
    EXPECT_TRUE(db.warnings.empty());
}

TEST(HierarchyConversion, ClipRegionsCarryFivePlanes)
{
    FltTestWriter w = opened();
    w.clipRegion("clip", {1, 0, 1, 2, 0}, {{1, 0, 0, -5}, {0, 2, 0, 4}}).pushLevel().group("inside").popLevel();
    ConvertedDatabase db(w);
    SoGroup* clip = dynamic_cast<SoGroup*>(findNode(db.root, "clip"));
    ASSERT_NE(clip, nullptr);
    ASSERT_EQ(clip->getNumChildren(), 6);
    const bool on[] = {true, false, true, false, false};
    for (int i = 0; i < 5; ++i) {
        const SoClipPlane* plane = dynamic_cast<SoClipPlane*>(clip->getChild(i));
        ASSERT_NE(plane, nullptr);
        EXPECT_EQ(plane->on.getValue(), on[i]) << i;
    }
    const SbPlane first = static_cast<SoClipPlane*>(clip->getChild(0))->plane.getValue();
    EXPECT_EQ(first.getNormal(), SbVec3f(1, 0, 0));
    EXPECT_EQ(first.getDistanceFromOrigin(), 5.0f);
    EXPECT_EQ(clip->getChild(5)->getName(), SbName("inside"));
}

TEST(HierarchyConversion, InstancesAndReplicationsShareTheirNodes)
{
    FltTestWriter w = opened();
    w.instanceDefinition(3).pushLevel().group("bench").popLevel();
    w.group("park").pushLevel().instanceReference(3).popLevel(); // passed over inside a children walk
    w.instanceReference(3).instanceReference(9);                 // 9 is not defined
    w.group("tree").replicate(2).translation(10, 0, 0).translation(0, 5, 0).translation(0, 0, 1);
    ConvertedDatabase db(w);

    SoNode* definition = findNode(db.root, "InstanceDefinition_3");
    ASSERT_NE(definition, nullptr);
    int references = 0;
    for (int i = 0; i < db.root->getNumChildren(); ++i)
        references += db.root->getChild(i) == definition;
    EXPECT_EQ(references, 2); // the definition itself, then the top-level reference
    EXPECT_EQ(static_cast<SoGroup*>(findNode(db.root, "park"))->getNumChildren(), 0);

    // The replications sit beside the node; the third matrix is the node's own.
    SoGroup* replications = dynamic_cast<SoGroup*>(findNode(db.root, "Replications"));
    ASSERT_NE(replications, nullptr);
    SoGroup* tree = dynamic_cast<SoGroup*>(findNode(db.root, "tree"));
    ASSERT_EQ(replications->getNumChildren(), 4);
    EXPECT_EQ(replications->getChild(1), tree);
    EXPECT_EQ(replications->getChild(3), tree);
    EXPECT_EQ(tree->getNumChildren(), 1);
    EXPECT_TRUE(db.warnings.empty());
}

TEST(HierarchyConversion, ExternalReferencesConvertEachFileOnceAndResolveNestedPaths)
{
    ScratchDir dir;
    FltTestWriter house = opened();
    house.texturePattern("wall.rgb", 1).group("house").popLevel();
    ASSERT_EQ(mkdir(dir.file("models").c_str(), 0755), 0);
    dir.write("models/house.flt", house.bytes());
    FltTestWriter town = opened();
    town.externalReference("./models/house.flt").externalReference("models/house.flt");
    town.externalReference("missing.flt").popLevel();
    dir.write("town.flt", town.bytes());
    ConvertedDatabase db(dir, "town.flt");

    ASSERT_EQ(db.root->getNumChildren(), 6);
    SoGroup* first = static_cast<SoGroup*>(db.root->getChild(3));
    SoGroup* second = static_cast<SoGroup*>(db.root->getChild(4));
    EXPECT_EQ(static_cast<SoLabel*>(first->getChild(0))->label.getValue(),
              SbName("From OpenFlight File:  ./models/house.flt"));
    ASSERT_EQ(first->getNumChildren(), 2);
    ASSERT_EQ(second->getNumChildren(), 2);
    EXPECT_EQ(first->getChild(1), second->getChild(1)); // one scene for both references
    EXPECT_EQ(first->getChild(1)->getName(), SbName("root"));
    EXPECT_EQ(first->getChild(1)->getRefCount(), 2);
    EXPECT_EQ(static_cast<SoGroup*>(db.root->getChild(5))->getNumChildren(), 1);
    EXPECT_EQ(db.warnings, std::vector<std::string>{"ERROR! CAN'T RESOLVE EXTERNAL REFERENCE: missing.flt"});
    // The nested file's transcript lands in the top file's log; each
    // reference announces the file, though only the first one reads it.
    const std::string opened = "Success in opening file: " + dir.file("models/house.flt");
    const std::size_t firstOpening = db.log.find(opened);
    ASSERT_NE(firstOpening, std::string::npos);
    EXPECT_NE(db.log.find(opened, firstOpening + 1), std::string::npos);
    EXPECT_NE(db.log.find("\n TEXTURE_PATTERN RECORD "), std::string::npos);
    EXPECT_FALSE(fileExists(dir.file("models/house.flt.log")));
}

TEST(HierarchyConversion, TexturesOfNestedFilesAreNamedFromTheTopFile)
{
    ScratchDir dir;
    ASSERT_EQ(mkdir(dir.file("models").c_str(), 0755), 0);
    FltTestWriter house;
    house.header(1570).texturePattern("wall.rgb", 1).vertexPalette().vertexColorUv(0, 0, 0, {0, 0});
    house.vertexColorUv(1, 0, 0, {1, 0}).vertexColorUv(1, 1, 0, {1, 1});
    const std::vector<int32_t> triangle = {house.vertexOffset(0), house.vertexOffset(1), house.vertexOffset(2)};
    house.pushLevel().object("o").pushLevel().face("f", FltFaceStyle().texture(1)).pushLevel().vertexList(triangle);
    house.popLevel().popLevel().popLevel();
    dir.write("models/house.flt", house.bytes());
    FltTestWriter town;
    town.header(1570).texturePattern("ground.rgb", 1).pushLevel().externalReference("models/house.flt").popLevel();
    dir.write("town.flt", town.bytes());
    ConvertedDatabase db(dir, "town.flt");
    const std::string scene = db.scene();
    EXPECT_NE(scene.find("filename \"models/wall.rgb\""), std::string::npos) << scene;
    EXPECT_EQ(scene.find("ground.rgb"), std::string::npos); // never used, so not in the scene
}
