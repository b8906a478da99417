#include "SoSceneWriter.h"

#include <locale>
#include <sstream>
#include <unordered_map>

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
        writeNode(root, 0);
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

    // Below a node seen before nothing new can be found; this also ends cycles.
    void countPaths(const SoNode* node) {
        if (++pathCount_[node] > 1) return;
        for (int i = 0; i < node->getNumFields(); ++i)
            if (const SoNode* held = heldNode(node->getField(i))) countPaths(held);
        if (const SoGroup* group = asGroup(node))
            for (int i = 0; i < group->getNumChildren(); ++i) countPaths(group->getChild(i));
    }

    void indent(int depth) {
        for (int i = 0; i < depth; ++i) out_ << "  ";
    }

    // Starts where the caller left the line (after indentation or a field
    // name) and ends after a newline.
    void writeNode(const SoNode* node, int depth) {
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
        writeFields(node, depth + 1);
        if (const SoGroup* group = asGroup(node)) {
            for (int i = 0; i < group->getNumChildren(); ++i) {
                indent(depth + 1);
                writeNode(group->getChild(i), depth + 1);
            }
        }
        indent(depth);
        out_ << "}\n";
    }

    void writeFields(const SoNode* node, int depth) {
        for (int i = 0; i < node->getNumFields(); ++i) {
            const SoField* field = node->getField(i);
            if (field->isDefault()) continue;
            indent(depth);
            out_ << node->getFieldName(i).getString() << ' ';
            if (const SoNode* held = heldNode(field)) {
                writeNode(held, depth);
            } else {
                field->writeValue(out_);
                out_ << '\n';
            }
        }
    }

    std::ostream& out_;
    std::unordered_map<const SoNode*, int> pathCount_;
    std::unordered_map<const SoNode*, int> label_;
};

}  // namespace

void writeScene(std::ostream& out, const SoNode* root) {
    out << writeSceneToString(root);
}

std::string writeSceneToString(const SoNode* root) {
    if (!root) return std::string();
    // A private stream, so the caller's formatting flags and locale cannot
    // change the text.
    std::ostringstream text;
    text.imbue(std::locale::classic());
    SceneWriter(text).write(root);
    return text.str();
}
