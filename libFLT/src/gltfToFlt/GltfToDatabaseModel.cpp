#include "GltfToDatabaseModel.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>

#include "GltfAccessorReader.h"
#include "GltfInputError.h"
#include "LevelDistances.h"
#include "ColorSpace.h"
#include "ZUpMatrix.h"

using namespace database_model;

namespace {

bool isFinite(double v) { return std::isfinite(v); }

// glTF colours are linear; a database holds the display (sRGB) values, the
// export's decoding undone.
double linearToDisplay(double linear) { return color_space::linearToSrgb(static_cast<float>(linear)); }

// A value in [0, 1] as a byte of a packed colour.
uint8_t unitToByte(double value) {
    return static_cast<uint8_t>(std::lround(std::clamp(std::isnan(value) ? 0.0 : value, 0.0, 1.0) * 255.0));
}

uint32_t packedColor(double r, double g, double b, double a) {
    return uint32_t(unitToByte(a)) << 24 | uint32_t(unitToByte(linearToDisplay(b))) << 16 |
           uint32_t(unitToByte(linearToDisplay(g))) << 8 | unitToByte(linearToDisplay(r));
}

// A name fit for a file beside the database: letters, digits, '-', '_'.
std::string fileStem(std::string text) {
    const std::size_t slash = text.find_last_of("/\\");
    if (slash != std::string::npos) text = text.substr(slash + 1);
    const std::size_t dot = text.find_last_of('.');
    if (dot != std::string::npos && dot > 0) text = text.substr(0, dot);
    for (char& c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') c = '_';
    return text.substr(0, 64);
}

class Conversion {
public:
    Conversion(const tinygltf::Model& gltf, Model& out) : gltf_(gltf), out_(out) {}

    void run() {
        listLeftOut();
        walkScene();
        placeLevels();
    }

private:
    struct Look {
        int material = -1;
        int texture = -1;
        int texCoord = 0;
        // KHR_texture_transform's, as u' = a u + b v + c, v' = d u + e v + f.
        std::array<double, 6> uvTransform{1, 0, 0, 0, 1, 0};
        bool lit = true;
        bool doubleSided = false;
        uint32_t faceColor = 0xFFFFFFFF;
        uint16_t transparency = 0;
    };

    void leaveOut(const std::string& what, std::size_t count) {
        if (count > 0) out_.leftOut.push_back(what + " (" + std::to_string(count) + ")");
    }

    void listLeftOut() {
        leaveOut("animations", gltf_.animations.size());
        leaveOut("skins", gltf_.skins.size());
        leaveOut("cameras", gltf_.cameras.size());
        std::size_t targets = 0, maps = 0;
        for (const tinygltf::Mesh& mesh : gltf_.meshes)
            for (const tinygltf::Primitive& primitive : mesh.primitives) targets += !primitive.targets.empty();
        for (const tinygltf::Material& material : gltf_.materials) {
            maps += (material.normalTexture.index >= 0) + (material.occlusionTexture.index >= 0) +
                    (material.emissiveTexture.index >= 0) +
                    (material.pbrMetallicRoughness.metallicRoughnessTexture.index >= 0);
        }
        leaveOut("morph targets", targets);
        leaveOut("texture maps other than base colour", maps);
        static const std::set<std::string> held{"KHR_materials_unlit", "KHR_mesh_quantization", "MSFT_lod",
                                                "KHR_texture_transform", "KHR_draco_mesh_compression",
                                                "EXT_meshopt_compression", "KHR_texture_basisu"};
        for (const std::string& name : gltf_.extensionsUsed)
            if (!held.count(name)) out_.leftOut.push_back("extension " + name);
    }

    // The scene's roots, each node reached once.
    void walkScene() {
        std::vector<int> roots;
        if (!gltf_.scenes.empty()) {
            const int scene = gltf_.defaultScene >= 0 && gltf_.defaultScene < int(gltf_.scenes.size())
                                  ? gltf_.defaultScene : 0;
            roots = gltf_.scenes[scene].nodes;
        } else {
            std::vector<bool> isChild(gltf_.nodes.size(), false);
            for (const tinygltf::Node& node : gltf_.nodes)
                for (int child : node.children)
                    if (child >= 0 && child < int(isChild.size())) isChild[child] = true;
            for (std::size_t i = 0; i < isChild.size(); ++i)
                if (!isChild[i]) roots.push_back(int(i));
        }
        state_.assign(gltf_.nodes.size(), 0);
        for (int root : roots) out_.roots.push_back(addNode(root));
    }

    void checkNodeIndex(int index) const {
        if (index < 0 || index >= int(gltf_.nodes.size()))
            throw GltfInputError("node " + std::to_string(index) + " does not exist");
    }

    // Adds node `index` and its subtree (iteratively: trees can be deep);
    // returns its place in out_.nodes. The coarser levels of a set are
    // added beside the finest one and listed on it.
    int addNode(int index) {
        struct Pending { int gltfNode; int parent; bool coarserLevel; };
        std::vector<Pending> stack{{index, -1, false}};
        int first = -1;
        while (!stack.empty()) {
            const Pending pending = stack.back();
            stack.pop_back();
            checkNodeIndex(pending.gltfNode);
            if (state_[pending.gltfNode] != 0)
                throw GltfInputError("node " + std::to_string(pending.gltfNode) +
                                     " is reached twice: the nodes form a cycle or share a child");
            state_[pending.gltfNode] = 1;
            const int placed = convertNode(pending.gltfNode);
            if (pending.parent < 0)
                first = placed;
            else if (pending.coarserLevel)
                out_.nodes[pending.parent].coarserLevels.push_back(placed);
            else
                out_.nodes[pending.parent].children.push_back(placed);
            const tinygltf::Node& node = gltf_.nodes[pending.gltfNode];
            const std::vector<int> levels = lodLevelsOf(node);
            for (auto level = levels.rbegin(); level != levels.rend(); ++level)
                stack.push_back({*level, placed, true});
            for (auto child = node.children.rbegin(); child != node.children.rend(); ++child)
                stack.push_back({*child, placed, false});
        }
        return first;
    }

    // MSFT_lod's coarser nodes of a node, if any.
    std::vector<int> lodLevelsOf(const tinygltf::Node& node) const {
        std::vector<int> ids;
        const auto lod = node.extensions.find("MSFT_lod");
        if (lod == node.extensions.end() || !lod->second.Has("ids")) return ids;
        const tinygltf::Value& list = lod->second.Get("ids");
        if (!list.IsArray()) return ids;
        for (std::size_t i = 0; i < list.ArrayLen() && i < 64; ++i)
            if (list.Get(int(i)).IsInt()) ids.push_back(list.Get(int(i)).Get<int>());
        return ids;
    }

    int convertNode(int index) {
        const tinygltf::Node& node = gltf_.nodes[index];
        Node converted;
        converted.name = node.name.empty() ? "node" + std::to_string(index) : node.name;
        const Matrix local = localMatrix(node, index);
        converted.hasMatrix = !isIdentity(local);
        converted.matrix = toZUpRows(local);
        if (node.mesh >= 0) converted.mesh = meshFor(node.mesh);
        if (node.extensions.count("MSFT_lod")) coverages_[int(out_.nodes.size())] = coveragesOf(node);
        out_.nodes.push_back(std::move(converted));
        return int(out_.nodes.size()) - 1;
    }

    std::vector<double> coveragesOf(const tinygltf::Node& node) const {
        std::vector<double> coverages;
        if (!node.extras.Has("MSFT_screencoverage")) return coverages;
        const tinygltf::Value& list = node.extras.Get("MSFT_screencoverage");
        if (!list.IsArray()) return coverages;
        for (std::size_t i = 0; i < list.ArrayLen() && i < 65; ++i)
            if (list.Get(int(i)).IsNumber()) coverages.push_back(list.Get(int(i)).GetNumberAsDouble());
        return coverages;
    }

    // The node's transform in glTF's terms, column by column.
    Matrix localMatrix(const tinygltf::Node& node, int index) const {
        Matrix m = identityMatrix();
        if (node.matrix.size() == 16) {
            for (int i = 0; i < 16; ++i) m[i] = node.matrix[i];
        } else {
            std::array<double, 3> t{0, 0, 0}, s{1, 1, 1};
            std::array<double, 4> q{0, 0, 0, 1};
            for (std::size_t i = 0; i < 3 && i < node.translation.size(); ++i) t[i] = node.translation[i];
            for (std::size_t i = 0; i < 3 && i < node.scale.size(); ++i) s[i] = node.scale[i];
            if (node.rotation.size() == 4)
                for (int i = 0; i < 4; ++i) q[i] = node.rotation[i];
            m = composeMatrix(t, q, s);
        }
        for (double v : m)
            if (!isFinite(v)) throw GltfInputError("node " + std::to_string(index) + " has a transform that is not finite");
        return m;
    }

    int meshFor(int index) {
        if (index >= int(gltf_.meshes.size()))
            throw GltfInputError("mesh " + std::to_string(index) + " does not exist");
        const auto known = meshes_.find(index);
        if (known != meshes_.end()) return known->second;
        const tinygltf::Mesh& mesh = gltf_.meshes[index];
        Mesh converted;
        converted.name = mesh.name.empty() ? "mesh" + std::to_string(index) : mesh.name;
        for (const tinygltf::Primitive& primitive : mesh.primitives) addPrimitive(primitive, converted);
        out_.meshes.push_back(std::move(converted));
        return meshes_[index] = int(out_.meshes.size()) - 1;
    }

    void addPrimitive(const tinygltf::Primitive& primitive, Mesh& mesh) {
        const auto position = primitive.attributes.find("POSITION");
        if (position == primitive.attributes.end()) return;  // nothing to draw
        const Look look = lookOf(primitive.material);
        const std::vector<double> positions = readAccessor(gltf_, position->second, 3);
        const std::size_t count = positions.size() / 3;
        for (double v : positions)
            if (!isFinite(v))
                throw GltfInputError("accessor " + std::to_string(position->second) + " holds a position that is not finite");
        std::vector<double> normals, uvs, colors;
        std::size_t colorComponents = 4;
        if (const int a = attribute(primitive, "NORMAL"); a >= 0) normals = sameCount(readAccessor(gltf_, a, 3), 3, count, a);
        if (const int a = attribute(primitive, "TEXCOORD_" + std::to_string(look.texCoord)); a >= 0 && look.texture >= 0)
            uvs = sameCount(readAccessor(gltf_, a, 2), 2, count, a);
        if (const int a = attribute(primitive, "COLOR_0"); a >= 0) {
            colorComponents = tinygltf::GetNumComponentsInType(gltf_.accessors[a].type) == 3 ? 3 : 4;
            colors = sameCount(readAccessor(gltf_, a, colorComponents), colorComponents, count, a);
        }

        const uint32_t base = static_cast<uint32_t>(out_.vertices.size());
        if (out_.vertices.size() + count > kMostVertices)
            throw GltfInputError("the model has more vertices than a database can address");
        for (std::size_t i = 0; i < count; ++i) {
            Vertex v;
            v.position = {positions[3 * i], -positions[3 * i + 2], positions[3 * i + 1]};
            if (!normals.empty()) {
                v.hasNormal = true;
                v.normal = {float(normals[3 * i]), float(-normals[3 * i + 2]), float(normals[3 * i + 1])};
            }
            if (!uvs.empty()) {
                const double u = uvs[2 * i], w = uvs[2 * i + 1];
                const auto& t = look.uvTransform;
                v.hasUv = true;
                v.uv = {float(t[0] * u + t[1] * w + t[2]), float(1.0 - (t[3] * u + t[4] * w + t[5]))};
            }
            if (!colors.empty()) {
                const double* c = &colors[colorComponents * i];
                v.hasColor = true;
                v.packedAbgr = packedColor(c[0], c[1], c[2], colorComponents == 4 ? c[3] : 1.0);
            }
            out_.vertices.push_back(v);
        }

        std::vector<uint32_t> indices;
        if (primitive.indices >= 0) {
            const std::vector<double> read = readAccessor(gltf_, primitive.indices, 1);
            indices.reserve(read.size());
            for (double index : read) {
                if (!(index >= 0) || index >= double(count))
                    throw GltfInputError("accessor " + std::to_string(primitive.indices) + " holds index " +
                                         std::to_string(static_cast<long long>(index)) + ", past the " +
                                         std::to_string(count) + " vertices");
                indices.push_back(base + static_cast<uint32_t>(index));
            }
        } else {
            indices.resize(count);
            for (std::size_t i = 0; i < count; ++i) indices[i] = base + uint32_t(i);
        }
        Face face;
        face.material = look.material;
        face.texture = look.texture;
        face.lit = look.lit;
        face.doubleSided = look.doubleSided;
        face.packedAbgr = look.faceColor;
        face.transparency = look.transparency;
        face.vertexColors = !colors.empty();
        addFaces(primitive.mode, indices, face, mesh.faces);
    }

    static void addFaces(int mode, const std::vector<uint32_t>& v, const Face& style, std::vector<Face>& faces) {
        auto add = [&](std::initializer_list<uint32_t> vertices) {
            faces.push_back(style);
            faces.back().vertices.assign(vertices);
        };
        const std::size_t n = v.size();
        switch (mode) {
        case TINYGLTF_MODE_POINTS:
            for (std::size_t i = 0; i < n; ++i) add({v[i]});
            break;
        case TINYGLTF_MODE_LINE:
            for (std::size_t i = 0; i + 1 < n; i += 2) add({v[i], v[i + 1]});
            break;
        case TINYGLTF_MODE_LINE_LOOP:
        case TINYGLTF_MODE_LINE_STRIP:
            for (std::size_t i = 0; i + 1 < n; ++i) add({v[i], v[i + 1]});
            if (mode == TINYGLTF_MODE_LINE_LOOP && n > 2) add({v[n - 1], v[0]});
            break;
        case TINYGLTF_MODE_TRIANGLE_STRIP:
            for (std::size_t i = 0; i + 2 < n; ++i)
                i % 2 == 0 ? add({v[i], v[i + 1], v[i + 2]}) : add({v[i + 1], v[i], v[i + 2]});
            break;
        case TINYGLTF_MODE_TRIANGLE_FAN:
            for (std::size_t i = 1; i + 1 < n; ++i) add({v[0], v[i], v[i + 1]});
            break;
        default:  // triangles, and glTF's default
            for (std::size_t i = 0; i + 2 < n; i += 3) add({v[i], v[i + 1], v[i + 2]});
        }
    }

    int attribute(const tinygltf::Primitive& primitive, const std::string& name) const {
        const auto found = primitive.attributes.find(name);
        return found == primitive.attributes.end() ? -1 : found->second;
    }

    static std::vector<double> sameCount(std::vector<double> values, std::size_t components, std::size_t count, int accessor) {
        if (values.size() != components * count)
            throw GltfInputError("accessor " + std::to_string(accessor) + " has another count than its positions");
        return values;
    }

    Look lookOf(int materialIndex) {
        Look look;
        if (materialIndex < 0) return look;
        if (materialIndex >= int(gltf_.materials.size()))
            throw GltfInputError("material " + std::to_string(materialIndex) + " does not exist");
        const tinygltf::Material& material = gltf_.materials[materialIndex];
        const auto& pbr = material.pbrMetallicRoughness;
        std::array<double, 4> color{1, 1, 1, 1};
        for (std::size_t i = 0; i < 4 && i < pbr.baseColorFactor.size(); ++i) color[i] = pbr.baseColorFactor[i];
        const double alpha = material.alphaMode == "OPAQUE" ? 1.0 : std::clamp(color[3], 0.0, 1.0);
        look.lit = !material.extensions.count("KHR_materials_unlit");
        look.doubleSided = material.doubleSided;
        look.texCoord = pbr.baseColorTexture.texCoord;
        readTextureTransform(pbr.baseColorTexture.extensions, look);
        if (pbr.baseColorTexture.index >= 0) look.texture = textureFor(pbr.baseColorTexture.index);
        if (look.lit) {
            look.material = materialFor(materialIndex, color, alpha);
        } else {
            look.faceColor = packedColor(color[0], color[1], color[2], alpha);
            look.transparency = static_cast<uint16_t>(std::lround((1.0 - (std::isnan(alpha) ? 1.0 : alpha)) * 65535.0));
        }
        return look;
    }

    static double numberIn(const tinygltf::Value& object, const char* key, int i, double fallback) {
        if (!object.Has(key)) return fallback;
        const tinygltf::Value& value = object.Get(key);
        const tinygltf::Value& number = i < 0 ? value : (value.IsArray() && int(value.ArrayLen()) > i ? value.Get(i) : value);
        const double v = number.IsNumber() ? number.GetNumberAsDouble() : fallback;
        return std::isfinite(v) ? v : fallback;
    }

    // Offset, rotation and scale of the base colour texture's coordinates.
    static void readTextureTransform(const tinygltf::ExtensionMap& extensions, Look& look) {
        const auto found = extensions.find("KHR_texture_transform");
        if (found == extensions.end() || !found->second.IsObject()) return;
        const tinygltf::Value& t = found->second;
        const double r = numberIn(t, "rotation", -1, 0), c = std::cos(r), s = std::sin(r);
        const double sx = numberIn(t, "scale", 0, 1), sy = numberIn(t, "scale", 1, 1);
        look.uvTransform = {c * sx, s * sy, numberIn(t, "offset", 0, 0), -s * sx, c * sy, numberIn(t, "offset", 1, 0)};
        if (t.Has("texCoord") && t.Get("texCoord").IsInt()) look.texCoord = t.Get("texCoord").Get<int>();
    }

    static double emissiveStrength(const tinygltf::Material& material) {
        const auto found = material.extensions.find("KHR_materials_emissive_strength");
        return found == material.extensions.end() ? 1.0 : numberIn(found->second, "emissiveStrength", -1, 1.0);
    }

    int materialFor(int index, const std::array<double, 4>& color, double alpha) {
        const auto known = materials_.find(index);
        if (known != materials_.end()) return known->second;
        const tinygltf::Material& material = gltf_.materials[index];
        Material converted;
        converted.name = material.name.empty() ? "material" + std::to_string(index) : material.name;
        for (int i = 0; i < 3; ++i) {
            converted.diffuse[i] = float(linearToDisplay(color[i]));
            const double emissive = (i < int(material.emissiveFactor.size()) ? material.emissiveFactor[i] : 0.0) *
                                    emissiveStrength(material);
            converted.emissive[i] = float(linearToDisplay(emissive));
        }
        converted.alpha = float(std::isnan(alpha) ? 1.0 : alpha);
        out_.materials.push_back(converted);
        return materials_[index] = int(out_.materials.size()) - 1;
    }

    // Textures that show one image the same way are one texture.
    int textureFor(int index) {
        if (index >= int(gltf_.textures.size()))
            throw GltfInputError("texture " + std::to_string(index) + " does not exist");
        const tinygltf::Texture& texture = gltf_.textures[index];
        if (texture.source < 0) return -1;  // only an extension's image: nothing decodable
        if (texture.source >= int(gltf_.images.size()))
            throw GltfInputError("texture " + std::to_string(index) + " names image " +
                                 std::to_string(texture.source) + ", which does not exist");
        const int sampler = texture.sampler >= 0 && texture.sampler < int(gltf_.samplers.size()) ? texture.sampler : -1;
        const auto known = textures_.find({texture.source, sampler});
        if (known != textures_.end()) return known->second;
        const tinygltf::Image& image = gltf_.images[texture.source];
        Texture converted;
        std::string stem = fileStem(!image.uri.empty() && image.uri.rfind("data:", 0) != 0 ? image.uri : image.name);
        if (stem.empty()) stem = "image" + std::to_string(texture.source);
        converted.name = stem;
        for (int n = 2; !names_.insert(converted.name).second; ++n) converted.name = stem + "_" + std::to_string(n);
        converted.encoded = image.image;
        if (sampler >= 0) {
            const tinygltf::Sampler& s = gltf_.samplers[sampler];
            converted.minFilter = s.minFilter;
            converted.magFilter = s.magFilter;
            converted.wrapS = s.wrapS;
            converted.wrapT = s.wrapT;
        }
        out_.textures.push_back(std::move(converted));
        return textures_[{texture.source, sampler}] = int(out_.textures.size()) - 1;
    }

    // Switch distances and centres of every level set, from the finest
    // level's bounding sphere and the screen coverages.
    void placeLevels() {
        for (std::size_t finest = 0; finest < out_.nodes.size(); ++finest) {
            if (out_.nodes[finest].coarserLevels.empty()) continue;
            std::vector<int> set{int(finest)};
            for (int level : out_.nodes[finest].coarserLevels) set.push_back(level);
            const Box box = subtreeBox(out_, int(finest));
            const std::vector<Level> levels = levelDistances(box, coverages_[int(finest)], set.size());
            for (std::size_t i = 0; i < set.size(); ++i) {
                out_.nodes[set[i]].isLevel = true;
                out_.nodes[set[i]].level = levels[i];
            }
        }
    }

    static constexpr std::size_t kMostVertices = 1u << 25;

    const tinygltf::Model& gltf_;
    Model& out_;
    std::vector<char> state_;
    std::map<int, int> meshes_, materials_;
    std::map<std::pair<int, int>, int> textures_;  // by image and sampler
    std::map<int, std::vector<double>> coverages_;
    std::set<std::string> names_;
};

}  // namespace

Model gltfToDatabaseModel(const tinygltf::Model& gltf, const std::string& name) {
    Model model;
    model.name = name;
    Conversion(gltf, model).run();
    return model;
}
