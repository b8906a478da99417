#include "SoSceneWriter.h"

#include <algorithm>
#include <locale>
#include <sstream>
#include <unordered_map>
#include <vector>

#include "SoFieldValueText.h"
#include "SoFields.h"
#include "SoGroup.h"
#include "SoNode.h"

namespace {

class SceneWriter {
public:
    explicit SceneWriter(std::ostream& out) : out_(out) {}

    void write(const SoNode* root) {
        countPaths(root);
        writeNodes(root);
    }

private:
    static const SoGroup* asGroup(const SoNode* node) {
        return node->isOfType(SoGroup::getClassTypeId()) ? static_cast<const SoGroup*>(node)
                                                         : nullptr;
    }

    // The node a written (non-default) node field holds, if any.
    static const SoNode* heldNode(const SoField* field) {
        if (field->isDefault()) return nullptr;
        const auto* nodeField = dynamic_cast<const SoSFNode*>(field);
        return nodeField ? nodeField->getValue() : nullptr;
    }

    // Below a node seen before nothing new can be found; this also ends
    // cycles. Only the counts matter, so the visiting order is free.
    void countPaths(const SoNode* root) {
        std::vector<const SoNode*> pending{root};
        while (!pending.empty()) {
            const SoNode* node = pending.back();
            pending.pop_back();
            if (++pathCount_[node] > 1) continue;
            for (int i = 0; i < node->getNumFields(); ++i)
                if (const SoNode* held = heldNode(node->getField(i))) pending.push_back(held);
            if (const SoGroup* group = asGroup(node))
                for (int i = 0; i < group->getNumChildren(); ++i)
                    pending.push_back(group->getChild(i));
        }
    }

    void indent(int depth) {
        static const std::string spaces(2 * kSceneTextMaxIndent, ' ');
        out_.write(spaces.data(), 2 * std::min(depth, kSceneTextMaxIndent));
    }

    // A node whose braces are open: its fields are written first, then its
    // children, each at depth + 1.
    struct OpenNode {
        const SoNode* node;
        int depth;
        int nextField;
        int nextChild;
    };

    // Starts where the caller left the line (after indentation or a field
    // name) and ends after a newline, or with the node open on the stack.
    void beginNode(const SoNode* node, int depth) {
        const auto labelled = label_.find(node);
        if (labelled != label_.end()) {
            out_ << "USE _" << labelled->second << '\n';
            return;
        }
        if (pathCount_[node] > 1) {
            const int label = static_cast<int>(label_.size());
            label_.emplace(node, label);
            out_ << "DEF _" << label << ' ';
        }
        out_ << node->getTypeId().getName().getString();
        if (!!node->getName()) {
            out_ << ' ';
            writeFieldValue(out_, node->getName());
        }
        out_ << " {\n";
        open_.push_back({node, depth, 0, 0});
    }

    void writeNodes(const SoNode* root) {
        beginNode(root, 0);
        while (!open_.empty()) {
            // beginNode() may grow open_: top is not used after calling it.
            OpenNode& top = open_.back();
            const SoNode* node = top.node;
            const int inner = top.depth + 1;
            if (top.nextField < node->getNumFields()) {
                const int i = top.nextField++;
                const SoField* field = node->getField(i);
                if (field->isDefault()) continue;
                indent(inner);
                out_ << node->getFieldName(i).getString() << ' ';
                if (const SoNode* held = heldNode(field)) {
                    beginNode(held, inner);
                } else {
                    field->writeValue(out_);
                    out_ << '\n';
                }
                continue;
            }
            const SoGroup* group = asGroup(node);
            if (group && top.nextChild < group->getNumChildren()) {
                const SoNode* child = group->getChild(top.nextChild++);
                indent(inner);
                beginNode(child, inner);
                continue;
            }
            indent(top.depth);
            out_ << "}\n";
            open_.pop_back();
        }
    }

    std::ostream& out_;
    std::unordered_map<const SoNode*, int> pathCount_;
    std::unordered_map<const SoNode*, int> label_;
    std::vector<OpenNode> open_;
};

}  // namespace

void writeScene(std::ostream& out, const SoNode* root) {
    if (!root || !out) return;
    // A private stream on the caller's buffer: the text goes out as it is
    // made, and the caller's formatting flags and locale cannot change it.
    std::ostream text(out.rdbuf());
    text.imbue(std::locale::classic());
    SceneWriter(text).write(root);
    if (!text) out.setstate(std::ios::badbit);
}

std::string writeSceneToString(const SoNode* root) {
    std::ostringstream text;
    writeScene(text, root);
    return text.str();
}
