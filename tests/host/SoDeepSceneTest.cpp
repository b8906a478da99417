#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>
#include <thread>

#include "UnitFaces.h"
#include "Veldra.h"

// Hostile files can nest a scene hundreds of thousands of levels deep; every
// walk over it must keep to constant stack and linear time.
namespace {

constexpr int kDepth = 200000;

std::atomic<int> liveNodes{0};

// Counted nodes, so a test can tell that each one was freed, and only once.
class DeepSeparator : public SoSubNode<DeepSeparator, SoSeparator> {
public:
    static constexpr const char* kClassName = "DeepSeparator";
    DeepSeparator() { ++liveNodes; }
    ~DeepSeparator() override { --liveNodes; }
};

class DeepLeaf : public SoSubNode<DeepLeaf, SoNode> {
public:
    static constexpr const char* kClassName = "DeepLeaf";
    DeepLeaf() { ++liveNodes; }
    ~DeepLeaf() override { --liveNodes; }
};

// depth counted separators, each holding the next; the last holds bottom.
SoSeparator* chainAbove(SoNode* bottom, int depth) {
    SoSeparator* top = new DeepSeparator;
    SoGroup* last = top;
    for (int i = 1; i < depth; ++i) {
        auto* next = new DeepSeparator;
        last->addChild(next);
        last = next;
    }
    last->addChild(bottom);
    return top;
}

// Measures text without keeping it: a deep scene's text runs to hundreds of
// megabytes.
class TextMeasure : public std::streambuf {
public:
    int64_t bytes = 0;
    int64_t lines = 0;
    int64_t longestLine = 0;

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char ch = traits_type::to_char_type(c);
        xsputn(&ch, 1);
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        bytes += n;
        for (const char* end = s + n;;) {
            const char* newline = std::find(s, end, '\n');
            column_ += newline - s;
            if (newline == end) return n;
            ++lines;
            longestLine = std::max(longestLine, column_);
            column_ = 0;
            s = newline + 1;
        }
    }

private:
    int64_t column_ = 0;
};

TEST(SoDeepScene, DeepChainIsBoundedWrittenAndReleased) {
    // root { scale 2; chain { ... { translate 10; faces } }; faces }
    auto* root = new SoSeparator;
    root->ref();
    auto* scale = new SoScale;
    scale->scaleFactor.setValue(2.0f, 2.0f, 2.0f);
    root->addChild(scale);
    auto* bottom = new SoGroup;
    auto* move = new SoMatrixTransform;
    SbMatrix translate;
    translate.setTranslate(SbVec3f(10.0f, 0.0f, 0.0f));
    move->matrix = translate;
    bottom->addChild(move);
    bottom->addChild(unitFaces());  // x in 20..22
    root->addChild(chainAbove(bottom, kDepth));
    root->addChild(unitFaces());  // the chain's translation stays inside it: x in 0..2
    EXPECT_EQ(liveNodes, kDepth);

    SoGetBoundingBoxAction action{SbViewportRegion()};
    action.apply(root);
    EXPECT_FALSE(action.wasCutOff());
    EXPECT_EQ(action.getBoundingBox().getMin(), SbVec3f(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(action.getBoundingBox().getMax(), SbVec3f(22.0f, 2.0f, 2.0f));

    TextMeasure measure;
    std::ostream out(&measure);
    writeScene(out, root);
    // Two lines per level plus 22 for the rest; indentation stops at the cap.
    EXPECT_EQ(measure.lines, 2 * int64_t(kDepth) + 22);
    const int64_t longest = 2 * kSceneTextMaxIndent + 40;
    EXPECT_LE(measure.longestLine, longest);
    EXPECT_LE(measure.bytes, measure.lines * (longest + 1));

    root->unref();
    EXPECT_EQ(liveNodes, 0);
}

TEST(SoDeepScene, IndentationStopsAtTheCap) {
    const int depth = kSceneTextMaxIndent + 10;
    auto* root = new SoGroup;
    root->ref();
    SoGroup* last = root;
    for (int i = 0; i < depth; ++i) {
        auto* next = new SoGroup;
        last->addChild(next);
        last = next;
    }
    std::istringstream text(writeSceneToString(root));
    std::string line;
    auto indent = [](int level) { return std::string(2 * std::min(level, kSceneTextMaxIndent), ' '); };
    for (int level = 0; level <= depth; ++level) {
        ASSERT_TRUE(std::getline(text, line));
        ASSERT_EQ(line, indent(level) + "SoGroup {") << "level " << level;
    }
    for (int level = depth; level >= 0; --level) {
        ASSERT_TRUE(std::getline(text, line));
        ASSERT_EQ(line, indent(level) + "}") << "level " << level;
    }
    EXPECT_FALSE(std::getline(text, line));
    root->unref();
}

TEST(SoDeepScene, SharedNodeGoesWithItsLastParent) {
    // Both parents released in one go: the shared leaf is reached twice.
    auto* shared = new DeepLeaf;
    auto* root = new SoGroup;
    root->ref();
    root->addChild(chainAbove(shared, kDepth / 2));
    root->addChild(chainAbove(shared, kDepth / 2));
    root->unref();
    EXPECT_EQ(liveNodes, 0);

    // One parent at a time: the leaf outlives the first.
    shared = new DeepLeaf;
    SoSeparator* first = chainAbove(shared, kDepth / 2);
    SoSeparator* second = chainAbove(shared, kDepth / 2);
    first->ref();
    second->ref();
    first->unref();
    EXPECT_EQ(shared->getRefCount(), 1);
    EXPECT_EQ(liveNodes, kDepth / 2 + 1);
    second->unref();
    EXPECT_EQ(liveNodes, 0);
}

TEST(SoDeepScene, ThreadsReleaseTheirScenesIndependently) {
    auto buildAndRelease = [] {
        SoSeparator* root = chainAbove(new DeepLeaf, kDepth / 4);
        root->ref();
        root->unref();
    };
    std::thread first(buildAndRelease);
    std::thread second(buildAndRelease);
    first.join();
    second.join();
    EXPECT_EQ(liveNodes, 0);
}

}  // namespace
