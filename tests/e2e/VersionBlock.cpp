#include "VersionBlock.h"

namespace {

class TVersionReader {
public:
    TVersionReader(const std::string& data, TVersionBlock& block) : data_(data), block_(block) {}

    bool Node(std::size_t at, std::size_t end, const std::string& path, int depth,
              std::string& error) {
        if (depth > 4)
            return error = "version nodes nested deeper than four levels", false;
        if (at + 6 > end)
            return error = "version node header past its parent at " + std::to_string(at), false;
        const std::size_t length = U16(at), valueLength = U16(at + 2), type = U16(at + 4);
        if (length < 6 || at + length > end)
            return error = "version node length " + std::to_string(length) + " at " +
                           std::to_string(at) + " runs past its parent",
                   false;
        const std::size_t nodeEnd = at + length;
        std::size_t p = at + 6;
        std::string key;
        for (; p + 2 <= nodeEnd && U16(p) != 0; p += 2)
            key.push_back(static_cast<char>(U16(p)));
        p = Align(p + 2);
        // Text values count characters, binary values bytes.
        const std::size_t valueBytes = type == 1 ? valueLength * 2 : valueLength;
        if (p + valueBytes > nodeEnd && valueBytes > 0)
            return error = "value of version node \"" + key + "\" runs past the node", false;
        const std::string childPath = path.empty() ? key : path + "/" + key;
        if (depth == 0) {
            if (key != "VS_VERSION_INFO")
                return error = "version block key is \"" + key + "\"", false;
            if (valueBytes < 52)
                return error = "version block without its fixed part", false;
            block_.Signature = U16(p) | (uint32_t{U16(p + 2)} << 16);
            ReadVersion(p + 8, block_.FileVersion);
            ReadVersion(p + 16, block_.ProductVersion);
        } else if (depth == 3 && path.rfind("StringFileInfo/", 0) == 0) {
            std::string text;
            for (std::size_t c = 0; c < valueLength && U16(p + 2 * c) != 0; ++c)
                text.push_back(static_cast<char>(U16(p + 2 * c)));
            block_.Strings[childPath.substr(15)] = text;
        } else if (depth == 2 && childPath == "VarFileInfo/Translation") {
            for (std::size_t c = 0; c + 2 <= valueBytes; c += 2)
                block_.Translation.push_back(U16(p + c));
        }
        for (p = Align(p + valueBytes); p < nodeEnd; p = Align(p + U16(p)))
            if (!Node(p, nodeEnd, depth == 0 ? std::string() : childPath, depth + 1, error))
                return false;
        return true;
    }

private:
    uint16_t U16(std::size_t at) const {
        return static_cast<uint16_t>(static_cast<uint8_t>(data_[at]) |
                                     (static_cast<uint8_t>(data_[at + 1]) << 8));
    }
    static std::size_t Align(std::size_t at) { return (at + 3) & ~std::size_t{3}; }
    // VS_FIXEDFILEINFO keeps each version as two doublewords, most significant first.
    void ReadVersion(std::size_t at, uint16_t (&version)[4]) const {
        version[0] = U16(at + 2);
        version[1] = U16(at);
        version[2] = U16(at + 6);
        version[3] = U16(at + 4);
    }

    const std::string& data_;
    TVersionBlock& block_;
};

} // namespace

bool ReadVersionBlock(const std::string& data, TVersionBlock& block, std::string& error) {
    return TVersionReader(data, block).Node(0, data.size(), "", 0, error);
}
