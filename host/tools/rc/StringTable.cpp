#include "StringTable.h"

#include "ByteWriter.h"

namespace rc {

std::vector<Resource> EncodeStringBlocks(std::uint16_t language,
                                         const std::map<std::uint16_t, std::u16string>& strings) {
    std::map<std::uint16_t, std::map<std::uint16_t, const std::u16string*>> blocks;
    for (const auto& [id, text] : strings) {
        blocks[static_cast<std::uint16_t>(id / 16 + 1)][static_cast<std::uint16_t>(id % 16)] =
            &text;
    }
    std::vector<Resource> out;
    for (const auto& [blockId, entries] : blocks) {
        ByteWriter bytes;
        for (std::uint16_t slot = 0; slot < 16; ++slot) {
            const auto it = entries.find(slot);
            if (it == entries.end()) {
                bytes.U16(0);
                continue;
            }
            bytes.U16(static_cast<std::uint16_t>(it->second->size()));
            for (char16_t c : *it->second) {
                bytes.U16(static_cast<std::uint16_t>(c));
            }
        }
        Resource block;
        block.type.id = kRtString;
        block.name.id = blockId;
        block.language = language;
        block.data = bytes.Take();
        out.push_back(std::move(block));
    }
    return out;
}

}  // namespace rc
