#include "help/chm/chm_layout.h"

#include <cstring>
#include <unordered_set>
#include <utility>

namespace tarlyk {

namespace {

// Header sizes and the limits chmlib's buffers set.
constexpr uint64_t kItsfV2Len = 0x58;
constexpr uint64_t kItsfV3Len = 0x60;  // chmlib always reads this much
constexpr uint64_t kItspLen = 0x54;
constexpr uint64_t kListingHeaderLen = 0x14;
constexpr uint64_t kIndexHeaderLen = 0x08;
constexpr uint32_t kMinChunkLen = 512;
constexpr uint32_t kMaxChunkLen = 65536;
constexpr uint64_t kMaxPathLen = 512;
constexpr uint64_t kLzxFrame = 0x8000;  // bytes of output per compressed block
constexpr uint64_t kFrameSlack = 6144;  // chmlib's compressed-block buffer is frame + this
constexpr uint64_t kResetTableLen = 0x28;
constexpr uint64_t kControlDataMin = 0x18;
constexpr uint64_t kControlDataMax = 256;  // chmlib's stack buffer

constexpr char kContentPath[] = "::DataSpace/Storage/MSCompressed/Content";
constexpr char kControlDataPath[] = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr char kResetTablePath[] =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
    "InstanceData/ResetTable";

uint32_t U32(std::string_view b, uint64_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

int32_t I32(std::string_view b, uint64_t at) {
  return static_cast<int32_t>(U32(b, at));
}

uint64_t U64(std::string_view b, uint64_t at) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

// a + b <= limit, without overflow.
bool FitsWithin(uint64_t a, uint64_t b, uint64_t limit) {
  return a <= limit && b <= limit - a;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The directory's variable-length integers: 7 bits a byte, most significant first, the
// high bit set on every byte but the last. Reads within [pos, end).
bool ReadEncodedInt(std::string_view chunk, uint64_t& pos, uint64_t end, uint64_t& value) {
  value = 0;
  for (int used = 0; used < 9; ++used) {
    if (pos >= end) return false;
    const auto byte = static_cast<unsigned char>(chunk[pos++]);
    value = (value << 7) | (byte & 0x7fu);
    if ((byte & 0x80u) == 0) return true;
  }
  return false;  // longer than any 63-bit number
}

class LayoutChecker {
 public:
  explicit LayoutChecker(std::string_view file) : file_(file) {}

  std::optional<ChmLayout> Run() {
    if (!ReadHeaders() || !WalkListingChain() || !WalkIndexTree() || !CheckCompression() ||
        !CheckObjects()) {
      return std::nullopt;
    }
    ChmLayout layout;
    layout.entries = std::move(entries_);
    return layout;
  }

  const std::string& Error() const { return error_; }

 private:
  bool Fail(std::string what) {
    error_ = std::move(what);
    return false;
  }

  bool ReadHeaders() {
    const uint64_t size = file_.size();
    if (size < kItsfV3Len) return Fail("shorter than the file header");
    if (file_.substr(0, 4) != "ITSF") return Fail("no ITSF signature");
    const int32_t version = I32(file_, 4);
    const int32_t headerLen = I32(file_, 8);
    if (version == 2) {
      if (headerLen < static_cast<int32_t>(kItsfV2Len)) return Fail("bad file header length");
    } else if (version == 3) {
      if (headerLen < static_cast<int32_t>(kItsfV3Len)) return Fail("bad file header length");
    } else {
      return Fail("unknown file header version");
    }
    const uint64_t dirOffset = U64(file_, 0x48);
    const uint64_t dirLen = U64(file_, 0x50);
    if (version == 3) {
      dataOffset_ = U64(file_, 0x58);
    } else {
      if (!FitsWithin(dirOffset, dirLen, size)) return Fail("directory past the end");
      dataOffset_ = dirOffset + dirLen;
    }
    if (dataOffset_ > size) return Fail("content past the end");
    if (!FitsWithin(dirOffset, kItspLen, size)) return Fail("directory header past the end");

    const std::string_view itsp = file_.substr(dirOffset, kItspLen);
    if (itsp.substr(0, 4) != "ITSP" || I32(itsp, 4) != 1 ||
        I32(itsp, 8) != static_cast<int32_t>(kItspLen)) {
      return Fail("bad directory header");
    }
    chunkLen_ = U32(itsp, 0x10);
    const int32_t indexRoot = I32(itsp, 0x1c);
    indexHead_ = I32(itsp, 0x20);
    chunkCount_ = U32(itsp, 0x2c);
    if (chunkLen_ < kMinChunkLen || chunkLen_ > kMaxChunkLen) return Fail("bad chunk size");
    chunkBase_ = dirOffset + kItspLen;
    if (chunkCount_ == 0 || chunkCount_ > (size - chunkBase_) / chunkLen_) {
      return Fail("directory chunks past the end");
    }
    if (!IsChunk(indexHead_)) return Fail("first listing chunk out of range");
    // chmlib searches from the first listing chunk when there is no index.
    indexRoot_ = indexRoot <= -1 ? indexHead_ : indexRoot;
    if (!IsChunk(indexRoot_)) return Fail("index root out of range");
    return true;
  }

  bool IsChunk(int64_t index) const { return index >= 0 && index < chunkCount_; }

  std::string_view Chunk(int64_t index) const {
    return file_.substr(chunkBase_ + static_cast<uint64_t>(index) * chunkLen_, chunkLen_);
  }

  // The listing chunks in chain order: each in range, visited once, every entry inside
  // the chunk's used part.
  bool WalkListingChain() {
    inChain_.assign(chunkCount_, false);
    std::unordered_set<std::string> names;
    int64_t index = indexHead_;
    while (index != -1) {
      if (!IsChunk(index)) return Fail("listing chain leaves the directory");
      if (inChain_[index]) return Fail("listing chain loops");
      inChain_[index] = true;
      const std::string_view chunk = Chunk(index);
      if (chunk.substr(0, 4) != "PMGL") return Fail("listing chunk without signature");
      const uint32_t freeSpace = U32(chunk, 4);
      if (freeSpace > chunkLen_ - kListingHeaderLen) return Fail("bad listing free space");
      const uint64_t end = chunkLen_ - freeSpace;
      uint64_t pos = kListingHeaderLen;
      while (pos < end) {
        ChmEntry entry;
        uint64_t nameLen = 0;
        uint64_t space = 0;
        if (!ReadEncodedInt(chunk, pos, end, nameLen) || nameLen == 0 || nameLen > kMaxPathLen ||
            nameLen > end - pos) {
          return Fail("bad entry name");
        }
        entry.path.assign(chunk.substr(pos, nameLen));
        pos += nameLen;
        if (entry.path.find('\0') != std::string::npos) return Fail("bad entry name");
        if (!ReadEncodedInt(chunk, pos, end, space) ||
            !ReadEncodedInt(chunk, pos, end, entry.start) ||
            !ReadEncodedInt(chunk, pos, end, entry.length)) {
          return Fail("entry runs past its chunk");
        }
        if (space > 1) return Fail("unknown storage section");
        entry.space = static_cast<int>(space);
        if (!names.insert(Lower(entry.path)).second) return Fail("entry named twice");
        if (entries_.size() >= kChmMaxEntries) return Fail("too many entries");
        entries_.push_back(std::move(entry));
      }
      index = I32(chunk, 0x10);
    }
    return true;
  }

  // The index tree chmlib descends to find an object: every chunk reached once, every
  // child in range, the leaves the listing chunks already checked.
  bool WalkIndexTree() {
    std::vector<bool> seen(chunkCount_, false);
    std::vector<int64_t> pending{indexRoot_};
    seen[indexRoot_] = true;
    while (!pending.empty()) {
      const int64_t index = pending.back();
      pending.pop_back();
      const std::string_view chunk = Chunk(index);
      if (chunk.substr(0, 4) == "PMGL") {
        if (!inChain_[index]) return Fail("index leads to a chunk outside the listing");
        continue;
      }
      if (chunk.substr(0, 4) != "PMGI") return Fail("index leads to an unknown chunk");
      const uint32_t freeSpace = U32(chunk, 4);
      if (freeSpace > chunkLen_ - kIndexHeaderLen) return Fail("bad index free space");
      const uint64_t end = chunkLen_ - freeSpace;
      uint64_t pos = kIndexHeaderLen;
      while (pos < end) {
        uint64_t nameLen = 0;
        uint64_t child = 0;
        if (!ReadEncodedInt(chunk, pos, end, nameLen) || nameLen > kMaxPathLen ||
            nameLen > end - pos) {
          return Fail("bad index entry");
        }
        pos += nameLen;
        if (!ReadEncodedInt(chunk, pos, end, child)) return Fail("index entry runs past its chunk");
        // chmlib keeps the low 32 bits as a signed chunk number.
        const int64_t target = static_cast<int32_t>(static_cast<uint32_t>(child));
        if (!IsChunk(target)) return Fail("index entry out of range");
        if (seen[target]) return Fail("index tree loops");
        seen[target] = true;
        pending.push_back(target);
      }
    }
    return true;
  }

  const ChmEntry* Find(std::string_view path) const {
    const std::string wanted = Lower(path);
    for (const ChmEntry& e : entries_) {
      if (Lower(e.path) == wanted) return &e;
    }
    return nullptr;
  }

  // A stored object's bytes (the caller has checked that it lies inside the file).
  std::string_view Stored(const ChmEntry& e) const {
    return file_.substr(dataOffset_ + e.start, e.length);
  }

  // chmlib decompresses only when the stream, its control data and its reset table are
  // all stored uncompressed; then every number it divides by or sizes a buffer with comes
  // from those two tables.
  bool CheckCompression() {
    const ChmEntry* content = Find(kContentPath);
    const ChmEntry* control = Find(kControlDataPath);
    const ChmEntry* reset = Find(kResetTablePath);
    if (!content || !control || !reset || content->space != 0 || control->space != 0 ||
        reset->space != 0) {
      return true;  // chmlib reads nothing compressed; such objects come out empty
    }
    for (const ChmEntry* e : {content, control, reset}) {
      if (!FitsWithin(e->start, e->length, file_.size() - dataOffset_)) {
        return Fail("compression table past the end");
      }
    }

    // Control data: a power-of-two window of 32 KiB..2 MiB, a reset interval that is a
    // whole number of half windows, and at least one window per reset.
    if (control->length < kControlDataMin || control->length > kControlDataMax) {
      return Fail("bad compression control data");
    }
    const std::string_view ctl = Stored(*control);
    uint32_t resetInterval = U32(ctl, 0x0c);
    uint32_t windowSize = U32(ctl, 0x10);
    const uint32_t windowsPerReset = U32(ctl, 0x14);
    if (U32(ctl, 0x08) == 2) {
      resetInterval *= 0x8000u;  // chmlib scales in 32 bits; so does this check
      windowSize *= 0x8000u;
    }
    if (ctl.substr(4, 4) != "LZXC" || windowSize < (1u << 15) || windowSize > (1u << 21) ||
        (windowSize & (windowSize - 1)) != 0 || resetInterval == 0 ||
        resetInterval % (windowSize / 2) != 0 || windowsPerReset == 0 ||
        resetInterval / (windowSize / 2) * windowsPerReset == 0) {
      return Fail("bad compression control data");
    }

    // Reset table: 32 KiB blocks, enough of them for the stream, each compressed block
    // no longer than chmlib's buffer and inside the stored stream.
    if (reset->length < kResetTableLen) return Fail("bad reset table");
    const std::string_view table = Stored(*reset);
    const uint32_t blockCount = U32(table, 4);
    const uint32_t tableOffset = U32(table, 0x0c);
    uncompressedLen_ = U64(table, 0x10);
    const uint64_t compressedLen = U64(table, 0x18);
    const uint64_t blockLen = U64(table, 0x20);
    if (U32(table, 0) != 2 || blockLen != kLzxFrame || uncompressedLen_ > kChmMaxContentSize ||
        compressedLen > content->length || blockCount == 0 ||
        blockCount < (uncompressedLen_ + blockLen - 1) / blockLen ||
        !FitsWithin(tableOffset, uint64_t{blockCount} * 8, reset->length)) {
      return Fail("bad reset table");
    }
    uint64_t previous = 0;
    for (uint32_t i = 0; i < blockCount; ++i) {
      const uint64_t at = U64(table, tableOffset + uint64_t{i} * 8);
      if ((i == 0 && at != 0) || at < previous || at > compressedLen ||
          at - previous > blockLen + kFrameSlack) {
        return Fail("bad reset table entry");
      }
      previous = at;
    }
    if (compressedLen - previous > blockLen + kFrameSlack) return Fail("bad reset table entry");
    compressionReadable_ = true;
    return true;
  }

  bool CheckObjects() {
    const uint64_t stored = file_.size() - dataOffset_;
    for (const ChmEntry& e : entries_) {
      if (e.space == 0) {
        if (!FitsWithin(e.start, e.length, stored)) return Fail("object past the end: " + e.path);
      } else if (e.length > 0) {
        if (!compressionReadable_ || e.length > kChmMaxObjectSize ||
            !FitsWithin(e.start, e.length, uncompressedLen_)) {
          return Fail("compressed object out of bounds: " + e.path);
        }
      }
    }
    return true;
  }

  std::string_view file_;
  std::string error_;
  uint64_t dataOffset_ = 0;
  uint64_t chunkBase_ = 0;
  uint32_t chunkLen_ = 0;
  uint32_t chunkCount_ = 0;
  int32_t indexHead_ = 0;
  int32_t indexRoot_ = 0;
  std::vector<bool> inChain_;
  std::vector<ChmEntry> entries_;
  bool compressionReadable_ = false;
  uint64_t uncompressedLen_ = 0;
};

}  // namespace

std::optional<ChmLayout> CheckChmLayout(std::string_view bytes, std::string* error) {
  if (bytes.size() > kChmMaxFileSize) {
    if (error) *error = "too large for a help file";
    return std::nullopt;
  }
  LayoutChecker checker(bytes);
  std::optional<ChmLayout> layout = checker.Run();
  if (!layout && error) *error = checker.Error();
  return layout;
}

}  // namespace tarlyk
