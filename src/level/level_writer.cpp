// Writing a level set file.
#include "level/level_writer.h"

#include <stdexcept>

Bytes WriteLevelRecord(const LevelRecord& level) {
    ByteWriter out;
    out.ShortString(level.TileSetFile);
    out.ShortString(level.LevelName);
    out.I32(level.StartX);
    out.I32(level.StartY);
    out.I32(level.LevelFlags);
    out.I32(level.Cols);
    out.I32(level.Rows);
    for (const LevelRecordCell& cell : level.Cells) {
        out.I32(cell.Tile);
        out.I32(cell.Spare);
        out.I32(cell.Layer);
        out.I32(cell.FrameBase);
    }
    out.I32(level.InfotronQuota);
    return out.Out();
}

Bytes WriteLevelSet(const LevelSetData& set) {
    if (set.Levels.size() > static_cast<size_t>(kLevelOffsetSlots))
        throw std::length_error("more than 1000 levels");
    std::vector<Bytes> records;
    for (const LevelRecord& level : set.Levels) records.push_back(WriteLevelRecord(level));

    ByteWriter out;
    out.I32(set.SetHeader);
    out.ShortString(set.SetName);
    out.I32(static_cast<int32_t>(records.size()));
    size_t offset = out.Out().size() + 4 * kLevelOffsetSlots;
    for (int i = 0; i < kLevelOffsetSlots; ++i) {
        if (static_cast<size_t>(i) < records.size()) {
            if (offset > INT32_MAX) throw std::length_error("level set larger than 2 GB");
            out.I32(static_cast<int32_t>(offset));
            offset += records[i].size();
        } else {
            out.I32(0);
        }
    }
    for (const Bytes& record : records) out.Raw(record);
    return out.Out();
}
